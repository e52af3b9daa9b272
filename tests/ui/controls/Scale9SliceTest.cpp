// CCScale9Sprite without looking at pixels: how images are cut, how slices are placed, and bad input.
#include <cmath>

#include "Scale9TestKit.h"
#include "engine/sprites/CCSpriteFrame.h"

using namespace engine;
using ui::CCScale9Sprite;
using namespace nine;

namespace {

const ccColor4B kGrey{200, 200, 200, 255};

class Scale9Slicing : public Scale9Test {
protected:
    void SetUp() override {
        Scale9Test::SetUp();
        solidPNG("square.png", 30, 30, kGrey);
        solidPNG("wide.png", 40, 20, kGrey);
        solidPNG("sheet.png", 64, 64, kGrey);
    }

    // The size of every slice, in the grid order top-left .. bottom-right, from the three column
    // widths and the three row heights.
    void expectGrid(CCScale9Sprite* s, const float cols[3], const float rows[3]) {
        const int grid[3][3] = {
            {CCScale9Sprite::kSliceTopLeft, CCScale9Sprite::kSliceTop, CCScale9Sprite::kSliceTopRight},
            {CCScale9Sprite::kSliceLeft, CCScale9Sprite::kSliceCentre, CCScale9Sprite::kSliceRight},
            {CCScale9Sprite::kSliceBottomLeft, CCScale9Sprite::kSliceBottom, CCScale9Sprite::kSliceBottomRight}};
        for (int row = 0; row < 3; ++row)
            for (int col = 0; col < 3; ++col) {
                CCSprite* piece = slice(s, grid[row][col]);
                ASSERT_NE(piece, nullptr) << "slice " << grid[row][col];
                EXPECT_TRUE(same(piece->getContentSize(), CCSize(cols[col], rows[row])))
                    << "row " << row << " column " << col;
            }
    }

    // Every slice's texture rectangle lies inside the source rectangle and none is negative.
    void expectSlicesInsideSource(CCScale9Sprite* s) {
        const CCRect& src = s->getSourceRect();
        for (int tag : kAllSlices) {
            CCSprite* piece = slice(s, tag);
            ASSERT_NE(piece, nullptr);
            const CCRect& r = piece->getTextureRect();
            EXPECT_GE(r.size.width, 0) << "slice " << tag;
            EXPECT_GE(r.size.height, 0) << "slice " << tag;
            EXPECT_GE(r.getMinX(), src.getMinX()) << "slice " << tag << " " << str(r);
            EXPECT_GE(r.getMinY(), src.getMinY()) << "slice " << tag << " " << str(r);
            EXPECT_LE(r.getMaxX(), src.getMaxX()) << "slice " << tag << " " << str(r);
            EXPECT_LE(r.getMaxY(), src.getMaxY()) << "slice " << tag << " " << str(r);
        }
    }

    // Nothing in the placed slices is a NaN or an infinity.
    void expectFiniteLayout(CCScale9Sprite* s) {
        for (int tag : kAllSlices) {
            CCSprite* piece = slice(s, tag);
            ASSERT_NE(piece, nullptr);
            EXPECT_TRUE(std::isfinite(piece->getPositionX()) && std::isfinite(piece->getPositionY()))
                << "slice " << tag << " at " << str(piece->getPosition());
            EXPECT_TRUE(std::isfinite(piece->getScaleX()) && std::isfinite(piece->getScaleY()))
                << "slice " << tag << " scaled " << piece->getScaleX() << ", " << piece->getScaleY();
        }
    }
};

}  // namespace

// --- cutting ---------------------------------------------------------------------------------

