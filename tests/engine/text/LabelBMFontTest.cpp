// CCLabelBMFont with a .fnt and page image written by the test: glyph placement, kerning,
// lines, wrapping, alignment, missing glyphs and damaged font files.
#include <gtest/gtest.h>

#include "engine/text/CCBMFontConfiguration.h"
#include "engine/text/CCLabelBMFont.h"
#include "support/TestSupport.h"
#include "TextTestKit.h"

using namespace engine;
using textkit::Box;
using textkit::Canvas;
using textkit::Image;
using textkit::LogCapture;
using textkit::Rgba;

namespace {

// The test font: solid coloured glyph rectangles so that each glyph is recognisable.
struct Glyph {
    int id, x, y, w, h, xoffset, yoffset, xadvance;
    Rgba colour;
};
const Glyph kA = {'A', 0, 0, 10, 12, 1, 2, 12, {255, 0, 0, 255}};
const Glyph kB = {'B', 10, 0, 8, 12, 0, 2, 10, {0, 255, 0, 255}};
const Glyph kC = {'C', 18, 0, 6, 8, 1, 6, 8, {0, 0, 255, 255}};
const Glyph kE = {0xE9, 24, 0, 8, 12, 0, 2, 9, {255, 255, 0, 255}};  // é
const int kLineHeight = 16;
const int kSpaceAdvance = 6;
const int kKernAB = -2;

std::string charLine(const Glyph& g, int pageY = 0) {
    return "char id=" + std::to_string(g.id) + " x=" + std::to_string(g.x) + " y=" + std::to_string(g.y + pageY) +
           " width=" + std::to_string(g.w) + " height=" + std::to_string(g.h) + " xoffset=" + std::to_string(g.xoffset) +
           " yoffset=" + std::to_string(g.yoffset) + " xadvance=" + std::to_string(g.xadvance) + " page=0 chnl=15\n";
}

std::string fontText(const std::string& page = "page.png", const std::string& common = "") {
    std::string t = "info face=\"Test Font\" size=16 bold=0 italic=0 charset=\"\" unicode=1 padding=0,0,0,0\n";
    t += common.empty() ? "common lineHeight=" + std::to_string(kLineHeight) + " base=14 scaleW=64 scaleH=32 pages=1 packed=0\n"
                        : common + "\n";
    t += "page id=0 file=\"" + page + "\"\n";
    t += "chars count=5\n";
    t += "char id=32 x=0 y=0 width=0 height=0 xoffset=0 yoffset=0 xadvance=" + std::to_string(kSpaceAdvance) + " page=0\n";
    for (const Glyph& g : {kA, kB, kC, kE}) t += charLine(g);
    t += "kernings count=1\nkerning first=65 second=66 amount=" + std::to_string(kKernAB) + "\n";
    return t;
}

class LabelBMFont : public testsupport::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        dir = testsupport::makeTempDir();
        Image page(64, 32);
        for (const Glyph& g : {kA, kB, kC, kE}) page.fill(g.x, g.y, g.w, g.h, g.colour);
        page.savePNG(dir + "/page.png");
        fnt = dir + "/test.fnt";
        testsupport::writeFile(fnt, fontText());
    }
    void TearDown() override {
        CCTextureCache::purgeSharedTextureCache();
        EngineTest::TearDown();
    }
    CCLabelBMFont* at(CCLabelBMFont* label, float x, float y) {
        label->setAnchorPoint(CCPoint(0, 0));
        label->setPosition(CCPoint(x, y));
        return label;
    }
    Box inkOf(const Canvas& c, const Rgba& colour) const {
        return c.ink([&](const Rgba& p) { return textkit::near(p, colour, 10); });
    }
    std::string dir, fnt;
};

}  // namespace

