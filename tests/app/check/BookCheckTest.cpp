// The book check on the sample book and on private copies of it, each damaged one way: every
// kind of damage the reader meets is named with its page and file, and nothing else is reported.
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <regex>

#include "app/book/BookDescription.h"
#include "app/book/BookFiles.h"
#include "app/book/SentenceNames.h"
#include "app/check/BackgroundCheck.h"
#include "app/check/BookCheck.h"
#include "support/BookFixture.h"
#include "support/TestSupport.h"

namespace fs = std::filesystem;

namespace {

std::string joined(const app::CheckReport& r) {
    std::string s;
    for (const app::BookProblem& p : r.problems) s += "\n  " + app::problemLine(p);
    return s.empty() ? " (none)" : s;
}

class BookCheck : public ::testing::Test {
protected:
    void SetUp() override {
        if (!fs::exists(testsupport::sampleBookDir() + "/String.xml"))
            GTEST_SKIP() << "the sample book has not been generated (build the sample_book target)";
        book = testsupport::copyOfSampleBook();
    }

public:
    // Damages apply through these.

    std::string at(const std::string& relative) const { return book + "/" + relative; }
    // The copy links to the generated book's large files: a damaged file replaces the link.
    void replace(const std::string& relative, const std::string& contents) {
        fs::remove_all(at(relative));
        testsupport::writeFile(at(relative), contents);
    }
    void cutShort(const std::string& relative, double share) {
        const std::string whole = testsupport::readFile(at(relative));
        ASSERT_FALSE(whole.empty()) << relative;
        replace(relative, whole.substr(0, size_t(double(whole.size()) * share)));
    }
    void edit(const std::string& relative, const std::string& from, const std::string& to) {
        std::string text = testsupport::readFile(at(relative));
        const size_t pos = text.find(from);
        ASSERT_NE(pos, std::string::npos) << from << " in " << relative;
        replace(relative, text.replace(pos, from.size(), to));
    }