TEST_F(Scale9Slicing, ZeroInsetsCutTheImageInThirds) {
    CCScale9Sprite* s = CCScale9Sprite::create("square.png");
    ASSERT_NE(s, nullptr);
    EXPECT_TRUE(same(s->getCapInsets(), CCRectZero));
    EXPECT_TRUE(same(s->getSliceInsets(), CCRect(10, 10, 10, 10)));
    const float tens[3] = {10, 10, 10};
    expectGrid(s, tens, tens);
    EXPECT_TRUE(same(s->getSourceSize(), CCSize(30, 30)));
    EXPECT_TRUE(same(s->getPreferredSize(), CCSize(30, 30)));
    EXPECT_TRUE(same(s->getContentSize(), CCSize(30, 30)));
    EXPECT_TRUE(same(s->getAnchorPoint(), CCPoint(0.5f, 0.5f)));
    // The sheet is the sprite's only child and holds exactly the nine slices.
    ASSERT_NE(s->getSheetNode(), nullptr);
    EXPECT_EQ(s->getChildrenCount(), 1u);
    EXPECT_EQ(s->getSheetNode()->getParent(), s);
    EXPECT_EQ(s->getSheetNode()->getChildrenCount(), 9u);
}

TEST_F(Scale9Slicing, ThirdsOfASizeNotDivisibleByThreeStillCoverTheImage) {
    CCScale9Sprite* s = CCScale9Sprite::create("wide.png");
    const CCRect& c = s->getSliceInsets();
    EXPECT_FLOAT_EQ(c.origin.x, 40.f / 3);
    EXPECT_FLOAT_EQ(c.size.width, 40.f / 3);
    EXPECT_FLOAT_EQ(c.origin.y, 20.f / 3);
    EXPECT_FLOAT_EQ(c.size.height, 20.f / 3);
    float width = 0, height = 0;
    for (int tag : {CCScale9Sprite::kSliceTopLeft, CCScale9Sprite::kSliceTop, CCScale9Sprite::kSliceTopRight})
        width += slice(s, tag)->getContentSize().width;
    for (int tag : {CCScale9Sprite::kSliceTopLeft, CCScale9Sprite::kSliceLeft, CCScale9Sprite::kSliceBottomLeft})
        height += slice(s, tag)->getContentSize().height;
    EXPECT_NEAR(width, 40, 1e-4);
    EXPECT_NEAR(height, 20, 1e-4);
}

TEST_F(Scale9Slicing, FiveOnEverySideOfAFortyByTwentyImage) {
    CCScale9Sprite* s = CCScale9Sprite::create("wide.png");
    s->setLeftInset(5);
    s->setTopInset(5);
    s->setRightInset(5);
    s->setBottomInset(5);
    EXPECT_EQ(s->getLeftInset(), 5);
    EXPECT_EQ(s->getBottomInset(), 5);
    EXPECT_TRUE(same(s->getCapInsets(), CCRect(5, 5, 30, 10)));
    EXPECT_TRUE(same(s->getSliceInsets(), CCRect(5, 5, 30, 10)));
    const float cols[3] = {5, 30, 5}, rows[3] = {5, 10, 5};
    expectGrid(s, cols, rows);
    // The far corner is cut from the far corner of the image.
    EXPECT_TRUE(same(slice(s, CCScale9Sprite::kSliceBottomRight)->getTextureRect(), CCRect(35, 15, 5, 5)));
    EXPECT_TRUE(same(slice(s, CCScale9Sprite::kSliceTopRight)->getTextureRect(), CCRect(35, 0, 5, 5)));
    EXPECT_TRUE(same(slice(s, CCScale9Sprite::kSliceCentre)->getTextureRect(), CCRect(5, 5, 30, 10)));

    // The same rectangle given at creation cuts the same way.
    CCScale9Sprite* direct = CCScale9Sprite::create(CCRect(5, 5, 30, 10), "wide.png");
    EXPECT_TRUE(same(direct->getSliceInsets(), CCRect(5, 5, 30, 10)));
    expectGrid(direct, cols, rows);
}

