// Books carried out as EPUB and read back in: the same pages, sentence texts, touch areas and
// recording lengths, compared through the exporter's own book reader on both folders, and the
// imported book plays each sentence where a child touches it (through the headless reader).
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/book/SentenceNames.h"
#include "support/BookFixture.h"
#include "support/ReaderDrive.h"
#include "support/TestSupport.h"
#include "EpubKit.h"
#include "tools/epub/BookReader.h"

namespace {

const std::string kMake = std::string(QUIREL_BINARY_DIR) + "/tools/make/quirel-make";

// Exports `book`, imports the publication into work/back and reads both folders whole.
void carry(const std::string& book, const std::string& work, epub::Book& before, epub::Book& after) {
    const std::string epubFile = work + "/book.epub", back = work + "/back";
    testsupport::ProgramRun run = epubtest::runEpub({"export", "--quiet", book, epubFile});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    run = epubtest::runEpub({"import", "--quiet", epubFile, back});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    for (auto& [dir, into] : {std::pair<std::string, epub::Book*>{book, &before}, {back, &after}}) {
        std::vector<std::string> problems;
        ASSERT_TRUE(epub::openBook(dir, *into, problems)) << dir << ": " << problems.front();
        for (int p = 1; p <= into->description.pageCount; ++p) epub::readPage(*into, p);
    }
}

// Same pages and sentences; touch boxes within 2 points; recordings within 50 ms.
void expectSameBook(const epub::Book& a, const epub::Book& b) {
    ASSERT_EQ(a.pages.size(), b.pages.size());
    EXPECT_EQ(a.description.title, b.description.title);
    for (std::size_t p = 0; p < a.pages.size(); ++p) {
        SCOPED_TRACE("page " + std::to_string(p + 1));
        const auto& sa = a.pages[p].sentences;
        const auto& sb = b.pages[p].sentences;
        ASSERT_EQ(sa.size(), sb.size());
        for (std::size_t n = 0; n < sa.size(); ++n) {
            SCOPED_TRACE("sentence " + std::to_string(n + 1));
            EXPECT_EQ(sa[n].text, sb[n].text);
            EXPECT_NEAR(double(sa[n].durationMs), double(sb[n].durationMs), 50.0);
            ASSERT_EQ(sa[n].boxes.size(), sb[n].boxes.size());
            for (std::size_t k = 0; k < sa[n].boxes.size(); ++k) {
                const epub::PageRect &ra = sa[n].boxes[k], &rb = sb[n].boxes[k];
                EXPECT_NEAR(ra.x, rb.x, 2.0);
                EXPECT_NEAR(ra.y, rb.y, 2.0);
                EXPECT_NEAR(ra.w, rb.w, 2.0);
                EXPECT_NEAR(ra.h, rb.h, 2.0);
            }
        }
    }
}

// Touches the middle of every sentence of `pages` (design points, y up) in the imported book:
// each plays its own recording for its own length.
void expectEachTouchPlaysItsSentence(const epub::Book& book, const std::vector<int>& pages) {
    for (int p : pages) {
        SCOPED_TRACE("page " + std::to_string(p));
        const auto& sentences = book.pages[static_cast<std::size_t>(p - 1)].sentences;
        // Through the contents entry of the page's unit and that unit's menu (pages near the top of both).
        const auto unit = std::find_if(book.contents.begin(), book.contents.end(), [p](const app::ContentsEntry& e) {
            return !e.wordList && e.firstPage <= p && p <= e.lastPage;
        });
        ASSERT_NE(unit, book.contents.end());
        const long entry = unit - book.contents.begin();
        std::string script = "tap 320 " + std::to_string(960 - 100 * (entry + 1)) + "\nwait 2.5\ntap 320 " +
                             std::to_string(960 - 100 * (p - unit->firstPage + 1)) + "\nwait 2.5\n";
        for (const epub::BookSentence& s : sentences) {
            const epub::PageRect& r = s.boxes.front();
            script += "tap " + std::to_string(r.x + r.w / 2) + " " + std::to_string(960 - (r.y + r.h / 2)) +
                      "\nframes 2\nstate\nwait " + std::to_string(s.durationMs / 1000.0 + 0.4) + "\n";
        }
        script += "audiolog\n";
        const std::vector<Json::Value> answers = testsupport::drive(book.dir, script);
        ASSERT_EQ(answers.size(), sentences.size() + 1);
        for (std::size_t i = 0; i < sentences.size(); ++i) {
            const int n = static_cast<int>(i + 1);
            EXPECT_EQ(answers[i]["currentPage"].asInt(), p);
            EXPECT_EQ(answers[i]["audio"]["file"].asString(), app::storedAudioPath(p, n));
            EXPECT_EQ(answers[i]["subtitle"]["text"].asString(), sentences[i].text);
            EXPECT_NEAR(testsupport::playedSeconds(answers.back(), app::storedAudioPath(p, n)),
                        sentences[i].durationMs / 1000.0, 0.06);
        }
    }
}

}  // namespace

TEST(RoundTrip, TheExampleBookComesBackTheSame) {
    const std::string work = testsupport::makeTempDir("quirel-epub-trip");
    const testsupport::ProgramRun made = testsupport::runProgram(
        testsupport::shellQuoted(kMake) + " --quiet " +
        testsupport::shellQuoted(std::string(QUIREL_BINARY_DIR) + "/examples/at-the-zoo/book.yaml") + " " +
        testsupport::shellQuoted(work + "/zoo"));
    ASSERT_EQ(made.exitCode, 0) << made.err;
    epub::Book before, after;
    ASSERT_NO_FATAL_FAILURE(carry(work + "/zoo", work, before, after));
    expectSameBook(before, after);
    // Page 2 is left out: its sentences lie under the page-turn buttons, which take the touch.
    expectEachTouchPlaysItsSentence(after, {1, 3});
}

TEST(RoundTrip, TheCourseBookComesBackTheSame) {
    const std::string work = testsupport::makeTempDir("quirel-epub-trip");
    epub::Book before, after;
    ASSERT_NO_FATAL_FAILURE(carry(testsupport::sampleBookDir(), work, before, after));
    expectSameBook(before, after);
    expectEachTouchPlaysItsSentence(after, {2});
}
