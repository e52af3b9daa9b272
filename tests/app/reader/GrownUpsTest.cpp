// The grown-ups' way in and their options: F2 and the three-second hold on the page's top-left
// corner open the settings (and nothing shorter or elsewhere does), the rows added to the
// settings cover none of its buttons, one-switch scanning walks and chooses, and the speed and
// "say it back" chosen there are in force on the page and come back at the next start.
#include <cmath>

#include "ReaderTestKit.h"
#include "app/access/FocusRing.h"
#include "app/settings/SettingsRows.h"
#include "engine/audio/AudioBackend.h"
#include "engine/audio/Mp3Scanner.h"
#include "support/Sound.h"
#include "support/TestSupport.h"

using namespace engine;
using readertest::ReaderTest;

namespace {

// Leaves the settings screen as a grown-up does today: a touch on its Cancel button.
class SettingsScreenTest : public ReaderTest {
protected:
    void tapCancel() {
        app::SetLayer* settings = dynamic_cast<app::SetLayer*>(driver->systemLayer());
        ASSERT_NE(settings, nullptr);
        ui::UIWidget* cancel = settings->getUILayer()->getWidgetByName("bncancel");
        const CCPoint p = cancel->getRenderer()->getParent()->convertToWorldSpace(cancel->getRenderer()->getPosition());
        driver->host().touchDown(p.x, p.y);
        frames(1);
        driver->host().touchUp(p.x, p.y);
        frames(3);
    }
};

class Gate : public SettingsScreenTest {
protected:
    std::string layer() { return state()["layer"].asString(); }
    // A finger held at (x, y) for the given seconds, then lifted; the flip in runs after.
    void hold(float x, float y, double s) {
        driver->host().touchDown(x, y);
        frames(1);
        seconds(s);
        driver->host().touchUp(x, y);
        frames(40);
    }
};

class Scanning : public ReaderTest {
protected:
    app::DriveOptions options() override {
        app::DriveOptions o;
        o.scanSeconds = 2;
        return o;
    }
    std::string focusName() {
        const Json::Value f = state()["focus"];
        return f.isNull() ? std::string("(none)") : f["name"].asString();
    }
};

// A reader that remembers in a state folder of its own, as quirel-drive --state does.
class Choices : public SettingsScreenTest {
protected:
    app::DriveOptions options() override {
        stateDir = testsupport::makeTempDir("quirel-choices");
        app::DriveOptions o;
        o.stateFolder = stateDir + "/state";
        return o;
    }
    app::SettingsRows* openSettings() {
        run("key F2");
        frames(40);
        app::SetLayer* settings = dynamic_cast<app::SetLayer*>(driver->systemLayer());
        return settings ? settings->getRows() : nullptr;
    }
    // Runs quirel-drive on the same book and state folder; its output lines, parsed.
    std::vector<Json::Value> drive(const std::string& options, const std::string& script) {
        testsupport::writeFile(stateDir + "/script.txt", script);
        const testsupport::ProgramRun r = testsupport::runProgram(std::string(QUIREL_BINARY_DIR) +
                                                                  "/tools/drive/quirel-drive --resources '" + book +
                                                                  "' --state '" + stateDir + "/state' " + options +
                                                                  " '" + stateDir + "/script.txt'");
        EXPECT_EQ(r.exitCode, 0) << r.err;
        std::vector<Json::Value> out;
        std::istringstream lines(r.out);
        std::string line;
        while (std::getline(lines, line)) out.push_back(readertest::parseJson(line));
        return out;
    }
    std::string stateDir;
};

}  // namespace

TEST_F(Gate, F2OrAThreeSecondHoldOnTheTopLeftCornerOpensTheSettingsAndNothingLessDoes) {
    openPage(15);
    run("key F2");
    frames(40);
    EXPECT_EQ(layer(), "SetLayer");
    EXPECT_EQ(state()["readingMode"].asInt(), app::readingMode);

    openPage(15);
    hold(20, 945, 2.9);
    EXPECT_EQ(layer(), "TestLayer1") << "let go too soon";
    hold(70, 945, 3.5);
    EXPECT_EQ(layer(), "TestLayer1") << "beyond 60 points from the left";
    hold(20, 890, 3.5);
    EXPECT_EQ(layer(), "TestLayer1") << "beyond 60 points from the top";
    // A hold that slides out of the corner is no hold.
    driver->host().touchDown(20, 945);
    frames(1);
    driver->host().touchMove(20, 870);
    frames(1);
    seconds(3.5);
    driver->host().touchUp(20, 870);
    frames(40);
    EXPECT_EQ(layer(), "TestLayer1");
    EXPECT_EQ(app::currentPage, 15);

    driver->host().touchDown(55, 905);
    frames(1);
    seconds(3.1);
    frames(40);
    EXPECT_EQ(layer(), "SetLayer") << "opens while the finger is still down";
    driver->host().touchUp(55, 905);
    frames(2);
    EXPECT_EQ(layer(), "SetLayer");
}

