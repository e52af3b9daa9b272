// CCScale9Sprite drawn by the headless host: unscaled corners, rotated sheet frames, tinting, and bad input on screen.
#include <cmath>
#include <sstream>
#include <utility>

#include "Scale9TestKit.h"
#include "engine/scene/CCNode.h"
#include "engine/sprites/CCSpriteFrameCache.h"

using namespace engine;
using ui::CCScale9Sprite;
using namespace nine;

namespace {

const ccColor4B kRed{255, 0, 0, 255}, kGreen{0, 255, 0, 255}, kBlue{0, 0, 255, 255}, kYellow{255, 255, 0, 255},
    kMagenta{255, 0, 255, 255}, kCentreGrey{200, 200, 200, 255};

// A 30 x 30 frame in thirds. Each corner has its own colour and a 2 x 2 magenta mark two
// pixels in from its outer corner; each edge has two bands across its stretch direction; the
// centre is grey. A corner that were scaled would move its mark; an edge stretched the wrong
// way would move its band boundary.
const int kSide = 30, kThird = 10;
ccColor4B framed(int x, int y) {
    int col = x / kThird, row = y / kThird;
    int fromLeft = x, fromRight = kSide - 1 - x, fromTop = y, fromBottom = kSide - 1 - y;
    auto mark = [](int a, int b) { return (a == 2 || a == 3) && (b == 2 || b == 3); };
    if (row == 0 && col == 0) return mark(fromLeft, fromTop) ? kMagenta : kRed;
    if (row == 0 && col == 2) return mark(fromRight, fromTop) ? kMagenta : kGreen;
    if (row == 2 && col == 0) return mark(fromLeft, fromBottom) ? kMagenta : kBlue;
    if (row == 2 && col == 2) return mark(fromRight, fromBottom) ? kMagenta : kYellow;
    if (row == 0) return y % kThird < 5 ? ccColor4B{255, 128, 0, 255} : ccColor4B{128, 64, 0, 255};
    if (row == 2) return y % kThird < 5 ? ccColor4B{128, 0, 255, 255} : ccColor4B{64, 0, 128, 255};
    if (col == 0) return x % kThird < 5 ? ccColor4B{0, 128, 128, 255} : ccColor4B{0, 64, 64, 255};
    if (col == 2) return x % kThird < 5 ? ccColor4B{128, 128, 0, 255} : ccColor4B{64, 64, 0, 255};
    return kCentreGrey;
}

// A 45 x 30 image of 3 x 3 blocks, each block its own colour, none of them black or magenta.
// Probing block centres keeps the checks clear of filtering, which blends neighbouring texels
// when a slice is stretched, and of half-texel rounding in the rasteriser.
const int kGradW = 45, kGradH = 30, kBlock = 3;
ccColor4B blockColour(int bx, int by) {
    return ccColor4B{uint8_t(40 + bx * 12), uint8_t(40 + by * 20), uint8_t(255 - (bx + by) * 6), 255};
}
ccColor4B gradient(int x, int y) { return blockColour(x / kBlock, y / kBlock); }

// Where image point (u, v) (y down) lands in a box at (x, y) of w x h whose image is cut by
// the borders L, T, R, B: borders keep their size, the middle takes what is left.
CCPoint whereImagePointLands(float u, float v, float x, float y, float w, float h, float L, float T, float R,
                             float B) {
    const float midW = kGradW - L - R, midH = kGradH - T - B;
    float ox = u < L ? u : u < L + midW ? L + (u - L) * (w - L - R) / midW : w - (kGradW - u);
    float oy = v < T ? v : v < T + midH ? T + (v - T) * (h - T - B) / midH : h - (kGradH - v);
    return CCPoint(x + ox, y + h - oy);
}

// A 64 x 96 sheet: "turned.png", the gradient stored a quarter turn clockwise in the 30 x 45 area
// at (10, 5); "plain.png", the same image upright at (0, 55); magenta everywhere else, so that a
// slice reading one texel too far shows.
const int kTurnedX = 10, kTurnedY = 5, kPlainX = 0, kPlainY = 55;
ccColor4B sheetPixel(int x, int y) {
    if (x >= kTurnedX && x < kTurnedX + kGradH && y >= kTurnedY && y < kTurnedY + kGradW) {
        // Turning clockwise sends image pixel (c, r) to (height - 1 - r, c) of the area.
        int c = y - kTurnedY, r = kGradH - 1 - (x - kTurnedX);
        return gradient(c, r);
    }
    if (x >= kPlainX && x < kPlainX + kGradW && y >= kPlainY && y < kPlainY + kGradH)
        return gradient(x - kPlainX, y - kPlainY);
    return kMagenta;
}

std::string sheetPlist() {
    auto rect = [](int x, int y, int w, int h) {
        std::ostringstream o;
        o << "{{" << x << "," << y << "},{" << w << "," << h << "}}";
        return o.str();
    };
    auto kv = [](const std::string& k, const std::string& v) {
        return "<key>" + k + "</key><string>" + v + "</string>";
    };
    std::string size = "{" + std::to_string(kGradW) + "," + std::to_string(kGradH) + "}";
    std::ostringstream o;
    o << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>\n<key>frames</key><dict>\n"
      << "<key>turned.png</key><dict>" << kv("frame", rect(kTurnedX, kTurnedY, kGradW, kGradH))
      << kv("offset", "{0,0}") << "<key>rotated</key><true/>" << kv("sourceSize", size) << "</dict>\n"
      << "<key>plain.png</key><dict>" << kv("frame", rect(kPlainX, kPlainY, kGradW, kGradH))
      << kv("offset", "{0,0}") << "<key>rotated</key><false/>" << kv("sourceSize", size) << "</dict>\n"
      << "</dict>\n<key>metadata</key><dict><key>format</key><integer>2</integer>"
      << kv("textureFileName", "sheet.png") << "</dict>\n</dict></plist>\n";
    return o.str();
}

class Scale9Drawing : public Scale9Test {
protected:
    // Places s with its bottom-left corner at (x, y) and size w x h.
    static CCScale9Sprite* place(CCScale9Sprite* s, float x, float y, float w, float h) {
        s->setAnchorPoint(CCPoint(0, 0));
        s->setPosition(CCPoint(x, y));
        s->setPreferredSize(CCSize(w, h));
        return s;
    }