TEST_F(LabelBMFont, GlyphsLandWhereTheirMetricsAndKerningPutThem) {
    Canvas canvas(120, 60);
    CCLabelBMFont* label = at(CCLabelBMFont::create("AB", fnt.c_str()), 20, 20);
    ASSERT_TRUE(label->hasFont());
    EXPECT_EQ(label->getGlyphCount(), 2u);
    const int penB = kA.xadvance + kKernAB;
    EXPECT_TRUE(label->getContentSize().equals(CCSize(float(std::max(penB + kB.xadvance, penB + kB.w)), kLineHeight)));
    canvas.draw(label);

    Box a = inkOf(canvas, kA.colour);
    ASSERT_FALSE(a.empty());
    EXPECT_EQ(a.minX, 20 + kA.xoffset);
    EXPECT_EQ(a.maxY, 20 + kLineHeight - kA.yoffset - 1);
    EXPECT_EQ(a.height(), kA.h);
    Box b = inkOf(canvas, kB.colour);
    ASSERT_FALSE(b.empty());
    EXPECT_EQ(b.minX, 20 + penB + kB.xoffset);
    EXPECT_EQ(b.maxX, 20 + penB + kB.xoffset + kB.w - 1);
    EXPECT_EQ(b.height(), kB.h);
    // Nothing but the two glyphs.
    EXPECT_EQ(canvas.ink().count, a.count + b.count);
}

TEST_F(LabelBMFont, MissingGlyphsAreSkippedWithOneLogLine) {
    LogCapture log;
    Canvas canvas(120, 60);
    CCLabelBMFont* label = at(CCLabelBMFont::create("AZB", fnt.c_str()), 20, 20);
    EXPECT_EQ(label->getGlyphCount(), 2u);
    canvas.draw(label);
    // The skipped glyph takes no room; it does break the A-B kerning pair.
    EXPECT_EQ(inkOf(canvas, kB.colour).minX, 20 + kA.xadvance + kB.xoffset);
    EXPECT_EQ(log.countContaining("cannot draw U+005A"), 1u);
    label->setString("ZZ\xE2\x82\xAC" "C");  // Z, Z, euro sign: none in the font
    EXPECT_EQ(label->getGlyphCount(), 1u);
    EXPECT_EQ(log.countContaining("cannot draw"), 1u);
}

TEST_F(LabelBMFont, Utf8TextPicksTheRightGlyphs) {
    Canvas canvas(80, 40);
    CCLabelBMFont* label = at(CCLabelBMFont::create("\xC3\xA9" "C", fnt.c_str()), 5, 5);
    EXPECT_EQ(label->getGlyphCount(), 2u);
    canvas.draw(label);
    Box e = inkOf(canvas, kE.colour);
    EXPECT_EQ(e.width(), kE.w);
    EXPECT_EQ(inkOf(canvas, kC.colour).minX, 5 + kE.xadvance + kC.xoffset);
}

TEST_F(LabelBMFont, LinesAreLineHeightApart) {
    Canvas canvas(80, 80);
    CCLabelBMFont* label = at(CCLabelBMFont::create("A\nB", fnt.c_str()), 10, 10);
    EXPECT_EQ(label->getLineCount(), 2u);
    EXPECT_FLOAT_EQ(label->getContentSize().height, 2 * kLineHeight);
    canvas.draw(label);
    Box a = inkOf(canvas, kA.colour), b = inkOf(canvas, kB.colour);
    EXPECT_EQ(a.maxY, 10 + 2 * kLineHeight - kA.yoffset - 1);
    EXPECT_EQ(a.maxY - b.maxY, kLineHeight);
    EXPECT_EQ(b.minX, 10 + kB.xoffset);
}

