// Writing test publications with libzip and running the program.
#include "EpubKit.h"

#include <zip.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "tools/bookkit/AudioClip.h"

namespace fs = std::filesystem;

namespace epubtest {

namespace {

std::string mediaTypeOf(const std::string& name) {
    const std::string e = fs::path(name).extension().string();
    if (e == ".mp3") return "audio/mpeg";
    if (e == ".m4a" || e == ".mp4") return "audio/mp4";
    if (e == ".png") return "image/png";
    if (e == ".jpg") return "image/jpeg";
    if (e == ".css") return "text/css";
    return "application/octet-stream";
}

std::string xhtml(const Page& page) {
    std::ostringstream o;
    o << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE html>\n"
      << "<html xmlns=\"http://www.w3.org/1999/xhtml\" xmlns:epub=\"http://www.idpf.org/2007/ops\">\n<head>\n"
      << "<title>" << page.name << "</title>\n";
    if (!page.viewport.empty()) o << "<meta name=\"viewport\" content=\"" << page.viewport << "\"/>\n";
    if (!page.style.empty()) o << "<style>" << page.style << "</style>\n";
    o << "</head>\n<body>" << page.body << "</body>\n</html>\n";
    return o.str();
}

std::string smil(const Page& page) {
    std::ostringstream o;
    o << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      << "<smil xmlns=\"http://www.w3.org/ns/SMIL\" xmlns:epub=\"http://www.idpf.org/2007/ops\" version=\"3.0\">\n"
      << "<body>\n<seq epub:textref=\"" << page.name << ".xhtml\">\n";
    for (const Par& par : page.pars) {
        o << "<par><text src=\"" << page.name << ".xhtml#" << par.id << "\"/>";
        if (!par.audio.empty()) {
            o << "<audio src=\"" << par.audio << "\"";
            if (!par.clipBegin.empty()) o << " clipBegin=\"" << par.clipBegin << "\"";
            if (!par.clipEnd.empty()) o << " clipEnd=\"" << par.clipEnd << "\"";
            o << "/>";
        }
        o << "</par>\n";
    }
    o << "</seq>\n</body>\n</smil>\n";
    return o.str();
}

}  // namespace

std::map<std::string, std::string> entries(const Publication& p) {
    std::map<std::string, std::string> files;
    files["mimetype"] = "application/epub+zip";
    files["META-INF/container.xml"] =
        "<?xml version=\"1.0\"?>\n<container version=\"1.0\" xmlns=\"urn:oasis:names:tc:opendocument:xmlns:container\">\n"
        "<rootfiles><rootfile full-path=\"OEBPS/content.opf\" media-type=\"application/oebps-package+xml\"/></rootfiles>\n"
        "</container>\n";
    std::ostringstream manifest, spine, nav;
    manifest << "<item id=\"nav\" href=\"nav.xhtml\" media-type=\"application/xhtml+xml\" properties=\"nav\"/>\n";
    for (const Page& page : p.pages) {
        files["OEBPS/" + page.name + ".xhtml"] = xhtml(page);
        manifest << "<item id=\"" << page.name << "\" href=\"" << page.name
                 << ".xhtml\" media-type=\"application/xhtml+xml\"";
        if (!page.pars.empty()) {
            files["OEBPS/" + page.name + ".smil"] = smil(page);
            manifest << " media-overlay=\"" << page.name << "_mo\"/>\n<item id=\"" << page.name << "_mo\" href=\""
                     << page.name << ".smil\" media-type=\"application/smil+xml\"";
        }
        manifest << "/>\n";
        spine << "<itemref idref=\"" << page.name << "\""
              << (page.spineProperties.empty() ? "" : " properties=\"" + page.spineProperties + "\"") << "/>\n";
    }
    int n = 0;
    for (const auto& [name, bytes] : p.extra) {
        files["OEBPS/" + name] = bytes;
        const auto type = p.extraTypes.find(name);
        manifest << "<item id=\"extra" << ++n << "\" href=\"" << name << "\" media-type=\""
                 << (type == p.extraTypes.end() ? mediaTypeOf(name) : type->second) << "\"/>\n";
    }
    nav << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<html xmlns=\"http://www.w3.org/1999/xhtml\" xmlns:epub=\"http://www.idpf.org/2007/ops\">\n"
        << "<head><title>Contents</title></head>\n<body>\n<nav epub:type=\"toc\"><ol>\n";
    for (const auto& [title, page] : p.toc) nav << "<li><a href=\"" << page << ".xhtml\">" << title << "</a></li>\n";
    nav << "</ol></nav>\n</body>\n</html>\n";
    files["OEBPS/nav.xhtml"] = nav.str();
    std::ostringstream opf;
    opf << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<package xmlns=\"http://www.idpf.org/2007/opf\" version=\"3.0\" unique-identifier=\"uid\">\n"
        << "<metadata xmlns:dc=\"http://purl.org/dc/elements/1.1/\">\n"
        << "<dc:identifier id=\"uid\">urn:uuid:5b1c7e0a-6a5e-4d5e-9a53-0d1b2c3d4e5f</dc:identifier>\n"
        << "<dc:title>" << p.title << "</dc:title>\n<dc:creator>Class 2B</dc:creator>\n"
        << "<dc:language>" << p.language << "</dc:language>\n"
        << "<meta property=\"dcterms:modified\">2026-01-01T00:00:00Z</meta>\n"
        << "<meta property=\"rendition:layout\">" << p.layout << "</meta>\n"
        << "<meta property=\"rendition:spread\">none</meta>\n"
        << "</metadata>\n<manifest>\n" << manifest.str() << "</manifest>\n<spine>\n" << spine.str() << "</spine>\n"
        << "</package>\n";
    files["OEBPS/content.opf"] = opf.str();
    return files;
}

void writeZip(const std::string& path, const std::map<std::string, std::string>& files) {
    fs::create_directories(fs::path(path).parent_path());
    int code = 0;
    zip_t* z = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    ASSERT_NE(z, nullptr) << "cannot write " << path;
    auto add = [&](const std::string& name, const std::string& bytes, bool store) {
        zip_source_t* source = zip_source_buffer(z, bytes.data(), bytes.size(), 0);
        ASSERT_NE(source, nullptr);
        const zip_int64_t index = zip_file_add(z, name.c_str(), source, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE);
        ASSERT_GE(index, 0) << zip_strerror(z);
        zip_set_file_compression(z, static_cast<zip_uint64_t>(index), store ? ZIP_CM_STORE : ZIP_CM_DEFLATE, 0);
    };
    const auto mimetype = files.find("mimetype");
    if (mimetype != files.end()) add("mimetype", mimetype->second, true);
    for (const auto& [name, bytes] : files) {
        if (name != "mimetype") add(name, bytes, false);
    }
    ASSERT_EQ(zip_close(z), 0) << zip_strerror(z);
}

std::string tone(const std::string& path, double seconds, double hz) {
    bookkit::Pcm pcm;
    pcm.rate = 44100;
    pcm.channels = 1;
    const auto frames = static_cast<std::size_t>(std::lround(seconds * pcm.rate));
    for (std::size_t i = 0; i < frames; ++i) {
        pcm.samples.push_back(0.4f * static_cast<float>(std::sin(2.0 * M_PI * hz * static_cast<double>(i) / pcm.rate)));
    }
    fs::create_directories(fs::path(path).parent_path());
    std::string error;
    EXPECT_TRUE(bookkit::writeAudioFile(path, pcm, error)) << error;
    return readBytes(path);
}

std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
}

std::string epubProgram() {
    return std::string(QUIREL_BINARY_DIR) + "/tools/epub/quirel-epub";
}

testsupport::ProgramRun runEpub(const std::vector<std::string>& words) {
    std::string line = testsupport::shellQuoted(epubProgram());
    for (const std::string& w : words) line += " " + testsupport::shellQuoted(w);
    return testsupport::runProgram(line);
}

}  // namespace epubtest