    // Every pixel of the frame outside the box (x, y, w, h) is background.
    static void expectNothingOutside(const Frame& f, int x, int y, int w, int h) {
        int stray = 0;
        for (int py = 0; py < f.h; ++py)
            for (int qx = 0; qx < f.w; ++qx) {
                bool inside = qx >= x && qx < x + w && py >= y && py < y + h;
                if (!inside && !near(f.at(qx, py), kBackground, 0) && ++stray <= 3)
                    ADD_FAILURE() << "drawn outside the box at (" << qx << ", " << py << "): " << str(f.at(qx, py));
            }
        EXPECT_EQ(stray, 0);
    }

    void loadSheet() {
        writePNG("sheets/sheet.png", 64, 96, sheetPixel);
        testsupport::writeFile(dir + "/sheets/sheet.plist", sheetPlist());
        CCSpriteFrameCache::sharedSpriteFrameCache()->addSpriteFramesWithFile("sheets/sheet.plist");
        ASSERT_TRUE(CCSpriteFrameCache::sharedSpriteFrameCache()->hasSpriteFrame("turned.png"));
        ASSERT_TRUE(CCSpriteFrameCache::sharedSpriteFrameCache()->spriteFrameByName("turned.png")->isRotated());
    }
};

}  // namespace

// --- stretching --------------------------------------------------------------------------------

