// quirel-epub export as a program: a book made by quirel-make (a recording, a spoken sentence, a
// sentence over two touch rectangles) exported and judged by the real epubcheck, its pictures
// against the headless reader's own drawing; the course book exported whole; bad command lines and
// folders that are not sound books refused with nothing written.
#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>

#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>
#include <pugixml.hpp>
#include <zip.h>

#include "app/book/SentenceNames.h"
#include "support/TestSupport.h"
#include "EpubKit.h"
#include "tools/bookkit/AudioClip.h"
#include "tools/bookkit/Canvas.h"
#include "tools/bookkit/MediaLibraries.h"

namespace {

namespace fs = std::filesystem;

const std::string kBuild = QUIREL_BINARY_DIR;
const std::string kEpubcheck = "/usr/share/java/epubcheck.jar";

testsupport::ProgramRun exportBook(const std::string& book, const std::string& out) {
    return epubtest::runEpub({"export", book, out});
}

// The entries of a zip, in order, with their bytes.
struct ZipEntries {
    std::vector<std::string> names;
    std::map<std::string, std::string> bytes;
    std::map<std::string, int> method;
};

ZipEntries readZip(const std::string& path) {
    ZipEntries z;
    int code = 0;
    zip_t* zip = zip_open(path.c_str(), ZIP_RDONLY, &code);
    if (!zip) {
        ADD_FAILURE() << path << " does not open as a zip (" << code << ")";
        return z;
    }
    const zip_int64_t count = zip_get_num_entries(zip, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t st;
        zip_stat_index(zip, static_cast<zip_uint64_t>(i), 0, &st);
        std::string data(st.size, '\0');
        zip_file_t* f = zip_fopen_index(zip, static_cast<zip_uint64_t>(i), 0);
        if (f) {
            zip_fread(f, data.data(), st.size);
            zip_fclose(f);
        }
        z.names.push_back(st.name);
        z.bytes[st.name] = data;
        z.method[st.name] = st.comp_method;
    }
    zip_close(zip);
    return z;
}

pugi::xml_document parse(const ZipEntries& z, const std::string& name) {
    pugi::xml_document doc;
    auto it = z.bytes.find(name);
    if (it == z.bytes.end()) {
        ADD_FAILURE() << "no " << name << " in the publication";
        return doc;
    }
    const pugi::xml_parse_result r = doc.load_buffer(it->second.data(), it->second.size());
    EXPECT_TRUE(r) << name << ": " << r.description();
    return doc;
}

// "0:00:01.480" in milliseconds.
long long clockMs(const std::string& clock) {
    int h = 0, m = 0, s = 0, ms = 0;
    EXPECT_EQ(std::sscanf(clock.c_str(), "%d:%d:%d.%d", &h, &m, &s, &ms), 4) << clock;
    return ((h * 60LL + m) * 60 + s) * 1000 + ms;
}

// A style attribute's "left: 40px; top: 600px; ..." as numbers.
std::map<std::string, double> placement(const std::string& style) {
    std::map<std::string, double> out;
    static const std::regex part("([a-z]+): (-?[0-9.]+)px");
    for (std::sregex_iterator it(style.begin(), style.end(), part), end; it != end; ++it)
        out[(*it)[1]] = std::stod((*it)[2]);
    return out;
}

// What epubcheck said: every message line (those of a severity) and the summary line.
struct Verdict {
    bool ran = false;
    std::vector<std::string> messages;
    std::string summary;
};

Verdict epubcheck(const std::string& epub) {
    Verdict v;
    const testsupport::ProgramRun run =
        testsupport::runProgram("java -jar " + testsupport::shellQuoted(kEpubcheck) + " " + testsupport::shellQuoted(epub) + " 2>&1");
    std::istringstream lines(run.out);
    std::string line;
    static const std::regex severity("^(FATAL|ERROR|WARNING|USAGE|INFO)\\(");
    while (std::getline(lines, line)) {
        if (std::regex_search(line, severity)) v.messages.push_back(line);
        if (line.rfind("Messages:", 0) == 0) v.summary = line;
    }
    v.ran = !v.summary.empty();
    return v;
}

bool epubcheckAvailable() {
    return fs::exists(kEpubcheck) && testsupport::runProgram("command -v java").exitCode == 0;
}

// One sentence's recording: a tone of that many seconds, as a WAV.
void writeTone(const std::string& path, double seconds) {
    bookkit::Pcm pcm;
    pcm.rate = 22050;
    pcm.channels = 1;
    const std::size_t frames = static_cast<std::size_t>(seconds * pcm.rate);
    for (std::size_t i = 0; i < frames; ++i)
        pcm.samples.push_back(0.4f * static_cast<float>(std::sin(2 * M_PI * 440.0 * static_cast<double>(i) / pcm.rate)));
    fs::create_directories(fs::path(path).parent_path());
    std::string error;
    ASSERT_TRUE(bookkit::writeAudioFile(path, pcm, error)) << error;
}

// A picture of one colour with a darker band across it, as PNG or JPEG by its extension.
void writePicture(const std::string& path, int w, int h, bookkit::Rgba fill) {
    fs::create_directories(fs::path(path).parent_path());
    bookkit::Canvas c(w, h, fill, 1);
    c.fillRect(0, h * 0.4f, static_cast<float>(w), h * 0.2f, bookkit::shade(fill, -0.5f));
    c.fillCircle(w / 2.0f, h / 4.0f, h / 8.0f, bookkit::rgba(255, 255, 255));
    std::string error;
    const bool ok = path.size() > 4 && path.substr(path.size() - 4) == ".jpg" ? c.saveJpg(path, 95, error)
                                                                               : c.savePng(path, error);
    ASSERT_TRUE(ok) << error;
}

SDL_Surface* loadRgba(const std::string& path) {
    SDL_Surface* loaded = IMG_Load(path.c_str());
    if (!loaded) return nullptr;
    SDL_Surface* rgba = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGBA32, 0);
    SDL_FreeSurface(loaded);
    return rgba;
}

