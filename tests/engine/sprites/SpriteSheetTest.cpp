// Sprite sheets written on the spot (PNG + property list) in every format, drawn and abused.
#include <sstream>

#include "SpriteTestKit.h"
#include "engine/render/CCTexture2D.h"
#include "engine/sprites/CCSprite.h"
#include "engine/sprites/CCSpriteFrame.h"
#include "engine/sprites/CCSpriteFrameCache.h"

using namespace engine;
using namespace rendertest;
using spritetest::quadrant;

namespace {

// The 64 x 64 sheet: "plain" 40 x 20 at (0, 0); "turned", the same image stored a quarter turn
// clockwise, in the 20 x 40 area at (0, 24); "trimmed", a 10 x 10 cyan square at (44, 0).
Rgba sheetPixel(int x, int y) {
    if (x < 40 && y < 20) return quadrant(x, y);
    if (x < 20 && y >= 24) {
        int col = x, row = y - 24;
        // Turning clockwise sends image pixel (c, r) of a 20-high image to (19 - r, c).
        return quadrant(row, 19 - col);
    }
    if (x >= 44 && x < 54 && y < 10) return kCyan;
    return Rgba{0, 0, 0, 0};
}

std::string plist(const std::string& framesXml, const std::string& metadataXml) {
    std::ostringstream o;
    o << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      << "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" \"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
      << "<plist version=\"1.0\"><dict>\n<key>frames</key><dict>\n"
      << framesXml << "</dict>\n";
    if (!metadataXml.empty()) o << "<key>metadata</key><dict>" << metadataXml << "</dict>\n";
    o << "</dict></plist>\n";
    return o.str();
}

std::string frame(const std::string& name, const std::string& body) {
    return "<key>" + name + "</key><dict>" + body + "</dict>\n";
}

std::string kv(const std::string& key, const std::string& value) {
    return "<key>" + key + "</key><string>" + value + "</string>";
}

std::string meta(int format, const std::string& texture) {
    std::string m = "<key>format</key><integer>" + std::to_string(format) + "</integer>";
    if (!texture.empty()) m += kv("textureFileName", texture);
    return m;
}

// The three frames in each format.
std::string framesFormat0() {
    return frame("plain.png", kv("x", "0") + kv("y", "0") + kv("width", "40") + kv("height", "20") +
                                  kv("offsetX", "0") + kv("offsetY", "0") + kv("originalWidth", "40") +
                                  kv("originalHeight", "20")) +
           frame("trimmed.png", kv("x", "44") + kv("y", "0") + kv("width", "10") + kv("height", "10") +
                                    kv("offsetX", "5") + kv("offsetY", "-5") + kv("originalWidth", "-30") +
                                    kv("originalHeight", "30"));
}

std::string framesFormat12(bool withRotated) {
    std::string turned = withRotated ? frame("turned.png", kv("frame", "{{0,24},{40,20}}") + kv("offset", "{0,0}") +
                                                               "<key>rotated</key><true/>" +
                                                               kv("sourceSize", "{40,20}"))
                                     : std::string();
    return frame("plain.png", kv("frame", "{{0,0},{40,20}}") + kv("offset", "{0,0}") + kv("sourceSize", "{40,20}") +
                                  kv("sourceColorRect", "{{0,0},{40,20}}")) +
           turned +
           frame("trimmed.png", kv("frame", "{{44, 0}, {10, 10}}") + kv("offset", "{5,-5}") +
                                    kv("sourceSize", "{30,30}") + kv("sourceColorRect", "{{15,5},{10,10}}"));
}

std::string framesFormat3() {
    return frame("plain.png", kv("textureRect", "{{0,0},{40,20}}") + kv("spriteSize", "{40,20}") +
                                  kv("spriteOffset", "{0,0}") + kv("spriteSourceSize", "{40,20}") +
                                  "<key>textureRotated</key><false/><key>aliases</key><array/>") +
           frame("turned.png", kv("textureRect", "{{0,24},{40,20}}") + kv("spriteOffset", "{0,0}") +
                                   kv("spriteSourceSize", "{40,20}") +
                                   "<key>textureRotated</key><true/><key>aliases</key><array><string>spun</string></array>") +
           frame("trimmed.png", kv("textureRect", "{{44,0},{10,10}}") + kv("spriteOffset", "{5,-5}") +
                                    kv("spriteSourceSize", "{30,30}") + "<key>textureRotated</key><false/>");
}

class SpriteSheetTest : public RenderTest {
protected:
    void SetUp() override {
        RenderTest::SetUp();
        writePNG("sheets/sheet.png", 64, 64, sheetPixel);
        root = CCNode::create();
        root->retain();
    }
    void TearDown() override {
        safeRelease(root);
        RenderTest::TearDown();
    }

