// The scripted host's command table: comments, the shared error lines, each built-in command
// through a real headless host, and commands that programs add or replace.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "support/TestSupport.h"

using namespace engine;

namespace {

// Every touch phase the director's dispatcher hands on, with its place, id and host frame.
struct TouchRecorder : CCObject, CCTouchDelegate {
    explicit TouchRecorder(const CCHeadlessHost& host) : host(host) {}
    void note(const char* phase, CCTouch* t) {
        std::ostringstream s;
        s << phase << " " << t->getLocation().x << "," << t->getLocation().y << " #" << t->getID() << " @"
          << host.frameCount();
        log.push_back(s.str());
    }
    bool ccTouchBegan(CCTouch* t, CCEvent*) override {
        note("began", t);
        return true;
    }
    void ccTouchMoved(CCTouch* t, CCEvent*) override { note("moved", t); }
    void ccTouchEnded(CCTouch* t, CCEvent*) override { note("ended", t); }
    void ccTouchCancelled(CCTouch* t, CCEvent*) override { note("cancelled", t); }
    const CCHeadlessHost& host;
    std::vector<std::string> log;
};

// A text-input delegate that keeps what it is typed.
struct TextRecorder : CCIMEDelegate {
    bool canAttachWithIME() override { return true; }
    bool canDetachWithIME() override { return true; }
    void insertText(const char* text, int len) override { typed.push_back(std::string(text, len)); }
    void deleteBackward() override { typed.push_back("<backspace>"); }
    std::vector<std::string> typed;
};

class HostScript : public testsupport::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        host = std::make_unique<CCHeadlessHost>(64, 96, false);
        ASSERT_TRUE(host->isReady());
        CCDirector::sharedDirector()->runWithScene(CCScene::create());
        host->step(1);
        script = std::make_unique<CCHostScript>(*host);
        touches = std::make_unique<TouchRecorder>(*host);
        CCDirector::sharedDirector()->getTouchDispatcher()->addTargetedDelegate(touches.get(), 0, true);
    }
    void TearDown() override {
        CCDirector::sharedDirector()->getTouchDispatcher()->removeDelegate(touches.get());
        script.reset();
        host.reset();
        EngineTest::TearDown();
    }

    // Runs one line as line 1; returns what it wrote.
    std::string run(const std::string& line, bool expectOk = true) {
        std::ostringstream out;
        EXPECT_EQ(script->runLine(line, 1, out), expectOk) << line << ": " << out.str();
        return out.str();
    }

    std::unique_ptr<CCHeadlessHost> host;
    std::unique_ptr<CCHostScript> script;
    std::unique_ptr<TouchRecorder> touches;
};

}  // namespace

TEST_F(HostScript, CommentsAndBlankLinesDoNothing) {
    unsigned long frames = host->frameCount();
    for (const char* line : {"", "   ", "\t", "# a note", "   # indented note", "#wait 1"}) EXPECT_EQ(run(line), "");
    EXPECT_EQ(host->frameCount(), frames);
}

TEST_F(HostScript, FailuresNameTheirLineAndTheScriptGoesOn) {
    std::istringstream in(
        "jump 1 2\n"
        "tap 10\n"
        "frames 3   # a trailing comment\n"
        "wait x\n"
        "down 1 2\n"
        "move\n"
        "drag 1 2 3\n"
        "drag 1 2 3 4 0\n"
        "key nosuchkey\n"
        "shot\n"
        "frames -1\n"
        "wait 700000\n");
    std::ostringstream out;
    unsigned long frames = host->frameCount();
    EXPECT_EQ(script->run(in, out), 10);
    EXPECT_EQ(out.str(),
              "error: line 1: unknown command 'jump'\n"
              "error: line 2: tap needs X Y\n"
              "error: line 4: wait needs a number of seconds\n"
              "error: line 6: move needs X Y [ID]\n"
              "error: line 7: drag needs X1 Y1 X2 Y2 [N]\n"
              "error: line 8: drag step count out of range\n"
              "error: line 9: key needs a key name (Tab, shift+Tab, Return, Left, F2, ...), not 'nosuchkey'\n"
              "error: line 10: shot needs a file name\n"
              "error: line 11: frames needs a frame count\n"
              "error: line 12: wait needs a number of seconds\n");
    // The good lines ran: three frames, and the touch of line 5 with its frame.
    EXPECT_EQ(host->frameCount(), frames + 4);
    ASSERT_EQ(touches->log.size(), 1u);
    EXPECT_EQ(touches->log[0], "began 1,2 #0 @" + std::to_string(frames + 3));
}

