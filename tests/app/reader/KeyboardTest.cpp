// The reader driven by keys alone, screen by screen: the focus ring's walk, what Enter and Space
// do, the page keys and their bounds, the list screens' keys and scrolling, and the ring's pixels.
#include <cmath>

#include "ReaderTestKit.h"

using namespace engine;
using readertest::ReaderTest;

namespace {

class Keys : public ReaderTest {
protected:
    void key(const std::string& name) { run("key " + name); }
    Json::Value focus() { return state()["focus"]; }
    std::string focusName() {
        const Json::Value f = focus();
        return f.isNull() ? std::string("(none)") : f["name"].asString();
    }
    // The part of a state report a touch or a key on a sentence decides.
    static Json::Value sentenceEffect(const Json::Value& s) {
        Json::Value e(Json::objectValue);
        e["button"] = s["currentSentenceButton"];
        e["next"] = s["nextSentence"];
        e["file"] = s["audio"]["file"];
        e["playing"] = s["audio"]["playing"];
        e["subtitle"] = s["subtitle"];
        return e;
    }
    void toContents() {
        run("call contentsCallback");
        frames(2);
        ASSERT_EQ(state()["layer"].asString(), "TestController");
    }
};

using KeysOnAPage = Keys;
using KeysOnTheListScreens = Keys;

}  // namespace

TEST_F(KeysOnAPage, TabWalksTheSentencesInReadingOrderThenTheButtonsAndShiftTabWalksBack) {
    app::readingMode = app::READ_ON_TOUCH;
    openPage(15);
    EXPECT_TRUE(focus().isNull()) << "no ring before a key";
    const int sentences = app::lastSentence;
    ASSERT_GE(sentences, 2);
    std::vector<std::string> walk;
    for (int i = 0; i < sentences + 3; ++i) {
        key("Tab");
        walk.push_back(focusName());
    }
    for (int n = 1; n <= sentences; ++n) EXPECT_EQ(walk[n - 1], app::sentenceButtonName(15, n));
    // Read-on-touch hides play/pause, so it is not among them; settings is never.
    EXPECT_EQ(std::vector<std::string>(walk.begin() + sentences, walk.end()),
              (std::vector<std::string>{"previous", "next", "contents"}));
    key("Tab");
    EXPECT_EQ(focusName(), app::sentenceButtonName(15, 1)) << "round again";
    key("shift+Tab");
    EXPECT_EQ(focusName(), "contents");

    // The ring goes round the sentence's button.
    key("Tab");
    const Json::Value r = focus()["rect"];
    const CCPoint p = sentencePoint(15, 1);
    EXPECT_EQ(focus()["kind"].asString(), "sentence");
    EXPECT_TRUE(CCRect(r[0].asFloat(), r[1].asFloat(), r[2].asFloat(), r[3].asFloat()).containsPoint(p));
    EXPECT_GT(r[2].asFloat(), 20);
}

TEST_F(KeysOnAPage, EnterOnASentenceDoesWhatATouchDoesAndSpaceOnAButtonPressesIt) {
    openPage(15);
    key("Tab");
    key("Tab");
    key("Return");
    seconds(0.5);  // the subtitle's watch has shown it
    const Json::Value byKey = sentenceEffect(state());
    EXPECT_EQ(byKey["button"].asString(), app::sentenceButtonName(15, 2));
    EXPECT_TRUE(byKey["playing"].asBool());
    EXPECT_EQ(byKey["next"].asInt(), 3);
    ASSERT_TRUE(sentence(15, 2)->isFocused()) << "the pressed look stays while it reads";
    seconds(8);
    ASSERT_FALSE(playing());
    tapSentence(15, 2);
    seconds(0.5);
    EXPECT_EQ(sentenceEffect(state()), byKey);

    // Space on "next" turns the page as the button does.
    while (focusName() != "next") key("Tab");
    key("Space");
    EXPECT_EQ(app::currentPage, 16);
    EXPECT_EQ(state()["transition"]["type"].asString(), "CCTransitionPageTurn");
}