TEST_F(Gate, TheRowsCoverNoButtonNorTheHeadingNorEachOtherAndScanningStepsAreTheNextScreensPace) {
    openPage(15);
    run("key F2");
    frames(40);
    app::SetLayer* settings = dynamic_cast<app::SetLayer*>(driver->systemLayer());
    ASSERT_NE(settings, nullptr);
    app::SettingsRows* rows = settings->getRows();
    ASSERT_NE(rows, nullptr);
    std::vector<CCRect> buttons;
    for (const char* name : {"bnmain", "bnpres", "bnaotopage", "bnaoto", "bnok", "bncancel", "heading"}) {
        ui::UIWidget* w = settings->getUILayer()->getWidgetByName(name);
        ASSERT_NE(w, nullptr) << name;
        buttons.push_back(app::widgetRect(w));
    }
    // Every label and item of the rows, wherever it sits in the rows' tree.
    std::vector<CCNode*> parts;
    std::function<void(CCNode*)> collect = [&](CCNode* n) {
        if (n->getChildren())
            for (CCObject* o : *n->getChildren()) {
                CCNode* c = static_cast<CCNode*>(o);
                if (!c->isVisible()) continue;
                if (dynamic_cast<CCLabelProtocol*>(c) || dynamic_cast<CCMenuItem*>(c)) parts.push_back(c);
                else collect(c);
            }
    };
    collect(rows);
    // Scanning and speed: a name, a value, minus and plus each; say it back: a name and its toggle.
    ASSERT_GE(parts.size(), 10u);
    for (CCNode* part : parts) {
        const CCRect r = app::worldRect(part->getParent(), part->boundingBox());
        EXPECT_GT(r.size.width, 0);
        EXPECT_TRUE(CCRect(0, 0, 640, 960).containsPoint(CCPoint(r.getMidX(), r.getMidY())));
        for (const CCRect& b : buttons) EXPECT_FALSE(r.intersectsRect(b)) << "a row covers a button or the heading";
        // Nor one another: each part's box meets no other part's.
        for (CCNode* other : parts) {
            if (other == part || other->getParent() == part || part->getParent() == other) continue;
            EXPECT_FALSE(r.intersectsRect(app::worldRect(other->getParent(), other->boundingBox())))
                << "two parts of the rows overlap";
        }
    }

    ASSERT_EQ(rows->shown().size(), 3u);
    EXPECT_EQ(rows->shown()[0].second, "off");
    const std::string row = rows->shown()[0].first;
    EXPECT_TRUE(rows->press(row, -1));
    EXPECT_EQ(rows->shown()[0].second, "off") << "no lower than off";
    for (int i = 0; i < 3; ++i) rows->press(row, +1);
    EXPECT_EQ(rows->shown()[0].second, "3 s");
    EXPECT_EQ(app::FocusRing::scanSeconds(), 3);

    // Back on the page (as today: Cancel), the focus moves on by itself every 3 seconds.
    tapCancel();
    ASSERT_EQ(state()["layer"].asString(), "TestLayer1");
    EXPECT_EQ(state()["scan"].asFloat(), 3);
    EXPECT_EQ(state()["focus"]["name"].asString(), app::sentenceButtonName(15, 1));
    seconds(3.1);
    EXPECT_EQ(state()["focus"]["name"].asString(), app::sentenceButtonName(15, 2));
}