TEST_F(Scale9Slicing, AllBordersBackToZeroMeansThirdsAgain) {
    CCScale9Sprite* s = CCScale9Sprite::create("wide.png");
    s->setLeftInset(5);
    EXPECT_TRUE(same(s->getSliceInsets(), CCRect(5, 0, 35, 20)));
    s->setLeftInset(0);
    EXPECT_TRUE(same(s->getCapInsets(), CCRectZero));
    EXPECT_FLOAT_EQ(s->getSliceInsets().origin.x, 40.f / 3);
}

TEST_F(Scale9Slicing, BordersGivenBeforeTheImageTakeEffectWhenGivenAgain) {
    CCScale9Sprite* s = CCScale9Sprite::create();
    s->setLeftInset(5);
    EXPECT_EQ(s->getLeftInset(), 5);
    EXPECT_TRUE(same(s->getCapInsets(), CCRectZero)) << "no image yet: nothing to cut";
    s->initWithFile("wide.png");
    EXPECT_FLOAT_EQ(s->getSliceInsets().origin.x, 40.f / 3) << "loading an image cuts in thirds";
    s->setLeftInset(5);
    EXPECT_TRUE(same(s->getSliceInsets(), CCRect(5, 0, 35, 20)));
}

TEST_F(Scale9Slicing, ASourceRectangleInsideALargerImageMovesEverySlice) {
    CCScale9Sprite* s = CCScale9Sprite::create("sheet.png", CCRect(10, 20, 30, 30));
    EXPECT_TRUE(same(s->getSourceRect(), CCRect(10, 20, 30, 30)));
    EXPECT_TRUE(same(s->getContentSize(), CCSize(30, 30)));
    EXPECT_TRUE(same(slice(s, CCScale9Sprite::kSliceTopLeft)->getTextureRect(), CCRect(10, 20, 10, 10)));
    EXPECT_TRUE(same(slice(s, CCScale9Sprite::kSliceCentre)->getTextureRect(), CCRect(20, 30, 10, 10)));
    EXPECT_TRUE(same(slice(s, CCScale9Sprite::kSliceBottomRight)->getTextureRect(), CCRect(30, 40, 10, 10)));
    for (int tag : kAllSlices) EXPECT_FALSE(slice(s, tag)->isTextureRectRotated());
}

TEST_F(Scale9Slicing, CornersSitAboveEdgesAndEdgesAboveTheCentre) {
    CCScale9Sprite* s = CCScale9Sprite::create("square.png");
    int centre = slice(s, CCScale9Sprite::kSliceCentre)->getZOrder();
    for (int edge : {CCScale9Sprite::kSliceTop, CCScale9Sprite::kSliceBottom, CCScale9Sprite::kSliceLeft,
                     CCScale9Sprite::kSliceRight})
        EXPECT_GT(slice(s, edge)->getZOrder(), centre);
    for (int corner : {CCScale9Sprite::kSliceTopLeft, CCScale9Sprite::kSliceTopRight,
                       CCScale9Sprite::kSliceBottomLeft, CCScale9Sprite::kSliceBottomRight})
        EXPECT_GT(slice(s, corner)->getZOrder(), slice(s, CCScale9Sprite::kSliceTop)->getZOrder());
}

TEST_F(Scale9Slicing, ASourceFrameIsCutInThirdsAndClearsTheBorders) {
    CCScale9Sprite* s = CCScale9Sprite::create("wide.png");
    s->setLeftInset(5);
    s->setRightInset(7);
    CCTexture2D* texture = CCTextureCache::sharedTextureCache()->addImage("sheet.png");
    ASSERT_NE(texture, nullptr);
    s->setSourceFrame(CCSpriteFrame::createWithTexture(texture, CCRect(3, 6, 45, 30)));
    EXPECT_EQ(s->getLeftInset(), 0);
    EXPECT_EQ(s->getRightInset(), 0);
    EXPECT_TRUE(same(s->getCapInsets(), CCRectZero));
    EXPECT_TRUE(same(s->getSliceInsets(), CCRect(15, 10, 15, 10)));
    EXPECT_TRUE(same(s->getSourceRect(), CCRect(3, 6, 45, 30)));
    EXPECT_TRUE(same(s->getContentSize(), CCSize(45, 30)));
    EXPECT_EQ(s->getSheetNode()->getTexture(), texture);
}

