// Content documents drawn for real and read back from the PNGs they save: pictures where the style
// puts them, ink only where text is visible, one box per line of a wrapping sentence, blocks told
// apart, the publication's own font, and what XHTML brings (declaration, namespaces, empty tags,
// pictures framed by SVG).
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <SDL_image.h>
#include <gtest/gtest.h>

#include "support/TestSupport.h"
#include "tools/bookkit/MediaLibraries.h"
#include "tools/epub/HtmlPage.h"

using bookkit::RectF;
using epub::HtmlPage;

namespace {

struct Rgb {
    int r, g, b;
};

// A drawn page read back from its PNG.
class Picture {
public:
    explicit Picture(const std::string& path) {
        if (SDL_Surface* loaded = IMG_Load(path.c_str())) {
            surface_ = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
            SDL_FreeSurface(loaded);
        }
    }
    ~Picture() {
        if (surface_) {
            SDL_FreeSurface(surface_);
        }
    }
    bool ok() const { return surface_ != nullptr; }
    Rgb at(int x, int y) const {
        const auto* row = static_cast<const Uint8*>(surface_->pixels) + y * surface_->pitch;
        Uint32 p = reinterpret_cast<const Uint32*>(row)[x];
        return Rgb{int((p >> 16) & 0xFF), int((p >> 8) & 0xFF), int(p & 0xFF)};
    }
    // Pixels inside r within `tolerance` of colour c.
    int count(const RectF& r, Rgb c, int tolerance = 40) const {
        int n = 0;
        for (int y = int(r.y); y < int(r.y + r.h); ++y) {
            for (int x = int(r.x); x < int(r.x + r.w); ++x) {
                const Rgb p = at(x, y);
                n += std::abs(p.r - c.r) <= tolerance && std::abs(p.g - c.g) <= tolerance &&
                     std::abs(p.b - c.b) <= tolerance;
            }
        }
        return n;
    }

private:
    SDL_Surface* surface_ = nullptr;
};

bool near(Rgb p, Rgb c, int tolerance = 24) {
    return std::abs(p.r - c.r) <= tolerance && std::abs(p.g - c.g) <= tolerance && std::abs(p.b - c.b) <= tolerance;
}

class HtmlPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(media_.ok);
        dir_ = testsupport::makeTempDir("quirel-htmlpage");
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    // A publication file made from a PNG painted by `paint`.
    void addPng(const std::string& name, int w, int h, const std::function<engine::ccColor4B(int, int)>& paint) {
        const std::string path = testsupport::writePng(dir_ + "/png/" + name, w, h, paint);
        ASSERT_FALSE(path.empty());
        files_[name] = testsupport::readFile(path);
    }

    // Renders the document (at OEBPS/page.xhtml) and saves it; the drawn picture is then read back.
    bool draw(HtmlPage& page, const std::string& xhtml, int w = 600, int h = 800) {
        std::string error;
        const epub::FileLoader load = [this](const std::string& path, std::string& bytes) {
            auto it = files_.find(path);
            if (it == files_.end()) {
                return false;
            }
            bytes = it->second;
            return true;
        };
        if (!page.render(xhtml, "OEBPS/page.xhtml", w, h, load, warnings_, error)) {
            ADD_FAILURE() << error;
            return false;
        }
        const std::string png = dir_ + "/page" + std::to_string(++drawn_) + ".png";
        if (!page.savePng(png, error)) {
            ADD_FAILURE() << error;
            return false;
        }
        picture_ = std::make_unique<Picture>(png);
        return picture_->ok();
    }

    static std::string document(const std::string& head, const std::string& body) {
        return "<html xmlns=\"http://www.w3.org/1999/xhtml\"><head><title>t</title>" + head + "</head><body>" +
               body + "</body></html>";
    }

    bookkit::MediaLibraries media_;
    std::string dir_;
    std::map<std::string, std::string> files_;
    std::vector<std::string> warnings_;
    std::unique_ptr<Picture> picture_;
    int drawn_ = 0;
};