TEST_F(LabelBMFont, WidthWrapsAtSpacesAndAlignmentPlacesTheLines) {
    Canvas canvas(120, 120);
    CCLabelBMFont* label = at(CCLabelBMFont::create("AB AB AB", fnt.c_str(), 30), 20, 20);
    EXPECT_EQ(label->getLineCount(), 3u);
    EXPECT_TRUE(label->getContentSize().equals(CCSize(30, 3 * kLineHeight)));
    canvas.draw(label);
    Box all = canvas.ink();
    EXPECT_GE(all.minX, 20);
    EXPECT_LE(all.maxX, 49);
    EXPECT_EQ(canvas.inkBands(), 3);

    const int lineWidth = kA.xadvance + kKernAB + kB.xadvance;
    label->setString("AB");
    label->setWidth(40);
    label->setAlignment(kCCTextAlignmentRight);
    canvas.draw(label);
    EXPECT_EQ(inkOf(canvas, kA.colour).minX, 20 + (40 - lineWidth) + kA.xoffset);
    label->setAlignment(kCCTextAlignmentCenter);
    canvas.draw(label);
    EXPECT_EQ(inkOf(canvas, kA.colour).minX, 20 + (40 - lineWidth) / 2 + kA.xoffset);
    // Back to automatic width: the box hugs the text again.
    label->setWidth(kCCLabelAutomaticWidth);
    EXPECT_FLOAT_EQ(label->getContentSize().width, float(lineWidth));
}

TEST_F(LabelBMFont, ColourTintsTheGlyphs) {
    Canvas canvas(80, 40);
    CCLabelBMFont* label = at(CCLabelBMFont::create("A", fnt.c_str()), 5, 5);
    label->setColor(ccc3(0, 255, 255));
    canvas.draw(label);
    EXPECT_TRUE(canvas.ink().empty());  // red times cyan is black
    label->setColor(ccc3(128, 255, 255));
    canvas.draw(label);
    Rgba p = canvas.at(5 + kA.xoffset + 2, 5 + kLineHeight - kA.yoffset - 3);
    EXPECT_NEAR(p.r, 128, 3);
    EXPECT_EQ(p.g, 0);
}

TEST_F(LabelBMFont, ImageOffsetShiftsTheGlyphRectangles) {
    Image page(64, 64);
    for (const Glyph& g : {kA, kB}) page.fill(g.x, g.y + 32, g.w, g.h, g.colour);
    page.savePNG(dir + "/low.png");
    testsupport::writeFile(dir + "/low.fnt", fontText("low.png"));
    Canvas canvas(80, 40);
    CCLabelBMFont* plain = at(CCLabelBMFont::create("A", (dir + "/low.fnt").c_str()), 5, 5);
    canvas.draw(plain);
    EXPECT_TRUE(canvas.ink().empty());
    CCLabelBMFont* shifted = at(
        CCLabelBMFont::create("A", (dir + "/low.fnt").c_str(), kCCLabelAutomaticWidth, kCCTextAlignmentLeft, CCPoint(0, 32)),
        5, 5);
    canvas.draw(shifted);
    EXPECT_EQ(inkOf(canvas, kA.colour).count, kA.w * kA.h);
}

