// Fault runs: the reader keeps reading while the book is damaged under it, between pages. Files
// are removed, cut short, filled with junk or turned into folders just before the reader needs
// them; nothing may crash, and every page with its files intact still reads as it should.
#include <filesystem>
#include <fstream>
#include <map>

#include "ReaderTestKit.h"
#include "app/book/StringTables.h"
#include "support/TestSupport.h"

using namespace engine;
using readertest::ReaderTest;
namespace fs = std::filesystem;

namespace {

class FaultRun : public ReaderTest {
protected:
    std::string layoutFile(int p) const { return book + "/tomeset/tomeset_" + std::to_string(p) + ".json"; }
    std::string pageImage(int p) const { return book + "/tomeset/images/page_" + std::to_string(p) + ".png"; }

    // The copy links to the generated book's large files: a damaged file replaces the link, so
    // the original stays whole for the other tests.
    void replace(const std::string& path, const std::string& contents) {
        fs::remove_all(path);
        testsupport::writeFile(path, contents);
    }
    void cutShort(const std::string& path, double share) {
        std::string whole = testsupport::readFile(path);
        ASSERT_FALSE(whole.empty()) << path;
        replace(path, whole.substr(0, size_t(double(whole.size()) * share)));
    }
    void restore(const std::string& relative) {
        fs::remove_all(book + "/" + relative);
        fs::copy_file(testsupport::sampleBookDir() + "/" + relative, book + "/" + relative);
    }
    void tap(float x, float y) {
        driver->host().touchDown(x, y);
        frames(1);
        driver->host().touchUp(x, y);
        frames(1);
    }
    int sentencesOf(int p) {
        int n = 0;
        while (!app::lookupString("Stringstr.xml", app::sentenceTextKey(p, n + 1)).empty()) ++n;
        return n;
    }

    // One kind of damage per page, in turn. Returns what was done, for failure messages.
    std::string damage(int p, int kind) {
        switch (kind % 9) {
        case 0: fs::remove(layoutFile(p)); return "layout file removed";
        case 1: cutShort(layoutFile(p), 0.5); return "layout file cut in half";
        case 2: replace(layoutFile(p), "[1, 2, {\"widgetTree\": 5}]"); return "layout file of the wrong shape";
        case 3: replace(pageImage(p), "this is not a picture"); return "page picture replaced by text";
        case 4: cutShort(pageImage(p), 0.4); return "page picture cut short";
        case 5:
            for (int n = 1; n <= sentencesOf(p); ++n) fs::remove(book + "/" + recording(p, n));
            return "recordings removed";
        case 6:
            for (int n = 1; n <= sentencesOf(p); ++n) cutShort(book + "/" + recording(p, n), 0.3);
            return "recordings cut short";
        case 7:
            fs::remove(layoutFile(p));
            fs::create_directory(layoutFile(p));
            return "layout file turned into a folder";
        default:
            cutShort(book + "/Stringstr.xml", 0.5);
            fs::remove(book + "/String.xml");
            return "text tables cut short and removed";
        }
    }
};

}  // namespace