// --- sizes and the lazy layout ---------------------------------------------------------------

TEST_F(Scale9Slicing, SlicesArePlacedOnlyAtTheNextVisit) {
    CCScale9Sprite* s = CCScale9Sprite::create("square.png");
    s->setAnchorPoint(CCPoint(0, 0));
    show(s);
    EXPECT_FALSE(s->isLayoutDirty());
    CCSprite* bottomRight = slice(s, CCScale9Sprite::kSliceBottomRight);
    const CCPoint before = bottomRight->getPosition();
    EXPECT_TRUE(same(before, CCPoint(20, 0)));

    const float W = 300, H = 100, border = 10;
    s->setPreferredSize(CCSize(W, H));
    EXPECT_TRUE(same(s->getPreferredSize(), CCSize(W, H)));
    EXPECT_TRUE(same(s->getContentSize(), CCSize(W, H)));
    EXPECT_TRUE(s->isLayoutDirty());
    EXPECT_TRUE(same(bottomRight->getPosition(), before)) << "placed before the visit";

    redraw();
    EXPECT_FALSE(s->isLayoutDirty());
    const float hScale = (W - 2 * border) / border, vScale = (H - 2 * border) / border;
    const float farX = W - border, farY = H - border;
    CCSprite* centre = slice(s, CCScale9Sprite::kSliceCentre);
    EXPECT_FLOAT_EQ(centre->getScaleX(), hScale);
    EXPECT_FLOAT_EQ(centre->getScaleY(), vScale);
    EXPECT_TRUE(same(centre->getPosition(), CCPoint(border, border)));
    EXPECT_TRUE(same(slice(s, CCScale9Sprite::kSliceBottomLeft)->getPosition(), CCPoint(0, 0)));
    EXPECT_TRUE(same(bottomRight->getPosition(), CCPoint(farX, 0)));
    EXPECT_TRUE(same(slice(s, CCScale9Sprite::kSliceTopLeft)->getPosition(), CCPoint(0, farY)));
    EXPECT_TRUE(same(slice(s, CCScale9Sprite::kSliceTopRight)->getPosition(), CCPoint(farX, farY)));
    CCSprite* top = slice(s, CCScale9Sprite::kSliceTop);
    EXPECT_TRUE(same(top->getPosition(), CCPoint(border, farY)));
    EXPECT_FLOAT_EQ(top->getScaleX(), hScale);
    EXPECT_FLOAT_EQ(top->getScaleY(), 1);
    CCSprite* right = slice(s, CCScale9Sprite::kSliceRight);
    EXPECT_TRUE(same(right->getPosition(), CCPoint(farX, border)));
    EXPECT_FLOAT_EQ(right->getScaleX(), 1);
    EXPECT_FLOAT_EQ(right->getScaleY(), vScale);
    for (int corner : {CCScale9Sprite::kSliceTopLeft, CCScale9Sprite::kSliceTopRight,
                       CCScale9Sprite::kSliceBottomLeft, CCScale9Sprite::kSliceBottomRight}) {
        EXPECT_FLOAT_EQ(slice(s, corner)->getScaleX(), 1) << "corner " << corner;
        EXPECT_FLOAT_EQ(slice(s, corner)->getScaleY(), 1) << "corner " << corner;
        EXPECT_TRUE(same(slice(s, corner)->getAnchorPoint(), CCPoint(0, 0)));
    }
}

