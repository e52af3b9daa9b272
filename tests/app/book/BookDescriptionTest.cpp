// The description file: what a valid one gives, the defaults, a written one read back, and every
// kind of mistake reported at its line and column, several in one reading.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/book/BookDescription.h"
#include "support/TestSupport.h"

using app::BookDescription;

namespace {

std::vector<std::string> errorsOf(const std::string& text) {
    BookDescription d;
    std::vector<std::string> errors;
    EXPECT_FALSE(app::parseBookDescription(text, "book.json", &d, &errors)) << text;
    return errors;
}

// True when one of the messages starts with `where` and holds `what`.
bool reports(const std::vector<std::string>& errors, const std::string& where, const std::string& what) {
    for (const std::string& e : errors)
        if (e.rfind(where, 0) == 0 && e.find(what) != std::string::npos) return true;
    return false;
}

std::string joined(const std::vector<std::string>& errors) {
    std::string all;
    for (const std::string& e : errors) all += e + "\n";
    return all;
}

}  // namespace

TEST(BookDescription, AFullDescriptionGivesItsUnitsAndWordListAndReadsBackAsWritten) {
    const std::string text = R"({
  "format": 1, "title": "At the Zoo", "author": "Class 2B", "language": "de", "pages": 12,
  "units": [ { "title": "Animals", "first": 1, "last": 4 }, { "title": "Food", "first": 6, "last": 12 } ],
  "wordList": [ { "title": "A-M", "first": 10 }, { "title": "N-Z", "first": 11 } ]
})";
    BookDescription d;
    std::vector<std::string> errors;
    ASSERT_TRUE(app::parseBookDescription(text, "book.json", &d, &errors)) << joined(errors);
    EXPECT_EQ(d.title, "At the Zoo");
    EXPECT_EQ(d.author, "Class 2B");
    EXPECT_EQ(d.language, "de");
    EXPECT_EQ(d.pageCount, 12);
    ASSERT_EQ(d.units.size(), 2u);
    EXPECT_EQ(d.units[1].title, "Food");
    EXPECT_EQ(d.units[1].firstPage, 6);
    EXPECT_EQ(d.units[1].lastPage, 12);
    ASSERT_EQ(d.wordList.size(), 2u);
    EXPECT_EQ(d.wordList[1].firstPage, 11);

    BookDescription again;
    ASSERT_TRUE(app::parseBookDescription(app::writeBookDescription(d), "again.json", &again, &errors));
    EXPECT_EQ(again.title, d.title);
    EXPECT_EQ(again.author, d.author);
    EXPECT_EQ(again.language, d.language);
    EXPECT_EQ(again.pageCount, d.pageCount);
    ASSERT_EQ(again.units.size(), 2u);
    EXPECT_EQ(again.units[0].lastPage, 4);
    ASSERT_EQ(again.wordList.size(), 2u);
    EXPECT_EQ(again.wordList[0].title, "A-M");
}

TEST(BookDescription, WithoutUnitsOneUnitHoldsEveryPageUnderTheBooksTitle) {
    BookDescription d;
    std::vector<std::string> errors;
    ASSERT_TRUE(app::parseBookDescription(R"({"title": "Één bladzijde", "pages": 1})", "b.json", &d, &errors));
    EXPECT_EQ(d.language, "en");
    ASSERT_EQ(d.units.size(), 1u);
    EXPECT_EQ(d.units[0].title, "Één bladzijde");
    EXPECT_EQ(d.units[0].firstPage, 1);
    EXPECT_EQ(d.units[0].lastPage, 1);
    ASSERT_TRUE(app::parseBookDescription(R"({"title": "Big", "pages": 999})", "b.json", &d, &errors));
    EXPECT_EQ(d.units[0].lastPage, 999);
}