TEST_F(FaultRun, TurnPagesReadingGoesOnWhileEachNextPageIsDamaged) {
    const int first = 20, last = 40;
    std::map<int, int> sentencesBefore;  // what each page holds, read before any damage
    for (int p = first; p <= last; ++p) sentencesBefore[p] = sentencesOf(p);

    openPage(first);
    run("call playPauseCallback");
    std::map<int, std::string> damaged;
    int seen = first, kind = 0;
    for (int step = 0; step < 20 * 60 * 4 && app::currentPage < last; ++step) {
        seconds(0.25);
        if (app::currentPage == seen) continue;
        ASSERT_EQ(app::currentPage, seen + 1) << "reading skipped a page after page " << seen;
        seen = app::currentPage;
        // The tables come back whole for the page after the one that lost them.
        restore("Stringstr.xml");
        restore("String.xml");
        if (seen + 1 <= last && seen % 2 == 1) damaged[seen + 1] = damage(seen + 1, kind++);
    }
    ASSERT_EQ(app::currentPage, last) << "reading stopped on page " << app::currentPage << " ("
                                      << (damaged.count(app::currentPage) ? damaged[app::currentPage] : "intact") << ")";
    EXPECT_TRUE(app::autoReading);
    EXPECT_GE(kind, 9) << "every kind of damage was tried";

    // Every intact page read each of its sentences, in order, exactly once.
    std::vector<std::string> plays = played();
    for (int p = first + 1; p < last; ++p) {
        if (damaged.count(p)) continue;
        // The text tables are shared: they were cut while the page before the damaged one read.
        if (damaged.count(p + 1) && damaged[p + 1].rfind("text tables", 0) == 0) continue;
        std::vector<std::string> expected, got;
        for (int n = 1; n <= sentencesBefore[p]; ++n) expected.push_back(recording(p, n));
        for (const std::string& f : plays)
            if (std::find(expected.begin(), expected.end(), f) != expected.end()) got.push_back(f);
        EXPECT_EQ(got, expected) << "page " << p;
    }
    // A removed recording is refused, not played.
    for (const auto& [p, what] : damaged) {
        if (what != "recordings removed") continue;
        for (int n = 1; n <= sentencesBefore[p]; ++n)
            EXPECT_EQ(std::count(plays.begin(), plays.end(), recording(p, n)), 0) << "page " << p;
    }
}

TEST_F(FaultRun, PagesShownBeforeTheirFilesWentCanBeVisitedAgain) {
    driver->host().setDrawing(true);  // textures are really drawn from what is left
    openPage(26);
    run("call nextPageCallback");
    frames(40);
    run("call nextPageCallback");
    frames(40);
    ASSERT_EQ(app::currentPage, 28);
    for (int p : {26, 27, 28}) {
        fs::remove(layoutFile(p));
        fs::remove(pageImage(p));
    }
    for (int n = 1; n <= 3; ++n) fs::remove(book + "/" + recording(27, n));

    run("call previousPageCallback");
    frames(40);
    EXPECT_EQ(app::currentPage, 27);
    ASSERT_NE(page(), nullptr);
    EXPECT_EQ(page()->getPageLayout(), nullptr);
    run("call playPauseCallback");
    seconds(3);
    EXPECT_FALSE(playing());
    run("call playPauseCallback");
    run("call previousPageCallback");
    frames(40);
    run("call contentsCallback");
    frames(2);
    EXPECT_EQ(state()["layer"].asString(), "TestController");
}

TEST_F(FaultRun, TheWholeBookFolderEmptiedUnderTheReader) {
    driver->host().setDrawing(true);
    openPage(26);
    tapSentence(26, 2);
    ASSERT_TRUE(playing());
    for (const auto& entry : fs::directory_iterator(book)) fs::remove_all(entry.path());

    // The sentence already playing plays on; everything read from now on is simply missing.
    run("call nextPageCallback");
    frames(40);
    EXPECT_EQ(app::currentPage, 27);
    EXPECT_EQ(page()->getPageLayout(), nullptr);
    run("call playPauseCallback");
    seconds(10);
    // A settings screen without its layout has no way out; the reader comes back to the page.
    const int page = app::currentPage, mode = app::readingMode;
    run("call settingsCallback");
    frames(40);
    EXPECT_EQ(state()["layer"].asString(), "TestLayer1");
    EXPECT_EQ(app::currentPage, page);
    EXPECT_EQ(app::readingMode, mode);
    run("call contentsCallback");
    frames(2);
    EXPECT_EQ(state()["layer"].asString(), "TestController");
    // The contents still lead into the unit menu and on to a page.
    tap(300, 660);  // "Unit 3"; its list flies in
    seconds(2.8);
    tap(320, 860);  // its first entry
    frames(40);
    EXPECT_EQ(app::currentPage, 26);
    EXPECT_EQ(state()["layer"].asString(), "TestLayer1");
}