TEST_F(HostScript, WaitAndFramesStepTheVirtualClock) {
    unsigned long frames = host->frameCount();
    double time = host->virtualTime();
    run("wait 0.5");
    EXPECT_EQ(host->frameCount(), frames + 30);
    run("wait 0");
    EXPECT_EQ(host->frameCount(), frames + 30);
    // A part of a frame is a whole frame.
    run("wait 0.001");
    EXPECT_EQ(host->frameCount(), frames + 31);
    run("frames 7");
    EXPECT_EQ(host->frameCount(), frames + 38);
    EXPECT_NEAR(host->virtualTime() - time, 38.0 / 60, 1e-6);
}

TEST_F(HostScript, TouchPhasesCarryTheirIdAndAFrameFollowsEach) {
    unsigned long f = host->frameCount();
    run("down 10 20 3");
    run("move 15.5 25 3");
    run("up 16 26 3");
    run("down 30 40");
    EXPECT_EQ(touches->log, (std::vector<std::string>{
                                "began 10,20 #3 @" + std::to_string(f),
                                "moved 15.5,25 #3 @" + std::to_string(f + 1),
                                "ended 16,26 #3 @" + std::to_string(f + 2),
                                "began 30,40 #0 @" + std::to_string(f + 3),
                            }));
    EXPECT_EQ(host->frameCount(), f + 4);
}

TEST_F(HostScript, TapIsDownAndUpAFrameApart) {
    unsigned long f = host->frameCount();
    run("tap 12 34");
    EXPECT_EQ(touches->log, (std::vector<std::string>{"began 12,34 #0 @" + std::to_string(f),
                                                      "ended 12,34 #0 @" + std::to_string(f + 1)}));
    EXPECT_EQ(host->frameCount(), f + 2);
}

TEST_F(HostScript, DragMovesAlongTheLineInEvenSteps) {
    unsigned long f = host->frameCount();
    run("drag 0 0 40 80 4");
    EXPECT_EQ(touches->log, (std::vector<std::string>{
                                "began 0,0 #0 @" + std::to_string(f),
                                "moved 10,20 #0 @" + std::to_string(f + 1),
                                "moved 20,40 #0 @" + std::to_string(f + 2),
                                "moved 30,60 #0 @" + std::to_string(f + 3),
                                "moved 40,80 #0 @" + std::to_string(f + 4),
                                "ended 40,80 #0 @" + std::to_string(f + 5),
                            }));
    EXPECT_EQ(host->frameCount(), f + 6);
    // Ten steps unless told.
    touches->log.clear();
    run("drag 0 0 10 0");
    EXPECT_EQ(touches->log.size(), 12u);
    EXPECT_EQ(touches->log[1].substr(0, 9), "moved 1,0");
}

TEST_F(HostScript, TextKeepsItsSpacesAndHashAsTyped) {
    TextRecorder text;
    ASSERT_TRUE(text.attachWithIME());
    unsigned long f = host->frameCount();
    run("text hello # world");
    run("  text   three spaces");
    run("text#glued");
    run("key backspace");
    run("key enter # a comment");
    EXPECT_EQ(text.typed,
              (std::vector<std::string>{"hello # world", "  three spaces", "#glued", "<backspace>", "\n"}));
    EXPECT_EQ(host->frameCount(), f + 5);
    text.detachWithIME();
}

