// The scripted host's command table: reading a line, finding its command, reporting failures.
//
// Index:
//   - the table and its failure report
//   - running lines
//   - the built-in commands
#include "engine/host/CCHostScript.h"

#include <cmath>
#include <istream>
#include <ostream>
#include <utility>

#include "engine/host/CCHeadlessHost.h"
#include "engine/host/CCKeyInput.h"

namespace engine {

namespace {

bool parseFloats(std::istringstream& in, float* out, int n) {
    for (int i = 0; i < n; ++i)
        if (!(in >> out[i]) || !std::isfinite(out[i])) return false;
    return true;
}

}  // namespace

// --- the table and its failure report --------------------------------------------------

CCHostScript::CCHostScript(CCHeadlessHost& host) : m_host(host) { addBuiltIns(); }

void CCHostScript::add(const std::string& name, Handler handler, bool keepsComment) {
    m_commands[name] = Command{std::move(handler), keepsComment};
}

void CCHostScript::setFailureReport(FailureReport report) { m_report = std::move(report); }

void CCHostScript::report(std::ostream& out, const Failure& failure) const {
    if (m_report)
        m_report(out, failure);
    else
        out << "error: line " << failure.number << ": " << failure.why << "\n";
}

bool CCHostScript::Line::refuse(const std::string& why) const {
    script.report(out, Failure{number, text, why, true});
    return false;
}

bool CCHostScript::Line::fail(const std::string& why) const {
    script.report(out, Failure{number, text, why, false});
    return false;
}

// --- running lines ---------------------------------------------------------------------

int CCHostScript::run(std::istream& in, std::ostream& out) {
    std::string line;
    int number = 0, failures = 0;
    while (std::getline(in, line)) {
        ++number;
        if (!runLine(line, number, out)) ++failures;
    }
    return failures;
}

bool CCHostScript::runLine(const std::string& text, int number, std::ostream& out) {
    std::string line = text;
    std::istringstream words(line);
    std::string name;
    words >> name;
    if (name.empty() || name[0] == '#') return true;
    // The comment is cut before the words are read again, unless the first word names a
    // command that keeps it.
    auto first = m_commands.find(name);
    const bool keepsComment = first != m_commands.end() && first->second.keepsComment;
    size_t hash = line.find('#');
    if (!keepsComment && hash != std::string::npos) {
        line = line.substr(0, hash);
        words.str(line);
        words.clear();
        words >> name;
    }
    auto found = m_commands.find(name);
    if (found == m_commands.end()) {
        report(out, Failure{number, text, "unknown command '" + name + "'", true});
        return false;
    }
    // A command that keeps its comment reads its rest from the line as written.
    const std::string& source = found->second.keepsComment ? text : line;
    size_t start = source.find(name) + name.size();
    if (start < source.size() && source[start] == ' ') ++start;
    // A copy, so that a handler may replace its own command.
    Handler handler = found->second.handler;
    Line current{*this, text, number, name, words, source.substr(start), out};
    if (!handler(current)) return false;
    out.flush();
    return true;
}

// --- the built-in commands -------------------------------------------------------------

void CCHostScript::addBuiltIns() {
    CCHeadlessHost& host = m_host;
    add("wait", [&host](Line& l) {
        double seconds;
        if (!(l.words >> seconds) || !std::isfinite(seconds) || seconds < 0 || seconds > 86400 * 7)
            return l.refuse("wait needs a number of seconds");
        host.advance(seconds);
        return true;
    });
    add("frames", [&host](Line& l) {
        long n;
        if (!(l.words >> n) || n < 0 || n > 60L * 86400 * 7) return l.refuse("frames needs a frame count");
        host.step(static_cast<int>(n));
        return true;
    });
    auto touch = [&host](void (CCHeadlessHost::*phase)(float, float, int)) {
        return [&host, phase](Line& l) {
            float v[2];
            if (!parseFloats(l.words, v, 2)) return l.refuse(l.name + " needs X Y [ID]");
            int id = 0;
            l.words >> id;
            (host.*phase)(v[0], v[1], id);
            host.step(1);
            return true;
        };
    };
    add("down", touch(&CCHeadlessHost::touchDown));
    add("move", touch(&CCHeadlessHost::touchMove));
    add("up", touch(&CCHeadlessHost::touchUp));
    add("tap", [&host](Line& l) {
        float v[2];
        if (!parseFloats(l.words, v, 2)) return l.refuse("tap needs X Y");
        host.touchDown(v[0], v[1]);
        host.step(1);
        host.touchUp(v[0], v[1]);
        host.step(1);
        return true;
    });
    add("drag", [&host](Line& l) {
        float v[4];
        if (!parseFloats(l.words, v, 4)) return l.refuse("drag needs X1 Y1 X2 Y2 [N]");
        int n = 10;
        if (l.words >> n) {
            if (n < 1 || n > 100000) return l.refuse("drag step count out of range");
        }
        host.touchDown(v[0], v[1]);
        host.step(1);
        for (int i = 1; i <= n; ++i) {
            float t = static_cast<float>(i) / n;
            host.touchMove(v[0] + (v[2] - v[0]) * t, v[1] + (v[3] - v[1]) * t);
            host.step(1);
        }
        host.touchUp(v[2], v[3]);
        host.step(1);
        return true;
    });
    // Typed text keeps its spaces and a '#' as written.
    add(
        "text",
        [&host](Line& l) {
            host.insertText(l.rest);
            host.step(1);
            return true;
        },
        true);
    add("key", [&host](Line& l) {
        std::string key;
        l.words >> key;
        if (key == "backspace")
            host.deleteBackward();
        else if (key == "enter")
            host.insertText("\n");
        else if (int code = 0, mods = 0; parseKeyName(key, &code, &mods))
            host.keyPress(code, mods);
        else
            return l.refuse("key needs a key name (Tab, shift+Tab, Return, Left, F2, ...), not '" + key + "'");
        host.step(1);
        return true;
    });
    add("shot", [&host](Line& l) {
        std::string file;
        l.words >> file;
        if (file.empty()) return l.refuse("shot needs a file name");
        if (!host.saveFrame(file)) return l.fail("cannot write " + file);
        return true;
    });
}

}  // namespace engine
