// Publications imported by the real quirel-epub and read by the real reader headless: text placed
// over a background picture, flowing text whose sentences wrap and share lines, word-by-word
// narration in AAC, a page without narration, two sections of contents. Where the renderer put
// each element is asked of the renderer itself, and the reader must play the sentence whose line
// is touched.
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <json/json.h>

#include "EpubKit.h"
#include "app/book/BookDescription.h"
#include "app/book/SentenceNames.h"
#include "engine/audio/Mp3Scanner.h"
#include "support/ReaderDrive.h"
#include "tools/bookkit/MediaLibraries.h"
#include "tools/epub/HtmlPage.h"
#include "tools/make/PictureFit.h"

namespace fs = std::filesystem;
using namespace epubtest;

namespace {

const char* const kTextStyle = "font-family: 'DejaVu Sans', sans-serif; margin: 0; color: #102030;";

// The reader's design point (y up) of a point in CSS pixels of a width x height page.
std::pair<double, double> designPoint(int width, int height, double x, double y) {
    const make::Fit fit = make::fitPicture(width, height);
    return {fit.x + x * fit.scaleX, 960 - (fit.y + y * fit.scaleY)};
}

std::string tapAt(int width, int height, double x, double y) {
    const auto [dx, dy] = designPoint(width, height, x, y);
    return "tap " + std::to_string(dx) + " " + std::to_string(dy) + "\nframes 2\nstate\nwait 3\n";
}

class ImportedBook : public ::testing::Test {
protected:
    void SetUp() override {
        work_ = testsupport::makeTempDir("quirel-epub-import");
        book_ = work_ + "/book";
    }

    // The lines of element `id` on `page` as the renderer lays them out.
    std::vector<bookkit::RectF> linesOf(const Page& page, const std::string& id) {
        bookkit::MediaLibraries media;
        const auto files = entries(publication_);
        epub::HtmlPage html;
        std::vector<std::string> warnings;
        std::string error;
        const auto load = [&files](const std::string& path, std::string& bytes) {
            const auto it = files.find(path);
            if (it == files.end()) return false;
            bytes = it->second;
            return true;
        };
        const std::string path = "OEBPS/" + page.name + ".xhtml";
        EXPECT_TRUE(html.render(files.at(path), path, 600, 800, load, warnings, error)) << error;
        std::string text;
        std::vector<bookkit::RectF> lines;
        int block = 0;
        EXPECT_TRUE(html.element(id, text, lines, block)) << id;
        return lines;
    }

    void importIt() {
        writeZip(work_ + "/in.epub", entries(publication_));
        const testsupport::ProgramRun r = runEpub({"import", work_ + "/in.epub", book_});
        ASSERT_EQ(r.exitCode, 0) << r.err;
        err_ = r.err;
    }

    std::string work_, book_, err_;
    Publication publication_;
};

}  // namespace

