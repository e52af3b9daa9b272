// Tests of property-list reading: value mapping, key order, odd and hostile documents, files.
#include "engine/io/CCPropertyList.h"

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/base/CCArray.h"
#include "engine/base/CCAutoreleasePool.h"
#include "engine/base/CCDictionary.h"
#include "engine/base/CCLog.h"
#include "engine/base/CCString.h"
#include "engine/io/CCFileUtils.h"
#include "tests/engine/io/TempFolder.h"

using engine::CCArray;
using engine::CCDictionary;
using engine::CCObject;
using engine::CCPoolManager;
using engine::CCString;
using iotest::TempFolder;

namespace {

// The nesting limit the header promises; deeper containers are dropped.
const int kDepthCap = 512;

struct Releaser {
    void operator()(CCObject* o) const {
        if (o) o->release();
    }
};
using Ref = std::unique_ptr<CCObject, Releaser>;
using DictRef = std::unique_ptr<CCDictionary, Releaser>;

Ref parse(const std::string& text) { return Ref(engine::parsePropertyList(text.data(), text.size())); }

std::string wrap(const std::string& body) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n" + body + "\n</plist>\n";
}

// The text of a string value, or a marker that cannot be mistaken for one.
std::string text(const CCObject* o) {
    if (!o) return "<null>";
    const CCString* s = dynamic_cast<const CCString*>(o);
    return s ? s->str() : "<not a string>";
}

std::string textAt(const CCDictionary* d, const std::string& key) {
    return d ? text(d->objectForKey(key)) : "<no dictionary>";
}

std::vector<std::string> keysOf(const CCDictionary* d) {
    std::vector<std::string> keys;
    for (const auto& e : d->entries()) keys.push_back(e.strKey);
    return keys;
}

std::string repeat(const std::string& s, int n) {
    std::string out;
    out.reserve(s.size() * static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) out += s;
    return out;
}

class PropertyListTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.ok());
        engine::setLogQuiet(true);
        engine::CCFileUtils::purgeFileUtils();
        engine::CCFileUtils::sharedFileUtils()->setResourceRoot(dir.path());
    }
    void TearDown() override {
        CCPoolManager::sharedPoolManager()->pop();
        engine::CCFileUtils::purgeFileUtils();
        engine::setLogQuiet(false);
    }

    TempFolder dir;
};

const char* const kEveryKind = R"PL(<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE plist SYSTEM "plist.dtd">
<plist version="1.0">
<dict>
  <key>title</key><string>Unit 1 &amp; more</string>
  <key>count</key><integer>-42</integer>
  <key>ratio</key><real>0.125</real>
  <key>yes</key><true/>
  <key>no</key><false/>
  <key>when</key><date>2013-05-01T12:00:00Z</date>
  <key>blob</key><data>
    SGVsbG8=
  </data>
  <key>list</key>
  <array>
    <string>first</string>
    <integer>2</integer>
    <dict><key>inner</key><string>deep</string></dict>
    <array><string>x</string><array/></array>
    <false/>
  </array>
  <key>empty</key><dict/>
  <key>blank</key><string></string>
</dict>
</plist>
)PL";

TEST_F(PropertyListTest, EveryValueKindMapsToContainersAndStrings) {
    Ref root = parse(kEveryKind);
    auto* d = dynamic_cast<CCDictionary*>(root.get());
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->count(), 10u);

    EXPECT_EQ(textAt(d, "title"), "Unit 1 & more");
    EXPECT_EQ(textAt(d, "count"), "-42");
    EXPECT_EQ(d->valueForKey("count")->intValue(), -42);
    EXPECT_EQ(textAt(d, "ratio"), "0.125");
    EXPECT_FLOAT_EQ(d->valueForKey("ratio")->floatValue(), 0.125f);
    EXPECT_EQ(textAt(d, "yes"), "1");
    EXPECT_TRUE(d->valueForKey("yes")->boolValue());
    EXPECT_EQ(textAt(d, "no"), "0");
    EXPECT_FALSE(d->valueForKey("no")->boolValue());
    EXPECT_EQ(textAt(d, "when"), "2013-05-01T12:00:00Z");
    EXPECT_EQ(textAt(d, "blob"), "\n    SGVsbG8=\n  ") << "data stays as its base64 text";
    EXPECT_EQ(textAt(d, "blank"), "");

    auto* empty = dynamic_cast<CCDictionary*>(d->objectForKey("empty"));
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(empty->count(), 0u);

    auto* list = dynamic_cast<CCArray*>(d->objectForKey("list"));
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->count(), 5u);
    EXPECT_EQ(text(list->objectAtIndex(0)), "first");
    EXPECT_EQ(text(list->objectAtIndex(1)), "2");
    EXPECT_EQ(textAt(dynamic_cast<CCDictionary*>(list->objectAtIndex(2)), "inner"), "deep");
    auto* pair = dynamic_cast<CCArray*>(list->objectAtIndex(3));
    ASSERT_NE(pair, nullptr);
    ASSERT_EQ(pair->count(), 2u);
    EXPECT_EQ(text(pair->objectAtIndex(0)), "x");
    auto* innermost = dynamic_cast<CCArray*>(pair->objectAtIndex(1));
    ASSERT_NE(innermost, nullptr);
    EXPECT_EQ(innermost->count(), 0u);
    EXPECT_EQ(text(list->objectAtIndex(4)), "0");
}

