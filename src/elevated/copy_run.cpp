#include "elevated/copy_run.h"

#include "elevated/elevated_call.h"

namespace tavrin {

ElevatedResult ElevatedResultOf(const CopyRun& run) {
    switch (run.stage) {
        case CopyRun::Stage::NotStarted:
            return {ElevatedEnd::Failed, run.systemReason};
        case CopyRun::Stage::Declined:
            return {ElevatedEnd::Declined, {}};
        case CopyRun::Stage::NotConnected:
            return {ElevatedEnd::Failed, "提升权限的副本没有应答"};
        case CopyRun::Stage::Handed:
            return {ElevatedEnd::Lost, "提升权限的副本没有结束，结果未知"};
        case CopyRun::Stage::Ended:
            break;
    }
    switch (run.exitCode) {
        case kExitDone:
            return {ElevatedEnd::Done, {}};
        case kExitRefused:
            return {ElevatedEnd::Refused,
                    run.report && !run.report->empty() ? *run.report : "部分更改被拒绝，原因未知"};
        case kExitUnreadable:
            return {ElevatedEnd::Failed, "提升权限的副本无法读取请求"};
        default:
            return {ElevatedEnd::Lost,
                    "提升权限的副本意外结束（退出代码 " + std::to_string(run.exitCode) + "），结果未知"};
    }
}

}  // namespace tavrin
