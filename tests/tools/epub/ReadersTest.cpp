// The publication's readers on their own: SMIL clock values, overlays in document order, page
// viewports, and the zip's bounds on names and sizes.
#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "EpubKit.h"
#include "tools/epub/MediaOverlay.h"
#include "tools/epub/PackageDocument.h"
#include "tools/epub/ZipArchive.h"

using namespace epub;

TEST(ClockValue, EveryFormTheOverlaysUse) {
    struct Case {
        const char* text;
        double seconds;  // < 0: refused
    };
    const std::vector<Case> cases = {
        {"0:00:01.5", 1.5},   {"1:02:03", 3723},   {"10:00:00.25", 36000.25}, {"00:01.5", 1.5},
        {"59:59", 3599},      {"1.5s", 1.5},       {"1500ms", 1.5},           {"1.5", 1.5},
        {"2h", 7200},         {"1min", 60},        {"0.25min", 15},           {" 3s ", 3},
        {"0", 0},             {"", -1},            {"s", -1},                 {"1.5 s", -1},
        {"-1s", -1},          {"1,5s", -1},        {"1.5sec", -1},            {"1:5", -1},
        {"1:60", -1},         {"0:60:00", -1},     {"0:00:61", -1},           {"1.", -1},
        {".5s", -1},          {"1:00:00:00", -1},  {"1e3s", -1},              {"9999999h", -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("'") + c.text + "'");
        double seconds = -7;
        const bool read = parseClockValue(c.text, seconds);
        EXPECT_EQ(read, c.seconds >= 0);
        if (read && c.seconds >= 0) EXPECT_NEAR(seconds, c.seconds, 1e-9);
    }
}

TEST(MediaOverlay, ParsInDocumentOrderThroughNestedSeqs) {
    const std::string smil = R"(<smil xmlns="http://www.w3.org/ns/SMIL" version="3.0"><body>
<par id="a"><text src="../text/p1.xhtml#w1"/><audio src="../audio/a.mp3" clipBegin="0:00:00.5" clipEnd="1.25s"/></par>
<seq>
  <seq><par><text src="../text/p1.xhtml#w2"/><audio src="../audio/a%20b.m4a" clipEnd="2000ms"/></par></seq>
  <par><text src="../text/p1.xhtml#w3"/></par>
</seq>
<par><text src="../text/p1.xhtml#w4"/><audio src="../audio/a.mp3" clipBegin="3"/></par>
</body></smil>)";
    MediaOverlay overlay;
    std::string error;
    ASSERT_TRUE(parseMediaOverlay(smil, "OEBPS/smil/p1.smil", overlay, error)) << error;
    ASSERT_EQ(overlay.pars.size(), 4u);
    const char* ids[] = {"w1", "w2", "w3", "w4"};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(overlay.pars[i].textPath, "OEBPS/text/p1.xhtml");
        EXPECT_EQ(overlay.pars[i].fragment, ids[i]);
    }
    EXPECT_EQ(overlay.pars[0].audioPath, "OEBPS/audio/a.mp3");
    EXPECT_DOUBLE_EQ(overlay.pars[0].clipBegin, 0.5);
    EXPECT_DOUBLE_EQ(overlay.pars[0].clipEnd, 1.25);
    EXPECT_EQ(overlay.pars[1].audioPath, "OEBPS/audio/a b.m4a");
    EXPECT_DOUBLE_EQ(overlay.pars[1].clipBegin, 0);  // missing clipBegin: the start
    EXPECT_DOUBLE_EQ(overlay.pars[1].clipEnd, 2);
    EXPECT_TRUE(overlay.pars[2].audioPath.empty());
    EXPECT_LT(overlay.pars[3].clipEnd, 0);  // missing clipEnd: the end of the file
    EXPECT_EQ(overlay.pars[3].line, 7);

    EXPECT_FALSE(parseMediaOverlay(R"(<smil><body><par><text src="p.xhtml"/></par></body></smil>)", "o.smil", overlay, error));
    EXPECT_EQ(error, "o.smil:1: the text src 'p.xhtml' names no element (it needs a #fragment)");
    EXPECT_FALSE(parseMediaOverlay("<smil><body>\n<par><text src=\"p.xhtml#a\"/><audio src=\"a.mp3\" clipBegin=\"2s\" "
                                   "clipEnd=\"1s\"/></par></body></smil>",
                                   "o.smil", overlay, error));
    EXPECT_EQ(error, "o.smil:2: the clip ends (1s) before it begins (2s)");
    EXPECT_FALSE(parseMediaOverlay("<smil><body><par><text src=\"../../x.xhtml#a\"/></par></body></smil>", "o.smil",
                                   overlay, error));
}

TEST(Viewport, SizesWithSpacesAndUnits) {
    struct Case {
        const char* content;
        int width, height;  // 0: refused
    };
    const std::vector<Case> cases = {
        {"width=600, height=800", 600, 800}, {"width = 600px ; height= 800 px", 600, 800},
        {"height=960,width=640", 640, 960},  {"width=1200.4, height=800, initial-scale=1", 1200, 800},
        {"width=600", 0, 0},                 {"width=device-width, height=800", 0, 0},
        {"width=0, height=800", 0, 0},       {"width=600, height=99999", 0, 0},
        {"", 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.content);
        Viewport v;
        EXPECT_EQ(parseViewport(c.content, v), c.width > 0);
        EXPECT_EQ(v.width, c.width);
        EXPECT_EQ(v.height, c.height);
    }
}

TEST(ZipArchive, NamesStayInsideAndSizesStayBounded) {
    for (const char* good : {"OEBPS/a.xhtml", "a..b/c", "mimetype", "x/./y"}) EXPECT_TRUE(staysInside(good)) << good;
    for (const char* bad : {"../a", "a/../../b", "a/..", "/a", "C:a", "a\\b", "", "a\nb"})
        EXPECT_FALSE(staysInside(bad)) << bad;

    // Two entries of 600 KiB each of incompressible bytes: each fits, together they pass a 1 MiB bound.
    const std::string dir = testsupport::makeTempDir("quirel-epub-zip");
    std::string noise(600u << 10, '\0');
    std::uint32_t x = 12345;
    for (char& c : noise) {
        x = x * 1664525u + 1013904223u;
        c = static_cast<char>(x >> 24);
    }
    epubtest::writeZip(dir + "/two.zip", {{"a.bin", noise}, {"b.bin", noise}});
    ZipLimits limits;
    limits.totalBytes = 1u << 20;
    ZipArchive zip;
    std::string error;
    EXPECT_FALSE(zip.openFile(dir + "/two.zip", error, limits));
    EXPECT_NE(error.find("more than 1 MiB together"), std::string::npos) << error;

    ZipArchive open;
    ASSERT_TRUE(open.openFile(dir + "/two.zip", error)) << error;
    std::string bytes;
    ASSERT_TRUE(open.read("b.bin", bytes, error)) << error;
    EXPECT_EQ(bytes, noise);
    EXPECT_FALSE(open.read("c.bin", bytes, error));
    EXPECT_EQ(error, dir + "/two.zip: c.bin is not in the publication");
}
