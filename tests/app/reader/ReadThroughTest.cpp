// A whole read-through: continuous reading in turn-pages mode from page 2 to the end, every
// sentence played once in order, with photographs of a page turn and of a subtitle.
#include <SDL_image.h>

#include "ReaderTestKit.h"
#include "app/book/StringTables.h"
#include "support/TestSupport.h"

using namespace engine;
using readertest::ReaderTest;

namespace {
class ReadThrough : public ReaderTest {};

bool isReadablePng(const std::string& path) {
    SDL_Surface* s = IMG_Load(path.c_str());
    if (!s) return false;
    bool ok = s->w == 640 && s->h == 960;
    SDL_FreeSurface(s);
    return ok;
}
}  // namespace

TEST_F(ReadThrough, TurnPagesReadsEverySentenceOnceInOrderFromPageTwoToTheEnd) {
    openPage(2);
    run("call playPauseCallback");
    // Virtual time: about 440 sentences of one to three seconds with their pauses and turns.
    for (int minute = 0; minute < 40 && !(app::currentPage == 90 && !playing() && app::readingPause); ++minute)
        seconds(60);
    seconds(5);
    ASSERT_EQ(app::currentPage, 90);

    std::vector<std::string> expected;
    for (int page = 2; page <= 90; ++page) {
        for (int n = 1; n <= 29; ++n) {
            if (app::lookupString("Stringstr.xml", app::sentenceTextKey(page, n)).empty()) break;
            expected.push_back(recording(page, n));
        }
    }
    std::vector<std::string> p = played();
    // A page without buttons reads the names of the previous page's count of sentences; those
    // recordings do not exist and are refused, so they do not show as plays.
    EXPECT_EQ(p, expected);
    EXPECT_TRUE(played("fail").size() > 0);
    EXPECT_FALSE(playing());
}

TEST_F(ReadThrough, PhotographsOfAPageTurnAndOfASubtitle) {
    driver->host().setDrawing(true);
    const std::string dir = testsupport::makeTempDir("quirel-shots");
    openPage(26);
    tapSentence(26, 3);
    seconds(0.4);
    run("shot " + dir + "/subtitle.png");
    ASSERT_TRUE(isReadablePng(dir + "/subtitle.png"));
    // The subtitle's text colour (blue) shows below the sentence.
    Json::Value sub = state()["subtitle"];
    ccColor4B c = driver->host().pixelAt(sub["bgX"].asFloat() - sub["bgWidth"].asFloat() / 2 + 2, sub["bgY"].asFloat());
    EXPECT_GT(c.a, 0);

    run("call nextPageCallback");
    frames(14);
    run("shot " + dir + "/turn.png");
    ASSERT_TRUE(isReadablePng(dir + "/turn.png"));
    std::vector<uint8_t> mid;
    int w, h;
    ASSERT_TRUE(driver->host().readFrame(mid, w, h));
    frames(30);
    std::vector<uint8_t> after;
    ASSERT_TRUE(driver->host().readFrame(after, w, h));
    EXPECT_NE(mid, after);
    if (const char* keep = std::getenv("QUIREL_KEEP_SHOTS")) {
        std::string cmd = std::string("cp ") + dir + "/*.png " + keep;
        EXPECT_EQ(std::system(cmd.c_str()), 0);
    }
}