TEST_F(Scale9Drawing, StretchedTo300By100TheCornersKeepTheirPixels) {
    writePNG("framed.png", kSide, kSide, framed);
    CCScale9Sprite* s = CCScale9Sprite::create("framed.png");
    ASSERT_NE(s, nullptr);
    const int W = 300, H = 100, x0 = 50, y0 = 100, x1 = x0 + W, y1 = y0 + H;
    // Centred on its position, as a new nine-slice sprite is.
    s->setPreferredSize(CCSize(W, H));
    s->setPosition(CCPoint(x0 + W / 2.f, y0 + H / 2.f));
    show(s);
    Frame f = grab();

    // Corners: every pixel exactly where it was in the image, counted from its own corner.
    for (int iy = 0; iy < kThird; ++iy)
        for (int ix = 0; ix < kThird; ++ix) {
            const int farIx = kSide - 1 - ix, farIy = kSide - 1 - iy;
            EXPECT_TRUE(near(f.at(x0 + ix, y1 - 1 - iy), framed(ix, iy), 0)) << "top left " << ix << "," << iy;
            EXPECT_TRUE(near(f.at(x1 - 1 - ix, y1 - 1 - iy), framed(farIx, iy), 0)) << "top right " << ix << "," << iy;
            EXPECT_TRUE(near(f.at(x0 + ix, y0 + iy), framed(ix, farIy), 0)) << "bottom left " << ix << "," << iy;
            EXPECT_TRUE(near(f.at(x1 - 1 - ix, y0 + iy), framed(farIx, farIy), 0))
                << "bottom right " << ix << "," << iy;
        }

    // Edges: each image row (or column) of an edge fills the whole stretched length, one pixel
    // high (or wide), so the bands stay where they were across the stretch.
    for (int x = x0 + kThird; x < x1 - kThird; x += 7)
        for (int i = 0; i < kThird; ++i) {
            EXPECT_TRUE(near(f.at(x, y1 - 1 - i), framed(15, i), 0)) << "top edge x " << x << " row " << i;
            EXPECT_TRUE(near(f.at(x, y0 + i), framed(15, kSide - 1 - i), 0)) << "bottom edge x " << x << " row " << i;
        }
    for (int y = y0 + kThird; y < y1 - kThird; y += 3)
        for (int i = 0; i < kThird; ++i) {
            EXPECT_TRUE(near(f.at(x0 + i, y), framed(i, 15), 0)) << "left edge y " << y << " column " << i;
            EXPECT_TRUE(near(f.at(x1 - 1 - i, y), framed(kSide - 1 - i, 15), 0)) << "right edge y " << y << " column " << i;
        }

    // Centre: all of it, and nothing else.
    int notGrey = 0;
    for (int y = y0 + kThird; y < y1 - kThird; ++y)
        for (int x = x0 + kThird; x < x1 - kThird; ++x)
            if (!near(f.at(x, y), kCentreGrey, 0)) ++notGrey;
    EXPECT_EQ(notGrey, 0);
    expectNothingOutside(f, x0, y0, W, H);
}

TEST_F(Scale9Drawing, AtItsNaturalSizeItIsTheImage) {
    writePNG("framed.png", kSide, kSide, framed);
    CCScale9Sprite* s = place(CCScale9Sprite::create(CCRect(4, 7, 19, 13), "framed.png"), 20, 30, kSide, kSide);
    show(s);
    Frame f = grab();
    for (int iy = 0; iy < kSide; ++iy)
        for (int ix = 0; ix < kSide; ++ix)
            ASSERT_TRUE(near(f.at(20 + ix, 30 + kSide - 1 - iy), framed(ix, iy), 0)) << ix << "," << iy;
    expectNothingOutside(f, 20, 30, kSide, kSide);
}

// --- rotated sheet frames ------------------------------------------------------------------------

TEST_F(Scale9Drawing, ARotatedFrameDrawsTheUprightImage) {
    ASSERT_NO_FATAL_FAILURE(loadSheet());
    const int x0 = 20, y0 = 40;
    CCScale9Sprite* s = place(CCScale9Sprite::createWithSpriteFrameName("turned.png"), x0, y0, kGradW, kGradH);
    ASSERT_NE(s, nullptr);
    EXPECT_TRUE(s->isSourceRotated());
    EXPECT_TRUE(same(s->getSourceSize(), CCSize(kGradW, kGradH)));
    EXPECT_TRUE(same(s->getSliceInsets(), CCRect(15, 10, 15, 10)));
    for (int tag : kAllSlices) EXPECT_TRUE(slice(s, tag)->isTextureRectRotated());
    show(s);
    Frame f = grab();
    for (int by = 0; by < kGradH / kBlock; ++by)
        for (int bx = 0; bx < kGradW / kBlock; ++bx) {
            const int px = x0 + bx * kBlock + 1, py = y0 + kGradH - 1 - (by * kBlock + 1);
            EXPECT_TRUE(near(f.at(px, py), blockColour(bx, by), 0)) << "block " << bx << "," << by;
        }
    int magenta = 0;
    for (int y = y0; y < y0 + kGradH; ++y)
        for (int x = x0; x < x0 + kGradW; ++x)
            if (near(f.at(x, y), kMagenta, 0)) ++magenta;
    EXPECT_EQ(magenta, 0) << "a slice read texels outside its frame";
    expectNothingOutside(f, x0, y0, kGradW, kGradH);
}