// A two-page book made once for the tests: page 1 a JPEG with a recorded and a spoken sentence,
// page 2 a PNG whose sentence lies over two lines (a zone a line).
class ExportedBook : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        bookkit::MediaLibraries media;
        work_ = new std::string(testsupport::makeTempDir("quirel-epub-export"));
        const std::string src = *work_ + "/src";
        writePicture(src + "/pictures/park.jpg", 800, 600, bookkit::rgba(90, 170, 90));
        writePicture(src + "/pictures/sky.png", 640, 960, bookkit::rgba(120, 170, 230));
        writeTone(src + "/voice/one.wav", 1.5);
        writeTone(src + "/voice/two.wav", 2.25);
        testsupport::writeFile(src + "/book.yaml",
                               "title: Park & Sky\n"
                               "author: Class 2B\n"
                               "language: en-GB\n"
                               "units:\n"
                               "  - title: The park\n"
                               "    pages: [1, 1]\n"
                               "  - title: The sky\n"
                               "    pages: [2, 2]\n"
                               "pages:\n"
                               "  - picture: pictures/park.jpg\n"
                               "    sentences:\n"
                               "      - text: \"We <run> & \\\"play\\\" in the park.\"\n"
                               "        zone: [40, 300, 720, 60]\n"
                               "        audio: voice/one.wav\n"
                               "      - text: The grass is green.\n"
                               "        zone: [40, 380, 720, 60]\n"
                               "  - picture: pictures/sky.png\n"
                               "    sentences:\n"
                               "      - text: The sky is blue and the clouds are white today.\n"
                               "        zone: [[40, 600, 560, 50], [40, 660, 560, 50]]\n"
                               "        audio: voice/two.wav\n");
        book_ = new std::string(*work_ + "/book");
        const testsupport::ProgramRun made = testsupport::runProgram(
            testsupport::shellQuoted(kBuild + "/tools/make/quirel-make") + " --quiet " +
            testsupport::shellQuoted(src + "/book.yaml") + " " + testsupport::shellQuoted(*book_));
        ASSERT_EQ(made.exitCode, 0) << made.err;

        epub_ = new std::string(*work_ + "/park.epub");
        run_ = new testsupport::ProgramRun(exportBook(*book_, *epub_));
    }
    static void TearDownTestSuite() {
        delete work_;
        delete book_;
        delete epub_;
        delete run_;
    }

    static std::string* work_;
    static std::string* book_;
    static std::string* epub_;
    static testsupport::ProgramRun* run_;
};

