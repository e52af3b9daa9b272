// Runs the whole reader headless on the virtual clock, driven by a line-based script: touches,
// text, waits, screenshots, and JSON reports of the reader's state, node tree and audio.
#pragma once

#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

namespace engine {
class CCHeadlessHost;
class CCHostScript;
class CCNode;
}  // namespace engine

namespace app {

class AppDelegate;

struct DriveOptions {
    // Remembered state is read and written here only when given: scripted runs stay repeatable.
    std::string stateFolder;
    // One-switch scanning's pace; 0 leaves it off.
    float scanSeconds = 0;
};

class ScriptDriver {
public:
    using Options = DriveOptions;

    // Starts the reader on the book in resourceDir (already checked) and shows its first frame;
    // with checkBook, also the start-up book check (StartupCheck), as the reader does.
    explicit ScriptDriver(const std::string& resourceDir, bool checkBook = false, const DriveOptions& options = DriveOptions());
    ~ScriptDriver();
    ScriptDriver(const ScriptDriver&) = delete;
    ScriptDriver& operator=(const ScriptDriver&) = delete;

    // Runs one script line (comments and blank lines do nothing); output lines go to out.
    // False for an unknown or malformed command (an error line has been written). The scripted
    // host's commands and the reader's own (state, tree, audiolog, drawn, call, background,
    // foreground, bookcheck).
    bool runLine(const std::string& line, int lineNumber, std::ostream& out);
    // Runs every line of in; returns the number of lines that failed.
    int runScript(std::istream& in, std::ostream& out);

    // The reports, as single lines of JSON.
    std::string stateJson();
    std::string treeJson();
    // Frames stepped and frames the renderer actually drew (a frame that would show the picture
    // already shown is left out): {"frames": N, "drawn": M}.
    std::string drawnJson();
    std::string audioLogJson();

    // Makes the WAV file at path the microphone, heard on the virtual clock from each time the
    // reader starts listening. False with error naming the file when it cannot be read.
    bool useMicrophoneFile(const std::string& path, std::string* error);

    engine::CCHeadlessHost& host() { return *m_host; }
    // The running scene's layer of the reader's own classes (contents, unit menu, page, settings).
    engine::CCNode* systemLayer();

    // Members the `call` command can reach, by name, on the system layer.
    using Call = std::function<bool(engine::CCNode* layer)>;
    static void registerCall(const std::string& name, Call call);

private:
    // Puts the reader's commands on the scripted host's table.
    void addReaderCommands();

    std::unique_ptr<engine::CCHeadlessHost> m_host;
    std::unique_ptr<AppDelegate> m_delegate;
    std::unique_ptr<engine::CCHostScript> m_script;
    std::vector<std::string> m_log;  // engine log lines since the last state report
    std::string m_resourceDir;
};

// The class name of an object without namespaces ("TestController", "CCTransitionPageTurn").
std::string className(const void* object, const std::type_info& type);

}  // namespace app