    CCSpriteFrameCache* cache() { return CCSpriteFrameCache::sharedSpriteFrameCache(); }

    CCSprite* place(const char* frameName, float x, float y) {
        CCSprite* s = CCSprite::createWithSpriteFrameName(frameName);
        s->setAnchorPoint(CCPoint(0, 0));
        s->setPosition(CCPoint(x, y));
        root->addChild(s);
        return s;
    }

    void expectUpright(float x0, float y0) {
        EXPECT_TRUE(near(at(x0 + 10, y0 + 15), kRed)) << "top left at " << x0;
        EXPECT_TRUE(near(at(x0 + 30, y0 + 15), kGreen)) << "top right at " << x0;
        EXPECT_TRUE(near(at(x0 + 10, y0 + 5), kBlue)) << "bottom left at " << x0;
        EXPECT_TRUE(near(at(x0 + 30, y0 + 5), kYellow)) << "bottom right at " << x0;
        EXPECT_TRUE(near(at(x0 + 42, y0 + 10), kBlack)) << "right of the box at " << x0;
        EXPECT_TRUE(near(at(x0 + 20, y0 + 22), kBlack)) << "above the box at " << x0;
    }

    // The trimmed frame: a 30 x 30 box whose 10 x 10 image sits at (15, 5) inside it.
    void expectTrimmed(CCSprite* s, float x0, float y0) {
        EXPECT_EQ(s->getContentSize(), CCSize(30, 30));
        EXPECT_EQ(s->getOffsetPosition(), CCPoint(15, 5));
        EXPECT_TRUE(near(at(x0 + 17, y0 + 7), kCyan));
        EXPECT_TRUE(near(at(x0 + 23, y0 + 13), kCyan));
        EXPECT_TRUE(near(at(x0 + 12, y0 + 10), kBlack));
        EXPECT_TRUE(near(at(x0 + 20, y0 + 17), kBlack));
        EXPECT_TRUE(near(at(x0 + 20, y0 + 3), kBlack));
    }

    CCNode* root = nullptr;
};

}  // namespace

TEST_F(SpriteSheetTest, Format0FramesDrawTheirPixels) {
    testsupport::writeFile(dir + "/sheets/sheet.plist", plist(framesFormat0(), meta(0, "sheet.png")));
    cache()->addSpriteFramesWithFile("sheets/sheet.plist");
    EXPECT_EQ(cache()->spriteFrameCount(), 2u);
    place("plain.png", 10, 10);
    CCSprite* trimmed = place("trimmed.png", 200, 10);
    render(root);
    expectUpright(10, 10);
    expectTrimmed(trimmed, 200, 10);
}

TEST_F(SpriteSheetTest, Format1FramesDrawTheirPixels) {
    testsupport::writeFile(dir + "/sheets/sheet.plist", plist(framesFormat12(false), meta(1, "sheet.png")));
    cache()->addSpriteFramesWithFile("sheets/sheet.plist");
    EXPECT_EQ(cache()->spriteFrameCount(), 2u);
    place("plain.png", 10, 10);
    CCSprite* trimmed = place("trimmed.png", 200, 10);
    render(root);
    expectUpright(10, 10);
    expectTrimmed(trimmed, 200, 10);
}

TEST_F(SpriteSheetTest, Format2RotatedFramesDrawUpright) {
    testsupport::writeFile(dir + "/sheets/sheet.plist", plist(framesFormat12(true), meta(2, "sheet.png")));
    cache()->addSpriteFramesWithFile("sheets/sheet.plist");
    ASSERT_EQ(cache()->spriteFrameCount(), 3u);
    CCSpriteFrame* turnedFrame = cache()->spriteFrameByName("turned.png");
    ASSERT_NE(turnedFrame, nullptr);
    EXPECT_TRUE(turnedFrame->isRotated());
    place("plain.png", 10, 10);
    CCSprite* turned = place("turned.png", 100, 10);
    EXPECT_TRUE(turned->isTextureRectRotated());
    EXPECT_EQ(turned->getContentSize(), CCSize(40, 20));
    CCSprite* trimmed = place("trimmed.png", 200, 10);
    render(root);
    expectUpright(10, 10);
    expectUpright(100, 10);
    expectTrimmed(trimmed, 200, 10);
}