TEST_F(PropertyListTest, ResultIsOwnedByTheCallerAndChildrenByTheirContainers) {
    const size_t pendingBefore = CCPoolManager::sharedPoolManager()->pendingCount();
    Ref root = parse(kEveryKind);
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(CCPoolManager::sharedPoolManager()->pendingCount(), pendingBefore)
        << "nothing of a parsed tree waits in the autorelease pool";
    EXPECT_EQ(root->retainCount(), 1u);
    auto* d = static_cast<CCDictionary*>(root.get());
    for (const auto& e : d->entries()) EXPECT_EQ(e.object->retainCount(), 1u) << e.strKey;
    auto* list = static_cast<CCArray*>(d->objectForKey("list"));
    for (CCObject* o : *list) EXPECT_EQ(o->retainCount(), 1u);
}

TEST_F(PropertyListTest, FileRoundTripThroughBothEntryPoints) {
    dir.write("String.xml", kEveryKind);
    DictRef d(engine::readPropertyListDictionary("String.xml"));
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->count(), 10u);
    EXPECT_EQ(textAt(d.get(), "title"), "Unit 1 & more");
    EXPECT_EQ(d->retainCount(), 1u);

    DictRef byPath(engine::readPropertyListDictionary(dir.file("String.xml")));
    ASSERT_NE(byPath, nullptr);
    EXPECT_EQ(keysOf(byPath.get()), keysOf(d.get()));

    // The engine's own entry point hands the dictionary to the pool instead.
    const size_t pendingBefore = CCPoolManager::sharedPoolManager()->pendingCount();
    CCDictionary* pooled = CCDictionary::createWithContentsOfFile("String.xml");
    ASSERT_NE(pooled, nullptr);
    EXPECT_EQ(textAt(pooled, "when"), "2013-05-01T12:00:00Z");
    EXPECT_EQ(CCPoolManager::sharedPoolManager()->pendingCount(), pendingBefore + 1);
}

TEST_F(PropertyListTest, KeysKeepDocumentOrder) {
    Ref root = parse(wrap("<dict><key>zebra</key><string>1</string><key>apple</key><string>2</string>"
                          "<key>mango</key><dict/><key>10</key><string>3</string>"
                          "<key>9</key><string>4</string></dict>"));
    auto* d = dynamic_cast<CCDictionary*>(root.get());
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(keysOf(d), (std::vector<std::string>{"zebra", "apple", "mango", "10", "9"}));
    CCArray* keys = d->allKeys();
    ASSERT_EQ(keys->count(), 5u);
    EXPECT_EQ(text(keys->objectAtIndex(0)), "zebra");
    EXPECT_EQ(text(keys->objectAtIndex(4)), "9");
}

TEST_F(PropertyListTest, ScalarTextIsKeptAsWritten) {
    Ref root = parse(wrap("<dict>"
                          "<key>spaces</key><string>   </string>"
                          "<key>padded</key><string>  two  words  </string>"
                          "<key>cdata</key><string><![CDATA[<b>bold</b> & co]]></string>"
                          "<key>split</key><string>ab<!-- note -->cd<![CDATA[ef]]></string>"
                          "<key>entities</key><string>&lt;&gt;&quot;&apos;&#233;&#x263A;</string>"
                          "<key>lines</key><string>one\ntwo\n</string>"
                          "<key>num</key><integer> 7 </integer>"
                          "<key>attr</key><string lang=\"en\">hello</string>"
                          "<key></key><string>empty key</string>"
                          "</dict>"));
    auto* d = dynamic_cast<CCDictionary*>(root.get());
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(textAt(d, "spaces"), "   ");
    EXPECT_EQ(textAt(d, "padded"), "  two  words  ");
    EXPECT_EQ(textAt(d, "cdata"), "<b>bold</b> & co");
    EXPECT_EQ(textAt(d, "split"), "abcdef");
    EXPECT_EQ(textAt(d, "entities"), "<>\"'\xc3\xa9\xe2\x98\xba");
    EXPECT_EQ(textAt(d, "lines"), "one\ntwo\n");
    EXPECT_EQ(textAt(d, "num"), " 7 ");
    EXPECT_EQ(d->valueForKey("num")->intValue(), 7);
    EXPECT_EQ(textAt(d, "attr"), "hello");
    EXPECT_EQ(textAt(d, ""), "empty key");
}

