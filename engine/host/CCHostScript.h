// The scripted host's command table: script lines run by name over a headless host, with the
// shared comment handling and error lines. Programs add their own commands beside the ten built in.
#pragma once

#include <functional>
#include <iosfwd>
#include <map>
#include <sstream>
#include <string>

namespace engine {

class CCHeadlessHost;

// Built-in commands (touch points in design points, origin bottom left):
//   wait SECONDS          whole frames covering the seconds
//   frames N              N frames
//   down|move|up X Y [ID] one touch phase, then a frame
//   tap X Y               down, frame, up, frame
//   drag X1 Y1 X2 Y2 [N]  down, N moves along the line (10 by default), up; a frame after each
//   text TEXT             the rest of the line as typed (spaces and '#' kept), then a frame
//   key backspace|enter   one key for the text-input delegate, then a frame
//   key [MOD+]NAME        one key press by its SDL key name (Tab, shift+Tab, PageDown, F2, P),
//                         as the window delivers it, then a frame
//   shot FILE             the last drawn frame as a PNG
// A '#' starts a comment (except in the lines of commands that keep their comment, as text);
// blank lines and comment lines do nothing.
class CCHostScript {
public:
    // One line being run, as its handler sees it.
    struct Line {
        const CCHostScript& script;
        const std::string& text;    // the whole line as written
        int number;                 // 1 for the script's first line
        const std::string& name;    // the command word
        std::istringstream& words;  // the words after the command word, comment cut off unless kept
        std::string rest;           // the text after the command word and one space
        std::ostream& out;          // where reports go

        // The line is not understood (missing or bad arguments): reports why, returns false.
        bool refuse(const std::string& why) const;
        // The line was understood but its work failed (a file not written): reports why, returns false.
        bool fail(const std::string& why) const;
    };
    // Runs one line; true when it succeeded, false after line.refuse() or line.fail().
    using Handler = std::function<bool(Line& line)>;

    // A line that could not be run, as the failure report gets it.
    struct Failure {
        int number;
        std::string text;  // the whole line as written
        std::string why;
        bool refused;  // not understood, rather than understood and failed
    };
    // Writes a failure; by default "error: line N: WHY" and a newline on the script's output.
    using FailureReport = std::function<void(std::ostream& out, const Failure& failure)>;

    // Holds the built-in commands over host, which must outlive the table.
    explicit CCHostScript(CCHeadlessHost& host);

    // Adds a command, or replaces the one of that name. A command that keeps its comment gets
    // the line's '#' and what follows it in its rest and words.
    void add(const std::string& name, Handler handler, bool keepsComment = false);
    bool has(const std::string& name) const { return m_commands.count(name) != 0; }
    void setFailureReport(FailureReport report);

    // Runs one script line; output and failure lines go to out. False when it failed (its
    // failure has been reported); comments and blank lines succeed and do nothing.
    bool runLine(const std::string& text, int number, std::ostream& out);
    // Runs every line of in, numbered from 1; returns how many failed.
    int run(std::istream& in, std::ostream& out);

    CCHeadlessHost& host() { return m_host; }

private:
    struct Command {
        Handler handler;
        bool keepsComment = false;
    };

    void addBuiltIns();
    void report(std::ostream& out, const Failure& failure) const;

    CCHeadlessHost& m_host;
    std::map<std::string, Command> m_commands;
    FailureReport m_report;
};

}  // namespace engine