TEST_F(Scale9Slicing, ASizeSmallerThanTheCornersGivesNegativeScales) {
    CCScale9Sprite* s = CCScale9Sprite::create("square.png");
    s->setContentSize(CCSize(10, 14));
    show(s);
    CCSprite* centre = slice(s, CCScale9Sprite::kSliceCentre);
    EXPECT_FLOAT_EQ(centre->getScaleX(), (10.f - 20.f) / 10.f);
    EXPECT_FLOAT_EQ(centre->getScaleY(), (14.f - 20.f) / 10.f);
    EXPECT_FLOAT_EQ(slice(s, CCScale9Sprite::kSliceTop)->getScaleX(), (10.f - 20.f) / 10.f);
    expectFiniteLayout(s);
}

TEST_F(Scale9Slicing, NewInsetsKeepAStretchedSize) {
    CCScale9Sprite* s = CCScale9Sprite::create("square.png");
    s->setPreferredSize(CCSize(200, 80));
    s->setCapInsets(CCRect(4, 6, 22, 18));
    EXPECT_TRUE(same(s->getCapInsets(), CCRect(4, 6, 22, 18)));
    EXPECT_TRUE(same(s->getSliceInsets(), CCRect(4, 6, 22, 18)));
    EXPECT_TRUE(same(s->getContentSize(), CCSize(200, 80)));
    EXPECT_TRUE(same(s->getPreferredSize(), CCSize(200, 80)));
    EXPECT_TRUE(same(s->getSourceSize(), CCSize(30, 30)));
    EXPECT_TRUE(s->isLayoutDirty());
    show(s);
    CCSprite* centre = slice(s, CCScale9Sprite::kSliceCentre);
    EXPECT_FLOAT_EQ(centre->getScaleX(), (200.f - 4 - (30 - 26)) / 22.f);
    EXPECT_FLOAT_EQ(centre->getScaleY(), (80.f - 6 - (30 - 24)) / 18.f);
}

TEST_F(Scale9Slicing, ANewImageBringsItsOwnSize) {
    CCScale9Sprite* s = CCScale9Sprite::create("square.png");
    s->setPreferredSize(CCSize(200, 80));
    s->initWithFile("wide.png");
    EXPECT_TRUE(same(s->getContentSize(), CCSize(40, 20)));
    EXPECT_TRUE(same(s->getPreferredSize(), CCSize(40, 20)));
    EXPECT_TRUE(same(s->getSourceSize(), CCSize(40, 20)));
    EXPECT_EQ(s->getChildrenCount(), 1u);
    EXPECT_EQ(s->getSheetNode()->getChildrenCount(), 9u);
}

TEST_F(Scale9Slicing, ASheetNodeGivenByTheCallerIsAdopted) {
    CCSpriteBatchNode* sheet = CCSpriteBatchNode::create("sheet.png");
    CCNode* elsewhere = CCNode::create();
    elsewhere->addChild(sheet);
    CCScale9Sprite* s = CCScale9Sprite::createWithSheetNode(sheet, CCRect(0, 0, 30, 30), CCRect(5, 5, 20, 20));
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->getSheetNode(), sheet);
    EXPECT_EQ(sheet->getParent(), s);
    EXPECT_EQ(elsewhere->getChildrenCount(), 0u);
    EXPECT_TRUE(same(s->getSliceInsets(), CCRect(5, 5, 20, 20)));
}

// --- bad input -------------------------------------------------------------------------------

TEST_F(Scale9Slicing, ANewSpriteIsEmptyAndHarmless) {
    CCScale9Sprite* s = CCScale9Sprite::create();
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->getSheetNode(), nullptr);
    EXPECT_EQ(s->getChildrenCount(), 0u);
    EXPECT_TRUE(same(s->getContentSize(), CCSizeZero));
    EXPECT_TRUE(same(s->getAnchorPoint(), CCPointZero));
    EXPECT_TRUE(s->isLayoutDirty());
    s->setCapInsets(CCRect(1, 2, 3, 4));
    EXPECT_TRUE(same(s->getCapInsets(), CCRectZero));
    s->setPreferredSize(CCSize(50, 40));
    show(s);
    EXPECT_EQ(s->getChildrenCount(), 0u);
    EXPECT_TRUE(same(s->getContentSize(), CCSize(50, 40)));
    // A null sheet keeps it empty; so does asking to cut from nothing.
    EXPECT_TRUE(s->initWithSheetNode(nullptr, CCRect(0, 0, 5, 5), CCRect(1, 1, 1, 1)));
    s->rebuildSlices(nullptr, CCRectZero, false, CCRectZero);
    EXPECT_EQ(s->getSheetNode(), nullptr);
    EXPECT_EQ(s->getChildrenCount(), 0u);
}

