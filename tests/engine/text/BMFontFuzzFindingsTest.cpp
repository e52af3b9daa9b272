// Inputs the bitmap-font fuzz target found breaking a label, kept so they stay fixed.
#include <gtest/gtest.h>

#include <string>

#include "engine/engine.h"
#include "engine/text/CCBMFontConfiguration.h"
#include "support/TestSupport.h"

using namespace engine;

namespace {

class BMFontFuzzFindingsTest : public testsupport::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        dir = testsupport::makeTempDir("quirel-bmfont-fuzz");
        CCFileUtils::sharedFileUtils()->setResourceRoot(dir);
    }
    std::string dir;
};

}  // namespace

// A zero byte at the start of the page's file name cut the page path down to the font's own
// folder; the texture loader then threw from reading a folder and the process aborted.
TEST_F(BMFontFuzzFindingsTest, APageNamedWithAZeroByteLeavesTheLabelEmpty) {
    std::string fnt = "common lineHeight=16 base=14 scaleW=64 scaleH=64 pages=1\npage id=0 file=\"";
    fnt += '\0';
    fnt += "\x04page.png\"\nchar id=65 x=0 y=0 width=10 height=12 xoffset=0 yoffset=2 xadvance=12 page=0\n";
    testsupport::writeFile(dir + "/font.fnt", fnt);
    testsupport::writePng(dir + "/page.png", 16, 16, [](int, int) { return ccc4(255, 255, 255, 255); });

    CCLabelBMFont* label = nullptr;
    ASSERT_NO_THROW(label = CCLabelBMFont::create("AAA", (dir + "/font.fnt").c_str()));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->getContentSize().width, 0.f);
    EXPECT_EQ(CCTextureCache::sharedTextureCache()->textureCount(), 0u);
}
