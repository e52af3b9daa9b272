// quirel-drive as a child process, its JSON answers parsed.
#include "support/ReaderDrive.h"

#include <sstream>

#include <gtest/gtest.h>

#include "support/TestSupport.h"

namespace testsupport {

std::vector<Json::Value> drive(const std::string& book, const std::string& script, const std::string& options) {
    const std::string dir = makeTempDir("quirel-drive-run");
    writeFile(dir + "/script", script);
    const std::string drivePath = std::string(QUIREL_BINARY_DIR) + "/tools/drive/quirel-drive";
    const ProgramRun run = runProgram("'" + drivePath + "' --resources '" + book + "' " + options + " '" + dir + "/script'");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    std::vector<Json::Value> answers;
    std::istringstream lines(run.out);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.empty() || (line[0] != '{' && line[0] != '[')) continue;
        Json::Value v;
        Json::CharReaderBuilder builder;
        std::string errors;
        std::istringstream in(line);
        if (Json::parseFromStream(builder, in, &v, &errors)) answers.push_back(v);
    }
    return answers;
}

double playedSeconds(const Json::Value& audioLog, const std::string& file) {
    double played = -1, start = -1;
    for (const Json::Value& e : audioLog) {
        if (e["file"].asString() != file) continue;
        if (e["op"].asString() == "play") start = e["t"].asDouble();
        if (e["op"].asString() == "end" && start >= 0) played = e["t"].asDouble() - start;
    }
    return played;
}

}  // namespace testsupport