TEST_F(PropertyListTest, OddDictionaryContentKeepsTheReadablePart) {
    {
        SCOPED_TRACE("duplicate keys: the last value wins, the first position stays");
        Ref root = parse(wrap("<dict><key>a</key><string>1</string><key>b</key><string>2</string>"
                              "<key>a</key><string>3</string></dict>"));
        auto* d = dynamic_cast<CCDictionary*>(root.get());
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(keysOf(d), (std::vector<std::string>{"a", "b"}));
        EXPECT_EQ(textAt(d, "a"), "3");
        EXPECT_EQ(textAt(d, "b"), "2");
    }
    {
        SCOPED_TRACE("keys without values are skipped");
        Ref root = parse(wrap("<dict><key>lonely</key><key>b</key><string>2</string>"
                              "<key>trailing</key></dict>"));
        auto* d = dynamic_cast<CCDictionary*>(root.get());
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(keysOf(d), (std::vector<std::string>{"b"}));
        EXPECT_EQ(textAt(d, "b"), "2");
    }
    {
        SCOPED_TRACE("values without keys are skipped");
        Ref root = parse(wrap("<dict><string>orphan</string><key>a</key><string>1</string>"
                              "<integer>5</integer><array/><key>c</key><true/></dict>"));
        auto* d = dynamic_cast<CCDictionary*>(root.get());
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(keysOf(d), (std::vector<std::string>{"a", "c"}));
        EXPECT_EQ(textAt(d, "a"), "1");
        EXPECT_EQ(textAt(d, "c"), "1");
    }
    {
        SCOPED_TRACE("an unknown element is an unreadable value: it uses up its key");
        Ref root = parse(wrap("<dict><key>a</key><mystery>x</mystery><string>orphan</string>"
                              "<key>b</key><string>2</string><unknown/><key>c</key>"
                              "<Dict><key>z</key><string>z</string></Dict></dict>"));
        auto* d = dynamic_cast<CCDictionary*>(root.get());
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(keysOf(d), (std::vector<std::string>{"b"}));
    }
}

TEST_F(PropertyListTest, OddArrayContentKeepsTheReadablePart) {
    Ref root = parse(wrap("<array><string>1</string><bogus>no</bogus><key>k</key>"
                          "<string>2</string><!-- c --><?pi x?><dict/></array>"));
    auto* a = dynamic_cast<CCArray*>(root.get());
    ASSERT_NE(a, nullptr);
    ASSERT_EQ(a->count(), 3u);
    EXPECT_EQ(text(a->objectAtIndex(0)), "1");
    EXPECT_EQ(text(a->objectAtIndex(1)), "2");
    EXPECT_NE(dynamic_cast<CCDictionary*>(a->objectAtIndex(2)), nullptr);
}

TEST_F(PropertyListTest, TopLevelShapes) {
    {
        SCOPED_TRACE("a bare dict without the plist wrapper");
        Ref root = parse("<dict><key>a</key><string>1</string></dict>");
        EXPECT_EQ(textAt(dynamic_cast<CCDictionary*>(root.get()), "a"), "1");
    }
    {
        SCOPED_TRACE("unknown elements before the value inside plist");
        Ref root = parse(wrap("<meta/><array><string>v</string></array><dict/>"));
        auto* a = dynamic_cast<CCArray*>(root.get());
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(text(a->objectAtIndex(0)), "v");
    }
    {
        SCOPED_TRACE("a single scalar");
        EXPECT_EQ(text(parse(wrap("<string>solo</string>")).get()), "solo");
        EXPECT_EQ(text(parse(wrap("<true/>")).get()), "1");
    }
    {
        SCOPED_TRACE("not a dictionary at the top of a file");
        dir.write("array.plist", wrap("<array><string>v</string></array>"));
        dir.write("scalar.plist", wrap("<string>solo</string>"));
        EXPECT_EQ(engine::readPropertyListDictionary("array.plist"), nullptr);
        EXPECT_EQ(engine::readPropertyListDictionary("scalar.plist"), nullptr);
        EXPECT_EQ(CCDictionary::createWithContentsOfFile("array.plist"), nullptr);
    }
}

