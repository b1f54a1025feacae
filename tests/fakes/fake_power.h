#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ports/power.h"

namespace tavrin::testing {

// Writes every call down in one trace. A step named in failWith sets the
// thread's last-error code to its number; a step that succeeds leaves the
// code as it was, as on Windows.
class RecordingPower final : public Power {
public:
    std::vector<std::string> calls;
    std::map<std::string, std::uint32_t> failWith;  // step name -> code it leaves
    std::uint32_t lastError = 0;
    bool succeed = true;      // the answer of the system calls
    bool hibernation = true;  // what the query answers

    std::unique_ptr<PrivilegeSteps> BeginPrivilegeSteps() override { return std::make_unique<Steps>(*this); }
    Outcome EndSession(SessionEnd how) override { return Answer("end " + std::to_string(static_cast<int>(how))); }
    Outcome Hibernate() override { return Answer("hibernate"); }
    bool HibernationAvailable() override { return hibernation; }
    bool MonitorOff() override {
        calls.push_back("monitor off");
        return true;
    }

private:
    Outcome Answer(std::string call) {
        calls.push_back(std::move(call));
        return succeed ? Outcome::Done() : Outcome::Refused("拒绝访问。");
    }

    class Steps final : public PrivilegeSteps {
    public:
        explicit Steps(RecordingPower& p) : p_(p) {}
        void ClearLastError() override { p_.lastError = 0; }
        std::uint32_t FindOwnProcess() override { return Step("process"); }
        std::uint32_t OpenOwnToken() override { return Step("token"); }
        std::uint32_t LookUpShutdownPrivilege() override { return Step("lookup"); }
        std::uint32_t EnableShutdownPrivilege() override { return Step("enable"); }

    private:
        std::uint32_t Step(const std::string& name) {
            if (const auto it = p_.failWith.find(name); it != p_.failWith.end()) p_.lastError = it->second;
            return p_.lastError;
        }
        RecordingPower& p_;
    };
};

}  // namespace tavrin::testing