std::string* ExportedBook::work_ = nullptr;
std::string* ExportedBook::book_ = nullptr;
std::string* ExportedBook::epub_ = nullptr;
testsupport::ProgramRun* ExportedBook::run_ = nullptr;

}  // namespace

// The container as reading systems find it, each sentence's overlay entry with the length of its
// recording, and epubcheck's verdict: no error and no warning.
TEST_F(ExportedBook, PassesEpubcheckWithEverySentenceAndItsRecording) {
    ASSERT_EQ(run_->exitCode, 0) << run_->err;
    EXPECT_EQ(run_->err, "");
    // Not a terminal: no progress lines, only the summary.
    EXPECT_EQ(run_->out.find("page 1/2"), std::string::npos) << run_->out;
    EXPECT_NE(run_->out.find("2 pages, 3 sentences"), std::string::npos) << run_->out;
    for (const auto& e : fs::directory_iterator(*work_))
        EXPECT_EQ(e.path().filename().string().find(".tmp-"), std::string::npos) << e.path();

    // The first local header: "mimetype", stored, no extra field, the exact bytes after it.
    const std::string raw = testsupport::readFile(*epub_);
    ASSERT_GT(raw.size(), 58u);
    EXPECT_EQ(raw.substr(0, 4), std::string("PK\x03\x04", 4));
    EXPECT_EQ(raw[8] | raw[9] << 8, 0) << "mimetype is compressed";
    EXPECT_EQ(raw[26] | raw[27] << 8, 8);
    EXPECT_EQ(raw[28] | raw[29] << 8, 0) << "mimetype has an extra field";
    EXPECT_EQ(raw.substr(30, 8), "mimetype");
    EXPECT_EQ(raw.substr(38, 20), "application/epub+zip");

    const ZipEntries z = readZip(*epub_);
    ASSERT_FALSE(z.names.empty());
    EXPECT_EQ(z.names.front(), "mimetype");
    EXPECT_EQ(z.bytes.at("mimetype"), "application/epub+zip");

    // The recordings as the book has them, and their clips as long as they play.
    const pugi::xml_document smil = parse(z, "OEBPS/page_001.smil");
    std::vector<pugi::xml_node> pars;
    for (pugi::xpath_node par : smil.select_nodes("//par")) pars.push_back(par.node());
    ASSERT_EQ(pars.size(), 2u);
    EXPECT_STREQ(pars[0].child("text").attribute("src").value(), "page_001.xhtml#bn011");
    EXPECT_STREQ(pars[1].child("text").attribute("src").value(), "page_001.xhtml#bn012");
    const pugi::xml_node audio = pars[0].child("audio");
    EXPECT_EQ(z.bytes.at("OEBPS/" + std::string(audio.attribute("src").value())),
              testsupport::readFile(*book_ + "/" + app::storedAudioPath(1, 1)));
    EXPECT_EQ(clockMs(audio.attribute("clipBegin").value()), 0);
    EXPECT_NEAR(clockMs(audio.attribute("clipEnd").value()), 1500, 30);

    // Durations: each overlay's is the sum of its clips, the total the sum of the overlays'.
    const pugi::xml_document opf = parse(z, "OEBPS/content.opf");
    long long total = -1, sum = 0;
    for (pugi::xpath_node m : opf.select_nodes("//*[local-name()='meta'][@property='media:duration']")) {
        if (m.node().attribute("refines"))
            sum += clockMs(m.node().text().get());
        else
            total = clockMs(m.node().text().get());
    }
    EXPECT_EQ(total, sum);
    EXPECT_NEAR(static_cast<double>(total), 1500 + 2250 + 1000, 1500);  // the spoken sentence: about a second
    EXPECT_STREQ(opf.select_node("//*[local-name()='language']").node().text().get(), "en-GB");
    EXPECT_STREQ(opf.select_node("//*[local-name()='title']").node().text().get(), "Park & Sky");

    // The table of contents: the book's units.
    const pugi::xml_document nav = parse(z, "OEBPS/nav.xhtml");
    std::vector<std::string> toc;
    for (pugi::xpath_node a : nav.select_nodes("//*[local-name()='nav'][@id='toc']//*[local-name()='a']"))
        toc.push_back(std::string(a.node().attribute("href").value()) + " " + a.node().text().get());
    EXPECT_EQ(toc, (std::vector<std::string>{"page_001.xhtml The park", "page_002.xhtml The sky"}));

    if (!epubcheckAvailable()) GTEST_SKIP() << "java or " << kEpubcheck << " is missing";
    const Verdict verdict = epubcheck(*epub_);
    ASSERT_TRUE(verdict.ran) << "epubcheck printed no summary";
    EXPECT_TRUE(verdict.messages.empty()) << verdict.messages.front();
    EXPECT_EQ(verdict.summary, "Messages: 0 fatals / 0 errors / 0 warnings / 0 infos");
}