TEST_F(ImportedBook, EverySentenceIsTouchedOnItsOwnLinesAndPlaysItsOwnClip) {
    // A background picture, dark blue, covering the 600 x 800 viewport.
    testsupport::writePng(work_ + "/bg.png", 600, 800, [](int, int) { return engine::ccColor4B{30, 40, 120, 255}; });
    publication_.extra["images/bg.png"] = readBytes(work_ + "/bg.png");
    publication_.extra["audio/one.mp3"] = tone(work_ + "/one.mp3", 3.0, 440);
    publication_.extra["audio/two.mp3"] = tone(work_ + "/two.mp3", 4.0, 330);
    publication_.extra["audio/words.m4a"] = tone(work_ + "/words.m4a", 2.4, 550);

    Page placed{"page1",
                "<img src=\"images/bg.png\" style=\"position:absolute; left:0; top:0; width:600px; height:800px\"/>"
                "<p id=\"s1\" style=\"position:absolute; left:60px; top:100px; font-size:40px; color:#fff\">Look at "
                "the cat.</p>"
                "<p id=\"s2\" style=\"position:absolute; left:60px; top:600px; font-size:40px; color:#fff\">It "
                "sleeps.</p>"};
    placed.style = std::string("p {") + kTextStyle + "}";
    placed.pars = {{"s1", "audio/one.mp3", "0:00:00.000", "00:01.2"}, {"s2", "audio/one.mp3", "1200ms", "2.5s"}};

    // Two sentences in one paragraph: the second starts on the first one's line and wraps.
    Page flowing{"page2",
                 "<p id=\"para\" style=\"margin:40px; width:520px; font-size:36px; line-height:48px\">"
                 "<span id=\"a\">The dog runs off.</span> <span id=\"b\">Then he brings the ball back to his best "
                 "friend.</span></p>"};
    flowing.style = std::string("p {") + kTextStyle + "}";
    flowing.pars = {{"a", "audio/two.mp3", "0", "1.5"}, {"b", "audio/two.mp3", "1.5s", ""}};

    // Word by word, in AAC: "Call" "me" "Ishmael." is one sentence, "Hello!" another.
    Page words{"page3",
               "<p id=\"line\" style=\"margin:60px; font-size:40px\"><span id=\"w1\">Call</span> <span "
               "id=\"w2\">me</span> <span id=\"w3\">Ishmael.</span> <span id=\"w4\">Hello!</span></p>"};
    words.style = std::string("p {") + kTextStyle + "}";
    words.pars = {{"w1", "audio/words.m4a", "0s", "0.4s"},
                  {"w2", "audio/words.m4a", "0.4s", "0.8s"},
                  {"w3", "audio/words.m4a", "0.8s", "1.6s"},
                  {"w4", "audio/words.m4a", "1.6s", "2.4s"}};

    // No narration, a script and a wish to be seen in a spread; then a page that flows.
    Page quiet{"page4", "<p style=\"margin:60px; font-size:40px\">The end, with no narration.</p><script>go()</script>"};
    quiet.style = std::string("p {") + kTextStyle + "}";
    quiet.spineProperties = "rendition:spread-both";
    Page flows{"page5", "<p>Text that flows.</p>", ""};
    flows.spineProperties = "rendition:layout-reflowable";
    publication_.pages = {placed, flowing, words, quiet, flows};
    publication_.toc = {{"Animals", "page1"}, {"Words", "page3"}};
    importIt();
    EXPECT_NE(err_.find("warning: OEBPS/page4.xhtml: scripts cannot be carried into the book"), std::string::npos) << err_;
    EXPECT_NE(err_.find("warning: OEBPS/content.opf: pages meant to be seen in spreads"), std::string::npos) << err_;
    EXPECT_NE(err_.find("warning: OEBPS/page5.xhtml: a reflowable page"), std::string::npos) << err_;

    // The description: four pages in the two sections of the contents.
    app::BookDescription d;
    bool present = false;
    std::vector<std::string> problems;
    ASSERT_TRUE(app::readBookDescription(book_, &d, &present, &problems));
    EXPECT_EQ(d.title, "The Test Book");
    EXPECT_EQ(d.pageCount, 4);
    ASSERT_EQ(d.units.size(), 2u);
    EXPECT_EQ(d.units[0].title, "Animals");
    EXPECT_EQ(d.units[0].lastPage, 2);
    EXPECT_EQ(d.units[1].title, "Words");
    EXPECT_EQ(d.units[1].firstPage, 3);
    EXPECT_EQ(d.units[1].lastPage, 4);

    // Each recording is its clip, the joined words' one from the first word's start to the last's end.
    const std::vector<std::pair<std::pair<int, int>, double>> lengths = {
        {{1, 1}, 1.2}, {{1, 2}, 1.3}, {{2, 1}, 1.5}, {{2, 2}, 2.5}, {{3, 1}, 1.6}, {{3, 2}, 0.8}};
    for (const auto& [sentence, seconds] : lengths) {
        const std::string file = book_ + "/" + app::storedAudioPath(sentence.first, sentence.second);
        const engine::Mp3StreamInfo mp3 = engine::Mp3Scanner::scanFile(file);
        EXPECT_TRUE(mp3.playable) << file << ": " << mp3.problem;
        EXPECT_NEAR(mp3.durationSeconds, seconds, 0.06) << file;
    }
    EXPECT_FALSE(fs::exists(book_ + "/" + app::storedAudioPath(3, 3)));
    EXPECT_FALSE(fs::exists(book_ + "/" + app::storedAudioPath(4, 1)));

    // Where the renderer put the text.
    const std::vector<bookkit::RectF> s1 = linesOf(placed, "s1");
    const std::vector<bookkit::RectF> a = linesOf(flowing, "a");
    const std::vector<bookkit::RectF> b = linesOf(flowing, "b");
    const std::vector<bookkit::RectF> w2 = linesOf(words, "w2");
    ASSERT_EQ(s1.size(), 1u);
    ASSERT_EQ(a.size(), 1u);
    ASSERT_GE(b.size(), 2u) << "the second sentence must wrap";
    ASSERT_EQ(w2.size(), 1u);
    ASSERT_LT(b[0].y, a[0].y + a[0].h) << "the second sentence must start on the first one's line";
    auto centre = [](const bookkit::RectF& r) { return std::make_pair(r.x + r.w / 2, r.y + r.h / 2); };

    // Page 1, then page 2 by a page turn; units' menus lead to page 3.
    std::string script = "tap 320 860\nwait 2.5\ntap 320 860\nwait 2.5\n";
    script += tapAt(600, 800, centre(s1[0]).first, centre(s1[0]).second);
    script += "call nextPageCallback\nwait 2\n";
    script += tapAt(600, 800, centre(b[0]).first, centre(b[0]).second);      // b on a's line
    script += tapAt(600, 800, centre(b[1]).first, centre(b[1]).second);      // b's second line
    script += tapAt(600, 800, a[0].x + 4, b[1].y + b[1].h / 2);             // left end of b's second line: b
    // Inside b's bounding box but on a's part of the first line: a, not b.
    script += tapAt(600, 800, centre(a[0]).first, centre(a[0]).second);
    script += "call contentsCallback\nwait 2\ntap 320 760\nwait 2.5\ntap 320 860\nwait 2.5\n";
    script += tapAt(600, 800, centre(w2[0]).first, centre(w2[0]).second);   // a word of the joined sentence
    script += "audiolog\n";
    const std::vector<Json::Value> answers = testsupport::drive(book_, script);
    ASSERT_EQ(answers.size(), 7u);
    const std::vector<std::pair<std::pair<int, int>, std::string>> expected = {
        {{1, 1}, "Look at the cat."},
        {{2, 2}, "Then he brings the ball back to his best friend."},
        {{2, 2}, "Then he brings the ball back to his best friend."},
        {{2, 2}, "Then he brings the ball back to his best friend."},
        {{2, 1}, "The dog runs off."},
        {{3, 1}, "Call me Ishmael."},
    };
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("touch " + std::to_string(i + 1));
        const Json::Value& state = answers[i];
        const auto [page, n] = expected[i].first;
        EXPECT_EQ(state["currentPage"].asInt(), page);
        EXPECT_EQ(state["subtitle"]["text"].asString(), expected[i].second);
        EXPECT_EQ(state["audio"]["file"].asString(), app::storedAudioPath(page, n));
    }
}
