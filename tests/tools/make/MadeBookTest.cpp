// Books made by the real quirel-make, read by the real reader headless: each zone plays its own
// sentence with its text and its recording's length, speech fills in where nobody recorded, the
// picture sits fitted on the background, and units lead through the book to its last page.
#include <filesystem>
#include <string>
#include <vector>

#include <SDL_image.h>
#include <gtest/gtest.h>

#include "MakeKit.h"
#include "app/book/SentenceNames.h"
#include "engine/audio/Mp3Scanner.h"
#include "support/TestSupport.h"
#include "tools/bookkit/MediaLibraries.h"

using namespace maketest;

namespace {

struct Sentence {
    std::string text;
    double x, y;          // the zone's centre in design points, worked out by hand from the fit
    double seconds;       // the recording's length; 0: spoken
};

class MadeBook : public ::testing::Test {
protected:
    void SetUp() override {
        work_ = testsupport::makeTempDir("quirel-make-book");
        src_ = work_ + "/src";
        book_ = work_ + "/book";
    }

    void make() {
        const RunResult r = runMaker({src_ + "/book.yaml", book_});
        ASSERT_EQ(r.exitCode, 0) << r.err;
        ASSERT_TRUE(std::filesystem::exists(book_ + "/quirel-book.json"));
    }

    // Opens page p through the contents screen and the first unit's menu.
    static std::string openPage(int p) {
        return "tap 320 860\nwait 2.5\ntap 320 " + std::to_string(960 - 100 * p) + "\nwait 2.5\n";
    }

    std::string work_, src_, book_;
};

}  // namespace

// A landscape, a portrait and a square picture, each fitted differently: the zones are touched
// at their centres in design points (y up), and must play their own sentence.
TEST_F(MadeBook, EachZonePlaysItsSentenceWithItsTextAndItsRecordingsLength) {
    writePicture(src_ + "/pictures/wide.png", 1280, 640, bookkit::rgba(200, 40, 40));
    writePicture(src_ + "/pictures/tall.jpg", 400, 1200, bookkit::rgba(40, 160, 60));
    writePicture(src_ + "/pictures/square.png", 800, 800, bookkit::rgba(40, 60, 200));
    writeRecording(src_ + "/voice/one.wav", 1.2);
    writeRecording(src_ + "/voice/two.m4a", 0.8);
    writeRecording(src_ + "/voice/three.ogg", 1.5);
    writeRecording(src_ + "/voice/four.flac", 0.6);
    writeRecording(src_ + "/voice/five.mp3", 1.0);
    testsupport::writeFile(src_ + "/book.yaml", R"(title: Shapes
background: "#203040"
pages:
  - picture: pictures/wide.png        # 1280 x 640: half size, 640 x 320 from y 320
    sentences:
      - text: The wide one, left.
        zone: [80, 160, 400, 200]
        audio: voice/one.wav
      - text: The wide one, right.
        zone: [800, 320, 400, 200]
        audio: voice/two.m4a
  - picture: pictures/tall.jpg        # 400 x 1200: 0.8, 320 x 960 from x 160
    sentences:
      - text: Tall, top.
        zone: [50, 100, 300, 200]
        audio: voice/three.ogg
      - text: Tall, middle.
        zone: [50, 500, 300, 200]
        audio: voice/four.flac
  - picture: pictures/square.png      # 800 x 800: 0.8, 640 x 640 from y 160
    sentences:
      - text: Square, top left.
        zone: [0, 0, 300, 300]
        audio: voice/five.mp3
      - text: I can see a big red ball.
        zone: [500, 500, 300, 300]
)");
    make();

    // Zone centre (cx, cy) in picture pixels -> page (offset + scale * c) -> design y = 960 - page y.
    const std::vector<std::vector<Sentence>> pages = {
        {{"The wide one, left.", 0 + 0.5 * 280, 960 - (320 + 0.5 * 260), 1.2},
         {"The wide one, right.", 0 + 0.5 * 1000, 960 - (320 + 0.5 * 420), 0.8}},
        {{"Tall, top.", 160 + 0.8 * 200, 960 - (0 + 0.8 * 200), 1.5},
         {"Tall, middle.", 160 + 0.8 * 200, 960 - (0 + 0.8 * 600), 0.6}},
        {{"Square, top left.", 0 + 0.8 * 150, 960 - (160 + 0.8 * 150), 1.0},
         {"I can see a big red ball.", 0 + 0.8 * 650, 960 - (160 + 0.8 * 650), 0}},
    };
    for (int p = 1; p <= 3; ++p) {
        SCOPED_TRACE("page " + std::to_string(p));
        const std::vector<Sentence>& sentences = pages[static_cast<std::size_t>(p - 1)];
        std::string script = openPage(p);
        for (const Sentence& s : sentences) {
            const double playing = s.seconds > 0 ? s.seconds + 0.5 : 6;
            script += "tap " + std::to_string(s.x) + " " + std::to_string(s.y) + "\nframes 2\nstate\nwait " +
                      std::to_string(playing) + "\n";
        }
        script += "audiolog\n";
        const std::vector<Json::Value> answers = drive(book_, script);
        ASSERT_EQ(answers.size(), sentences.size() + 1);
        const Json::Value& log = answers.back();
        for (std::size_t i = 0; i < sentences.size(); ++i) {
            const Sentence& s = sentences[i];
            const int n = static_cast<int>(i + 1);
            SCOPED_TRACE(s.text);
            const Json::Value& state = answers[i];
            EXPECT_EQ(state["currentPage"].asInt(), p);
            EXPECT_EQ(state["currentSentenceButton"].asString(), app::sentenceButtonName(p, n));
            EXPECT_EQ(state["subtitle"]["text"].asString(), s.text);
            EXPECT_EQ(state["audio"]["file"].asString(), app::storedAudioPath(p, n));
            const double played = playedSeconds(log, app::storedAudioPath(p, n));
            if (s.seconds > 0) {
                EXPECT_NEAR(played, s.seconds, 0.05);
            } else {
                // Spoken by espeak-ng: a real MP3 as long as seven words take to say.
                const engine::Mp3StreamInfo mp3 = engine::Mp3Scanner::scanFile(book_ + "/" + app::storedAudioPath(p, n));
                EXPECT_TRUE(mp3.playable) << mp3.problem;
                EXPECT_NEAR(played, mp3.durationSeconds, 0.05);
                EXPECT_GT(played, 1.0);
                EXPECT_LT(played, 5.0);
            }
        }
    }
}