TEST_F(Scale9Drawing, RotatedAndUprightFramesStretchAlikeWithUnevenBorders) {
    ASSERT_NO_FATAL_FAILURE(loadSheet());
    const int W = 170, H = 110, y = 100;
    const float left = 6, top = 3, right = 12, bottom = 6;
    CCNode* both = CCNode::create();
    const std::pair<const char*, int> frames[] = {{"plain.png", 10}, {"turned.png", 200}};
    for (auto [name, x] : frames) {
        CCScale9Sprite* s = place(CCScale9Sprite::createWithSpriteFrameName(name), float(x), float(y), W, H);
        ASSERT_NE(s, nullptr) << name;
        s->setLeftInset(left);
        s->setTopInset(top);
        s->setRightInset(right);
        s->setBottomInset(bottom);
        // Borders are those of the image as shown, whichever way the sheet stores it.
        EXPECT_TRUE(same(s->getSliceInsets(), CCRect(left, top, kGradW - left - right, kGradH - top - bottom)))
            << name;
        EXPECT_TRUE(same(s->getContentSize(), CCSize(W, H))) << name;
        both->addChild(s);
    }
    show(both);
    Frame f = grab();
    for (auto [name, x] : frames) {
        int wrong = 0;
        for (int by = 0; by < kGradH / kBlock; ++by)
            for (int bx = 0; bx < kGradW / kBlock; ++bx) {
                CCPoint p = whereImagePointLands(bx * kBlock + 1.5f, by * kBlock + 1.5f, float(x), float(y), W, H,
                                                 left, top, right, bottom);
                ccColor4B got = f.at(int(std::floor(p.x)), int(std::floor(p.y)));
                if (!near(got, blockColour(bx, by), 0) && ++wrong <= 3)
                    ADD_FAILURE() << name << " block " << bx << "," << by << " at " << str(p) << ": " << str(got);
            }
        EXPECT_EQ(wrong, 0) << name;
        int magenta = 0;
        for (int dy = 0; dy < H; ++dy)
            for (int dx = 0; dx < W; ++dx)
                if (near(f.at(x + dx, y + dy), kMagenta, 0)) ++magenta;
        EXPECT_EQ(magenta, 0) << name << ": a slice read texels outside its frame";
    }
}

// --- colour and opacity --------------------------------------------------------------------------

TEST_F(Scale9Drawing, ColourAndOpacityBeforeAnImageAreDropped) {
    solidPNG("white.png", kSide, kSide, kWhite);
    CCScale9Sprite* s = CCScale9Sprite::create();
    s->setColor(ccc3(255, 0, 0));
    s->setOpacity(100);
    s->setOpacityModifyRGB(true);
    EXPECT_EQ(s->getColor(), ccWHITE);
    EXPECT_EQ(s->getOpacity(), 255);
    EXPECT_FALSE(s->isOpacityModifyRGB());

    s->initWithFile("white.png");
    for (int tag : kAllSlices) {
        EXPECT_EQ(slice(s, tag)->getColor(), ccWHITE) << "slice " << tag;
        EXPECT_EQ(slice(s, tag)->getOpacity(), 255) << "slice " << tag;
    }
    place(s, 100, 100, 90, 60);
    show(s);
    for (auto [x, y] : {std::pair{102, 102}, std::pair{145, 130}, std::pair{187, 157}, std::pair{145, 157}})
        EXPECT_TRUE(near(px(float(x), float(y)), kWhite)) << x << "," << y;
}