// A sentence over two touch rectangles is one element with its whole text, holding a box placed
// over each rectangle, and one entry of the overlay naming that element.
TEST_F(ExportedBook, ASentenceOverTwoLinesIsOneElementWithABoxALine) {
    ASSERT_EQ(run_->exitCode, 0) << run_->err;
    const ZipEntries z = readZip(*epub_);
    const pugi::xml_document page = parse(z, "OEBPS/page_002.xhtml");
    const pugi::xml_node sentence = page.select_node("//*[@id='bn021']").node();
    ASSERT_TRUE(sentence);
    EXPECT_EQ(std::string(sentence.text().get()), "The sky is blue and the clouds are white today.");
    EXPECT_FALSE(page.select_node("//*[@id='bn021_2']"));
    const auto outer = placement(sentence.attribute("style").value());
    // The zone lies 1:1 on the 640 x 960 picture; the second line 60 points below the first.
    EXPECT_NEAR(outer.at("left"), 40, 0.6);
    EXPECT_NEAR(outer.at("top"), 600, 0.6);
    EXPECT_NEAR(outer.at("width"), 560, 0.6);
    EXPECT_NEAR(outer.at("height"), 110, 0.6);
    std::vector<std::map<std::string, double>> boxes;
    for (pugi::xml_node box : sentence.children("span")) boxes.push_back(placement(box.attribute("style").value()));
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_NEAR(boxes[0].at("top"), 0, 0.6);
    EXPECT_NEAR(boxes[1].at("top"), 60, 0.6);
    for (const auto& b : boxes) {
        EXPECT_NEAR(b.at("left"), 0, 0.6);
        EXPECT_NEAR(b.at("width"), 560, 0.6);
        EXPECT_NEAR(b.at("height"), 50, 0.6);
    }
    const pugi::xml_document smil = parse(z, "OEBPS/page_002.smil");
    const pugi::xpath_node_set texts = smil.select_nodes("//text");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_STREQ(texts.first().node().attribute("src").value(), "page_002.xhtml#bn021");
}

// Each page's picture is what the headless reader draws of that page above its own buttons: the
// fitted photograph with the background around it and the page number.
TEST_F(ExportedBook, ThePicturesAreWhatTheReaderShowsOfThePage) {
    ASSERT_EQ(run_->exitCode, 0) << run_->err;
    const ZipEntries z = readZip(*epub_);
    const std::string dir = testsupport::makeTempDir("quirel-epub-pictures");
    for (int page = 1; page <= 2; ++page) {
        const std::string extension = page == 1 ? ".jpg" : ".png";
        const std::string name = "OEBPS/images/page_00" + std::to_string(page) + extension;
        ASSERT_TRUE(z.bytes.count(name)) << name;
        testsupport::writeFile(dir + "/exported" + extension, z.bytes.at(name));
        // Page 1 opened through the contents screen and the first unit's menu, page 2 turned to.
        testsupport::writeFile(dir + "/script", "tap 320 860\nwait 2.5\ntap 320 860\nwait 2.5\n" +
                                                   std::string(page == 2 ? "call nextPageCallback\nwait 2.5\n" : "") +
                                                   "shot " + dir + "/reader.png\n");
        const testsupport::ProgramRun drive = testsupport::runProgram(
            testsupport::shellQuoted(kBuild + "/tools/drive/quirel-drive") + " --resources " +
            testsupport::shellQuoted(*book_) + " " + testsupport::shellQuoted(dir + "/script"));
        ASSERT_EQ(drive.exitCode, 0) << drive.err;

        bookkit::MediaLibraries media;
        SDL_Surface* exported = loadRgba(dir + "/exported" + extension);
        SDL_Surface* shown = loadRgba(dir + "/reader.png");
        ASSERT_TRUE(exported && shown);
        ASSERT_EQ(exported->w, 640);
        ASSERT_EQ(exported->h, 960);
        ASSERT_EQ(shown->w, 640);
        // Rows above the reader's own buttons and hint (the bottom 140 rows).
        long long differing = 0, all = 0;
        for (int y = 0; y < 820; ++y) {
            const auto* a = static_cast<const std::uint8_t*>(exported->pixels) + y * exported->pitch;
            const auto* b = static_cast<const std::uint8_t*>(shown->pixels) + y * shown->pitch;
            for (int x = 0; x < 640; ++x, ++all) {
                int worst = 0;
                for (int c = 0; c < 3; ++c) worst = std::max(worst, std::abs(a[x * 4 + c] - b[x * 4 + c]));
                if (worst > 40) ++differing;
            }
        }
        SDL_FreeSurface(exported);
        SDL_FreeSurface(shown);
        // Text drawn by two rasterisers differs at its edges; anything misplaced differs by far more.
        EXPECT_LT(static_cast<double>(differing) / static_cast<double>(all), 0.001) << "page " << page;
    }
}