// The page as the reader draws it: the background above and below a landscape picture, the
// picture's own colour inside it.
TEST_F(MadeBook, ThePictureSitsFittedAndCentredOnTheBackground) {
    writePicture(src_ + "/pictures/wide.png", 1280, 640, bookkit::rgba(200, 40, 40));
    testsupport::writeFile(src_ + "/book.yaml", "title: One\nbackground: \"#203040\"\npages:\n"
                                                "  - picture: pictures/wide.png\n");
    make();
    const std::string shot = work_ + "/page.png";
    drive(book_, openPage(1) + "shot " + shot + "\n");

    bookkit::MediaLibraries media;
    SDL_Surface* loaded = IMG_Load(shot.c_str());
    ASSERT_NE(loaded, nullptr) << IMG_GetError();
    SDL_Surface* image = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGBA32, 0);
    SDL_FreeSurface(loaded);
    ASSERT_NE(image, nullptr);
    ASSERT_EQ(image->w, 640);
    ASSERT_EQ(image->h, 960);
    auto colourAt = [&](int x, int y) {
        const auto* p = static_cast<const std::uint8_t*>(image->pixels) + y * image->pitch + x * 4;
        return std::vector<int>{p[0], p[1], p[2]};
    };
    auto near = [](const std::vector<int>& got, std::vector<int> want) {
        for (int c = 0; c < 3; ++c)
            if (std::abs(got[static_cast<std::size_t>(c)] - want[static_cast<std::size_t>(c)]) > 6) return false;
        return true;
    };
    // The picture covers rows 320 to 639; the page number sits in the top right corner.
    EXPECT_TRUE(near(colourAt(320, 150), {0x20, 0x30, 0x40}));
    EXPECT_TRUE(near(colourAt(320, 316), {0x20, 0x30, 0x40}));
    EXPECT_TRUE(near(colourAt(60, 324), {200, 40, 40}));
    EXPECT_TRUE(near(colourAt(600, 636), {200, 40, 40}));
    EXPECT_TRUE(near(colourAt(320, 480), {255, 255, 255}));  // the disc in the picture's middle
    EXPECT_TRUE(near(colourAt(320, 700), {0x20, 0x30, 0x40}));
    SDL_FreeSurface(image);
}

