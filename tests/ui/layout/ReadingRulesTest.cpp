// The reading rules of layout values, version numbers and layout-relative paths, without any widget.
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstring>

#include <gtest/gtest.h>

#include "ui/layout/GUIReader.h"
#include "ui/layout/JsonDictionary.h"
#include "ui/layout/LayoutPaths.h"

using ui::GUIReader;
using ui::JsonDictionary;

namespace {

JsonDictionary parse(const std::string& text) { return GUIReader::parseLayoutText(text.data(), text.size()); }

const char* kMixed = R"({
  "int": 7, "neg": -3, "big": 4294967295, "huge": 1e300, "real": 2.9, "negreal": -2.9, "t": true, "f": false,
  "str": "text", "nul": null, "obj": {"a": 1}, "arr": [1, "two", {"x": 3}, null, [4]], "emptystr": ""
})";

}  // namespace

TEST(JsonDictionaryReads, IntegersAcceptNumbersAndBooleansOnly) {
    JsonDictionary d = parse(kMixed);
    EXPECT_EQ(d.readInt("int"), 7);
    EXPECT_EQ(d.readInt("neg"), -3);
    EXPECT_EQ(d.readInt("real"), 2);      // truncated toward zero
    EXPECT_EQ(d.readInt("negreal"), -2);  // not floored
    EXPECT_EQ(d.readInt("t"), 1);
    EXPECT_EQ(d.readInt("f"), 0);
    // Outside the int range the value saturates instead of failing.
    EXPECT_EQ(d.readInt("big"), INT_MAX);
    EXPECT_EQ(d.readInt("huge"), INT_MAX);
    for (const char* key : {"str", "nul", "obj", "arr", "missing"}) EXPECT_EQ(d.readInt(key), 0) << key;
}

TEST(JsonDictionaryReads, FloatsAcceptNumbersAndBooleansAndRefuseWhatNoFloatHolds) {
    JsonDictionary d = parse(kMixed);
    EXPECT_FLOAT_EQ(d.readFloat("real"), 2.9f);
    EXPECT_FLOAT_EQ(d.readFloat("int"), 7.0f);
    EXPECT_FLOAT_EQ(d.readFloat("big"), 4294967295.0f);
    EXPECT_FLOAT_EQ(d.readFloat("t"), 1.0f);
    EXPECT_EQ(d.readFloat("huge"), 0.0f);  // beyond the float range: the default
    for (const char* key : {"str", "nul", "obj", "arr", "missing"}) EXPECT_EQ(d.readFloat(key), 0.0f) << key;
}

TEST(JsonDictionaryReads, BooleansAcceptOnlyBooleans) {
    JsonDictionary d = parse(kMixed);
    EXPECT_TRUE(d.readBool("t"));
    EXPECT_FALSE(d.readBool("f"));
    EXPECT_FALSE(d.readBool("int"));  // a number is not a boolean
    EXPECT_FALSE(d.readBool("str"));
    EXPECT_FALSE(d.readBool("missing"));
}

TEST(JsonDictionaryReads, StringsAcceptOnlyStrings) {
    JsonDictionary d = parse(kMixed);
    EXPECT_STREQ(d.readString("str"), "text");
    EXPECT_STREQ(d.readString("emptystr"), "");
    EXPECT_EQ(d.readString("int"), nullptr);
    EXPECT_EQ(d.readString("nul"), nullptr);
    EXPECT_EQ(d.readString("missing"), nullptr);
}

TEST(JsonDictionaryReads, PresenceCountsNullValuesAndSubObjectsWrapArraysAndNull) {
    JsonDictionary d = parse(kMixed);
    EXPECT_TRUE(d.hasKey("nul"));
    EXPECT_TRUE(d.hasKey("f"));
    EXPECT_FALSE(d.hasKey("missing"));
    EXPECT_FALSE(d.hasKey(nullptr));

    EXPECT_TRUE(d.subDictionary("obj").isValid());
    EXPECT_EQ(d.subDictionary("obj").readInt("a"), 1);
    EXPECT_TRUE(d.subDictionary("arr").isValid());
    EXPECT_TRUE(d.subDictionary("nul").isValid());
    EXPECT_FALSE(d.subDictionary("int").isValid());
    EXPECT_FALSE(d.subDictionary("str").isValid());
    EXPECT_FALSE(d.subDictionary("missing").isValid());

    // Reads through an array or null wrapper, or through none, give defaults and never abort.
    for (JsonDictionary w : {d.subDictionary("arr"), d.subDictionary("nul"), d.subDictionary("missing")}) {
        EXPECT_EQ(w.readInt("a"), 0);
        EXPECT_FALSE(w.hasKey("a"));
        EXPECT_EQ(w.readString("a"), nullptr);
        EXPECT_EQ(w.arrayCount("a"), 0);
        EXPECT_FALSE(w.subDictionary("a").isValid());
    }
}

