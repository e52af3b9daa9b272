// A damaged book: missing or broken files and odd texts leave the reader working as designed.
#include <filesystem>
#include <fstream>

#include "ReaderTestKit.h"
#include "app/book/StringTables.h"
#include "support/TestSupport.h"

using namespace engine;
using readertest::ReaderTest;
namespace fs = std::filesystem;

namespace {

// Rewrites one value of a property-list string table in place.
void replaceTableValue(const std::string& file, const std::string& key, const std::string& value) {
    std::ifstream in(file);
    std::string xml((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::string keyTag = "<key>" + key + "</key>";
    size_t k = xml.find(keyTag);
    ASSERT_NE(k, std::string::npos) << key;
    size_t start = xml.find("<string>", k) + 8;
    size_t end = xml.find("</string>", start);
    xml.replace(start, end - start, value);
    std::ofstream(file, std::ios::trunc) << xml;
}

void removeTableKey(const std::string& file, const std::string& key) {
    std::ifstream in(file);
    std::string xml((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    size_t k = xml.find("<key>" + key + "</key>");
    ASSERT_NE(k, std::string::npos) << key;
    size_t end = xml.find("</string>", k) + 9;
    xml.erase(k, end - k);
    std::ofstream(file, std::ios::trunc) << xml;
}

class DamagedBook : public ReaderTest {
protected:
    void prepareBook() override {
        fs::remove(book + "/tomeset/tomeset_31.json");
        testsupport::writeFile(book + "/tomeset/tomeset_32.json", "{ this is not json");
        removeTableKey(book + "/Stringstr.xml", "str332");
        replaceTableValue(book + "/Stringstr.xml", "str333", std::string(2000, 'x'));
        // A recording that is missing and one that is not audio at all.
        fs::remove(book + "/" + recording(34, 1));
        fs::remove(book + "/" + recording(34, 2));
        testsupport::writeFile(book + "/" + recording(34, 2), "not an mp3 file at all");
    }
};

class NoCaptions : public ReaderTest {
protected:
    void prepareBook() override { fs::remove(book + "/String.xml"); }
};

}  // namespace

TEST_F(DamagedBook, MissingAndBrokenPageFilesStillShowThePageAndLetYouTurnOn) {
    openPage(30);
    run("call nextPageCallback");
    frames(40);
    Json::Value s = state();
    EXPECT_EQ(s["currentPage"].asInt(), 31);
    EXPECT_EQ(s["layer"].asString(), "TestLayer2");
    ASSERT_NE(page(), nullptr);
    EXPECT_EQ(page()->getPageLayout(), nullptr);
    EXPECT_TRUE(s["playPause"]["visible"].asBool());
    run("call nextPageCallback");
    frames(40);
    EXPECT_EQ(app::currentPage, 32);
    EXPECT_EQ(page()->getPageLayout(), nullptr);
    run("call nextPageCallback");
    frames(40);
    EXPECT_EQ(app::currentPage, 33);
    EXPECT_NE(page()->getPageLayout(), nullptr);
}

TEST_F(DamagedBook, AMissingTextEmptiesTheSubtitleAndTheAudioStillPlays) {
    openPage(33);
    tapSentence(33, 2);
    Json::Value sub = state()["subtitle"];
    EXPECT_EQ(sub["text"].asString(), "");
    EXPECT_EQ(sub["bgWidth"].asFloat(), 0);
    EXPECT_EQ(sub["bgHeight"].asFloat(), 0);
    EXPECT_TRUE(playing());
}

TEST_F(DamagedBook, ATooLongTextShowsNoSubtitleAndTheAudioStillPlays) {
    openPage(33);
    tapSentence(33, 3);
    Json::Value sub = state()["subtitle"];
    EXPECT_EQ(sub["text"].asString(), "");
    EXPECT_FALSE(sub["visible"].asBool());
    EXPECT_FALSE(sub["bgVisible"].asBool());
    EXPECT_TRUE(playing());
}

TEST_F(DamagedBook, MissingOrCorruptRecordingsAreSkippedAfterThePause) {
    openPage(34);
    tapSentence(34, 1);
    EXPECT_FALSE(playing());
    seconds(0.4);
    EXPECT_FALSE(state()["subtitle"]["visible"].asBool());  // the next check hides it
    run("call playPauseCallback");
    seconds(8);
    std::vector<std::string> p = played();
    ASSERT_FALSE(p.empty());
    // Sentences 1 and 2 fail; reading goes on with 3.
    EXPECT_EQ(p.front(), recording(34, 3));
    EXPECT_GE(played("fail").size(), 3u);
}

TEST_F(NoCaptions, WithoutTheCaptionTableScreensShowEmptyCaptionsAndStillWork) {
    openPage(20);
    Json::Value s = state();
    EXPECT_EQ(s["layer"].asString(), "TestLayer1");
    EXPECT_EQ(s["subtitle"]["text"].asString(), "");
    run("call nextPageCallback");
    frames(40);
    EXPECT_EQ(app::currentPage, 21);
    run("call contentsCallback");
    frames(2);
    EXPECT_EQ(state()["layer"].asString(), "TestController");
}
