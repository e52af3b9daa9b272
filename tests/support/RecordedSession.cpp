// The recorded session's comparison: leaving out the later parts of the reports.
#include "support/RecordedSession.h"

#include <json/json.h>

#include <sstream>

namespace testsupport {

namespace {

bool parse(const std::string& line, Json::Value* v) {
    if (line.empty() || (line[0] != '{' && line[0] != '[')) return false;
    Json::CharReaderBuilder b;
    std::string errors;
    std::istringstream in(line);
    return Json::parseFromStream(b, in, v, &errors);
}

// What came after the recording and stays out of the session's way: the keyboard's focus ring
// (a node that draws nothing until a key is pressed, and none is), the settings screen's rows of
// grown-ups' options in code, and the state report's focus, scanning and remembered page, which
// must read null (nothing is remembered without a state folder). All are left out of the output.
void leaveOutLaterParts(Json::Value& v) {
    if (v.isObject()) {
        for (const char* key : {"focus", "resumePage", "scan"})
            if (v.isMember(key) && v[key].isNull()) v.removeMember(key);
        if (v.isMember("children") && v["children"].isArray()) {
            Json::Value kept(Json::arrayValue);
            for (Json::Value& child : v["children"]) {
                const std::string cls = child.isObject() ? child.get("class", "").asString() : std::string();
                if (cls == "FocusRing" || cls == "SettingsRows") continue;
                leaveOutLaterParts(child);
                kept.append(child);
            }
            v["children"] = kept;
        }
        for (const std::string& name : v.getMemberNames())
            if (name != "children") leaveOutLaterParts(v[name]);
    } else if (v.isArray()) {
        for (Json::Value& item : v) leaveOutLaterParts(item);
    }
}

}  // namespace

std::string asRecorded(const std::string& line) {
    Json::Value v;
    if (!parse(line, &v)) return line;
    leaveOutLaterParts(v);
    Json::StreamWriterBuilder b;
    b["indentation"] = "";
    b["emitUTF8"] = true;
    return Json::writeString(b, v);
}

}  // namespace testsupport
