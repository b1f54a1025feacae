#pragma once
#include <cstdint>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ports/power.h"

namespace tavrin::testing {

// Writes every call down in one trace, as text. A step named in failWith
// sets the thread's last-error code to its number; a step that succeeds
// leaves the code as it was, as on Windows.
class RecordingPower final : public Power {
public:
    std::vector<std::string> calls;
    std::map<std::string, std::uint32_t> failWith;  // step name -> code it leaves
    std::uint32_t lastError = 0;
    bool succeed = true;      // the answer of the three system calls
    std::string refusal;      // the reason they give when they do not succeed
    bool hibernation = true;  // what the query answers

    std::unique_ptr<PrivilegeSteps> BeginPrivilegeSteps() override { return std::make_unique<Steps>(*this); }
    Outcome EndSession(std::uint32_t flags, std::uint32_t reason) override {
        calls.push_back("ExitWindowsEx(" + std::to_string(flags) + "," + Hex(reason) + ")");
        return Answer();
    }
    Outcome SetSuspendState(bool hibernate, bool forceCritical, bool disableWakeEvent) override {
        calls.push_back("SetSuspendState(" + std::to_string(hibernate) + "," + std::to_string(forceCritical) + "," +
                        std::to_string(disableWakeEvent) + ")");
        return Answer();
    }
    bool HibernationAvailable() override { return hibernation; }
    bool SetMonitorPower(MonitorPower state) override {
        calls.push_back("MonitorPower(" + std::to_string(static_cast<int>(state)) + ")");
        return succeed;
    }

    // The calls that act, without the privilege steps and boxes; a lock
    // written into the same trace counts as one.
    std::vector<std::string> Actions() const {
        std::vector<std::string> r;
        for (const std::string& c : calls)
            if (c.starts_with("ExitWindowsEx") || c.starts_with("SetSuspendState") || c.starts_with("MonitorPower") ||
                c == "LockWorkStation")
                r.push_back(c);
        return r;
    }

    static std::string Hex(std::uint32_t v) {
        char text[11];
        std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(v));
        return text;
    }

private:
    Outcome Answer() const { return succeed ? Outcome::Done() : Outcome::Refused(refusal); }

    class Steps final : public PrivilegeSteps {
    public:
        explicit Steps(RecordingPower& p) : p_(p) {}
        ~Steps() override { p_.calls.push_back("CloseToken"); }
        void SetLastError(std::uint32_t code) override {
            p_.calls.push_back("SetLastError(" + std::to_string(code) + ")");
            p_.lastError = code;
        }
        std::uint32_t GetCurrentProcess() override { return Step("GetCurrentProcess", "GetCurrentProcess"); }
        std::uint32_t OpenProcessToken(std::uint32_t access) override {
            return Step("OpenProcessToken", "OpenProcessToken(" + Hex(access) + ")");
        }
        std::uint32_t LookupPrivilege(std::string_view name) override {
            return Step("LookupPrivilegeValue", "LookupPrivilegeValue(" + std::string(name) + ")");
        }
        std::uint32_t AdjustTokenPrivileges(std::uint32_t attributes) override {
            return Step("AdjustTokenPrivileges", "AdjustTokenPrivileges(" + std::to_string(attributes) + ")");
        }

    private:
        std::uint32_t Step(const std::string& name, std::string call) {
            p_.calls.push_back(std::move(call));
            if (const auto it = p_.failWith.find(name); it != p_.failWith.end()) p_.lastError = it->second;
            return p_.lastError;
        }
        RecordingPower& p_;
    };
};

}  // namespace tavrin::testing
