#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ports/power.h"

namespace tavrin::testing {

// Writes every call that acts down in one trace. A step named in failWith
// sets the thread's last-error code to its number; a step that succeeds
// leaves the code as it was, as on Windows.
class RecordingPower final : public Power {
public:
    std::vector<std::string> calls;
    std::map<std::string, std::uint32_t> failWith;  // step name -> code it leaves
    std::uint32_t lastError = 0;
    bool succeed = true, hibernation = true;  // the calls' answer, the query's

    std::unique_ptr<PrivilegeSteps> BeginPrivilegeSteps() override { return std::make_unique<Steps>(*this); }
    Outcome EndSession(SessionEnd how) override { return Answer("end " + std::to_string(static_cast<int>(how))); }
    Outcome Hibernate() override { return Answer("hibernate"); }
    bool HibernationAvailable() override { return hibernation; }
    bool MonitorOff() override { return static_cast<bool>(Answer("monitor off")); }

private:
    Outcome Answer(std::string call) {
        calls.push_back(std::move(call));
        return succeed ? Outcome::Done() : Outcome::Refused("拒绝访问。");
    }

    struct Steps final : PrivilegeSteps {
        explicit Steps(RecordingPower& p) : p(p) {}
        void ClearLastError() override { p.lastError = 0; }
        std::uint32_t FindOwnProcess() override { return Step("process"); }
        std::uint32_t OpenOwnToken() override { return Step("token"); }
        std::uint32_t LookUpShutdownPrivilege() override { return Step("lookup"); }
        std::uint32_t EnableShutdownPrivilege() override { return Step("enable"); }
        std::uint32_t Step(const std::string& name) {
            if (const auto it = p.failWith.find(name); it != p.failWith.end()) p.lastError = it->second;
            return p.lastError;
        }
        RecordingPower& p;
    };
};

}  // namespace tavrin::testing
