// Comparing a scripted session's output with its recording: the reports as they would have been
// recorded, without the parts the reader gained later that the session does not use.
#pragma once

#include <string>

namespace testsupport {

// A JSON report line without the later parts, in one fixed form (the recording's lines go
// through the same, so only content can differ); any other line as it is.
std::string asRecorded(const std::string& line);

}  // namespace testsupport