TEST_F(Scale9Drawing, ColourAndOpacityTintEverySliceAndSurviveNewCuts) {
    solidPNG("white.png", kSide, kSide, kWhite);
    solidPNG("other.png", 24, 24, kWhite);
    CCScale9Sprite* s = place(CCScale9Sprite::create("white.png"), 100, 100, 90, 60);
    show(s);
    // One probe in each of the nine regions of the 90 x 60 box (borders 10).
    const std::pair<int, int> probes[] = {{102, 157}, {145, 157}, {187, 157}, {102, 130}, {145, 130},
                                          {187, 130}, {102, 102}, {145, 102}, {187, 102}};
    auto expectAll = [&](ccColor4B want, const char* when) {
        redraw();
        for (auto [x, y] : probes) EXPECT_TRUE(near(px(float(x), float(y)), want)) << when << " at " << x << "," << y;
    };
    expectAll(kWhite, "untinted");

    s->setColor(ccc3(255, 0, 0));
    EXPECT_EQ(s->getColor(), ccc3(255, 0, 0));
    expectAll(kRed, "red");
    s->setOpacity(128);
    EXPECT_EQ(s->getOpacity(), 128);
    for (int tag : kAllSlices) EXPECT_EQ(slice(s, tag)->getDisplayedOpacity(), 128) << "slice " << tag;
    const ccColor4B halfRed{128, 0, 0, 255};
    expectAll(halfRed, "half red over black");

    s->setCapInsets(CCRect(3, 3, 24, 24));
    expectAll(halfRed, "after new insets");
    s->initWithFile("other.png");
    place(s, 100, 100, 90, 60);
    expectAll(halfRed, "after a new image");
    EXPECT_EQ(s->getColor(), ccc3(255, 0, 0));
    EXPECT_EQ(s->getOpacity(), 128);
}

TEST_F(Scale9Drawing, AParentThatCascadesTintsTheImage) {
    solidPNG("white.png", kSide, kSide, kWhite);
    CCNodeRGBA* parent = CCNodeRGBA::create();
    parent->setCascadeColorEnabled(true);
    parent->setCascadeOpacityEnabled(true);
    CCScale9Sprite* s = place(CCScale9Sprite::create("white.png"), 100, 100, 90, 60);
    parent->addChild(s);
    show(parent);
    EXPECT_TRUE(near(px(145, 130), kWhite));
    parent->setColor(ccc3(0, 255, 0));
    EXPECT_EQ(s->getColor(), ccc3(0, 255, 0));
    redraw();
    EXPECT_TRUE(near(px(145, 130), kGreen));
    EXPECT_TRUE(near(px(102, 102), kGreen));
    parent->setOpacity(0);
    EXPECT_EQ(s->getOpacity(), 0);
    redraw();
    EXPECT_TRUE(near(px(145, 130), kBackground));
}

// --- bad input on screen -------------------------------------------------------------------------

TEST_F(Scale9Drawing, AMissingImageDrawsNothing) {
    CCScale9Sprite* s = place(CCScale9Sprite::create("missing.png"), 100, 100, 120, 60);
    s->setColor(ccc3(255, 0, 0));
    show(s);
    Frame f = grab();
    expectNothingOutside(f, 0, 0, 0, 0);
}

TEST_F(Scale9Drawing, InsetsLargerThanTheImageStillFillJustTheBox) {
    writePNG("grad.png", kGradW, kGradH, gradient);
    const int x0 = 100, y0 = 80, W = 150, H = 90;
    // Fitted into the image the centre becomes (9, 6, 36, 24): no right column, no bottom row.
    CCScale9Sprite* s = place(CCScale9Sprite::create(CCRect(9, 6, 100, 100), "grad.png"), x0, y0, W, H);
    EXPECT_TRUE(same(s->getSliceInsets(), CCRect(9, 6, kGradW - 9, kGradH - 6)));
    show(s);
    Frame f = grab();
    int holes = 0;
    for (int y = y0; y < y0 + H; ++y)
        for (int x = x0; x < x0 + W; ++x)
            if (near(f.at(x, y), kBackground, 0) && ++holes <= 3) ADD_FAILURE() << "not drawn at " << x << "," << y;
    EXPECT_EQ(holes, 0);
    expectNothingOutside(f, x0, y0, W, H);
    for (int by = 0; by < kGradH / kBlock; ++by)
        for (int bx = 0; bx < kGradW / kBlock; ++bx) {
            CCPoint p = whereImagePointLands(bx * kBlock + 1.5f, by * kBlock + 1.5f, x0, y0, W, H, 9, 6, 0, 0);
            EXPECT_TRUE(near(f.at(int(std::floor(p.x)), int(std::floor(p.y))), blockColour(bx, by), 0))
                << "block " << bx << "," << by << " at " << str(p);
        }
}
