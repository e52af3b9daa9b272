// UILabelAtlas and UILabelBMFont: character cells and bitmap-font glyphs on screen, size adaptation, and bad maps and fonts.
#include "LeafWidgetKit.h"

using namespace engine;
using namespace leaf;
using ui::UILabelAtlas;
using ui::UILabelBMFont;

namespace {

// Cell i of the digit map ('0' + i) is filled with this colour.
ccColor4B cellColour(int i) { return ccColor4B{uint8_t(20 + i * 23), uint8_t(200 - i * 15), uint8_t(60 + i * 19), 255}; }

class LabelAtlas : public LeafTest {
protected:
    // Ten 10 x 20 cells in one row, '0' to '9'.
    std::string digits() { return writePNG("digits.png", 100, 20, [](int x, int) { return cellColour(x / 10); }); }
};

TEST_F(LabelAtlas, StartsEmptyAndDrawsNothing) {
    UILabelAtlas* label = UILabelAtlas::create();
    ASSERT_NE(label, nullptr);
    EXPECT_STREQ(label->getTypeName(), "LabelAtlas");
    EXPECT_NE(dynamic_cast<ui::UICCLabelAtlas*>(label->getRendererNode()), nullptr);
    EXPECT_TRUE(sizeIs(label->getSize(), 0, 0));
    stage(label, 200, 150);
    EXPECT_TRUE(near(px(200, 150), kBlack));
}

TEST_F(LabelAtlas, DrawsEachCharacterFromItsCellCentredOnThePosition) {
    UILabelAtlas* label = UILabelAtlas::create();
    label->setAtlasProperties("102", digits().c_str(), 10, 20, "0");
    EXPECT_TRUE(sizeIs(label->getSize(), 30, 20));
    EXPECT_STREQ(label->getStringValue(), "102");
    stage(label, 200, 150);
    // The string spans x 185..215, y 140..160.
    EXPECT_TRUE(near(px(189, 150), cellColour(1)));
    EXPECT_TRUE(near(px(199, 150), cellColour(0)));
    EXPECT_TRUE(near(px(210, 150), cellColour(2)));
    EXPECT_TRUE(near(px(218, 150), kBlack));
    EXPECT_TRUE(near(px(200, 163), kBlack));
}

TEST_F(LabelAtlas, SizeFollowsTheStringAndStretchesToAFixedSize) {
    UILabelAtlas* label = UILabelAtlas::create();
    label->setAtlasProperties("12", digits().c_str(), 10, 20, "0");
    label->setStringValue("12345");
    EXPECT_TRUE(sizeIs(label->getSize(), 50, 20));
    label->setIgnoreSize(false);
    label->setSize(CCSize(100, 40));
    EXPECT_FLOAT_EQ(label->getRendererNode()->getScaleX(), 2.0f);
    EXPECT_FLOAT_EQ(label->getRendererNode()->getScaleY(), 2.0f);
    label->setIgnoreSize(true);
    EXPECT_FLOAT_EQ(label->getRendererNode()->getScaleX(), 1.0f);
    EXPECT_TRUE(sizeIs(label->getSize(), 50, 20));
}

TEST_F(LabelAtlas, AnEmptyStringDrawsNothing) {
    UILabelAtlas* label = UILabelAtlas::create();
    label->setAtlasProperties("", digits().c_str(), 10, 20, "0");
    EXPECT_EQ(label->getAtlasRenderer()->getQuadsToDraw(), 0u);
    EXPECT_TRUE(sizeIs(label->getSize(), 0, 20));
    stage(label, 200, 150);
    EXPECT_TRUE(near(px(200, 150), kBlack));
}

TEST_F(LabelAtlas, WithoutAStartCharacterNothingChanges) {
    UILabelAtlas* label = UILabelAtlas::create();
    label->setAtlasProperties("12", digits().c_str(), 10, 20, "0");
    label->setAtlasProperties("999", digits().c_str(), 10, 20, "");
    label->setAtlasProperties("999", digits().c_str(), 10, 20, nullptr);
    label->setAtlasProperties("999", nullptr, 10, 20, "0");
    EXPECT_STREQ(label->getStringValue(), "12");
    EXPECT_TRUE(sizeIs(label->getSize(), 20, 20));
}

TEST_F(LabelAtlas, CharactersOutsideTheMapLeaveTheirCellEmpty) {
    UILabelAtlas* label = UILabelAtlas::create();
    label->setAtlasProperties("1a2", digits().c_str(), 10, 20, "0");
    EXPECT_TRUE(sizeIs(label->getSize(), 30, 20));
    EXPECT_EQ(label->getAtlasRenderer()->getQuadsToDraw(), 2u);
    stage(label, 200, 150);
    EXPECT_TRUE(near(px(189, 150), cellColour(1)));
    EXPECT_TRUE(near(px(199, 150), kBlack));
    EXPECT_TRUE(near(px(210, 150), cellColour(2)));
}

TEST_F(LabelAtlas, AStartCharacterAbove127Works) {
    UILabelAtlas* label = UILabelAtlas::create();
    label->setAtlasProperties("\xC2\xC1", digits().c_str(), 10, 20, "\xC0");
    EXPECT_EQ(label->getAtlasRenderer()->getStartChar(), 0xC0u);
    stage(label, 200, 150);
    EXPECT_TRUE(near(px(194, 150), cellColour(2)));
    EXPECT_TRUE(near(px(205, 150), cellColour(1)));
}

TEST_F(LabelAtlas, AMissingMapOrAbsurdCellsDrawNothing) {
    UILabelAtlas* label = UILabelAtlas::create();
    label->setAtlasProperties("12", "no-such-map.png", 10, 20, "0");
    EXPECT_TRUE(sizeIs(label->getSize(), 20, 20));
    UILabelAtlas* negative = UILabelAtlas::create();
    negative->setAtlasProperties("12", digits().c_str(), -10, -20, "0");
    EXPECT_TRUE(sizeIs(negative->getSize(), 0, 0));
    stage(label, 200, 150);
    EXPECT_TRUE(near(px(200, 150), kBlack));
}

// --- bitmap-font label -----------------------------------------------------------------

struct Glyph {
    int id, x, y, w, h, xoffset, yoffset, xadvance;
    ccColor4B colour;
};
const Glyph kA = {'A', 0, 0, 10, 12, 0, 2, 12, kRed};
const Glyph kB = {'B', 10, 0, 8, 12, 0, 2, 10, kGreen};

std::string fontText() {
    std::string t = "info face=\"Leaf\" size=16\ncommon lineHeight=16 base=14 scaleW=32 scaleH=16 pages=1\n";
    t += "page id=0 file=\"glyphs.png\"\nchars count=2\n";
    for (const Glyph& g : {kA, kB})
        t += "char id=" + std::to_string(g.id) + " x=" + std::to_string(g.x) + " y=" + std::to_string(g.y) +
             " width=" + std::to_string(g.w) + " height=" + std::to_string(g.h) + " xoffset=" +
             std::to_string(g.xoffset) + " yoffset=" + std::to_string(g.yoffset) + " xadvance=" +
             std::to_string(g.xadvance) + " page=0\n";
    return t;
}

class LabelBMFont : public LeafTest {
protected:
    std::string font() {
        writePNG("glyphs.png", 32, 16, [](int x, int y) {
            for (const Glyph& g : {kA, kB})
                if (x >= g.x && x < g.x + g.w && y >= g.y && y < g.y + g.h) return g.colour;
            return kClear;
        });
        testsupport::writeFile(dir + "/leaf.fnt", fontText());
        return dir + "/leaf.fnt";
    }
};

TEST_F(LabelBMFont, ATextBeforeTheFontFileIsIgnored) {
    UILabelBMFont* label = UILabelBMFont::create();
    ASSERT_NE(label, nullptr);
    EXPECT_STREQ(label->getTypeName(), "LabelBMFont");
    label->setText("AB");
    EXPECT_STREQ(label->getStringValue(), "");
    EXPECT_FALSE(label->isFontFileSet());
    label->setFontFile(font().c_str());
    EXPECT_TRUE(label->isFontFileSet());
    label->setText("AB");
    EXPECT_STREQ(label->getStringValue(), "AB");
}

TEST_F(LabelBMFont, SizeFollowsTheTextAfterEachChange) {
    UILabelBMFont* label = UILabelBMFont::create();
    label->setFontFile(font().c_str());
    label->setText("A");
    const CCSize one = label->getSize();
    EXPECT_GT(one.width, 0);
    EXPECT_TRUE(one.equals(label->getFontRenderer()->getContentSize()));
    label->setText("ABAB");
    EXPECT_GT(label->getSize().width, one.width);
    EXPECT_TRUE(label->getSize().equals(label->getFontRenderer()->getContentSize()));
    label->setIgnoreSize(false);
    label->setSize(CCSize(label->getContentSize().width * 2, label->getContentSize().height * 3));
    EXPECT_FLOAT_EQ(label->getRendererNode()->getScaleX(), 2.0f);
    EXPECT_FLOAT_EQ(label->getRendererNode()->getScaleY(), 3.0f);
}

TEST_F(LabelBMFont, DrawsItsGlyphs) {
    UILabelBMFont* label = UILabelBMFont::create();
    label->setAnchorPoint(CCPoint(0, 0));
    label->setFontFile(font().c_str());
    label->setText("AB");
    EXPECT_TRUE(label->getRendererNode()->getAnchorPoint().equals(CCPoint(0, 0)));
    stage(label, 100, 100);
    // Line of height 16 from y 100; glyphs 2 below its top, A at x 100..110, B at 112..120.
    EXPECT_TRUE(near(px(105, 107), kRed));
    EXPECT_TRUE(near(px(116, 107), kGreen));
    EXPECT_TRUE(near(px(130, 107), kBlack));
}

TEST_F(LabelBMFont, AMissingOrEmptyFontFileNeverBreaksTheLabel) {
    UILabelBMFont* label = UILabelBMFont::create();
    label->setFontFile("");
    label->setFontFile(nullptr);
    EXPECT_FALSE(label->isFontFileSet());
    label->setFontFile("no-such-font.fnt");
    label->setText("AB");
    EXPECT_EQ(label->getFontRenderer()->getGlyphCount(), 0u);
    stage(label, 100, 100);
    EXPECT_TRUE(near(px(100, 100), kBlack));
    // A real font afterwards works.
    label->setFontFile(font().c_str());
    label->setText("A");
    EXPECT_EQ(label->getFontRenderer()->getGlyphCount(), 1u);
}

}  // namespace