TEST_F(Choices, TheSpeedAndSayItBackChosenInTheSettingsAreInForceOnThePageAndComeBackAtTheNextStart) {
    openPage(26);
    app::SettingsRows* rows = openSettings();
    ASSERT_NE(rows, nullptr);
    ASSERT_EQ(rows->shown().size(), 3u);
    EXPECT_EQ(rows->shown()[1], std::make_pair(std::string("Speed"), std::string("1.0x")));
    EXPECT_EQ(rows->shown()[2], std::make_pair(std::string("Say it back"), std::string("off")));
    for (int i = 0; i < 6; ++i) rows->press("Speed", -1);
    EXPECT_EQ(rows->shown()[1].second, "0.5x") << "five steps down, and no lower";
    EXPECT_TRUE(rows->press("Say it back", 0));
    EXPECT_EQ(rows->shown()[2].second, "on");
    EXPECT_EQ(rows->noteShown("Say it back"), "");

    // On the page: a touched sentence plays for twice its length, then its echo turn is tried;
    // the test reader has no microphone, which is said on the page and then in the row.
    tapCancel();
    ASSERT_EQ(state()["layer"].asString(), "TestLayer1");
    EXPECT_DOUBLE_EQ(state()["audio"]["rate"].asDouble(), 0.5);
    const double own = Mp3Scanner::scanFile(book + "/" + recording(26, 1)).durationSeconds;
    tapSentence(26, 1);
    seconds(own * 2 - 0.3);
    EXPECT_TRUE(state()["audio"]["playing"].asBool()) << "ended before twice its length";
    EXPECT_TRUE(state()["echoProblem"].isNull());
    seconds(1.5);
    const std::string problem = state()["echoProblem"].asString();
    EXPECT_NE(problem.find("no microphone"), std::string::npos) << "the echo turn was not tried";
    rows = openSettings();
    ASSERT_NE(rows, nullptr);
    EXPECT_EQ(rows->noteShown("Say it back"), "Unavailable: " + problem);
    EXPECT_EQ(rows->shown()[2].second, "on");

    // The next start remembers both: the speed is in force at once, and with a voice fed as the
    // microphone, continuous reading stops after the first sentence for the child's turn.
    std::vector<std::int16_t> voice(16000, 0);
    for (size_t i = 0; i < 8000; ++i) voice[i] = static_cast<std::int16_t>(9000 * std::sin(2 * M_PI * 440 * i / 16000.0));
    ASSERT_TRUE(testsupport::writeWav(stateDir + "/mic.wav", voice, 16000));
    const std::string toPage26 = "key Down\nkey Down\nkey Down\nkey Return\nwait 2.5\nkey Return\nwait 1\n";
    std::vector<Json::Value> next =
        drive("--mic '" + stateDir + "/mic.wav'", "state\n" + toPage26 + "state\ncall playPauseCallback\nwait 15\naudiolog\n");
    ASSERT_EQ(next.size(), 3u);
    EXPECT_DOUBLE_EQ(next[0]["audio"]["rate"].asDouble(), 0.5);
    ASSERT_EQ(next[1]["currentPage"].asInt(), 26);
    double firstEnd = -1, voiceAt = -1;
    for (const Json::Value& e : next[2]) {
        if (e["op"].asString() == "end" && e["file"].asString() == recording(26, 1) && firstEnd < 0) firstEnd = e["t"].asDouble();
        if (e["op"].asString() == "play" && e["file"].asString() == AudioBackend::kVoiceName && voiceAt < 0) voiceAt = e["t"].asDouble();
    }
    ASSERT_GE(firstEnd, 0) << next[2];
    EXPECT_GT(voiceAt, firstEnd) << "no voice was played back after the first sentence: " << next[2];

    // A speed given on the command line wins for that run; echo stays as remembered.
    std::vector<Json::Value> given = drive("--rate 1.2", "state\n");
    ASSERT_EQ(given.size(), 1u);
    EXPECT_DOUBLE_EQ(given[0]["audio"]["rate"].asDouble(), 1.2);
    std::vector<Json::Value> again = drive("", "state\n");
    ASSERT_EQ(again.size(), 1u);
    EXPECT_DOUBLE_EQ(again[0]["audio"]["rate"].asDouble(), 0.5) << "the run with --rate changed what is remembered";
}

TEST_F(Scanning, TheFocusShowsAtOnceMovesOnByItselfAndSpaceChooses) {
    EXPECT_EQ(state()["scan"].asFloat(), 2);
    const std::string first = focusName();
    EXPECT_NE(first, "(none)") << "scanning shows the ring without a key";
    seconds(2.05);
    const std::string second = focusName();
    EXPECT_NE(second, first);
    seconds(2.05);
    EXPECT_NE(focusName(), second);
    // Two steps on: the third entry; Space opens it.
    run("key Space");
    frames(2);
    EXPECT_EQ(state()["layer"].asString(), "MenuLayerMainMenu");
    EXPECT_EQ(app::selectedUnit, 2);
    // The unit menu scans too: a touch hides the ring, the next step brings it back.
    seconds(0.5);
    driver->host().touchDown(20, 20);
    frames(1);
    driver->host().touchUp(20, 20);
    frames(1);
    EXPECT_EQ(focusName(), "(none)");
    seconds(2.05);
    EXPECT_NE(focusName(), "(none)");
}