TEST_F(Scale9Slicing, InsetsLargerThanTheImageKeepWhatFits) {
    CCScale9Sprite* s = CCScale9Sprite::create("wide.png");
    s->setCapInsets(CCRect(10, 5, 100, 100));
    EXPECT_TRUE(same(s->getCapInsets(), CCRect(10, 5, 100, 100))) << "the caller's rectangle is kept as given";
    EXPECT_TRUE(same(s->getSliceInsets(), CCRect(10, 5, 30, 15)));
    const float cols[3] = {10, 30, 0}, rows[3] = {5, 15, 0};
    expectGrid(s, cols, rows);
    expectSlicesInsideSource(s);
    s->setPreferredSize(CCSize(120, 60));
    show(s);
    expectFiniteLayout(s);
    // The missing far column and row leave the stretched centre reaching the far edges.
    CCSprite* centre = slice(s, CCScale9Sprite::kSliceCentre);
    EXPECT_FLOAT_EQ(centre->getPositionX() + 30 * centre->getScaleX(), 120);
    EXPECT_FLOAT_EQ(centre->getPositionY() + 15 * centre->getScaleY(), 60 - 5);

    // A centre wholly outside the image leaves a centre of no size, still without NaNs.
    s->setCapInsets(CCRect(100, 100, 10, 10));
    EXPECT_TRUE(same(s->getSliceInsets(), CCRect(40, 20, 0, 0)));
    expectSlicesInsideSource(s);
    redraw();
    expectFiniteLayout(s);
    EXPECT_TRUE(same(slice(s, CCScale9Sprite::kSliceTopLeft)->getContentSize(), CCSize(40, 20)));

    // Borders wider than the image together.
    s->setCapInsets(CCRectZero);
    s->setLeftInset(30);
    s->setRightInset(30);
    s->setTopInset(50);
    expectSlicesInsideSource(s);
    const CCRect& c = s->getSliceInsets();
    EXPECT_GE(c.size.width, 0);
    EXPECT_GE(c.size.height, 0);
    redraw();
    expectFiniteLayout(s);
}

TEST_F(Scale9Slicing, NegativeAndNonNumberSizesBecomeZero) {
    CCScale9Sprite* s = CCScale9Sprite::create("square.png");
    show(s);
    s->setContentSize(CCSize(-10, 50));
    EXPECT_TRUE(same(s->getContentSize(), CCSize(0, 50)));
    s->setContentSize(CCSize(NAN, INFINITY));
    EXPECT_TRUE(same(s->getContentSize(), CCSizeZero));
    s->setPreferredSize(CCSize(-INFINITY, NAN));
    EXPECT_TRUE(same(s->getPreferredSize(), CCSizeZero));
    EXPECT_TRUE(same(s->getContentSize(), CCSizeZero));
    redraw();
    expectFiniteLayout(s);
    // Zero is a size like any other: the slices fold over as a small size does.
    EXPECT_FLOAT_EQ(slice(s, CCScale9Sprite::kSliceCentre)->getScaleX(), -2);
}

