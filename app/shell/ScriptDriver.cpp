// The script interpreter behind quirel-drive and the app's scenario tests: the scripted host's
// command table with the reader's reports and calls added.
//
// Index:
//   - start-up and shut-down
//   - commands
//   - reports: state, tree, audio log
#include "app/shell/ScriptDriver.h"

#include <cxxabi.h>
#include <json/json.h>

#include <cmath>
#include <cstdlib>
#include <istream>
#include <map>
#include <ostream>
#include <sstream>
#include <typeinfo>

#include "app/access/FocusRing.h"
#include "app/menus/TestController.h"
#include "app/menus/UnitMenu.h"
#include "app/reader/PageLayer.h"
#include "app/book/BookContents.h"
#include "app/book/NarrationSettings.h"
#include "app/book/ReaderState.h"
#include "app/book/RememberedState.h"
#include "app/check/CheckReport.h"
#include "app/settings/SetLayer.h"
#include "ui/layout/WidgetJson.h"
#include "ui/widgets/UIButton.h"
#include "ui/widgets/UILayer.h"
#include "ui/widgets/UIRootWidget.h"
#include "app/shell/AppDelegate.h"
#include "app/shell/BookDirectory.h"
#include "engine/engine.h"

using namespace engine;

namespace app {

namespace {

// Members of the reader's screens that a script may call by name.
template <typename Layer>
ScriptDriver::Call menuCall(void (Layer::*member)(CCObject*), bool passItem = false) {
    return [member, passItem](CCNode* node) {
        Layer* layer = dynamic_cast<Layer*>(node);
        if (!layer) return false;
        CCObject* sender = layer;
        if (passItem) {
            // The play/pause callback does nothing without its item as the sender.
            if (PageLayer* page = dynamic_cast<PageLayer*>(node)) sender = page->getPlayPauseItem();
        }
        (layer->*member)(sender);
        return true;
    };
}

std::map<std::string, ScriptDriver::Call>& calls() {
    static std::map<std::string, ScriptDriver::Call> c = {
        {"settingsCallback", menuCall(&PageLayer::settingsCallback)},
        {"contentsCallback", menuCall(&PageLayer::contentsCallback)},
        {"playPauseCallback", menuCall(&PageLayer::playPauseCallback, true)},
        {"nextPageCallback", menuCall(&PageLayer::nextPageCallback)},
        {"previousPageCallback", menuCall(&PageLayer::previousPageCallback)},
        {"switchPage",
         [](CCNode* n) {
             PageLayer* page = dynamic_cast<PageLayer*>(n);
             if (page) page->switchPage();
             return page != nullptr;
         }},
        {"menuCallback", menuCall(&TestController::menuCallback)},
    };
    return c;
}

std::string oneLine(const Json::Value& v) {
    Json::StreamWriterBuilder b;
    b["indentation"] = "";
    b["emitUTF8"] = true;
    return Json::writeString(b, v);
}

Json::Value point(const CCPoint& p) {
    Json::Value a(Json::arrayValue);
    a.append(p.x);
    a.append(p.y);
    return a;
}

Json::Value size(const CCSize& s) {
    Json::Value a(Json::arrayValue);
    a.append(s.width);
    a.append(s.height);
    return a;
}

// A path under the book folder, written relative to it.
std::string relativeToResources(const std::string& path) {
    const std::string& root = CCFileUtils::sharedFileUtils()->getResourceRoot();
    if (!root.empty() && path.compare(0, root.size(), root) == 0) {
        size_t start = root.size();
        while (start < path.size() && path[start] == '/') ++start;
        return path.substr(start);
    }
    return path;
}

}  // namespace

std::string className(const void* object, const std::type_info& type) {
    (void)object;
    int status = 0;
    char* demangled = abi::__cxa_demangle(type.name(), nullptr, nullptr, &status);
    std::string name = status == 0 && demangled ? demangled : type.name();
    std::free(demangled);
    size_t colon = name.rfind("::");
    return colon == std::string::npos ? name : name.substr(colon + 2);
}

void ScriptDriver::registerCall(const std::string& name, Call call) { calls()[name] = std::move(call); }

// --- start-up and shut-down -----------------------------------------------------------

ScriptDriver::ScriptDriver(const std::string& resourceDir, bool checkBook, const DriveOptions& options)
    : m_resourceDir(resourceDir) {
    useBookDirectory(resourceDir);
    FocusRing::setKeyboardInUse(false);
    FocusRing::setScanSeconds(options.scanSeconds);
    if (!options.stateFolder.empty()) rememberBook(options.stateFolder, resourceDir, options.scanSeconds);
    setLogObserver([this](const std::string& line) {
        // The book check ends on the machine's time, not the virtual clock's: its line would land
        // in a different report from run to run. It goes to standard error only (and `bookcheck`).
        if (line.rfind(kSummaryPrefix, 0) == 0) return;
        m_log.push_back(line);
    });
    CCEGLView* view = CCEGLView::sharedOpenGLView();
    view->setViewName("quirel");
    m_host = std::make_unique<CCHeadlessHost>(640, 960, true);
    // Headless runs hear nothing unless a file is given: a real microphone would run on the
    // machine's clock, not the virtual one.
    SimpleAudioEngine::sharedEngine()->setVoiceCapture(
        std::make_unique<NoVoiceCapture>("no microphone (quirel-drive hears only a WAV file given with --mic)"));
    m_delegate = std::make_unique<AppDelegate>();
    if (checkBook) m_delegate->checkBookAtLaunch(resourceDir);
    m_delegate->applicationDidFinishLaunching();
    // The first scene shows from the next frame on.
    m_host->step(1);
    m_script = std::make_unique<CCHostScript>(*m_host);
    addReaderCommands();
}

ScriptDriver::~ScriptDriver() {
    // As the window application does when its loop ends: while the director is still there.
    m_delegate->applicationWillTerminate();
    m_script.reset();
    m_host.reset();
    m_delegate.reset();
    setLogObserver(nullptr);
    RememberedState::close();
    FocusRing::setScanSeconds(0);
    FocusRing::setKeyboardInUse(false);
}

bool ScriptDriver::useMicrophoneFile(const std::string& path, std::string* error) {
    CCHeadlessHost* host = m_host.get();
    auto mic = std::make_unique<FileVoiceCapture>([host] { return host->virtualTime(); });
    if (!mic->load(path)) {
        if (error) *error = mic->error();
        return false;
    }
    SimpleAudioEngine::sharedEngine()->setVoiceCapture(std::move(mic));
    return true;
}

CCNode* ScriptDriver::systemLayer() {
    CCScene* scene = CCDirector::sharedDirector()->getRunningScene();
    // During a transition the screen being opened is the one that counts.
    if (CCTransitionScene* t = dynamic_cast<CCTransitionScene*>(scene)) scene = t->getInScene();
    if (!scene || !scene->getChildren()) return nullptr;
    for (CCObject* o : *scene->getChildren())
        if (dynamic_cast<TestController*>(o) || dynamic_cast<MenuLayerMainMenu*>(o) || dynamic_cast<PageLayer*>(o) ||
            dynamic_cast<SetLayer*>(o))
            return static_cast<CCNode*>(o);
    return nullptr;
}

// --- commands -------------------------------------------------------------------------

int ScriptDriver::runScript(std::istream& in, std::ostream& out) { return m_script->run(in, out); }

bool ScriptDriver::runLine(const std::string& line, int lineNumber, std::ostream& out) {
    return m_script->runLine(line, lineNumber, out);
}

void ScriptDriver::addReaderCommands() {
    CCHostScript& script = *m_script;
    script.add("background", [this](CCHostScript::Line&) {
        m_delegate->applicationDidEnterBackground();
        return true;
    });
    script.add("foreground", [this](CCHostScript::Line&) {
        m_delegate->applicationWillEnterForeground();
        return true;
    });
    script.add("call", [this](CCHostScript::Line& l) {
        std::string name;
        l.words >> name;
        auto it = calls().find(name);
        if (name.empty() || it == calls().end()) return l.refuse("no member named '" + name + "' can be called");
        CCNode* layer = systemLayer();
        if (!layer || !it->second(layer)) return l.fail("the running screen has no member '" + name + "'");
        m_host->step(1);
        return true;
    });
    script.add("bookcheck", [this](CCHostScript::Line& l) {
        StartupCheck* check = m_delegate->startupCheck();
        if (!check) return l.fail("no book check is running (quirel-drive starts one)");
        l.out << check->finish() << "\n";
        return true;
    });
    script.add("state", [this](CCHostScript::Line& l) {
        l.out << stateJson() << "\n";
        return true;
    });
    script.add("tree", [this](CCHostScript::Line& l) {
        l.out << treeJson() << "\n";
        return true;
    });
    script.add("audiolog", [this](CCHostScript::Line& l) {
        l.out << audioLogJson() << "\n";
        return true;
    });
    script.add("drawn", [this](CCHostScript::Line& l) {
        l.out << drawnJson() << "\n";
        return true;
    });
}

// --- reports --------------------------------------------------------------------------

std::string ScriptDriver::stateJson() {
    Json::Value s(Json::objectValue);
    CCDirector* director = CCDirector::sharedDirector();
    CCScene* scene = director->getRunningScene();
    s["time"] = m_host->virtualTime();
    s["scene"] = scene ? Json::Value(className(scene, typeid(*scene))) : Json::Value();
    CCNode* layer = systemLayer();
    s["layer"] = layer ? Json::Value(className(layer, typeid(*layer))) : Json::Value();
    if (CCTransitionScene* t = dynamic_cast<CCTransitionScene*>(scene)) {
        Json::Value tr(Json::objectValue);
        tr["type"] = className(t, typeid(*t));
        CCTransitionPageTurn* turn = dynamic_cast<CCTransitionPageTurn*>(t);
        tr["backwards"] = turn ? Json::Value(turn->isBackwards()) : Json::Value();
        s["transition"] = tr;
    } else {
        s["transition"] = Json::Value();
    }
    s["currentPage"] = currentPage;
    s["pageChangeDirection"] = pageChangeDirection;
    s["readingMode"] = readingMode;
    s["autoReading"] = autoReading;
    s["readingPause"] = readingPause;
    s["nextSentence"] = nextSentence;
    s["lastSentence"] = lastSentence;
    s["currentSentenceButton"] =
        currentSentenceButton ? Json::Value(currentSentenceButton->getName()) : Json::Value();
    PageLayer* page = dynamic_cast<PageLayer*>(layer);
    if (subtitleLabel && subtitleBackground) {
        Json::Value sub(Json::objectValue);
        sub["text"] = subtitleLabel->getString();
        sub["visible"] = subtitleLabel->isVisible();
        sub["x"] = subtitleLabel->getPosition().x;
        sub["y"] = subtitleLabel->getPosition().y;
        sub["bgVisible"] = subtitleBackground->isVisible();
        sub["bgX"] = subtitleBackground->getPosition().x;
        sub["bgY"] = subtitleBackground->getPosition().y;
        sub["bgWidth"] = subtitleBackground->getSize().width;
        sub["bgHeight"] = subtitleBackground->getSize().height;
        s["subtitle"] = sub;
    } else {
        s["subtitle"] = Json::Value();
    }
    if (page && page->getPlayPauseItem()) {
        Json::Value pp(Json::objectValue);
        pp["visible"] = page->getPlayPauseItem()->isVisible();
        pp["image"] = page->isShowingPause() ? "pause" : "play";
        s["playPause"] = pp;
    } else {
        s["playPause"] = Json::Value();
    }

    Json::Value audio(Json::objectValue);
    SimpleAudioEngine* engineAudio = SimpleAudioEngine::sharedEngine();
    audio["playing"] = engineAudio->isBackgroundMusicPlaying();
    std::string file = engineAudio->getBackend() ? engineAudio->getBackend()->currentFile() : std::string();
    audio["file"] = file.empty() ? Json::Value() : Json::Value(relativeToResources(file));
    audio["volume"] = engineAudio->getBackgroundMusicVolume();
    audio["rate"] = engineAudio->getNarrationRate();
    s["audio"] = audio;
    s["echo"] = page ? Json::Value(page->echoState()) : Json::Value("off");
    const std::string& echoProblem = narrationSettings().echoProblem;
    s["echoProblem"] = echoProblem.empty() ? Json::Value() : Json::Value(echoProblem);

    s["selectedUnit"] = selectedUnit;
    s["contentsListPosition"] = point(contentsListPosition);
    s["unitListPosition"] = point(unitListPosition);
    s["unitFirstPage"] = unitFirstPage;
    s["unitLastPage"] = unitLastPage;
    s["unitPageCount"] = unitPageCount;
    SetLayer* settings = dynamic_cast<SetLayer*>(layer);
    s["pendingReadingMode"] = settings ? Json::Value(settings->getPendingReadingMode()) : Json::Value();
    s["selectedSettingButton"] =
        selectedSettingButton ? Json::Value(selectedSettingButton->getName()) : Json::Value();
    TestController* contents = dynamic_cast<TestController*>(layer);
    s["dragHintVisible"] =
        contents && contents->getDragHint() ? Json::Value(contents->getDragHint()->isVisible()) : Json::Value();
    FocusScreen* focusScreen = dynamic_cast<FocusScreen*>(layer);
    const FocusTarget* focused = focusScreen && focusScreen->focusRing() ? focusScreen->focusRing()->focused() : nullptr;
    if (focused) {
        Json::Value f(Json::objectValue);
        f["kind"] = focused->kind;
        f["name"] = focused->name;
        const CCRect r = focusScreen->focusRing()->focusedRect();
        Json::Value rect(Json::arrayValue);
        for (float v : {r.origin.x, r.origin.y, r.size.width, r.size.height}) rect.append(v);
        f["rect"] = rect;
        s["focus"] = f;
    } else {
        s["focus"] = Json::Value();
    }
    s["scan"] = FocusRing::scanSeconds() > 0 ? Json::Value(FocusRing::scanSeconds()) : Json::Value();
    s["resumePage"] = resumePage() > 0 ? Json::Value(resumePage()) : Json::Value();
    Json::Value log(Json::arrayValue);
    for (const std::string& l : m_log) log.append(l);
    m_log.clear();
    s["log"] = log;
    return oneLine(s);
}

namespace {

Json::Value nodeJson(CCNode* n) {
    Json::Value j(Json::objectValue);
    j["class"] = className(n, typeid(*n));
    j["position"] = point(n->getPosition());
    j["anchor"] = point(n->getAnchorPoint());
    j["contentSize"] = size(n->getContentSize());
    j["scaleX"] = n->getScaleX();
    j["scaleY"] = n->getScaleY();
    j["visible"] = n->isVisible();
    j["zOrder"] = n->getZOrder();
    j["tag"] = n->getTag();
    if (CCLabelProtocol* label = dynamic_cast<CCLabelProtocol*>(n)) j["text"] = label->getString();
    if (CCSprite* sprite = dynamic_cast<CCSprite*>(n)) {
        if (!dynamic_cast<CCLabelProtocol*>(n))
            j["texture"] = sprite->getTexture() ? Json::Value(relativeToResources(sprite->getTexture()->getPath()))
                                                : Json::Value();
    }
    if (CCMenuItem* item = dynamic_cast<CCMenuItem*>(n)) j["enabled"] = item->isEnabled();
    Json::Value children(Json::arrayValue);
    // A UI layer shows its widget tree as widgets.
    if (ui::UILayer* uiLayer = dynamic_cast<ui::UILayer*>(n)) {
        if (uiLayer->getRootWidget()) children.append(ui::widgetToJson(uiLayer->getRootWidget()));
        j["children"] = children;
        return j;
    }
    if (n->getChildren())
        for (CCObject* o : *n->getChildren()) children.append(nodeJson(static_cast<CCNode*>(o)));
    j["children"] = children;
    return j;
}

}  // namespace

std::string ScriptDriver::treeJson() {
    CCScene* scene = CCDirector::sharedDirector()->getRunningScene();
    return oneLine(scene ? nodeJson(scene) : Json::Value());
}

std::string ScriptDriver::drawnJson() {
    Json::Value d(Json::objectValue);
    d["frames"] = Json::UInt64(m_host->frameCount());
    d["drawn"] = Json::UInt64(m_host->renderer() ? m_host->renderer()->framesDrawn() : 0);
    return oneLine(d);
}

std::string ScriptDriver::audioLogJson() {
    Json::Value a(Json::arrayValue);
    if (VirtualClockAudioBackend* audio = m_host->audio()) {
        for (const AudioLogEntry& e : audio->log()) {
            Json::Value entry(Json::objectValue);
            entry["t"] = e.t;
            entry["op"] = e.op;
            entry["file"] = relativeToResources(e.file);
            a.append(entry);
        }
    }
    return oneLine(a);
}

}  // namespace app
