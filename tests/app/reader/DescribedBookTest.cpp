// Books that describe themselves (quirel-book.json): the contents screen lists the book's own
// units, each unit menu its own pages, and page bounds, swipes and continuous reading follow the
// book's own page count, from 1 page to 999. The pages are the sample book's own files.
#include <algorithm>

#include "ReaderTestKit.h"
#include "app/book/BookContents.h"
#include "app/shell/BookDirectory.h"
#include "support/TestSupport.h"

using readertest::ReaderTest;

namespace {

class DescribedBook : public ReaderTest {
protected:
    void prepareBook() override { testsupport::writeFile(book + "/quirel-book.json", description()); }
    virtual std::string description() = 0;

    // Taps contents or unit-menu entry i (from the top) once the list has settled.
    void tapEntry(int i) {
        run("tap 320 " + std::to_string(960 - 100 * (i + 1)));
        seconds(2.5);
    }
    int entriesShown() {
        engine::CCNode* layer = driver->systemLayer();
        if (!layer) return -1;
        int n = 0;
        for (engine::CCObject* o : *layer->getChildren())
            if (auto* menu = dynamic_cast<engine::CCMenu*>(o))
                for (engine::CCObject* c : *menu->getChildren())
                    if (dynamic_cast<engine::CCMenuItemLabel*>(c)) ++n;
        return n;
    }
};

class ThreePagesTwoUnits : public DescribedBook {
    std::string description() override {
        return R"({"format": 1, "title": "At the Zoo", "pages": 3,
                   "units": [{"title": "Animals", "first": 1, "last": 2}, {"title": "Food", "first": 3, "last": 3}]})";
    }
};

class OnePage : public DescribedBook {
    std::string description() override { return R"({"title": "One", "pages": 1})"; }
};

class TwoHundredPages : public DescribedBook {
    std::string description() override {
        return R"({"title": "Long", "pages": 200,
                   "units": [{"title": "First half", "first": 1, "last": 100}, {"title": "Second", "first": 101, "last": 200}],
                   "wordList": [{"title": "Cards A", "first": 190}, {"title": "Cards B", "first": 195}]})";
    }
};

}  // namespace

TEST_F(ThreePagesTwoUnits, ContentsAndUnitMenusFollowTheDescriptionAndReadingStopsOnTheLastPage) {
    ASSERT_EQ(app::contentsEntries().size(), 2u);
    EXPECT_EQ(app::lastPage(), 3);
    EXPECT_EQ(state()["layer"].asString(), "TestController");
    EXPECT_EQ(entriesShown(), 2);

    // The second unit, "Food", holds page 3 alone.
    tapEntry(1);
    EXPECT_EQ(state()["layer"].asString(), "MenuLayerMainMenu");
    EXPECT_EQ(app::selectedUnit, 1);
    EXPECT_EQ(entriesShown(), 1);
    tapEntry(0);
    EXPECT_EQ(state()["currentPage"].asInt(), 3);
    EXPECT_EQ(state()["layer"].asString(), "TestLayer1");
    // The last page: neither the button nor a swipe goes further.
    run("call nextPageCallback");
    seconds(1);
    EXPECT_EQ(state()["currentPage"].asInt(), 3);
    run("drag 500 500 100 500 10");
    seconds(1);
    EXPECT_EQ(state()["currentPage"].asInt(), 3);

    // Back to the contents, into "Animals" (pages 1 and 2), its second page, and read on.
    run("call contentsCallback");
    seconds(1);
    tapEntry(0);
    EXPECT_EQ(entriesShown(), 2);
    tapEntry(1);
    ASSERT_EQ(state()["currentPage"].asInt(), 2);
    ASSERT_EQ(app::readingMode, app::READ_TURN_PAGES);
    run("call playPauseCallback");
    seconds(120);
    Json::Value s = state();
    EXPECT_EQ(s["currentPage"].asInt(), 3);
    EXPECT_TRUE(s["autoReading"].asBool());
    // Every recorded sentence of pages 2 and 3 was read, in order, and nothing after.
    std::vector<std::string> expected;
    for (int p = 2; p <= 3; ++p)
        for (int n = 1; n <= 9; ++n)
            if (std::filesystem::exists(book + "/" + recording(p, n))) expected.push_back(recording(p, n));
    ASSERT_FALSE(expected.empty());
    std::vector<std::string> got = played();
    ASSERT_GE(got.size(), expected.size());
    std::vector<std::string> tail(got.end() - expected.size(), got.end());
    EXPECT_EQ(tail, expected);
}

TEST_F(OnePage, OnePageIsBothTheFirstAndTheLast) {
    ASSERT_EQ(app::contentsEntries().size(), 1u);
    EXPECT_EQ(app::contentsEntries()[0].title, "One");
    tapEntry(0);
    EXPECT_EQ(entriesShown(), 1);
    tapEntry(0);
    EXPECT_EQ(state()["currentPage"].asInt(), 1);
    run("call nextPageCallback");
    seconds(1);
    run("call previousPageCallback");
    seconds(1);
    run("drag 100 500 500 500 10");
    seconds(1);
    EXPECT_EQ(state()["currentPage"].asInt(), 1);
    EXPECT_EQ(state()["transition"], Json::Value());
}

TEST_F(TwoHundredPages, PagesPastTheCourseBooksNinetyAreReachedAndBoundedAt200) {
    ASSERT_EQ(app::contentsEntries().size(), 3u);  // two units and the word list
    EXPECT_TRUE(app::contentsEntries()[2].wordList);
    EXPECT_EQ(entriesShown(), 3);
    tapEntry(1);
    EXPECT_EQ(entriesShown(), 100);
    run("tap 560 30");  // the unit menu's way back
    seconds(1);
    ASSERT_EQ(state()["layer"].asString(), "TestController");
    tapEntry(2);
    EXPECT_EQ(entriesShown(), 2);  // the word list's two sections
    tapEntry(1);
    EXPECT_EQ(state()["currentPage"].asInt(), 195);

    openPage(120);
    run("call nextPageCallback");
    seconds(1);
    EXPECT_EQ(state()["currentPage"].asInt(), 121);
    openPage(200);
    run("call nextPageCallback");
    seconds(1);
    EXPECT_EQ(state()["currentPage"].asInt(), 200);
    run("call previousPageCallback");
    seconds(1);
    EXPECT_EQ(state()["currentPage"].asInt(), 199);
}

TEST(DescribedBookFolder, ABrokenDescriptionRefusesTheFolderNamingLineAndProblem) {
    const std::string dir = testsupport::makeTempDir();
    testsupport::writeFile(dir + "/quirel-book.json", "{\"title\": \"Zoo\",\n \"pages\": 0}");
    std::string why = app::checkBookDirectory(dir);
    EXPECT_NE(why.find("quirel-book.json:2:11:"), std::string::npos) << why;
    EXPECT_NE(why.find("page count"), std::string::npos) << why;
    std::filesystem::remove(dir + "/quirel-book.json");
    EXPECT_EQ(app::checkBookDirectory(dir), "");
}