TEST(BookDescription, EachMistakeIsReportedAtItsLineAndColumn) {
    // Line and column point at the offending value.
    auto e = errorsOf("{\n  \"title\": \"T\",\n  \"pages\": 0\n}");
    EXPECT_TRUE(reports(e, "book.json:3:12:", "page count from 1 to 999")) << joined(e);
    e = errorsOf(R"({"title": "T", "pages": 1000})");
    EXPECT_TRUE(reports(e, "book.json:1:25:", "from 1 to 999")) << joined(e);
    e = errorsOf(R"({"pages": 3})");
    EXPECT_TRUE(reports(e, "book.json:1:1:", "'title' is missing")) << joined(e);
    e = errorsOf(R"({"title": "T"})");
    EXPECT_TRUE(reports(e, "book.json:1:1:", "'pages' (the page count) is missing")) << joined(e);
    e = errorsOf(R"({"title": 7, "pages": 3})");
    EXPECT_TRUE(reports(e, "book.json:1:11:", "'title' must be text")) << joined(e);
    e = errorsOf(R"({"title": "T", "pages": 3, "colour": "red"})");
    EXPECT_TRUE(reports(e, "book.json:1:38:", "unknown key 'colour'")) << joined(e);
    e = errorsOf(R"({"format": 2, "title": "T", "pages": 3})");
    EXPECT_TRUE(reports(e, "book.json:1:12:", "newer than this quirel reads")) << joined(e);
    e = errorsOf(R"({"title": "T", "pages": 3, "language": ""})");
    EXPECT_TRUE(reports(e, "book.json:1:", "'language' is empty")) << joined(e);
    // Text must be UTF-8, or it would not read back as written (a fuzzing find).
    e = errorsOf("{\"title\": \"One\xba\xb9\xb9\xbb" "F\", \"pages\": 1}");
    EXPECT_TRUE(reports(e, "book.json:1:11:", "'title' is not UTF-8 text")) << joined(e);
    e = errorsOf("{\"title\": \"Cut \xc3\", \"pages\": 1}");
    EXPECT_TRUE(reports(e, "book.json:1:", "not UTF-8")) << joined(e);
    e = errorsOf("{\"title\": \"Overlong \xc0\xaf\", \"pages\": 1}");
    EXPECT_TRUE(reports(e, "book.json:1:", "not UTF-8")) << joined(e);
    e = errorsOf("{\"title\": \"Surrogate \xed\xa0\x80\", \"pages\": 1}");
    EXPECT_TRUE(reports(e, "book.json:1:", "not UTF-8")) << joined(e);
    e = errorsOf("[1, 2]");
    EXPECT_TRUE(reports(e, "book.json:1:1:", "one JSON object")) << joined(e);
    e = errorsOf("{\n  \"title\": \"T\",,\n}");
    EXPECT_TRUE(reports(e, "book.json:2:", "")) << joined(e);
    EXPECT_FALSE(e.empty());
    e = errorsOf(R"({"title": "T", "title": "U", "pages": 2})");
    EXPECT_FALSE(e.empty());
    e = errorsOf("");
    EXPECT_FALSE(e.empty());
}