TEST_F(SpriteSheetTest, RotatedFramesFlipLikeUprightOnes) {
    testsupport::writeFile(dir + "/sheets/sheet.plist", plist(framesFormat12(true), meta(2, "sheet.png")));
    cache()->addSpriteFramesWithFile("sheets/sheet.plist");
    CCSprite* plain = place("plain.png", 10, 10);
    CCSprite* turned = place("turned.png", 100, 10);
    for (bool x : {false, true}) {
        for (bool y : {false, true}) {
            plain->setFlipX(x);
            plain->setFlipY(y);
            turned->setFlipX(x);
            turned->setFlipY(y);
            render(root);
            for (float dx : {10.f, 30.f})
                for (float dy : {5.f, 15.f})
                    EXPECT_TRUE(near(at(100 + dx, 10 + dy), at(10 + dx, 10 + dy), 0))
                        << "flip " << x << "," << y << " at " << dx << "," << dy;
        }
    }
}

TEST_F(SpriteSheetTest, Format3FramesAndAliases) {
    testsupport::writeFile(dir + "/sheets/sheet.plist", plist(framesFormat3(), meta(3, "sheet.png")));
    cache()->addSpriteFramesWithFile("sheets/sheet.plist");
    ASSERT_EQ(cache()->spriteFrameCount(), 3u);
    EXPECT_EQ(cache()->spriteFrameByName("spun"), cache()->spriteFrameByName("turned.png"));
    place("plain.png", 10, 10);
    place("spun", 100, 10);
    CCSprite* trimmed = place("trimmed.png", 200, 10);
    render(root);
    expectUpright(10, 10);
    expectUpright(100, 10);
    expectTrimmed(trimmed, 200, 10);
}

TEST_F(SpriteSheetTest, ASheetNamingNoTextureUsesItsOwnNameWithPng) {
    testsupport::writeFile(dir + "/sheets/sheet.plist", plist(framesFormat12(false), ""));
    // Without metadata the format is 0, which reads x/y/width/height: give it format 1 but no name.
    testsupport::writeFile(dir + "/sheets/sheet.plist", plist(framesFormat12(false), "<key>format</key><integer>1</integer>"));
    cache()->addSpriteFramesWithFile("sheets/sheet.plist");
    EXPECT_TRUE(logged("names no texture"));
    ASSERT_EQ(cache()->spriteFrameCount(), 2u);
    EXPECT_EQ(cache()->spriteFrameByName("plain.png")->getTexture()->getPixelsWide(), 64);
}

TEST_F(SpriteSheetTest, AnExplicitTextureFileOverridesTheMetadata) {
    writePNG("elsewhere/other.png", 64, 64, sheetPixel);
    testsupport::writeFile(dir + "/sheets/sheet.plist", plist(framesFormat12(true), meta(2, "missing.png")));
    cache()->addSpriteFramesWithFile("sheets/sheet.plist", "elsewhere/other.png");
    ASSERT_EQ(cache()->spriteFrameCount(), 3u);
    EXPECT_EQ(cache()->spriteFrameByName("plain.png")->getTexture(),
              CCTextureCache::sharedTextureCache()->textureForKey("elsewhere/other.png"));
}

TEST_F(SpriteSheetTest, ASheetIsReadOnceUntilItsFramesAreRemoved) {
    testsupport::writeFile(dir + "/sheets/sheet.plist", plist(framesFormat12(true), meta(2, "sheet.png")));
    cache()->addSpriteFramesWithFile("sheets/sheet.plist");
    CCSpriteFrame* first = cache()->spriteFrameByName("plain.png");
    cache()->addSpriteFramesWithFile("sheets/sheet.plist");
    EXPECT_EQ(cache()->spriteFrameByName("plain.png"), first);
    EXPECT_EQ(cache()->spriteFrameCount(), 3u);
    cache()->removeSpriteFrames();
    EXPECT_EQ(cache()->spriteFrameCount(), 0u);
    cache()->addSpriteFramesWithFile("sheets/sheet.plist");
    EXPECT_EQ(cache()->spriteFrameCount(), 3u);
}

