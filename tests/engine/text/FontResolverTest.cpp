// Font names to font files through fontconfig, fallbacks, and the open-font cache.
#include <gtest/gtest.h>

#include <SDL_ttf.h>
#include <fontconfig/fontconfig.h>

#include "engine/text/CCFontResolver.h"
#include "support/TestSupport.h"
#include "TextTestKit.h"

using namespace engine;
using textkit::LogCapture;

namespace {

// Whether fontconfig knows a family at all (the font packages of the machine decide).
bool familyInstalled(const char* family) {
    if (!FcInit()) return false;
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
    FcObjectSet* objects = FcObjectSetBuild(FC_FILE, nullptr);
    FcFontSet* set = FcFontList(nullptr, pattern, objects);
    bool found = set && set->nfont > 0;
    if (set) FcFontSetDestroy(set);
    FcObjectSetDestroy(objects);
    FcPatternDestroy(pattern);
    return found;
}

std::string familyOf(const std::string& file) {
    TTF_Font* font = CCFontResolver::sharedResolver().font(file, 20);
    if (!font) return std::string();
    const char* name = TTF_FontFaceFamilyName(font);
    return name ? name : "";
}

class FontResolver : public testsupport::EngineTest {};

}  // namespace

TEST_F(FontResolver, ArialResolvesToLiberationSansWhereItIsInstalled) {
    if (!familyInstalled("Liberation Sans")) GTEST_SKIP() << "Liberation Sans is not installed here";
    const std::string& file = CCFontResolver::sharedResolver().fileForName("Arial");
    ASSERT_FALSE(file.empty());
    EXPECT_EQ(familyOf(file), "Liberation Sans");
}

TEST_F(FontResolver, EveryNameResolvesToAnOpenableFont) {
    LogCapture log;
    for (const char* name : {"Arial", "Thonburi", "Marker Felt", "", "Helvetica", "Zz Not A Font", "Arial-BoldMT:x"}) {
        const std::string& file = CCFontResolver::sharedResolver().fileForName(name);
        ASSERT_FALSE(file.empty()) << name;
        EXPECT_NE(CCFontResolver::sharedResolver().font(file, 16), nullptr) << name;
    }
    // Substitutions are reported, once per name.
    CCFontResolver::sharedResolver().fileForName("Zz Not A Font");
    EXPECT_EQ(log.countContaining("Zz Not A Font"), 1u);
}

TEST_F(FontResolver, FontFilePathsAreUsedAsTheyStandOrMatchedByTheirName) {
    LogCapture log;
    const std::string real = CCFontResolver::sharedResolver().fileForName("sans-serif");
    ASSERT_FALSE(real.empty());
    EXPECT_EQ(CCFontResolver::sharedResolver().fileForName(real), real);

    const std::string& missing = CCFontResolver::sharedResolver().fileForName("fonts/Thonburi.ttf");
    EXPECT_FALSE(missing.empty());
    EXPECT_NE(CCFontResolver::sharedResolver().font(missing, 16), nullptr);
    EXPECT_TRUE(log.contains("fonts/Thonburi.ttf"));

    // A file that exists but is no font is not taken.
    std::string dir = testsupport::makeTempDir();
    testsupport::writeFile(dir + "/broken.ttf", "this is not a font");
    const std::string& broken = CCFontResolver::sharedResolver().fileForName(dir + "/broken.ttf");
    EXPECT_NE(broken, dir + "/broken.ttf");
    EXPECT_NE(CCFontResolver::sharedResolver().font(broken, 16), nullptr);
}

TEST_F(FontResolver, OpenFontsAreSharedPerFileAndSize) {
    CCFontResolver& resolver = CCFontResolver::sharedResolver();
    const std::string& file = resolver.fileForName("Arial");
    TTF_Font* a = resolver.font(file, 22);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(resolver.font(file, 22), a);
    TTF_Font* b = resolver.font(file, 23);
    ASSERT_NE(b, nullptr);
    EXPECT_NE(b, a);
    EXPECT_GT(TTF_FontHeight(b), 0);
    // Sizes outside the accepted range and unknown files give no font.
    EXPECT_EQ(resolver.font(file, 0), nullptr);
    EXPECT_EQ(resolver.font(file, CCFontResolver::kMaxFontSize + 1), nullptr);
    EXPECT_EQ(resolver.font("", 12), nullptr);
    LogCapture log;
    EXPECT_EQ(resolver.font("/no/such/font.ttf", 12), nullptr);
    EXPECT_TRUE(log.contains("/no/such/font.ttf"));
    // Closed fonts come back on demand.
    resolver.closeFonts();
    EXPECT_NE(resolver.font(file, 22), nullptr);
}