TEST_F(PropertyListTest, DocumentsThatAreNotPropertyListsGiveNull) {
    const std::string bad[] = {
        "",
        "hello",
        "{\"json\": true}",
        "<html><body/></html>",
        "<plist></plist>",
        "<plist><mystery/></plist>",
        "<plist><key>a</key></plist>",
        "<plist><dict></plist>",
        "<plist><dict><key>a</key><string>1</dict></plist>",
        "<dict><key>a</key>",
        "<?xml version=\"1.0\"?>",
        "<!-- only a comment -->",
        "<plist><dict/></plist",
        "</plist>",
        std::string("\x00\x01\x02<plist>\xff", 11),
        repeat("<array>", 100000),
    };
    for (const std::string& doc : bad) {
        EXPECT_EQ(parse(doc), nullptr) << doc.substr(0, 60);
    }
    EXPECT_EQ(engine::parsePropertyList(nullptr, 10), nullptr);
    const char* valid = "<dict/>";
    EXPECT_EQ(engine::parsePropertyList(valid, 0), nullptr);
}

TEST_F(PropertyListTest, MissingEmptyAndUnreadableFilesGiveNull) {
    dir.write("empty.xml", "");
    dir.write("junk.xml", "not xml at all");
    dir.write("folder.xml/inside", "x");
    for (const char* name : {"missing.xml", "empty.xml", "junk.xml", "folder.xml", ""}) {
        EXPECT_EQ(engine::readPropertyListDictionary(name), nullptr) << name;
        EXPECT_EQ(CCDictionary::createWithContentsOfFile(name), nullptr) << name;
    }
    EXPECT_EQ(CCDictionary::createWithContentsOfFile(nullptr), nullptr);

    // A name resolves against the resource root only.
    dir.write("book/String.xml", wrap("<dict><key>k</key><string>v</string></dict>"));
    EXPECT_EQ(engine::readPropertyListDictionary("String.xml"), nullptr);
    engine::CCFileUtils::sharedFileUtils()->setResourceRoot(dir.file("book"));
    DictRef d(engine::readPropertyListDictionary("String.xml"));
    EXPECT_EQ(textAt(d.get(), "k"), "v");
}

TEST_F(PropertyListTest, EveryTruncationIsNullOrTheWholeDictionary) {
    const std::string full = wrap("<dict><key>a</key><string>x &amp; y</string><key>n</key><integer>3</integer>"
                                  "<key>l</key><array><true/><dict><key>d</key><date>2001</date></dict></array>"
                                  "<key>z</key><![CDATA[c]]><data>QQ==</data></dict>");
    Ref whole = parse(full);
    auto* wholeDict = dynamic_cast<CCDictionary*>(whole.get());
    ASSERT_NE(wholeDict, nullptr);
    ASSERT_EQ(wholeDict->count(), 4u);

    size_t accepted = 0;
    for (size_t n = 0; n < full.size(); ++n) {
        const std::string prefix = full.substr(0, n);
        // Exactly n bytes on the heap, so reading past the end is caught by sanitizers.
        std::vector<char> exact(prefix.begin(), prefix.end());
        Ref r(engine::parsePropertyList(exact.data(), exact.size()));
        if (r) {
            ++accepted;
            auto* d = dynamic_cast<CCDictionary*>(r.get());
            ASSERT_NE(d, nullptr) << "prefix of " << n << " bytes";
            EXPECT_EQ(keysOf(d), keysOf(wholeDict)) << "prefix of " << n << " bytes";
        }
        dir.write("cut.xml", prefix);
        DictRef f(engine::readPropertyListDictionary("cut.xml"));
        EXPECT_EQ(f != nullptr, r != nullptr) << "prefix of " << n << " bytes";
    }
    // Only prefixes that still hold the closing </plist> can be accepted.
    EXPECT_LE(accepted, 1u);
}