TEST(JsonDictionaryReads, ArraysGiveTheirLengthAndTheirElementsByKind) {
    JsonDictionary d = parse(kMixed);
    EXPECT_EQ(d.arrayCount("arr"), 5);
    EXPECT_EQ(d.arrayCount("obj"), 0);
    EXPECT_EQ(d.arrayCount("str"), 0);
    EXPECT_EQ(d.arrayString("arr", 1), std::string("two"));
    EXPECT_EQ(d.arrayString("arr", 0), nullptr);
    EXPECT_EQ(d.arrayString("arr", 5), nullptr);
    EXPECT_EQ(d.arrayString("arr", -1), nullptr);
    EXPECT_EQ(d.arrayObject("arr", 2).readInt("x"), 3);
    EXPECT_TRUE(d.arrayObject("arr", 3).isValid());   // null
    EXPECT_TRUE(d.arrayObject("arr", 4).isValid());   // array
    EXPECT_FALSE(d.arrayObject("arr", 0).isValid());  // a number is no object
    EXPECT_FALSE(d.arrayObject("arr", 9).isValid());
}

TEST(JsonDictionaryReads, SubDictionariesOutliveTheDictionaryTheyCameFrom) {
    JsonDictionary inner;
    {
        JsonDictionary d = parse(R"({"o": {"name": "kept"}})");
        inner = d.subDictionary("o");
    }
    EXPECT_STREQ(inner.readString("name"), "kept");
}

TEST(LayoutParsing, TheTextIsReadLikeTheFilesOfOldToolsAndStopsEarlyWithoutFailing) {
    // Comments and a byte-order mark are accepted, trailing text is ignored.
    JsonDictionary d = parse("\xEF\xBB\xBF{\"a\": 1 /* note */, // line\n \"b\": 2} trailing");
    EXPECT_EQ(d.readInt("a"), 1);
    EXPECT_EQ(d.readInt("b"), 2);
    // A text cut short keeps what was read before the cut.
    JsonDictionary cut = parse(R"({"a": 1, "b": {"c": 2, "d": )");
    EXPECT_EQ(cut.readInt("a"), 1);
    EXPECT_EQ(cut.subDictionary("b").readInt("c"), 2);
    // Nesting past the limit stops the parser; the outer keys survive.
    std::string deep = "{\"a\": 5, \"n\": " + std::string(100000, '[') + std::string(100000, ']') + "}";
    EXPECT_EQ(parse(deep).readInt("a"), 5);
    // Empty text and a root that is no object read as defaults.
    EXPECT_EQ(parse("").readInt("a"), 0);
    EXPECT_FALSE(parse("[1, {\"a\": 1}]").hasKey("a"));
}

TEST(VersionNumbers, FourFieldsMakeOneNumberAndShortTextsGiveZero) {
    EXPECT_EQ(GUIReader::versionToInteger("1.0.0.0"), 1000);
    EXPECT_EQ(GUIReader::versionToInteger("0.2.4.0"), 240);
    EXPECT_EQ(GUIReader::versionToInteger("0.2.5.0"), 250);
    EXPECT_EQ(GUIReader::versionToInteger("1.2.3.4"), 1234);
    EXPECT_EQ(GUIReader::versionToInteger("1.0"), 0);      // shorter than 7
    EXPECT_EQ(GUIReader::versionToInteger("1.0.0."), 0);   // 6 characters
    EXPECT_EQ(GUIReader::versionToInteger("1.0.0.0.9"), 1000);  // the fourth field ends at a dot
    EXPECT_EQ(GUIReader::versionToInteger("2.x.1.7b"), 2017);   // leading digits only
    EXPECT_EQ(GUIReader::versionToInteger("10.11.12.13"), 10000 + 1100 + 120 + 13);
    EXPECT_EQ(GUIReader::versionToInteger("1.0.0abc"), 1000);  // missing fields are 0
    EXPECT_EQ(GUIReader::versionToInteger(nullptr), 0);
    // Absurd fields saturate instead of overflowing.
    EXPECT_EQ(GUIReader::versionToInteger("99999999999.0.0.0"), INT_MAX);
}

