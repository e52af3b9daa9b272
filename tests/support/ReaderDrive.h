// Driving a book folder through the real reader headless (quirel-drive) from a test, for the
// tools that make books: the answers to its `state` and `audiolog` commands as JSON.
#pragma once

#include <string>
#include <vector>

#include <json/json.h>

namespace testsupport {

// Runs quirel-drive on `book` with `script` (and further command-line options, quoted, when
// given); returns the JSON lines it printed, in order.
std::vector<Json::Value> drive(const std::string& book, const std::string& script, const std::string& options = "");
// Seconds from the play of `file` to its end in an audio log (the last such pair); -1 when the
// log has no finished play of it.
double playedSeconds(const Json::Value& audioLog, const std::string& file);

}  // namespace testsupport