TEST_F(SpriteSheetTest, RemovalKeepsWhatOthersHold) {
    testsupport::writeFile(dir + "/sheets/sheet.plist", plist(framesFormat3(), meta(3, "sheet.png")));
    cache()->addSpriteFramesWithFile("sheets/sheet.plist");
    CCSpriteFrame* held = cache()->spriteFrameByName("turned.png");
    held->retain();
    cache()->removeUnusedSpriteFrames();
    EXPECT_EQ(cache()->spriteFrameCount(), 1u);
    EXPECT_EQ(cache()->spriteFrameByName("spun"), held);
    cache()->removeSpriteFrameByName("spun");  // by alias
    EXPECT_FALSE(cache()->hasSpriteFrame("turned.png"));
    EXPECT_EQ(held->getRect(), CCRect(0, 24, 40, 20));  // still alive for its holder
    held->release();

    cache()->addSpriteFramesWithFile("sheets/sheet.plist");
    EXPECT_EQ(cache()->spriteFrameCount(), 3u);
    cache()->removeSpriteFramesFromFile("sheets/sheet.plist");
    EXPECT_EQ(cache()->spriteFrameCount(), 0u);
}

TEST_F(SpriteSheetTest, FramesAddedByHandReplaceOnesOfTheSameName) {
    CCTexture2D* t = CCTextureCache::sharedTextureCache()->addImage("sheets/sheet.png");
    ASSERT_NE(t, nullptr);
    cache()->addSpriteFrame(CCSpriteFrame::createWithTexture(t, CCRect(0, 0, 40, 20)), "hand");
    cache()->addSpriteFrame(CCSpriteFrame::createWithTexture(t, CCRect(44, 0, 10, 10)), "hand");
    cache()->addSpriteFrame(nullptr, "nothing");
    EXPECT_EQ(cache()->spriteFrameCount(), 1u);
    EXPECT_EQ(cache()->spriteFrameByName("hand")->getRect(), CCRect(44, 0, 10, 10));
    CCSprite* s = place("hand", 50, 50);
    render(root);
    EXPECT_TRUE(near(at(55, 55), kCyan));
    EXPECT_EQ(s->getContentSize(), CCSize(10, 10));
}

TEST_F(SpriteSheetTest, AFrameWhoseFileIsLoadedLaterFindsItsTexture) {
    CCSpriteFrame* f = CCSpriteFrame::create("sheets/sheet.png", CCRect(44, 0, 10, 10));
    ASSERT_NE(f, nullptr);
    ASSERT_NE(f->getTexture(), nullptr);
    EXPECT_EQ(f->getTextureFilename(), "sheets/sheet.png");
    CCSprite* s = CCSprite::createWithSpriteFrame(f);
    s->setPosition(CCPoint(50, 50));
    root->addChild(s);
    render(root);
    EXPECT_TRUE(near(at(50, 50), kCyan));
    EXPECT_EQ(CCSpriteFrame::create("", CCRect(0, 0, 1, 1)), nullptr);
    CCSpriteFrame* lost = CCSpriteFrame::create("nowhere.png", CCRect(0, 0, 4, 4));
    ASSERT_NE(lost, nullptr);
    EXPECT_EQ(lost->getTexture(), nullptr);
    CCSprite* empty = CCSprite::createWithSpriteFrame(lost);
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(empty->getTexture(), nullptr);
}

// --- bad sheets ------------------------------------------------------------------------------

TEST_F(SpriteSheetTest, BadFramesAreSkippedAndGoodOnesKept) {
    std::string frames =
        framesFormat12(true) +
        frame("outside.png", kv("frame", "{{50,50},{40,40}}")) +
        frame("rotated-outside.png", kv("frame", "{{0,30},{40,20}}") + "<key>rotated</key><true/>") +
        frame("malformed.png", kv("frame", "{{a,b},{c}}")) +
        frame("short.png", kv("frame", "{{0,0},{4}}")) +
        frame("trailing.png", kv("frame", "{{0,0},{4,4}}junk")) +
        frame("absurd.png", kv("frame", "{{0,0},{1e9,1e9}}")) +
        frame("negative.png", kv("frame", "{{0,0},{-4,4}}")) +
        frame("nan.png", kv("frame", "{{0,0},{nan,4}}")) +
        frame("no-frame.png", kv("offset", "{0,0}")) +
        frame("bad-offset.png", kv("frame", "{{0,0},{4,4}}") + kv("offset", "{1e40,0}")) +
        frame("bad-size.png", kv("frame", "{{0,0},{4,4}}") + kv("sourceSize", "{4;4}")) +
        "<key>not-a-dict.png</key><string>hello</string>\n";
    testsupport::writeFile(dir + "/sheets/sheet.plist", plist(frames, meta(2, "sheet.png")));
    cache()->addSpriteFramesWithFile("sheets/sheet.plist");
    EXPECT_EQ(cache()->spriteFrameCount(), 3u);
    for (const char* bad : {"outside.png", "rotated-outside.png", "malformed.png", "short.png", "trailing.png",
                            "absurd.png", "negative.png", "nan.png", "no-frame.png", "bad-offset.png",
                            "bad-size.png", "not-a-dict.png"}) {
        EXPECT_FALSE(cache()->hasSpriteFrame(bad)) << bad;
        EXPECT_TRUE(logged(std::string("\"") + bad + "\"")) << bad;
    }
    place("plain.png", 10, 10);
    place("turned.png", 100, 10);
    render(root);
    expectUpright(10, 10);
    expectUpright(100, 10);
}