TEST_F(KeysOnAPage, ArrowAndPageKeysTurnLikeThePageButtonsWithinTheSameBounds) {
    openPage(1);
    key("Left");
    key("PageUp");
    frames(40);
    EXPECT_EQ(app::currentPage, 1);
    EXPECT_EQ(state()["layer"].asString(), "TestLayer1");
    key("Right");
    Json::Value s = state();
    EXPECT_EQ(s["currentPage"].asInt(), 2);
    EXPECT_EQ(s["transition"]["type"].asString(), "CCTransitionPageTurn");
    EXPECT_FALSE(s["transition"]["backwards"].asBool());
    key("Right");  // during the turn: dropped, as a touch would be
    frames(40);
    EXPECT_EQ(app::currentPage, 2);
    key("PageDown");
    frames(40);
    key("Left");
    s = state();
    EXPECT_EQ(s["currentPage"].asInt(), 2);
    EXPECT_TRUE(s["transition"]["backwards"].asBool());
    frames(40);

    openPage(app::lastPage());
    key("Right");
    key("PageDown");
    frames(40);
    EXPECT_EQ(app::currentPage, app::lastPage());
    EXPECT_TRUE(state()["transition"].isNull());
}

TEST_F(KeysOnAPage, PStartsAndStopsContinuousReadingOnlyWhereThePlayButtonShowsAndEscapeLeaves) {
    app::readingMode = app::READ_ON_TOUCH;
    openPage(20);
    key("P");
    EXPECT_FALSE(app::autoReading) << "read-on-touch hides the play button";
    app::readingMode = app::READ_TURN_PAGES;
    openPage(20);
    key("P");
    EXPECT_TRUE(app::autoReading);
    EXPECT_EQ(state()["playPause"]["image"].asString(), "pause");
    seconds(1);
    EXPECT_EQ(playingFile(), recording(20, 1));
    key("P");
    EXPECT_FALSE(app::autoReading);
    EXPECT_FALSE(playing());
    key("Escape");
    frames(2);
    EXPECT_EQ(state()["layer"].asString(), "TestController");
}

TEST_F(KeysOnAPage, EnterOnASentenceDuringContinuousReadingReadsItAndReadingGoesOnAfterIt) {
    app::readingMode = app::READ_TURN_PAGES;
    openPage(20);
    ASSERT_GE(app::lastSentence, 4);
    key("P");
    seconds(1);
    ASSERT_EQ(playingFile(), recording(20, 1));
    for (int i = 0; i < 3; ++i) key("Tab");
    ASSERT_EQ(focusName(), app::sentenceButtonName(20, 3));
    key("Return");
    EXPECT_EQ(playingFile(), recording(20, 3));
    EXPECT_EQ(app::nextSentence, 4);
    EXPECT_TRUE(app::autoReading);
    while (playingFile() == recording(20, 3) && playing()) frames(10);
    seconds(1.5);
    EXPECT_EQ(playingFile(), recording(20, 4));
}

