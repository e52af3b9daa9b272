// What the import tests share: publications written by hand (container, package document, pages,
// overlays, nav) into real zip files with libzip, tones written as MP3 or AAC, and quirel-epub
// run as a child process.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "support/TestSupport.h"

namespace epubtest {

struct Par {
    std::string id;  // the element it reads
    std::string audio;  // path relative to the overlay, empty: silent
    std::string clipBegin, clipEnd;  // as written; empty: not written
};

struct Page {
    std::string name;  // "page1" -> OEBPS/page1.xhtml, overlay OEBPS/page1.smil
    std::string body;  // the content of <body>
    std::string viewport = "width=600, height=800";  // empty: no viewport meta
    std::string style;  // the page's <style>
    std::vector<Par> pars;  // empty: no overlay
    std::string spineProperties;
};

struct Publication {
    std::string title = "The Test Book";
    std::string language = "en";
    std::string layout = "pre-paginated";
    std::vector<Page> pages;
    std::vector<std::pair<std::string, std::string>> toc;  // title, page name
    std::map<std::string, std::string> extra;  // more files under OEBPS/, with their media types in extraTypes
    std::map<std::string, std::string> extraTypes;
};

// Every entry of the publication, path to bytes ("mimetype" included).
std::map<std::string, std::string> entries(const Publication& p);
// Writes entries as a zip, "mimetype" first and stored, the rest deflated.
void writeZip(const std::string& path, const std::map<std::string, std::string>& files);

// A tone of `seconds` at 44.1 kHz mono written to `path` (.mp3, .m4a), returned as bytes.
std::string tone(const std::string& path, double seconds, double hz = 440.0);

std::string readBytes(const std::string& path);

std::string epubProgram();
// Runs quirel-epub with the given words (quoted for the shell).
testsupport::ProgramRun runEpub(const std::vector<std::string>& words);

}  // namespace epubtest