TEST_F(LabelBMFont, BadFontFilesGiveAnEmptyLabelAndALogLine) {
    LogCapture log;
    Canvas canvas(80, 40);
    struct Case {
        std::string name, text, expectLog;
    };
    const Case cases[] = {
        {"nan.fnt", fontText("page.png", "common lineHeight=nan base=14 scaleW=64 scaleH=32 pages=1"), "absurd"},
        {"huge.fnt", fontText("page.png", "common lineHeight=99999999999 base=14 pages=1"), "absurd"},
        {"negative.fnt", fontText("page.png", "common lineHeight=-16 base=14 pages=1"), "absurd"},
        {"zero.fnt", fontText("page.png", "common lineHeight=0 base=14 pages=1"), "absurd"},
        {"pages.fnt", fontText("page.png", "common lineHeight=16 base=14 pages=100000"), "absurd"},
        {"nopage.fnt", "common lineHeight=16 base=14\n" + charLine(kA), "names no page"},
        {"nocommon.fnt", "page id=0 file=\"page.png\"\n" + charLine(kA), "no common line"},
        {"missingpage.fnt", fontText("gone.png"), "gone.png"},
        {"openquote.fnt", "common lineHeight=16\npage id=0 file=\"page.png id=1\n" + charLine(kA), "page.png id=1"},
        {"garbage.fnt", std::string("\x89\x01\xFF\xFE binary \0\0 junk", 20), "no common line"},
        {"empty.fnt", "", "no common line"},
    };
    for (const Case& c : cases) {
        testsupport::writeFile(dir + "/" + c.name, c.text);
        log.lines.clear();
        CCLabelBMFont* label = at(CCLabelBMFont::create("AB", (dir + "/" + c.name).c_str()), 5, 5);
        ASSERT_NE(label, nullptr) << c.name;
        EXPECT_FALSE(label->hasFont()) << c.name;
        EXPECT_EQ(label->getGlyphCount(), 0u) << c.name;
        EXPECT_TRUE(label->getContentSize().equals(CCSizeZero)) << c.name;
        EXPECT_TRUE(log.contains(c.expectLog)) << c.name;
        canvas.draw(label);
        EXPECT_TRUE(canvas.ink().empty()) << c.name;
    }
    log.lines.clear();
    CCLabelBMFont* missing = CCLabelBMFont::create("AB", (dir + "/absent.fnt").c_str());
    EXPECT_FALSE(missing->hasFont());
    EXPECT_TRUE(log.contains("absent.fnt"));
}

TEST_F(LabelBMFont, AbsurdGlyphLinesAreDroppedAloneAndTheRestStillDraws) {
    LogCapture log;
    std::string text = fontText();
    // B with a negative width, C far outside its page, é with a non-number.
    text += "char id=66 x=10 y=0 width=-5 height=12 xoffset=0 yoffset=2 xadvance=10 page=0\n";
    text += "char id=67 x=60 y=0 width=30 height=8 xoffset=1 yoffset=6 xadvance=8 page=0\n";
    text += "char id=233 x=24 y=0 width=8 height=1e9 xoffset=0 yoffset=2 xadvance=9 page=0\n";
    text += "kerning first=65 second=66 amount=NaN\n";
    testsupport::writeFile(dir + "/damaged.fnt", text);
    CCBMFontConfiguration config;
    ASSERT_TRUE(config.loadFile(dir + "/damaged.fnt"));
    EXPECT_EQ(config.droppedLines(), 3u);  // B's, é's and the kerning line; C's numbers are in range
    EXPECT_TRUE(log.contains("dropped 2 char, 1 kerning"));

    Canvas canvas(120, 40);
    CCLabelBMFont* label = at(CCLabelBMFont::create("ABC", (dir + "/damaged.fnt").c_str()), 5, 5);
    ASSERT_TRUE(label->hasFont());
    canvas.draw(label);
    // The earlier good lines for B and é still stand; C's rectangle leaves its page: skipped.
    EXPECT_EQ(label->getGlyphCount(), 2u);
    EXPECT_FALSE(inkOf(canvas, kA.colour).empty());
    EXPECT_FALSE(inkOf(canvas, kB.colour).empty());
    EXPECT_TRUE(inkOf(canvas, kC.colour).empty());
}

TEST_F(LabelBMFont, LabelWithoutAFontIgnoresTextUntilOneIsSet) {
    Canvas canvas(80, 40);
    CCLabelBMFont* label = at(CCLabelBMFont::create(), 5, 5);
    label->setString("AB");
    EXPECT_STREQ(label->getString(), "AB");
    EXPECT_EQ(label->getGlyphCount(), 0u);
    canvas.draw(label);
    EXPECT_TRUE(canvas.ink().empty());
    label->setFntFile(fnt.c_str());
    EXPECT_EQ(label->getGlyphCount(), 2u);
    EXPECT_TRUE(label->initWithString("", fnt.c_str()));
    EXPECT_TRUE(label->getContentSize().equals(CCSizeZero));
    label->setString("C");
    canvas.draw(label);
    EXPECT_FALSE(inkOf(canvas, kC.colour).empty());
}