TEST_F(KeysOnAPage, TheRingIsDrawnRoundTheFocusOnlyAfterAKeyAndGoesAtTheNextTouch) {
    driver->host().setDrawing(true);
    openPage(15);
    // The ring's place, known before it shows: the first sentence's button.
    const CCPoint p = sentencePoint(15, 1);
    ui::UIButton* b = sentence(15, 1);
    const float left = p.x - b->getContentSize().width * b->getAnchorPoint().x * std::fabs(b->getRenderer()->getScaleX());
    // Along a line just left of the button: what is drawn there, and how many pixels are
    // white or dark.
    auto row = [&](int* white, int* dark) {
        std::vector<int> colours;
        *white = *dark = 0;
        for (float x = left - 10; x <= left; x += 1) {
            const ccColor4B c = driver->host().pixelAt(x, p.y);
            colours.push_back(c.r << 16 | c.g << 8 | c.b);
            if (c.r == 255 && c.g == 255 && c.b == 255) ++*white;
            if (c.r < 60 && c.g < 60 && c.b < 80) ++*dark;
        }
        return colours;
    };
    int white = 0, dark = 0;
    frames(1);
    const std::vector<int> page = row(&white, &dark);
    EXPECT_EQ(dark, 0) << "the page has nothing dark there";
    EXPECT_TRUE(focus().isNull());

    key("Tab");
    frames(1);
    ASSERT_EQ(focusName(), "bn151");
    EXPECT_NE(row(&white, &dark), page);
    EXPECT_GE(white, 2) << "a white band";
    EXPECT_GE(dark, 1) << "inside a dark outline";

    // A touch in the page's margin hides it; the page stays as it was.
    driver->host().touchDown(320, 250);
    frames(1);
    driver->host().touchUp(320, 250);
    frames(1);
    EXPECT_TRUE(focus().isNull());
    EXPECT_EQ(row(&white, &dark), page);
    EXPECT_EQ(app::currentPage, 15);
}

TEST_F(KeysOnTheListScreens, UpAndDownWalkTheContentsAndEnterOpensTheEntryAsATouchWould) {
    ASSERT_EQ(state()["layer"].asString(), "TestController");
    EXPECT_TRUE(focus().isNull());
    const int count = static_cast<int>(app::contentsEntries().size());
    key("Down");
    const std::string first = focusName();
    EXPECT_EQ(focus()["kind"].asString(), "entry");
    for (int i = 0; i < count + 2; ++i) key("Down");
    const std::string last = focusName();
    EXPECT_NE(last, first);
    key("Down");
    EXPECT_EQ(focusName(), last) << "the list's end stops the focus";
    for (int i = 0; i < count - 3; ++i) key("Up");
    key("Return");
    frames(2);
    EXPECT_EQ(state()["layer"].asString(), "MenuLayerMainMenu");
    EXPECT_EQ(app::selectedUnit, 2);
}

TEST_F(KeysOnTheListScreens, AUnitMenuScrollsToKeepTheFocusOnScreenOpensThePageAndEscapeGoesBack) {
    key("Down");
    key("Return");
    seconds(2.5);  // the entries fly in
    ASSERT_EQ(state()["layer"].asString(), "MenuLayerMainMenu");
    const int entries = app::unitPageCount;
    ASSERT_GE(entries, 10) << "a list longer than the screen";
    for (int i = 0; i < entries; ++i) {
        key("Down");
        const Json::Value r = focus()["rect"];
        EXPECT_GE(r[1].asFloat(), -0.01f) << i;
        EXPECT_LE(r[1].asFloat() + r[3].asFloat(), 960.01f) << i;
    }
    const float scrolled = app::unitListPosition.y;
    EXPECT_GT(scrolled, 0) << "the list scrolled";
    for (int i = 0; i < entries; ++i) key("Up");
    EXPECT_LT(app::unitListPosition.y, scrolled) << "and back";
    const Json::Value top = focus()["rect"];
    EXPECT_LE(top[1].asFloat() + top[3].asFloat(), 960.01f);
    key("Down");
    key("Return");
    frames(2);
    EXPECT_EQ(app::currentPage, app::unitFirstPage + 1);
    EXPECT_EQ(state()["layer"].asString(), "TestLayer1");
    // The keyboard is still in use: the page shows its ring at once.
    EXPECT_EQ(focusName(), app::sentenceButtonName(app::currentPage, 1));

    key("Escape");
    frames(2);
    key("Return");
    frames(2);
    ASSERT_EQ(state()["layer"].asString(), "MenuLayerMainMenu");
    key("Escape");
    frames(2);
    EXPECT_EQ(state()["layer"].asString(), "TestController");
}