    std::string book;
};

// One damage and what the check must say about it: every problem reported matches one of these
// (page, file, a pattern of the text), and each of these is reported.
struct Expected {
    int page;
    std::string file;
    std::string pattern;
};

struct Damage {
    const char* what;
    std::function<void(BookCheck&)> apply;
    std::vector<Expected> expected;
};

// Page 27 lies inside Unit 3 and has four sentences; page 80 is a word-list page of cards.
const std::string kPage27 = "tomeset/tomeset_27.json";

std::vector<Damage> damages() {
    const std::string rec271 = app::storedAudioPath(27, 1), rec273 = app::storedAudioPath(27, 3);
    return {
        {"layout file removed", [](BookCheck& t) { fs::remove(t.at(kPage27)); },
         {{27, kPage27, "^the page's layout is missing$"}}},
        {"layout file cut in half", [](BookCheck& t) { t.cutShort(kPage27, 0.5); },
         {{27, kPage27, "^the page's layout is not valid JSON \\(Line [0-9]+, Column [0-9]+: .+\\)$"}}},
        {"layout file of the wrong shape", [](BookCheck& t) { t.replace(kPage27, "[1, 2, {\"widgetTree\": 5}]"); },
         {{27, kPage27, "^the page's layout has no widget tree$"}}},
        {"layout file replaced by garbage", [](BookCheck& t) { t.replace(kPage27, "\x89PNG not a layout"); },
         {{27, kPage27, "^the page's layout is not valid JSON \\(Line 1, Column 1: .+\\)$"}}},
        {"layout file turned into a folder",
         [](BookCheck& t) {
             fs::remove(t.at(kPage27));
             fs::create_directory(t.at(kPage27));
         },
         {{27, kPage27, "^the page's layout is not a file$"}}},
        {"layout whose root is a button",
         [](BookCheck& t) { t.edit(kPage27, "\"classname\" : \"Panel\"", "\"classname\" : \"Button\""); },
         {{27, kPage27, "^the page's layout has no panel at the root of its widget tree$"}}},
        {"recording removed", [rec273](BookCheck& t) { fs::remove(t.at(rec273)); },
         {{27, kPage27, "^sentence 3 has no recording \\(" + rec273 + " missing\\)$"}}},
        {"recording cut short", [rec271](BookCheck& t) { t.cutShort(rec271, 0.3); },
         {{27, rec271, "^the recording of sentence 1 is cut short \\([0-9]+ (of [0-9]+ )?frames, the last one cut\\)$"}}},
        {"recording replaced by text", [rec271](BookCheck& t) { t.replace(rec271, "not a recording at all"); },
         {{27, rec271, "^the recording of sentence 1 does not play \\(no MPEG audio frames\\)$"}}},
        {"picture removed", [](BookCheck& t) { fs::remove(t.at("tomeset/images/page_27.png")); },
         {{27, "tomeset/images/page_27.png", "^the image of \"picture\" is missing$"}}},
        {"picture replaced by garbage", [](BookCheck& t) { t.replace("tomeset/images/page_27.png", "this is not a picture"); },
         {{27, "tomeset/images/page_27.png", "^the image of \"picture\" cannot be decoded \\(.+\\)$"}}},
        {"picture cut short", [](BookCheck& t) { t.cutShort("tomeset/images/page_27.png", 0.4); },
         {{27, "tomeset/images/page_27.png", "^the image of \"picture\" is a (truncated|damaged) PNG.*$"}}},
        {"word card removed", [](BookCheck& t) { fs::remove(t.at("tomeset/cards/card_80_2.png")); },
         {{80, "tomeset/cards/card_80_2.png", "^the image of \"bn802\" is missing$"}}},
        {"sentence text missing", [](BookCheck& t) { t.edit("Stringstr.xml", "<key>str272</key>", "<key>gone</key>"); },
         {{27, "Stringstr.xml", "^sentence 2 has no text \\(no \"str272\"\\)$"}}},
        {"sentence table removed", [](BookCheck& t) { fs::remove(t.at("Stringstr.xml")); },
         {{0, "Stringstr.xml", "^the sentence table is missing$"}}},
        {"caption missing", [](BookCheck& t) { t.edit("String.xml", "<key>bntext</key>", "<key>other</key>"); },
         {{0, "String.xml", "^has no caption \"bntext\"$"}}},
        {"caption table cut short", [](BookCheck& t) { t.cutShort("String.xml", 0.5); },
         {{0, "String.xml", "^the caption table is not a property list: .+$"}}},
        {"chrome image removed", [](BookCheck& t) { fs::remove(t.at("Images/next2.png")); },
         {{0, "Images/next2.png", "^the reader's chrome image is missing$"}}},
        {"settings button renamed", [](BookCheck& t) { t.edit(app::kSettingsLayout, "\"bnok\"", "\"bnfine\""); },
         {{0, app::kSettingsLayout, "^the settings screen has no button \"bnok\"$"}}},
        {"touch area moved off the page",
         [](BookCheck& t) {
             const std::string text = testsupport::readFile(t.at(kPage27));
             std::smatch m;
             const std::regex button("\"name\" : \"bn272\"");
             ASSERT_TRUE(std::regex_search(text, m, button));
             // The x of bn272 comes after its name in the sorted keys of its options.
             const size_t x = text.find("\"x\" : ", size_t(m.position(0)));
             const size_t end = text.find_first_of(",\n", x);
             std::string moved = text;
             moved.replace(x, end - x, "\"x\" : 600");
             t.replace(kPage27, moved);
         },
         {{27, kPage27, "^sentence 2's touch area \\([0-9-]+, [0-9-]+\\)-\\([0-9]+, [0-9]+\\) is not inside the 640 x 960 page$"}}},
        {"a further line of a sentence moved off the page",
         [](BookCheck& t) {
             // The last sentence's button becomes the second line of the one before it.
             t.edit(kPage27, "\"name\" : \"bn274\"", "\"name\" : \"bn273_2\"");
             const std::string text = testsupport::readFile(t.at(kPage27));
             const size_t named = text.find("\"name\" : \"bn273_2\"");
             const size_t x = text.find("\"x\" : ", named);
             std::string moved = text;
             moved.replace(x, text.find_first_of(",\n", x) - x, "\"x\" : 600");
             t.replace(kPage27, moved);
         },
         {{27, kPage27, "^sentence 3 line 2's touch area \\([0-9-]+, [0-9-]+\\)-\\([0-9]+, [0-9]+\\) is not inside the 640 x 960 page$"}}},
        {"a sentence button lost its name",
         [](BookCheck& t) { t.edit(kPage27, "\"name\" : \"bn272\"", "\"name\" : \"card\""); },
         {{27, kPage27, "^sentence 2 has no button \\(\"bn272\"\\) though sentence [0-9]+ has one$"}}},
        {"the first page of a unit removed", [](BookCheck& t) { fs::remove(t.at("tomeset/tomeset_26.json")); },
         {{0, "tomeset/tomeset_26.json", "^the contents entry \"Unit 3\" opens page 26, which does not read$"},
          {26, "tomeset/tomeset_26.json", "^the page's layout is missing$"}}},
    };
}

}  // namespace