TEST_F(Scale9Slicing, NonNumberInsetsAndRectanglesAreRefused) {
    CCScale9Sprite* s = CCScale9Sprite::create("wide.png");
    s->setCapInsets(CCRect(NAN, 5, INFINITY, 10));
    EXPECT_TRUE(same(s->getCapInsets(), CCRect(0, 5, 0, 10)));
    expectSlicesInsideSource(s);
    s->setLeftInset(NAN);
    s->setTopInset(-4);
    EXPECT_EQ(s->getLeftInset(), 0);
    EXPECT_EQ(s->getTopInset(), 0);

    // An unusable source rectangle means the whole image; one reaching outside is cut back.
    CCScale9Sprite* whole = CCScale9Sprite::create("wide.png", CCRect(NAN, 0, 10, 10));
    EXPECT_TRUE(same(whole->getSourceRect(), CCRect(0, 0, 40, 20)));
    CCScale9Sprite* negative = CCScale9Sprite::create("wide.png", CCRect(0, 0, -10, 10));
    EXPECT_TRUE(same(negative->getSourceRect(), CCRect(0, 0, 40, 20)));
    CCScale9Sprite* outside = CCScale9Sprite::create("wide.png", CCRect(30, 10, 100, 100));
    EXPECT_TRUE(same(outside->getSourceRect(), CCRect(30, 10, 10, 10)));
    EXPECT_TRUE(logged("reaches outside"));
    expectSlicesInsideSource(outside);
}

TEST_F(Scale9Slicing, AMissingFileGivesAnEmptySprite) {
    CCScale9Sprite* s = CCScale9Sprite::create("missing.png");
    ASSERT_NE(s, nullptr);
    EXPECT_TRUE(logged("missing.png"));
    ASSERT_NE(s->getSheetNode(), nullptr);
    EXPECT_EQ(s->getSheetNode()->getTexture(), nullptr);
    EXPECT_TRUE(same(s->getSourceSize(), CCSizeZero));
    EXPECT_TRUE(same(s->getContentSize(), CCSizeZero));
    for (int tag : kAllSlices) EXPECT_TRUE(same(slice(s, tag)->getTextureRect(), CCRectZero));
    s->setPreferredSize(CCSize(100, 50));
    show(s);
    expectFiniteLayout(s);

    // Null and empty names are missing files too; a real file afterwards works as usual.
    EXPECT_NE(CCScale9Sprite::create(static_cast<const char*>(nullptr)), nullptr);
    EXPECT_TRUE(s->initWithFile(""));
    s->initWithFile("square.png");
    EXPECT_TRUE(same(s->getContentSize(), CCSize(30, 30)));
    EXPECT_NE(s->getSheetNode()->getTexture(), nullptr);
}

TEST_F(Scale9Slicing, AMissingFrameFailsAndChangesNothing) {
    EXPECT_EQ(CCScale9Sprite::createWithSpriteFrameName("nope.png"), nullptr);
    EXPECT_EQ(CCScale9Sprite::createWithSpriteFrameName(nullptr), nullptr);
    EXPECT_EQ(CCScale9Sprite::createWithSpriteFrameName("", CCRect(1, 1, 1, 1)), nullptr);
    EXPECT_EQ(CCScale9Sprite::createWithSpriteFrame(nullptr), nullptr);

    CCScale9Sprite* s = CCScale9Sprite::create(CCRect(5, 5, 30, 10), "wide.png");
    s->setPreferredSize(CCSize(90, 70));
    CCSpriteBatchNode* sheet = s->getSheetNode();
    CCSprite* centre = slice(s, CCScale9Sprite::kSliceCentre);
    EXPECT_FALSE(s->initWithSpriteFrameName("nope.png"));
    EXPECT_FALSE(s->initWithSpriteFrameName("nope.png", CCRect(1, 1, 1, 1)));
    EXPECT_FALSE(s->initWithSpriteFrame(nullptr));
    s->setSourceFrame(nullptr);
    EXPECT_EQ(s->getSheetNode(), sheet);
    EXPECT_EQ(slice(s, CCScale9Sprite::kSliceCentre), centre);
    EXPECT_TRUE(same(s->getSliceInsets(), CCRect(5, 5, 30, 10)));
    EXPECT_TRUE(same(s->getContentSize(), CCSize(90, 70)));
    EXPECT_TRUE(logged("nope.png"));
}
