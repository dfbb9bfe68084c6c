// XQMenu32::LastRunRecord: the finished run as its outputs show it, for a
// station program that archives or checks the record after StopTest.

#include <XQTestDev/XQMenu32.h>

#include "frame/RunOutputs.h"
#include "frame/Verdict.h"
#include "run/RunRecordBuilder.h"

namespace XQTestDev {

LastRunInfo XQMenu32::LastRunRecord() const {
    const std::optional<RunRecord>& record = finishedRunRecord();
    if (!record)
        return {};
    return {recordFileOf(*record), unitVerdictText(record->verdict), record->untested,
            record->aborted};
}

} // namespace XQTestDev