// The 90-page course book (no description: the reader's own facts): every page with its overlay,
// every overlay entry naming an element and a recording the publication carries, the contents in
// reading order, the word list's cards drawn into its pages.
TEST(ExportCourseBook, EveryPageSentenceAndRecordingIsCarried) {
    const std::string book = kBuild + "/book";
    const std::string dir = testsupport::makeTempDir("quirel-epub-course");
    const testsupport::ProgramRun run = exportBook(book, dir + "/course.epub");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const ZipEntries z = readZip(dir + "/course.epub");

    const pugi::xml_document opf = parse(z, "OEBPS/content.opf");
    EXPECT_STREQ(opf.select_node("//*[local-name()='title']").node().text().get(), "Sunny Lane English");
    EXPECT_EQ(opf.select_nodes("//*[local-name()='itemref']").size(), 90u);
    std::set<std::string> manifest;
    for (pugi::xpath_node item : opf.select_nodes("//*[local-name()='item']"))
        manifest.insert("OEBPS/" + std::string(item.node().attribute("href").value()));
    for (const std::string& name : z.names) {
        if (name != "mimetype" && name.rfind("META-INF/", 0) != 0 && name != "OEBPS/content.opf") {
            EXPECT_TRUE(manifest.count(name)) << name << " is not in the manifest";
        }
    }

    int pars = 0;
    for (int page = 1; page <= 90; ++page) {
        char name[32];
        std::snprintf(name, sizeof name, "OEBPS/page_%03d", page);
        const std::string xhtml = std::string(name) + ".xhtml";
        if (!z.bytes.count(std::string(name) + ".smil")) continue;
        const pugi::xml_document doc = parse(z, xhtml);
        const pugi::xml_document smil = parse(z, std::string(name) + ".smil");
        for (pugi::xpath_node par : smil.select_nodes("//par")) {
            ++pars;
            const std::string src = par.node().child("text").attribute("src").value();
            const std::size_t hash = src.find('#');
            ASSERT_NE(hash, std::string::npos) << src;
            EXPECT_EQ("OEBPS/" + src.substr(0, hash), xhtml);
            const pugi::xml_node element = doc.select_node(("//*[@id='" + src.substr(hash + 1) + "']").c_str()).node();
            ASSERT_TRUE(element) << src;
            EXPECT_FALSE(std::string(element.text().get()).empty()) << src;
            EXPECT_TRUE(z.bytes.count("OEBPS/" + std::string(par.node().child("audio").attribute("src").value())))
                << src;
        }
    }
    // Every sentence of the sentence table (one a sentence) is read.
    const std::string table = testsupport::readFile(book + "/Stringstr.xml");
    int keys = 0;
    for (std::size_t at = table.find("<key>str"); at != std::string::npos; at = table.find("<key>str", at + 1)) ++keys;
    EXPECT_EQ(pars, keys);

    // The contents in reading order: units and the word list's sections by their first pages.
    const pugi::xml_document nav = parse(z, "OEBPS/nav.xhtml");
    std::vector<int> opens;
    for (pugi::xpath_node a : nav.select_nodes("//*[local-name()='nav'][@id='toc']//*[local-name()='a']"))
        opens.push_back(std::atoi(a.node().attribute("href").value() + 5));
    EXPECT_EQ(opens, (std::vector<int>{2, 14, 26, 38, 50, 62, 74, 74, 76, 78, 80, 82}));

    // A word-list page: its cards are part of the picture, which is not the page's own picture.
    ASSERT_TRUE(z.bytes.count("OEBPS/images/page_075.png"));
    EXPECT_NE(z.bytes.at("OEBPS/images/page_075.png"), testsupport::readFile(book + "/tomeset/images/page_75.png"));
    bookkit::MediaLibraries media;
    testsupport::writeFile(dir + "/page75.png", z.bytes.at("OEBPS/images/page_075.png"));
    SDL_Surface* picture = loadRgba(dir + "/page75.png");
    SDL_Surface* own = loadRgba(book + "/tomeset/images/page_75.png");
    ASSERT_TRUE(picture && own);
    // The first card's centre (button bn751 at -150, 224.67 from the page's centre, y up).
    const int x = 170, y = 480 - 225 + 20;
    const auto* a = static_cast<const std::uint8_t*>(picture->pixels) + y * picture->pitch + x * 4;
    const auto* b = static_cast<const std::uint8_t*>(own->pixels) + y * own->pitch + x * 4;
    EXPECT_TRUE(a[0] != b[0] || a[1] != b[1] || a[2] != b[2]) << "no card drawn over the page";
    SDL_FreeSurface(picture);
    SDL_FreeSurface(own);
}