TEST_F(PropertyListTest, DeepNestingIsCappedWithoutExhaustingTheStack) {
    const int kDeep = 100000;
    {
        SCOPED_TRACE("arrays");
        Ref root = parse(wrap(repeat("<array>", kDeep) + repeat("</array>", kDeep)));
        ASSERT_NE(root, nullptr);
        int depth = 0;
        for (CCObject* o = root.get(); o; ++depth) {
            auto* a = dynamic_cast<CCArray*>(o);
            ASSERT_NE(a, nullptr);
            ASSERT_LE(a->count(), 1u);
            o = a->objectAtIndex(0);
        }
        EXPECT_EQ(depth, kDepthCap);
    }
    {
        SCOPED_TRACE("dictionaries");
        Ref root = parse(wrap(repeat("<dict><key>k</key>", kDeep) + repeat("</dict>", kDeep)));
        ASSERT_NE(root, nullptr);
        int depth = 0;
        for (CCObject* o = root.get(); o; ++depth) {
            auto* d = dynamic_cast<CCDictionary*>(o);
            ASSERT_NE(d, nullptr);
            ASSERT_LE(d->count(), 1u);
            o = d->objectForKey("k");
        }
        EXPECT_EQ(depth, kDepthCap);
    }
    {
        SCOPED_TRACE("what follows a deep branch is still read");
        dir.write("deep.xml", wrap("<dict><key>deep</key>" + repeat("<array><string>s</string>", kDeep) +
                                   repeat("</array>", kDeep) + "<key>after</key><string>kept</string></dict>"));
        DictRef d(engine::readPropertyListDictionary("deep.xml"));
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(keysOf(d.get()), (std::vector<std::string>{"deep", "after"}));
        EXPECT_EQ(textAt(d.get(), "after"), "kept");
        auto* top = dynamic_cast<CCArray*>(d->objectForKey("deep"));
        ASSERT_NE(top, nullptr);
        EXPECT_EQ(text(top->objectAtIndex(0)), "s");
    }
}

TEST_F(PropertyListTest, LargeTableReadsWholeAndInOrder) {
    // Keys in a scrambled order, so neither sorting nor hashing can pass for document order.
    const unsigned kCount = 200000;
    auto keyAt = [&](unsigned i) { return "str" + std::to_string((i * 7919u) % kCount); };
    std::string body = "<dict>\n";
    for (unsigned i = 0; i < kCount; ++i)
        body += "  <key>" + keyAt(i) + "</key><string>sentence " + std::to_string(i) + "</string>\n";
    body += "</dict>";
    dir.write("Stringstr.xml", wrap(body));

    DictRef d(engine::readPropertyListDictionary("Stringstr.xml"));
    ASSERT_NE(d, nullptr);
    ASSERT_EQ(d->count(), kCount);
    const auto& entries = d->entries();
    for (unsigned i = 0; i < kCount; ++i) {
        ASSERT_EQ(entries[i].strKey, keyAt(i)) << "entry " << i;
    }
    for (unsigned i : {0u, 1u, kCount / 2, kCount - 1}) {
        EXPECT_EQ(textAt(d.get(), keyAt(i)), "sentence " + std::to_string(i));
    }
}

TEST_F(PropertyListTest, NulAndNonUtf8BytesNeverCrash) {
    {
        SCOPED_TRACE("bytes that are not UTF-8 pass through unchanged");
        Ref root = parse(wrap("<dict><key>k\xff</key><string>\xff\xfe\x80 caf\xe9</string></dict>"));
        auto* d = dynamic_cast<CCDictionary*>(root.get());
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(textAt(d, "k\xff"), "\xff\xfe\x80 caf\xe9");
    }
    {
        SCOPED_TRACE("a declared single-byte encoding is converted to UTF-8");
        Ref root = parse("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>"
                         "<plist><dict><key>caf\xe9</key><string>\xe9t\xe9</string></dict></plist>");
        EXPECT_EQ(textAt(dynamic_cast<CCDictionary*>(root.get()), "caf\xc3\xa9"), "\xc3\xa9t\xc3\xa9");
    }
    {
        SCOPED_TRACE("NUL bytes: XML has no such character, so the text ends there");
        const std::string clean = wrap("<dict><key>a</key><string>xy</string><key>b</key><string>2</string></dict>");
        Ref whole = parse(clean);
        ASSERT_NE(whole, nullptr);
        const std::vector<std::string> allKeys = keysOf(static_cast<CCDictionary*>(whole.get()));
        for (size_t at = 0; at < clean.size(); ++at) {
            std::string doc = clean;
            doc[at] = '\0';
            Ref r = parse(doc);
            if (!r) continue;
            auto* d = dynamic_cast<CCDictionary*>(r.get());
            ASSERT_NE(d, nullptr) << "NUL at " << at;
            EXPECT_EQ(keysOf(d), allKeys) << "NUL at " << at;
        }
        std::string inside = clean;
        inside.replace(inside.find("xy"), 2, std::string("x\0y", 3));
        EXPECT_EQ(parse(inside), nullptr);
        dir.write("nul.xml", inside);
        EXPECT_EQ(engine::readPropertyListDictionary("nul.xml"), nullptr);

        // Padding after the document, as some tools write it, does not matter.
        dir.write("padded.xml", clean + std::string(16, '\0'));
        DictRef padded(engine::readPropertyListDictionary("padded.xml"));
        ASSERT_NE(padded, nullptr);
        EXPECT_EQ(keysOf(padded.get()), allKeys);
    }
}