TEST(LayoutPaths, NamesJoinTheLayoutFolderAndMustStayInsideTheBook) {
    const std::string book = "/book", folder = "/book/tomeset/";
    EXPECT_EQ(ui::layoutDirectoryOf("/book/tomeset/page.json"), "/book/tomeset/");
    EXPECT_EQ(ui::layoutDirectoryOf("page.json"), "");
    EXPECT_EQ(ui::composeLayoutPath(folder, "res/a.png", book), "/book/tomeset/res/a.png");
    EXPECT_EQ(ui::composeLayoutPath(folder, "../Images/a.png", book), "/book/tomeset/../Images/a.png");
    EXPECT_EQ(ui::composeLayoutPath(folder, "../../etc/passwd", book), "");
    EXPECT_EQ(ui::composeLayoutPath(folder, "res/../../../x.png", book), "");
    EXPECT_EQ(ui::composeLayoutPath(folder, "./a/./../b.png", book), "/book/tomeset/./a/./../b.png");
    EXPECT_EQ(ui::composeLayoutPath(folder, "", book), "");
    EXPECT_EQ(ui::composeLayoutPath(folder, nullptr, book), "");
    // A layout outside the book is held to its own folder.
    EXPECT_EQ(ui::composeLayoutPath("/elsewhere/", "../x.png", "/elsewhere/"), "");
    EXPECT_EQ(ui::composeLayoutPath("/elsewhere/", "x.png", "/elsewhere/"), "/elsewhere/x.png");
}

TEST(LayoutTextParsing, ASyntaxErrorIsReportedWithItsPlaceAndTheReadPartKept) {
    std::string error = "stale";
    JsonDictionary whole = GUIReader::parseLayoutText(kMixed, std::strlen(kMixed), &error);
    EXPECT_EQ(error, "");
    EXPECT_EQ(whole.readInt("int"), 7);

    const std::string cut = std::string(kMixed).substr(0, 60);
    JsonDictionary part = GUIReader::parseLayoutText(cut.data(), cut.size(), &error);
    // The reader goes on with what came before the error, and the report says where it stopped.
    EXPECT_EQ(part.readInt("int"), 7);
    EXPECT_EQ(error.rfind("Line 2, Column ", 0), 0u) << error;
    EXPECT_EQ(error.find('\n'), std::string::npos) << error;

    const std::string garbage = "this is not JSON";
    GUIReader::parseLayoutText(garbage.data(), garbage.size(), &error);
    EXPECT_EQ(error.rfind("Line 1, Column 1: ", 0), 0u) << error;

    const std::string deep = std::string(GUIReader::kMaxJsonDepth + 10, '[');
    GUIReader::parseLayoutText(deep.data(), deep.size(), &error);
    EXPECT_FALSE(error.empty());
}

TEST(LayoutTextParsing, ClassNamesTellWidgetsAndPanelsApart) {
    for (const char* panel : {"Panel", "ScrollView", "PageView", "DragPanel"}) {
        EXPECT_TRUE(GUIReader::classMakesWidget(panel)) << panel;
        EXPECT_TRUE(GUIReader::classMakesPanel(panel)) << panel;
    }
    for (const char* leaf : {"Button", "ImageView", "Label", "TextButton", "Slider"}) {
        EXPECT_TRUE(GUIReader::classMakesWidget(leaf)) << leaf;
        EXPECT_FALSE(GUIReader::classMakesPanel(leaf)) << leaf;
    }
    // Known but never built, unknown, differently spelt, absent.
    for (const char* none : {"ListView", "Sprite", "panel", "", static_cast<const char*>(nullptr)}) {
        EXPECT_FALSE(GUIReader::classMakesWidget(none));
        EXPECT_FALSE(GUIReader::classMakesPanel(none));
    }
}
