// Damaged publications given to the real quirel-epub import: each refused with exit 1, a message
// naming the file and what is wrong, and nothing written beside or in OUT_DIR.
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "EpubKit.h"

namespace fs = std::filesystem;
using namespace epubtest;

namespace {

class ImportRefusal : public ::testing::Test {
protected:
    void SetUp() override {
        work_ = testsupport::makeTempDir("quirel-epub-refusal");
        audio_ = tone(work_ + "/src/p1.mp3", 2.0);
        Page one{"page1", "<p id=\"s1\">Hello there.</p><p id=\"s2\">Good bye.</p>"};
        one.pars = {{"s1", "audio/p1.mp3", "0s", "1s"}, {"s2", "audio/p1.mp3", "00:01", "2s"}};
        Page two{"page2", "<p>No narration here.</p>"};
        book_.pages = {one, two};
        book_.toc = {{"Start", "page1"}};
        book_.extra["audio/p1.mp3"] = audio_;
    }

    // Writes `files`, imports them, and expects a refusal whose messages hold `says`.
    void expectRefused(const std::map<std::string, std::string>& files, const std::string& says) {
        const std::string in = work_ + "/in.epub", out = work_ + "/out/book";
        fs::create_directories(work_ + "/out");
        writeZip(in, files);
        const testsupport::ProgramRun r = runEpub({"import", in, out});
        EXPECT_EQ(r.exitCode, 1) << r.err;
        EXPECT_NE(r.err.find(says), std::string::npos) << r.err;
        EXPECT_NE(r.err.find("nothing written"), std::string::npos) << r.err;
        EXPECT_FALSE(fs::exists(out));
        EXPECT_TRUE(fs::is_empty(work_ + "/out")) << "a staging folder was left behind";
    }

    std::string work_, audio_;
    Publication book_;
};

}  // namespace

TEST_F(ImportRefusal, DamagedPublicationsAreRefusedByNameAndNothingIsWritten) {
    {
        SCOPED_TRACE("not a zip");
        const std::string in = work_ + "/text.epub";
        testsupport::writeFile(in, "this is a letter, not a publication\n");
        const testsupport::ProgramRun r = runEpub({"import", in, work_ + "/never"});
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_NE(r.err.find(in + ": not a zip file"), std::string::npos) << r.err;
        EXPECT_FALSE(fs::exists(work_ + "/never"));
    }
    std::map<std::string, std::string> files = entries(book_);
    {
        SCOPED_TRACE("no container");
        auto f = files;
        f.erase("META-INF/container.xml");
        expectRefused(f, "has no META-INF/container.xml");
    }
    {
        SCOPED_TRACE("no package document");
        auto f = files;
        f.erase("OEBPS/content.opf");
        expectRefused(f, "META-INF/container.xml:3: the package document OEBPS/content.opf is not in the publication");
    }
    {
        SCOPED_TRACE("spine names a missing page");
        auto f = files;
        f.erase("OEBPS/page2.xhtml");
        expectRefused(f, "OEBPS/content.opf:21: the spine names OEBPS/page2.xhtml, which is not in the publication");
    }
    {
        SCOPED_TRACE("the overlay is missing");
        auto f = files;
        f.erase("OEBPS/page1.smil");
        expectRefused(f, "the overlay of OEBPS/page1.xhtml, OEBPS/page1.smil, is not in the publication");
    }
    {
        SCOPED_TRACE("the overlay names a missing recording");
        auto f = files;
        f.erase("OEBPS/audio/p1.mp3");
        expectRefused(f, "OEBPS/page1.smil:5: the audio OEBPS/audio/p1.mp3 is not in the publication");
    }
    {
        SCOPED_TRACE("a clip past the end of its recording");
        Publication b = book_;
        b.pages[0].pars[1].clipEnd = "0:00:05";
        expectRefused(entries(b), "OEBPS/page1.smil:6: the clip 1s to 5s of OEBPS/audio/p1.mp3 reaches past its end");
    }
    {
        SCOPED_TRACE("a clock value that is not one");
        Publication b = book_;
        b.pages[0].pars[0].clipEnd = "1,5s";
        expectRefused(entries(b), "OEBPS/page1.smil:5: clipEnd=\"1,5s\" is not a clock value");
    }
    for (const std::string& name : {"../evil.txt", "OEBPS/../../evil.txt", "/etc/evil", "C:/evil.txt", "OEBPS\\..\\evil"}) {
        SCOPED_TRACE("an entry named " + name);
        auto f = files;
        f[name] = "gotcha";
        expectRefused(f, "the entry '" + name + "' would land outside the publication's folder");
    }
    {
        SCOPED_TRACE("a zip bomb");
        auto f = files;
        f["OEBPS/images/cover.png"] = std::string(24u << 20, '\0');
        expectRefused(f, "the entry 'OEBPS/images/cover.png' inflates");
    }
    {
        SCOPED_TRACE("a reflowable publication");
        Publication b = book_;
        b.layout = "reflowable";
        expectRefused(entries(b), "quirel reads fixed-layout books");
    }
}

TEST_F(ImportRefusal, UsageAndHelp) {
    EXPECT_EQ(runEpub({"import"}).exitCode, 2);
    EXPECT_EQ(runEpub({"import", "--nope", "a", "b"}).exitCode, 2);
    const testsupport::ProgramRun help = runEpub({"import", "--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("quirel-epub import [--quiet] IN.epub OUT_DIR"), std::string::npos);
}