TEST_F(BookCheck, TheSampleBookHasNoProblem) {
    int calls = 0, lastDone = 0, lastTotal = 0;
    app::CheckControl control;
    control.progress = [&](int done, int total) {
        ++calls;
        EXPECT_EQ(done, lastDone + 1);
        lastDone = done;
        lastTotal = total;
    };
    const app::CheckReport report = app::checkBook(testsupport::sampleBookDir(), control);
    EXPECT_TRUE(report.ok()) << joined(report);
    EXPECT_TRUE(report.finished);
    EXPECT_EQ(report.pages, 90);
    EXPECT_EQ(report.book, testsupport::sampleBookDir());
    EXPECT_EQ(calls, 90);
    EXPECT_EQ(lastTotal, 90);
}

TEST_F(BookCheck, EachKindOfDamageIsNamedWithItsPageAndFile) {
    for (const Damage& d : damages()) {
        SCOPED_TRACE(d.what);
        book = testsupport::copyOfSampleBook();
        d.apply(*this);
        // Every damage lies on these pages or in the book's own files.
        app::CheckControl control;
        control.onlyPages = {26, 27, 80};
        const app::CheckReport report = app::checkBook(book, control);
        ASSERT_TRUE(report.finished);
        std::vector<bool> seen(d.expected.size(), false);
        for (const app::BookProblem& p : report.problems) {
            bool known = false;
            for (size_t i = 0; i < d.expected.size(); ++i) {
                const Expected& e = d.expected[i];
                if (p.page == e.page && p.file == e.file && std::regex_match(p.problem, std::regex(e.pattern)))
                    known = seen[i] = true;
            }
            EXPECT_TRUE(known) << "unexpected: " << app::problemLine(p);
        }
        for (size_t i = 0; i < seen.size(); ++i)
            EXPECT_TRUE(seen[i]) << "not reported: page " << d.expected[i].page << ", " << d.expected[i].file << ", "
                                 << d.expected[i].pattern << "; got" << joined(report);
    }
}

TEST_F(BookCheck, ProblemsComeBookFirstThenByPage) {
    fs::remove(at("tomeset/tomeset_40.json"));
    fs::remove(at(app::storedAudioPath(12, 1)));
    fs::remove(at("Images/up1.png"));
    const app::CheckReport report = app::checkBook(book);
    ASSERT_EQ(report.problems.size(), 3u) << joined(report);
    EXPECT_EQ(report.problems[0].page, 0);
    EXPECT_EQ(report.problems[1].page, 12);
    EXPECT_EQ(report.problems[2].page, 40);

    // A check of some pages leaves the others alone, but never the book's own files.
    app::CheckControl control;
    control.onlyPages = {12};
    const app::CheckReport some = app::checkBook(book, control);
    ASSERT_EQ(some.problems.size(), 2u) << joined(some);
    EXPECT_EQ(some.problems[0].page, 0);
    EXPECT_EQ(some.problems[1].page, 12);
}