TEST(BookDescription, UnitsAndSectionsMustLieInsideTheBookInOrderWithoutOverlap) {
    const std::string head = R"({"title": "T", "pages": 10, )";
    auto e = errorsOf(head + R"("units": [{"title": "A", "first": 1, "last": 11}]})");
    EXPECT_TRUE(reports(e, "book.json:1:", "'last' is page 11, outside the book's pages 1 to 10")) << joined(e);
    e = errorsOf(head + R"("units": [{"title": "A", "first": 0, "last": 3}]})");
    EXPECT_TRUE(reports(e, "book.json:1:", "'first' is page 0")) << joined(e);
    e = errorsOf(head + R"("units": [{"title": "A", "first": 5, "last": 3}]})");
    EXPECT_TRUE(reports(e, "book.json:1:", "ends on page 3 before it starts on page 5")) << joined(e);
    e = errorsOf(head + R"("units": [{"title": "A", "first": 1, "last": 5}, {"title": "B", "first": 5, "last": 9}]})");
    EXPECT_TRUE(reports(e, "book.json:1:", "unit 'B' starts on page 5, inside or before")) << joined(e);
    e = errorsOf(head + R"("units": []})");
    EXPECT_TRUE(reports(e, "book.json:1:", "1 to 20 units, not 0")) << joined(e);
    std::string many = head + R"("units": [)";
    for (int i = 0; i < 21; ++i) many += std::string(i ? "," : "") + R"({"title": "U", "first": 1, "last": 1})";
    e = errorsOf(many + "]}");
    EXPECT_TRUE(reports(e, "book.json:1:", "1 to 20 units, not 21")) << joined(e);
    e = errorsOf(head + R"("units": [{"title": "A", "first": 1.5, "last": 2}]})");
    EXPECT_TRUE(reports(e, "book.json:1:", "'first' must be a whole page number")) << joined(e);
    e = errorsOf(head + R"("units": [{"title": "A", "first": 1, "last": 2, "colour": 1}]})");
    EXPECT_TRUE(reports(e, "book.json:1:", "unknown key 'colour' in a unit")) << joined(e);
    e = errorsOf(head + R"("wordList": [{"title": "A", "first": 6}, {"title": "B", "first": 6}]})");
    EXPECT_TRUE(reports(e, "book.json:1:", "'B' is not after the one before it")) << joined(e);
    e = errorsOf(head + R"("wordList": [{"title": "A", "first": 12}]})");
    EXPECT_TRUE(reports(e, "book.json:1:", "'first' is page 12")) << joined(e);
}

TEST(BookDescription, SeveralMistakesAreAllReportedInOneReading) {
    auto e = errorsOf(R"({"title": 1, "pages": 10, "extra": true,
  "units": [{"title": "A", "first": 4, "last": 2}, {"first": 3, "last": 30}]})");
    EXPECT_GE(e.size(), 4u) << joined(e);
    EXPECT_TRUE(reports(e, "book.json:1:", "'title' must be text"));
    EXPECT_TRUE(reports(e, "book.json:1:", "unknown key 'extra'"));
    EXPECT_TRUE(reports(e, "book.json:2:", "before it starts"));
    EXPECT_TRUE(reports(e, "book.json:2:", "'last' is page 30"));
}

TEST(BookDescription, AFolderWithoutOneIsTheCourseBookAndABrokenFileIsNamed) {
    const std::string dir = testsupport::makeTempDir();
    BookDescription d;
    bool present = true;
    std::vector<std::string> errors;
    EXPECT_FALSE(app::readBookDescription(dir, &d, &present, &errors));
    EXPECT_FALSE(present);
    EXPECT_TRUE(errors.empty());

    const std::string path = dir + "/quirel-book.json";
    testsupport::writeFile(path, R"({"title": "Zoo", "pages": 3})");
    ASSERT_TRUE(app::readBookDescription(dir, &d, &present, &errors));
    EXPECT_TRUE(present);
    EXPECT_EQ(d.pageCount, 3);

    testsupport::writeFile(path, "{\"title\": \"Zoo\",\n \"pages\": \"three\"}");
    EXPECT_FALSE(app::readBookDescription(dir, &d, &present, &errors));
    EXPECT_TRUE(present);
    EXPECT_TRUE(reports(errors, path + ":2:11:", "page count")) << joined(errors);

    errors.clear();
    std::filesystem::remove(path);
    std::filesystem::create_directory(path);
    EXPECT_FALSE(app::readBookDescription(dir, &d, &present, &errors));
    EXPECT_TRUE(present);
    EXPECT_TRUE(reports(errors, path, "not a regular file")) << joined(errors);

    errors.clear();
    std::filesystem::remove(path);
    std::ofstream(path) << std::string(2 << 20, ' ');
    EXPECT_FALSE(app::readBookDescription(dir, &d, &present, &errors));
    EXPECT_TRUE(reports(errors, path, "larger than a description can be")) << joined(errors);
}