// Keys by their SDL names, modifiers first, go to the running screens; Return and Backspace go to
// a text field while one takes typed text, and to the screens otherwise.
TEST_F(HostScript, KeysByNameReachTheScreensAndTextKeysTheAttachedField) {
    struct KeyRecorder : CCKeyboardDelegate {
        bool keyPressed(int key, int modifiers) override {
            pressed.push_back(std::to_string(key) + "/" + std::to_string(modifiers));
            return true;
        }
        std::vector<std::string> pressed;
    } keysSeen;
    CCKeyboardDispatcher* keyboard = CCDirector::sharedDirector()->getKeyboardDispatcher();
    keyboard->addDelegate(&keysSeen, 0);
    unsigned long f = host->frameCount();
    for (const char* line : {"key Tab", "key shift+Tab", "key PageDown", "key P", "key ctrl+alt+F2", "key Return", "key Space"})
        EXPECT_EQ(run(line), "") << line;
    EXPECT_EQ(host->frameCount(), f + 7);
    const auto k = [](int code, int mods) { return std::to_string(code) + "/" + std::to_string(mods); };
    EXPECT_EQ(keysSeen.pressed, (std::vector<std::string>{k(keys::kTab, 0), k(keys::kTab, kCCKeyModShift),
                                                          k(keys::kPageDown, 0), k('p', 0),
                                                          k(keys::kF2, kCCKeyModCtrl | kCCKeyModAlt),
                                                          k(keys::kReturn, 0), k(keys::kSpace, 0)}));
    EXPECT_NE(run("key super+Tab", false), "");
    EXPECT_NE(run("key shift+", false), "");

    TextRecorder text;
    ASSERT_TRUE(text.attachWithIME());
    keysSeen.pressed.clear();
    run("key Return");
    run("key Backspace");
    run("key Tab");
    EXPECT_EQ(text.typed, (std::vector<std::string>{"\n", "<backspace>"}));
    EXPECT_EQ(keysSeen.pressed, (std::vector<std::string>{k(keys::kTab, 0)}));
    text.detachWithIME();
    keyboard->removeDelegate(&keysSeen);
}

TEST_F(HostScript, ShotWritesTheLastFrameAndAFailedWriteIsNotARefusal) {
    std::string file = testsupport::makeTempDir("quirel-host-script") + "/frame.png";
    EXPECT_EQ(run("shot " + file + " # the first frame"), "");
    std::ifstream png(file, std::ios::binary);
    char magic[8] = {};
    png.read(magic, 8);
    EXPECT_EQ(std::string(magic + 1, 3), "PNG");

    std::vector<CCHostScript::Failure> failures;
    script->setFailureReport([&](std::ostream& out, const CCHostScript::Failure& f) {
        failures.push_back(f);
        out << "failed\n";
    });
    EXPECT_EQ(run("shot /nonexistent-folder/frame.png", false), "failed\n");
    EXPECT_EQ(run("shot", false), "failed\n");
    ASSERT_EQ(failures.size(), 2u);
    EXPECT_FALSE(failures[0].refused);
    EXPECT_EQ(failures[0].why, "cannot write /nonexistent-folder/frame.png");
    EXPECT_EQ(failures[0].text, "shot /nonexistent-folder/frame.png");
    EXPECT_TRUE(failures[1].refused);
    EXPECT_EQ(failures[1].why, "shot needs a file name");
}

TEST_F(HostScript, ProgramsAddAndReplaceCommands) {
    EXPECT_FALSE(script->has("say"));
    script->add("say", [](CCHostScript::Line& l) {
        std::string word;
        if (!(l.words >> word)) return l.refuse("say needs a word");
        l.out << l.number << ":" << word << "|" << l.rest << "\n";
        return true;
    });
    script->add(
        "note",
        [](CCHostScript::Line& l) {
            l.out << "[" << l.rest << "]\n";
            return true;
        },
        true);
    EXPECT_TRUE(script->has("say"));
    // The comment is cut from the words and the rest of a command that does not keep it.
    EXPECT_EQ(run("say hi there # not this"), "1:hi|hi there \n");
    EXPECT_EQ(run("note keep # all of it"), "[keep # all of it]\n");
    EXPECT_EQ(run("say # nothing", false), "error: line 1: say needs a word\n");

    // A built-in replaced: wait now only reports.
    unsigned long f = host->frameCount();
    script->add("wait", [](CCHostScript::Line& l) {
        l.out << "waited " << l.rest << "\n";
        return true;
    });
    EXPECT_EQ(run("wait 2"), "waited 2\n");
    EXPECT_EQ(host->frameCount(), f);
    // The other built-ins are untouched.
    run("frames 2");
    EXPECT_EQ(host->frameCount(), f + 2);
}

TEST_F(HostScript, AHandlerMayReplaceItsOwnCommand) {
    int first = 0, second = 0;
    script->add("once", [&](CCHostScript::Line&) {
        ++first;
        script->add("once", [&](CCHostScript::Line&) {
            ++second;
            return true;
        });
        return true;
    });
    run("once");
    run("once");
    run("once");
    EXPECT_EQ(first, 1);
    EXPECT_EQ(second, 2);
}