// Bad command lines exit 2; folders that are not sound books exit 1 naming the file, and leave
// nothing behind.
TEST(ExportRefuses, BadUsageAndBooksThatAreNotSound) {
    const std::string dir = testsupport::makeTempDir("quirel-epub-refuses");
    const std::string exe = testsupport::shellQuoted(epubtest::epubProgram());
    EXPECT_EQ(testsupport::runProgram(exe + " export").exitCode, 2);
    EXPECT_EQ(testsupport::runProgram(exe + " export " + testsupport::shellQuoted(dir)).exitCode, 2);
    EXPECT_EQ(testsupport::runProgram(exe + " export --bogus " + testsupport::shellQuoted(dir) + " x.epub").exitCode, 2);
    const testsupport::ProgramRun help = testsupport::runProgram(exe + " export --help");
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("usage: quirel-epub export"), std::string::npos);

    fs::create_directories(dir + "/empty");
    testsupport::ProgramRun r = exportBook(dir + "/empty", dir + "/out.epub");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find(dir + "/empty: not a book folder"), std::string::npos) << r.err;

    r = exportBook(kBuild + "/book", dir + "/missing/out.epub");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find(dir + "/missing/out.epub"), std::string::npos) << r.err;

    // A made book that lost a recording: the check names it and nothing is written.
    const std::string src = dir + "/src";
    writePicture(src + "/p.png", 320, 480, bookkit::rgba(200, 200, 80));
    testsupport::writeFile(src + "/book.yaml", "title: Lost\npages:\n  - picture: p.png\n    sentences:\n"
                                               "      - text: Hello.\n        zone: [10, 10, 200, 40]\n");
    ASSERT_EQ(testsupport::runProgram(testsupport::shellQuoted(kBuild + "/tools/make/quirel-make") + " --quiet " +
                                      testsupport::shellQuoted(src + "/book.yaml") + " " + testsupport::shellQuoted(dir + "/lost"))
                  .exitCode,
              0);
    std::string recording;
    for (const auto& e : fs::directory_iterator(dir + "/lost/epc")) recording = e.path().filename().string();
    fs::remove(dir + "/lost/epc/" + recording);
    r = exportBook(dir + "/lost", dir + "/out.epub");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("epc/" + recording), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("nothing written"), std::string::npos) << r.err;
    for (const auto& e : fs::directory_iterator(dir))
        EXPECT_EQ(e.path().extension(), "") << e.path() << " left behind";
}
