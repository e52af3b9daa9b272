// Listing a layout's pictures ahead of reading it: the list matches what reading loads, and the
// texture cache's worker decodes them so that reading takes them instead of decoding again.
#include "LayoutTestKit.h"

#include "engine/render/CCTextureCache.h"
#include "ui/layout/LayoutImages.h"

using namespace engine;
using namespace layouttest;

namespace {

class LayoutImages : public LayoutTest {
protected:
    // A page: a picture, a button whose two looks share a file, a sprite frame, a name that
    // climbs out of the book, and a nested panel with its own background.
    std::string page() {
        png("layout/img/picture.png", 40, 30);
        png("layout/img/mark.png", 8, 8);
        png("layout/img/back.png", 16, 16);
        const std::string tree = entry(
            "Panel", "{\"width\": 640, \"height\": 960}",
            "[" + entry("ImageView", "{\"fileNameData\": " + ref(0, "img/picture.png") + "}") + ", " +
                entry("Button", "{\"normalData\": " + ref(0, "img/mark.png") + ", \"pressedData\": " +
                                    ref(0, "img/./mark.png") + ", \"disabledData\": " + ref(1, "frame.png") + "}") +
                ", " + entry("ImageView", "{\"fileNameData\": " + ref(0, "../../../../../etc/x.png") + "}") + ", " +
                entry("Panel", "{\"backGroundImageData\": " + ref(0, "img/back.png") + "}") + "]");
        return current(tree);
    }
};

}  // namespace

TEST_F(LayoutImages, TheListNamesEveryLocalPictureOnceAndNothingReadingWouldRefuse) {
    write("layout/page.json", page());
    const std::vector<std::string> expected = {path("layout/img/picture.png"), path("layout/img/mark.png"),
                                               path("layout/img/back.png")};
    EXPECT_EQ(ui::layoutImageFiles(path("layout/page.json"), dir + "/"), expected);
    // Reading the layout loads exactly those pictures.
    ASSERT_NE(read("layout/page.json"), nullptr);
    CCTextureCache* cache = CCTextureCache::sharedTextureCache();
    for (const std::string& file : expected) EXPECT_NE(cache->textureForKey(file.c_str()), nullptr) << file;
    EXPECT_EQ(cache->textureCount(), expected.size());

    // Missing and damaged files give nothing; so does a folder where the file was.
    write("layout/broken.json", "{\"version\": \"1.0.0.0\", \"widgetTree\": [[[");
    std::filesystem::create_directories(path("layout/folder.json"));
    EXPECT_TRUE(ui::layoutImageFiles(path("layout/folder.json"), dir + "/").empty());
    EXPECT_TRUE(ui::layoutImageFiles(path("layout/broken.json"), dir + "/").empty());
    EXPECT_TRUE(ui::layoutImageFiles(path("layout/none.json"), dir + "/").empty());
}

TEST_F(LayoutImages, LegacyLayoutsNameTheirPicturesAsPlainStrings) {
    png("layout/img/picture.png", 40, 30);
    png("layout/img/mark.png", 8, 8);
    sheet("layout/sheet/s.plist", {{"fa.png", CCSize(6, 6)}});
    write("layout/old.json",
          legacy(entry("Panel", "{\"width\": 640, \"height\": 960}",
                       "[" + entry("ImageView", R"({"fileName": "img/picture.png", "name": "picture"})") + ", " +
                           entry("Button", R"({"normal": "img/mark.png", "pressed": "img/mark.png"})") + ", " +
                           entry("ImageView", R"({"fileName": "fa.png", "useMergedTexture": true})") + "]"),
                 R"("textures": ["sheet/s.plist"])"));
    const std::vector<std::string> expected = {path("layout/img/picture.png"), path("layout/img/mark.png")};
    EXPECT_EQ(ui::layoutImageFiles(path("layout/old.json"), dir + "/"), expected);
    ASSERT_NE(read("layout/old.json"), nullptr);
    CCTextureCache* cache = CCTextureCache::sharedTextureCache();
    for (const std::string& file : expected) EXPECT_NE(cache->textureForKey(file.c_str()), nullptr) << file;
}