TEST_F(PropertyListTest, Utf16DocumentWithByteOrderMarkIsRead) {
    const std::string utf8 = wrap("<dict><key>word</key><string>caf\xc3\xa9</string></dict>");
    // UTF-16LE by hand: the document is ASCII apart from one e-acute (U+00E9).
    std::string utf16 = "\xff\xfe";
    for (size_t i = 0; i < utf8.size(); ++i) {
        if (utf8.compare(i, 2, "\xc3\xa9") == 0) {
            utf16 += std::string("\xe9\x00", 2);
            ++i;
        } else {
            utf16 += utf8[i];
            utf16 += '\0';
        }
    }
    // The declaration says UTF-8 but the byte order mark wins.
    Ref root = parse(utf16);
    EXPECT_EQ(textAt(dynamic_cast<CCDictionary*>(root.get()), "word"), "caf\xc3\xa9");
}

}  // namespace

// The engine-free text reader must find exactly the strings the dictionary reader hands out, or
// the book check and the reader would disagree about a string table.
TEST_F(PropertyListTest, TextsAgreeWithTheDictionaryReader) {
    const std::vector<std::string> documents = {
        kEveryKind,
        wrap("<dict><key>a</key><string>1</string><key>b</key><string>2</string>"
             "<key>a</key><string>3</string></dict>"),
        wrap("<dict><key>lonely</key><key>b</key><string>2</string><key>trailing</key></dict>"),
        wrap("<dict><string>orphan</string><key>a</key><string>1</string>"
             "<integer>5</integer><array/><key>c</key><true/></dict>"),
        wrap("<dict><key>a</key><mystery>x</mystery><string>orphan</string>"
             "<key>b</key><string>2</string><unknown/><key>c</key>"
             "<Dict><key>z</key><string>z</string></Dict></dict>"),
        wrap("<dict><key>a</key><string>first</string><key>a</key><dict/>"
             "<key>b</key><array/><key>b</key><string>later</string>"
             "<key>c</key><string>kept</string><key>c</key><mystery/></dict>"),
        "<dict><key>bare</key><string><![CDATA[x]]>y</string></dict>",
    };
    for (size_t i = 0; i < documents.size(); ++i) {
        SCOPED_TRACE("document " + std::to_string(i));
        const std::string path = dir.write("table.xml", documents[i]);
        DictRef d(engine::readPropertyListDictionary(path));
        ASSERT_NE(d, nullptr);
        std::map<std::string, std::string> expected, texts;
        for (const auto& e : d->entries())
            if (const CCString* s = dynamic_cast<const CCString*>(e.object)) expected[e.strKey] = s->str();
        std::string problem;
        ASSERT_TRUE(engine::readPropertyListTexts(path, &texts, &problem)) << problem;
        EXPECT_EQ(texts, expected);
    }
}

TEST_F(PropertyListTest, TextsOfFilesThatHoldNoTableSayWhy) {
    dir.write("empty.xml", "");
    dir.write("junk.xml", "not xml at all");
    dir.write("folder.xml/inside", "x");
    dir.write("list.xml", wrap("<array><string>1</string></array>"));
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"missing.xml", "is missing"},
        {"empty.xml", "is empty"},
        {"junk.xml", "is not a property list"},
        {"folder.xml", "cannot be read"},
        {"list.xml", "holds no <dict> at the top"},
    };
    for (const auto& [name, why] : cases) {
        std::map<std::string, std::string> texts = {{"stale", "value"}};
        std::string problem;
        EXPECT_FALSE(engine::readPropertyListTexts(dir.file(name), &texts, &problem)) << name;
        EXPECT_NE(problem.find(why), std::string::npos) << name << ": " << problem;
        EXPECT_TRUE(texts.empty()) << name;
    }
}