TEST_F(HtmlPageTest, PicturesAndPlacedTextAreDrawnWhereTheStylePutsThem) {
    // The page picture: four quadrants, stretched tenfold by the size in a linked sheet's shorthand.
    addPng("OEBPS/images/page.png", 60, 80, [](int x, int y) {
        if (y < 40) {
            return x < 30 ? engine::ccColor4B{255, 0, 0, 255} : engine::ccColor4B{0, 255, 0, 255};
        }
        return x < 30 ? engine::ccColor4B{0, 0, 255, 255} : engine::ccColor4B{255, 255, 0, 255};
    });
    addPng("OEBPS/images/spot.png", 4, 4, [](int, int) { return engine::ccColor4B{255, 0, 255, 255}; });
    files_["OEBPS/css/page.css"] =
        "body { margin: 0; width: 600px; height: 800px; background: url(../images/page.png) no-repeat 0 0 / 600px 800px; }\n"
        ".say { position: absolute; margin: 0; font-size: 40px; }\n";
    HtmlPage page;
    ASSERT_TRUE(draw(page, document("<link rel=\"stylesheet\" type=\"text/css\" href=\"css/page.css\"/>",
                                    "<img src=\"images/spot.png\" alt=\"\" style=\"position:absolute; left:400px;"
                                    " top:50px; width:100px; height:50px\"/>"
                                    "<p id=\"seen\" class=\"say\" style=\"left:40px; top:300px; color:#0000c8\">Hello there</p>"
                                    "<p id=\"hidden\" class=\"say\" style=\"left:40px; top:500px; color:transparent\">"
                                    "Quiet words</p>")));
    EXPECT_TRUE(warnings_.empty()) << warnings_.front();

    EXPECT_TRUE(near(picture_->at(150, 100), {255, 0, 0}));
    EXPECT_TRUE(near(picture_->at(500, 350), {0, 255, 0}));
    EXPECT_TRUE(near(picture_->at(150, 700), {0, 0, 255}));
    EXPECT_TRUE(near(picture_->at(450, 700), {255, 255, 0}));
    // The picture element, stretched to its box and nowhere else.
    EXPECT_TRUE(near(picture_->at(405, 55), {255, 0, 255}));
    EXPECT_TRUE(near(picture_->at(495, 95), {255, 0, 255}));
    EXPECT_TRUE(near(picture_->at(395, 75), {0, 255, 0}));
    EXPECT_TRUE(near(picture_->at(450, 105), {0, 255, 0}));

    std::string text;
    std::vector<RectF> lines;
    int block = -1;
    ASSERT_TRUE(page.element("seen", text, lines, block));
    EXPECT_EQ(text, "Hello there");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NEAR(lines[0].x, 40, 1);
    EXPECT_NEAR(lines[0].y, 300, 6);
    EXPECT_GT(lines[0].w, 150);
    EXPECT_NEAR(lines[0].h, 46, 8);
    // Ink of the text's colour inside its box, none just below it.
    EXPECT_GT(picture_->count(lines[0], {0, 0, 200}), 300);
    EXPECT_EQ(picture_->count(RectF{lines[0].x, lines[0].y + lines[0].h + 2, lines[0].w, 20}, {0, 0, 200}), 0);

    // Transparent text is laid out and leaves the picture untouched.
    ASSERT_TRUE(page.element("hidden", text, lines, block));
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NEAR(lines[0].y, 500, 6);
    EXPECT_GT(lines[0].w, 150);
    EXPECT_EQ(picture_->count(lines[0], {0, 0, 255}, 4), int(lines[0].w) * int(lines[0].h));

    EXPECT_FALSE(page.element("nothing-has-this-id", text, lines, block));
}

TEST_F(HtmlPageTest, AWrappingSentenceHasABoxPerLineAndSharesItsBlock) {
    HtmlPage page;
    ASSERT_TRUE(draw(page, document("<style>body { margin: 0 } p { width: 400px; font-size: 20px; margin: 0 0 30px 0 }</style>",
                                    "<p id=\"para\"><span id=\"s1\">The cat sat on the mat.</span>\n"
                                    "  <span id=\"s2\">Then it got up and walked home.</span> <span id=\"s3\">"
                                    "Rain fell.</span></p>\n<p><span id=\"s4\">Next page.</span></p>")));
    std::string text;
    std::vector<RectF> s1, s2, s3, s4, para;
    int b1 = -1, b2 = -1, b3 = -1, b4 = -1, bp = -1;
    ASSERT_TRUE(page.element("s1", text, s1, b1));
    ASSERT_TRUE(page.element("s3", text, s3, b3));
    ASSERT_TRUE(page.element("s4", text, s4, b4));
    ASSERT_TRUE(page.element("para", text, para, bp));
    ASSERT_TRUE(page.element("s2", text, s2, b2));
    EXPECT_EQ(text, "Then it got up and walked home.");

    ASSERT_EQ(s1.size(), 1u);
    ASSERT_EQ(s2.size(), 2u);
    ASSERT_EQ(s3.size(), 1u);
    ASSERT_EQ(para.size(), 2u);
    // s2 starts after s1 on the first line and ends before s3 on the second: no box holds a
    // neighbour's words.
    EXPECT_NEAR(s2[0].y, s1[0].y, 1);
    EXPECT_GE(s2[0].x, s1[0].x + s1[0].w);
    EXPECT_GT(s2[1].y, s2[0].y + s2[0].h / 2);
    EXPECT_NEAR(s2[1].x, 0, 1);
    EXPECT_NEAR(s3[0].y, s2[1].y, 1);
    EXPECT_LE(s2[1].x + s2[1].w, s3[0].x);
    EXPECT_LE(s2[0].x + s2[0].w, 400);

    EXPECT_EQ(b1, bp);
    EXPECT_EQ(b2, bp);
    EXPECT_EQ(b3, bp);
    EXPECT_NE(b4, bp);
    EXPECT_GT(s4[0].y, s3[0].y + s3[0].h);
}