TEST_F(LayoutImages, ReadingTakesThePicturesDecodedAheadAndCachedOnesAreNotDecodedAgain) {
    write("layout/page.json", page());
    write("layout/other.json", current(entry("Panel", "{\"backGroundImageData\": " + ref(0, "img/back.png") + "}")));
    CCTextureCache* cache = CCTextureCache::sharedTextureCache();
    ui::decodeLayoutImagesAhead("layout/page.json");
    cache->finishDecodingAhead();
    EXPECT_EQ(cache->imagesDecodedAhead(), 3u);
    ui::UIWidget* root = read("layout/page.json");
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(cache->imagesDecodedAhead(), 0u);
    // The pixels are the file's.
    CCTexture2D* picture = cache->textureForKey(path("layout/img/picture.png").c_str());
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->getPixelsWide(), 40);
    const auto* px = static_cast<const unsigned char*>(picture->getSurface()->pixels);
    EXPECT_EQ(px[0], 255);
    EXPECT_EQ(px[1], 0);

    // Pictures already cached are not decoded again, and a newer request keeps what the last
    // one decoded.
    cache->removeAllTextures();
    cache->addImage(path("layout/img/back.png").c_str());
    ui::decodeLayoutImagesAhead("layout/page.json");
    cache->finishDecodingAhead();
    EXPECT_EQ(cache->imagesDecodedAhead(), 2u);
    ui::decodeLayoutImagesAhead("layout/other.json");
    cache->finishDecodingAhead();
    EXPECT_EQ(cache->imagesDecodedAhead(), 2u);
    // Letting go of every texture lets go of pictures decoded ahead too.
    cache->removeAllTextures();
    EXPECT_EQ(cache->imagesDecodedAhead(), 0u);
}

TEST_F(LayoutImages, PicturesOfEarlierRequestsAreKeptWithinTheirBoundOldestDroppedFirst) {
    // Two pictures of about 5.8 MB each: together beyond the 8 MB kept for earlier requests.
    png("layout/img/first.png", 1200, 1200);
    png("layout/img/second.png", 1200, 1200, {0, 0, 255, 255});
    png("layout/img/small.png", 4, 4);
    for (const char* name : {"first", "second", "small"})
        write(std::string("layout/") + name + ".json",
              current(entry("Panel", "{\"backGroundImageData\": " + ref(0, std::string("img/") + name + ".png") + "}")));
    CCTextureCache* cache = CCTextureCache::sharedTextureCache();
    for (const char* name : {"first", "second", "small"}) {
        ui::decodeLayoutImagesAhead((std::string("layout/") + name + ".json").c_str());
        cache->finishDecodingAhead();
    }
    EXPECT_EQ(cache->imagesDecodedAhead(), 2u);
    ASSERT_NE(read("layout/second.json"), nullptr);
    ASSERT_NE(read("layout/small.json"), nullptr);
    EXPECT_EQ(cache->imagesDecodedAhead(), 0u);  // both taken; the first was dropped
}

TEST_F(LayoutImages, APictureThatFailsAheadIsReportedWhenReadingAsksForIt) {
    png("layout/img/picture.png", 40, 30);
    write("layout/img/broken.png", "\x89PNG\r\n\x1a\n garbage");
    write("layout/page.json",
          current(entry("Panel", "{\"width\": 640, \"height\": 960}",
                        "[" + entry("ImageView", "{\"fileNameData\": " + ref(0, "img/broken.png") + "}") + ", " +
                            entry("ImageView", "{\"fileNameData\": " + ref(0, "img/picture.png") + "}") + "]")));
    CCTextureCache* cache = CCTextureCache::sharedTextureCache();
    ui::decodeLayoutImagesAhead("layout/page.json");
    cache->finishDecodingAhead();
    EXPECT_EQ(cache->imagesDecodedAhead(), 1u);
    ASSERT_NE(read("layout/page.json"), nullptr);
    EXPECT_TRUE(logged("broken.png"));
    EXPECT_EQ(cache->textureCount(), 1u);
}