// Three pages in two units: the contents screen leads into each unit's menu, page turns stop at
// the last page, and reading on from page 2 reads every sentence to the end of page 3.
TEST_F(MadeBook, UnitsLeadThroughTheBookAndReadingStopsOnTheLastPage) {
    for (const char* name : {"a", "b", "c"}) writePicture(src_ + "/pictures/" + name + ".png", 640, 960, bookkit::rgba(90, 140, 200));
    writeRecording(src_ + "/voice/a1.wav", 0.5);
    writeRecording(src_ + "/voice/a2.wav", 0.4);
    writeRecording(src_ + "/voice/b1.wav", 0.7);
    writeRecording(src_ + "/voice/c1.wav", 0.6);
    testsupport::writeFile(src_ + "/book.yaml", R"(title: At the Zoo
units:
  - title: Animals
    pages: [1, 2]
  - title: Food
    pages: [3, 3]
pages:
  - picture: pictures/a.png
    sentences:
      - {text: One., zone: [40, 200, 560, 80], audio: voice/a1.wav}
      - {text: Two., zone: [40, 300, 560, 80], audio: voice/a2.wav}
  - picture: pictures/b.png
    sentences:
      - {text: Three., zone: [40, 200, 560, 80], audio: voice/b1.wav}
  - picture: pictures/c.png
    sentences:
      - {text: Four., zone: [40, 200, 560, 80], audio: voice/c1.wav}
      - {text: Five., zone: [40, 300, 560, 80]}
)");
    make();
    const std::vector<Json::Value> a = drive(book_, R"(state
tap 320 760
wait 2.5
state
tap 320 860
wait 2.5
state
call nextPageCallback
wait 1
drag 500 500 100 500 10
wait 1
state
call contentsCallback
wait 1
tap 320 860
wait 2.5
tap 320 760
wait 2.5
state
call playPauseCallback
wait 20
state
audiolog
)");
    ASSERT_EQ(a.size(), 7u);
    EXPECT_EQ(a[0]["layer"].asString(), "TestController");
    EXPECT_EQ(a[1]["layer"].asString(), "MenuLayerMainMenu");  // "Food"
    EXPECT_EQ(a[1]["selectedUnit"].asInt(), 1);
    EXPECT_EQ(a[2]["currentPage"].asInt(), 3);
    EXPECT_EQ(a[3]["currentPage"].asInt(), 3);  // neither the button nor a swipe goes past the end
    EXPECT_EQ(a[4]["currentPage"].asInt(), 2);  // "Animals", its second page
    EXPECT_EQ(a[4]["readingMode"].asInt(), 3);  // read and turn pages
    EXPECT_EQ(a[5]["currentPage"].asInt(), 3);

    std::vector<std::string> plays;
    for (const Json::Value& e : a[6])
        if (e["op"].asString() == "play") plays.push_back(e["file"].asString());
    const std::vector<std::string> expected = {app::storedAudioPath(2, 1), app::storedAudioPath(3, 1),
                                               app::storedAudioPath(3, 2)};
    ASSERT_GE(plays.size(), expected.size());
    EXPECT_EQ(std::vector<std::string>(plays.end() - 3, plays.end()), expected);
}

// Two sentences cut from one recording, the first wrapping onto the line the second begins on:
// each line of the first plays it, the rest of the shared line plays the second, and each plays
// only its own part of the recording.
TEST_F(MadeBook, AWrappedSentenceIsTouchedOnItsLinesAndClipsCutOneRecording) {
    writePicture(src_ + "/pictures/text.png", 640, 960, bookkit::rgba(240, 230, 200));
    writeRecording(src_ + "/voice/page.wav", 2.0);
    testsupport::writeFile(src_ + "/book.yaml", R"(title: Lines
pages:
  - picture: pictures/text.png
    sentences:
      - text: The first sentence runs on to the next line.
        zone: [[40, 100, 560, 60], [40, 160, 200, 60]]
        audio: voice/page.wav
        clip: [0, 1.2]
      - text: The second.
        zone: [240, 160, 360, 60]
        audio: voice/page.wav
        clip: [1.2]
)");
    make();
    // Design points, y up: line one at y 830, line two at y 770 (left part the first sentence's).
    const std::vector<std::pair<std::string, int>> taps = {{"320 830", 1}, {"140 770", 1}, {"420 770", 2}};
    std::string script = openPage(1);
    for (const auto& [at, n] : taps) script += "tap " + at + "\nframes 2\nstate\nwait 1.6\n";
    script += "audiolog\n";
    const std::vector<Json::Value> answers = drive(book_, script);
    ASSERT_EQ(answers.size(), taps.size() + 1);
    for (std::size_t i = 0; i < taps.size(); ++i) {
        SCOPED_TRACE(taps[i].first);
        const int n = taps[i].second;
        EXPECT_EQ(answers[i]["audio"]["file"].asString(), app::storedAudioPath(1, n));
        EXPECT_EQ(answers[i]["subtitle"]["text"].asString(), n == 1 ? "The first sentence runs on to the next line."
                                                                    : "The second.");
    }
    EXPECT_NEAR(playedSeconds(answers.back(), app::storedAudioPath(1, 1)), 1.2, 0.05);
    EXPECT_NEAR(playedSeconds(answers.back(), app::storedAudioPath(1, 2)), 0.8, 0.05);
}