TEST_F(HtmlPageTest, ThePublicationsFontIsUsedAndWoffFallsBackWithAWarning) {
    files_["OEBPS/fonts/story.ttf"] = testsupport::readFile("/usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf");
    ASSERT_FALSE(files_["OEBPS/fonts/story.ttf"].empty());
    files_["OEBPS/fonts/web.woff"] = std::string("wOFF\0\1\0\0", 8) + std::string(200, '\0');
    files_["OEBPS/css/fonts.css"] =
        "@font-face { font-family: \"Story Face\"; src: url(../fonts/story.ttf) format(\"truetype\"); }\n"
        "p { font-size: 30px; margin: 0; }\n";
    files_["OEBPS/css/web.css"] =
        "@font-face { font-family: 'Web Face'; src: url(\"../fonts/web.woff\") format(\"woff\"); }\n"
        "p { font-size: 30px; margin: 0; }\n";
    const std::string words = "Little bear went fishing";
    auto widthIn = [&](const std::string& family, const std::string& sheet = "fonts.css") {
        HtmlPage page;
        if (!draw(page, document("<link rel=\"stylesheet\" href=\"css/" + sheet + "\"/>",
                                 "<p><span id=\"w\" style=\"font-family: " + family + "\">" + words + "</span></p>"))) {
            return -1.0f;
        }
        std::string text;
        std::vector<RectF> lines;
        int block = -1;
        return page.element("w", text, lines, block) && lines.size() == 1 ? lines[0].w : -1.0f;
    };
    const float fallback = widthIn("'No Such Face', sans-serif");
    const float story = widthIn("'Story Face', sans-serif");
    ASSERT_GT(fallback, 0);
    EXPECT_GT(story, fallback * 1.1f);
    EXPECT_TRUE(warnings_.empty());

    EXPECT_EQ(widthIn("'Web Face', sans-serif", "web.css"), fallback);
    ASSERT_EQ(warnings_.size(), 1u);
    EXPECT_NE(warnings_[0].find("OEBPS/fonts/web.woff"), std::string::npos) << warnings_[0];
    EXPECT_NE(warnings_[0].find("WOFF"), std::string::npos) << warnings_[0];
}

TEST_F(HtmlPageTest, XhtmlWithItsDeclarationEmptyTagsAndSvgFramedPictureRendersAndAMissingPictureOnlyWarns) {
    addPng("OEBPS/images/leaf.png", 2, 2, [](int, int) { return engine::ccColor4B{0, 160, 0, 255}; });
    const std::string xhtml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE html>\n"
        "<html xmlns=\"http://www.w3.org/1999/xhtml\" xmlns:epub=\"http://www.idpf.org/2007/ops\"\n"
        " xmlns:xlink=\"http://www.w3.org/1999/xlink\" xml:lang=\"en\">\n"
        "<head><meta charset=\"UTF-8\"/><meta name=\"viewport\" content=\"width=300, height=200\"/><title>p</title>"
        "<script type=\"text/javascript\" src=\"app.js\"/></head>\n"
        "<body epub:type=\"bodymatter\" style=\"margin:0\"><img src=\"images/gone.png\" alt=\"\"/>"
        "<div id=\"empty\" style=\"height:20px\"/><p id=\"after\" style=\"color:#000; margin:0\">Dog &amp;<br/>cat</p>"
        // A picture framed by SVG, in the viewport's coordinates: drawn at (200, 0), 100 x 50.
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"100%\" height=\"100%\" viewBox=\"0 0 600 400\">"
        "<image x=\"400\" width=\"200\" height=\"100\" xlink:href=\"images/leaf.png\"/></svg></body></html>";
    HtmlPage page;
    ASSERT_TRUE(draw(page, xhtml, 300, 200));
    ASSERT_EQ(warnings_.size(), 1u);
    EXPECT_NE(warnings_[0].find("OEBPS/images/gone.png"), std::string::npos) << warnings_[0];

    std::string text;
    std::vector<RectF> lines;
    int emptyBlock = -1, afterBlock = -1;
    ASSERT_TRUE(page.element("empty", text, lines, emptyBlock));
    EXPECT_EQ(text, "");
    ASSERT_TRUE(page.element("after", text, lines, afterBlock));
    EXPECT_EQ(text, "Dog & cat");
    EXPECT_NE(emptyBlock, afterBlock);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_GE(lines[0].y, 20);
    EXPECT_GT(picture_->count(lines[0], {0, 0, 0}), 30);
    EXPECT_GT(picture_->count(lines[1], {0, 0, 0}), 30);

    EXPECT_TRUE(near(picture_->at(205, 5), {0, 160, 0}));
    EXPECT_TRUE(near(picture_->at(295, 45), {0, 160, 0}));
    EXPECT_TRUE(near(picture_->at(195, 25), {255, 255, 255}));
    EXPECT_TRUE(near(picture_->at(250, 55), {255, 255, 255}));
}

}  // namespace