TEST_F(SpriteSheetTest, Format0BadNumbersAreSkipped) {
    std::string frames = framesFormat0() + frame("words.png", kv("x", "zero") + kv("y", "0") + kv("width", "4") +
                                                                  kv("height", "4")) +
                         frame("half.png", kv("x", "0") + kv("y", "0") + kv("width", "4"));
    testsupport::writeFile(dir + "/sheets/sheet.plist", plist(frames, meta(0, "sheet.png")));
    cache()->addSpriteFramesWithFile("sheets/sheet.plist");
    EXPECT_EQ(cache()->spriteFrameCount(), 2u);
    EXPECT_FALSE(cache()->hasSpriteFrame("words.png"));
    EXPECT_FALSE(cache()->hasSpriteFrame("half.png"));
    // The negative original width of old exporters is read as its size.
    EXPECT_EQ(cache()->spriteFrameByName("trimmed.png")->getOriginalSize(), CCSize(30, 30));
}

TEST_F(SpriteSheetTest, ASheetWithoutItsTextureAddsNothing) {
    testsupport::writeFile(dir + "/sheets/sheet.plist", plist(framesFormat12(true), meta(2, "gone.png")));
    cache()->addSpriteFramesWithFile("sheets/sheet.plist");
    EXPECT_EQ(cache()->spriteFrameCount(), 0u);
    EXPECT_TRUE(logged("gone.png"));
    cache()->addSpriteFramesWithFile("sheets/sheet.plist", "also-gone.png");
    EXPECT_EQ(cache()->spriteFrameCount(), 0u);
    CCSprite* s = CCSprite::createWithSpriteFrameName("plain.png");
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->getTexture(), nullptr);
    root->addChild(s);
    render(root);
    EXPECT_EQ(renderer->triangleCount(), 0);
}

TEST_F(SpriteSheetTest, BrokenSheetFilesAddNothing) {
    testsupport::writeFile(dir + "/garbage.plist", "this is <not> a property list");
    testsupport::writeFile(dir + "/no-frames.plist", "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict>"
                                                     "<key>metadata</key><dict><key>format</key><integer>2</integer>"
                                                     "<key>textureFileName</key><string>sheets/sheet.png</string>"
                                                     "</dict></dict></plist>");
    testsupport::writeFile(dir + "/sheets/future.plist", plist(framesFormat12(true), meta(7, "sheet.png")));
    cache()->addSpriteFramesWithFile("garbage.plist");
    cache()->addSpriteFramesWithFile("no-frames.plist");
    cache()->addSpriteFramesWithFile("sheets/future.plist");
    cache()->addSpriteFramesWithFile("missing.plist");
    cache()->addSpriteFramesWithFile("");
    cache()->addSpriteFramesWithFile(nullptr);
    EXPECT_EQ(cache()->spriteFrameCount(), 0u);
    EXPECT_TRUE(logged("garbage.plist"));
    EXPECT_TRUE(logged("no \"frames\""));
    EXPECT_TRUE(logged("format 7"));
    EXPECT_TRUE(logged("missing.plist"));
}

TEST_F(SpriteSheetTest, UnknownFrameNamesGiveNullOrAnUnchangedSprite) {
    testsupport::writeFile(dir + "/sheets/sheet.plist", plist(framesFormat12(true), meta(2, "sheet.png")));
    cache()->addSpriteFramesWithFile("sheets/sheet.plist");
    EXPECT_EQ(cache()->spriteFrameByName("nope.png"), nullptr);
    EXPECT_TRUE(logged("nope.png"));
    EXPECT_EQ(cache()->spriteFrameByName(""), nullptr);
    EXPECT_EQ(cache()->spriteFrameByName(nullptr), nullptr);
    CCSprite* s = place("plain.png", 10, 10);
    EXPECT_FALSE(s->initWithSpriteFrameName("nope.png"));
    EXPECT_EQ(s->getContentSize(), CCSize(40, 20));
    CCSprite* empty = CCSprite::createWithSpriteFrameName("nope.png");
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(empty->getContentSize(), CCSize(0, 0));
    render(root);
    expectUpright(10, 10);
}