// A made book: three pages of the sample book, described.
class DescribedBookCheck : public BookCheck {
protected:
    void describe(const std::string& json) { testsupport::writeFile(at(app::BookDescription::kFileName), json); }
};

TEST_F(DescribedBookCheck, OnlyTheDescribedPagesAreLookedAt) {
    describe(R"({"format": 1, "title": "Short", "pages": 3,
                 "units": [{"title": "One", "first": 1, "last": 2}, {"title": "Two", "first": 3, "last": 3}]})");
    // Pages past the last one do not matter.
    fs::remove(at("tomeset/tomeset_4.json"));
    fs::remove(at("tomeset/tomeset_60.json"));
    app::CheckReport report = app::checkBook(book);
    EXPECT_TRUE(report.ok()) << joined(report);
    EXPECT_EQ(report.pages, 3);

    fs::remove(at("tomeset/tomeset_3.json"));
    report = app::checkBook(book);
    ASSERT_EQ(report.problems.size(), 2u) << joined(report);
    EXPECT_EQ(app::problemLine(report.problems[0]),
              "book: quirel-book.json: the contents entry \"Two\" opens page 3, which does not read");
    EXPECT_EQ(app::problemLine(report.problems[1]), "page 3: tomeset/tomeset_3.json: the page's layout is missing");
}

TEST_F(DescribedBookCheck, ABrokenDescriptionIsReportedAtItsLinesAndThePagesPresentAreChecked) {
    describe("{\"format\": 1, \"title\": \"Broken\",\n \"pages\": 0,\n \"units\": 5}\n");
    const app::CheckReport report = app::checkBook(book);
    ASSERT_GE(report.problems.size(), 2u) << joined(report);
    for (const app::BookProblem& p : report.problems) {
        EXPECT_EQ(p.page, 0) << app::problemLine(p);
        EXPECT_EQ(p.file, "quirel-book.json") << app::problemLine(p);
        EXPECT_TRUE(std::regex_match(p.problem, std::regex("^[0-9]+:[0-9]+: .+"))) << p.problem;
    }
    EXPECT_EQ(report.problems[0].problem.rfind("2:", 0), 0u) << report.problems[0].problem;
    // Every page of the folder is there: the pages present are 1 to 90.
    EXPECT_EQ(report.pages, 90);
}

TEST_F(BookCheck, AStopEndsTheCheckEarlyAndSaysSo) {
    std::atomic<bool> stop{false};
    app::CheckControl control;
    control.stop = &stop;
    control.progress = [&](int done, int) {
        if (done == 10) stop = true;
    };
    const app::CheckReport report = app::checkBook(book, control);
    EXPECT_FALSE(report.finished);
    EXPECT_EQ(report.pages, 10);
    EXPECT_NE(app::reportText(report).find("(stopped before the end)"), std::string::npos);
}

TEST_F(BookCheck, InTheBackgroundTheReportIsTheSameAsInTheForeground) {
    fs::remove(at(app::storedAudioPath(30, 2)));
    const app::CheckReport direct = app::checkBook(book);
    app::BackgroundCheck background(book);
    background.wait();
    ASSERT_TRUE(background.ended());
    EXPECT_TRUE(background.report().finished);
    EXPECT_EQ(app::reportText(background.report()), app::reportText(direct));

    // Stopped at once, or destroyed while running: the thread ends without a finished report.
    app::BackgroundCheck stopped(book);
    stopped.stop();
    EXPECT_TRUE(stopped.ended());
    { app::BackgroundCheck abandoned(book); }
}
