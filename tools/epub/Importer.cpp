// The import pipeline: zip -> publication -> clips checked -> pages drawn -> sentences -> book.
#include "tools/epub/Importer.h"

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>

#include "app/book/SentenceNames.h"
#include "engine/text/CCUTF8.h"
#include "tools/bookkit/AudioClip.h"
#include "tools/bookkit/MediaLibraries.h"
#include "tools/epub/HtmlPage.h"
#include "tools/epub/PublicationReader.h"
#include "tools/epub/ScratchFolder.h"
#include "tools/epub/Sentences.h"
#include "tools/epub/ZipArchive.h"
#include "tools/make/BookMaker.h"
#include "tools/make/BuildCache.h"
#include "tools/make/Manifest.h"
#include "tools/make/SourceFiles.h"
#include "tools/make/StagedFolder.h"

namespace fs = std::filesystem;

namespace epub {

namespace {

// The rate the book maker decodes recordings at, so lengths are counted as it counts them.
constexpr int kRate = 24000;
// A clip may end this far past its file's end: encoders pad and trim a few milliseconds.
constexpr double kEndSlack = 0.1;

// A scratch folder for the drawn pages and the narration audio, removed when the import ends.
bool writeBytes(const std::string& path, const std::string& bytes, std::string& error) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        error = "cannot write " + path;
        return false;
    }
    return true;
}

std::string extensionOf(const std::string& path) {
    const std::string e = fs::path(path).extension().string();
    return e.size() <= 5 ? e : std::string();
}

std::string seconds(double s) {
    char b[32];
    std::snprintf(b, sizeof b, "%.3gs", s);
    return b;
}

// The book maker names sources "NAME:LINE:COLUMN: what" after a manifest's places, which an
// imported book has none of: its messages name the publication alone.
std::string withoutPlace(const std::string& message, const std::string& name) {
    if (message.compare(0, name.size() + 1, name + ":") != 0) return message;
    std::size_t i = name.size() + 1;
    int colons = 0;
    while (i < message.size() && colons < 2 && (std::isdigit(static_cast<unsigned char>(message[i])) || message[i] == ':')) {
        if (message[i] == ':') ++colons;
        ++i;
    }
    if (colons < 2) return message;
    return name + ":" + message.substr(i);
}

class Import {
public:
    Import(std::string in, std::string outDir, bool progress)
        : in_(std::move(in)), outDir_(std::move(outDir)), progress_(progress) {}

    ImportResult run();

private:
    bool fail(const std::string& error) {
        result_.errors.push_back(error);
        return false;
    }
    bool loadAudio();
    bool drawPage(int number, make::ManifestPage& page);
    bool makeBook(make::Manifest& manifest);

    std::string in_, outDir_;
    bool progress_;
    ImportResult result_;
    ZipArchive zip_;
    PublicationParts publication_;
    ScratchFolder scratch_;
    make::StagedFolder staged_;
    std::map<std::string, std::string> audioFiles_;  // narration audio in the publication -> its copy on disk
    std::map<std::string, double> audioSeconds_;       // and its length
};

// Every audio file decoded once and every clip checked against its length, before any drawing;
// the book maker cuts the clips when it encodes them.
bool Import::loadAudio() {
    fs::create_directories(scratch_.path() + "/audio");
    for (const PublicationPage& page : publication_.pages) {
        for (const OverlayPar& par : page.pars) {
            if (par.audioPath.empty()) continue;
            if (!audioSeconds_.count(par.audioPath)) {
                std::string bytes, error;
                if (!zip_.read(par.audioPath, bytes, error)) return fail(error);
                const std::string file =
                    scratch_.path() + "/audio/" + std::to_string(audioFiles_.size() + 1) + extensionOf(par.audioPath);
                if (!writeBytes(file, bytes, error)) return fail("quirel-epub: " + error);
                bookkit::Pcm pcm;
                if (!bookkit::decodeAudioFile(file, kRate, pcm, error)) {
                    if (error.compare(0, file.size(), file) == 0) error.erase(0, file.size() + 2);
                    return fail(par.audioPath + ": not audio that can be decoded (" + error + ")");
                }
                audioFiles_[par.audioPath] = file;
                audioSeconds_[par.audioPath] = pcm.seconds();
            }
            const double length = audioSeconds_.at(par.audioPath);
            if (par.clipBegin >= length || par.clipEnd > length + kEndSlack) {
                return fail(page.overlayPath + ":" + std::to_string(par.line) + ": the clip " + seconds(par.clipBegin) +
                            " to " + (par.clipEnd < 0 ? std::string("the end") : seconds(par.clipEnd)) + " of " +
                            par.audioPath + " reaches past its end (it lasts " + seconds(length) + ")");
            }
        }
    }
    return true;
}

bool Import::drawPage(int number, make::ManifestPage& out) {
    const PublicationPage& page = publication_.pages[static_cast<std::size_t>(number - 1)];
    std::string xhtml, error;
    if (!zip_.read(page.path, xhtml, error)) return fail(error);
    HtmlPage html;
    std::vector<std::string> drawn;
    ZipArchive& zip = zip_;
    const auto load = [&zip](const std::string& path, std::string& bytes) {
        std::string why;
        return zip.read(path, bytes, why);
    };
    const int width = page.viewport.width, height = page.viewport.height;
    if (!html.render(xhtml, page.path, width, height, load, drawn, error)) {
        return fail(page.path + ": cannot be drawn: " + error);
    }
    for (const std::string& w : drawn) {
        result_.warnings.push_back(w.compare(0, page.path.size(), page.path) == 0 ? w : page.path + ": " + w);
    }
    out.picture = scratch_.path() + "/pages/page_" + std::to_string(number) + ".png";
    if (!html.savePng(out.picture, error)) return fail("quirel-epub: " + error);

    std::vector<ReadPiece> pieces;
    for (const OverlayPar& par : page.pars) {
        ReadPiece piece;
        if (!html.element(par.fragment, piece.text, piece.lines, piece.block)) {
            result_.warnings.push_back(page.overlayPath + ":" + std::to_string(par.line) + ": " + page.path +
                                       " has no element with the id '" + par.fragment + "'; its narration is left out");
            continue;
        }
        piece.audioPath = par.audioPath;
        piece.clipBegin = par.clipBegin;
        piece.clipEnd = par.clipEnd;
        pieces.push_back(piece);
    }
    const std::string at = page.overlayPath + ": ";
    for (PageSentence& s : joinSentences(pieces)) {
        // Touch areas are kept to the page: the picture ends at the viewport.
        std::vector<bookkit::RectF> zones;
        for (const bookkit::RectF& z : s.zones) {
            const float x0 = std::max(0.0f, z.x), y0 = std::max(0.0f, z.y);
            const float x1 = std::min(float(width), z.x + z.w), y1 = std::min(float(height), z.y + z.h);
            if (x1 - x0 >= 1 && y1 - y0 >= 1) zones.push_back(bookkit::RectF{x0, y0, x1 - x0, y1 - y0});
        }
        const std::string quoted = "'" + engine::utf8::cutToBytes(s.text, 40) + (s.text.size() > 40 ? "...'" : "'");
        if (s.text.empty() || zones.empty() || s.audioPath.empty()) {
            result_.warnings.push_back(at + "the sentence " + quoted +
                                       (s.text.empty()     ? std::string(" has no text")
                                        : zones.empty()    ? std::string(" lies outside the page")
                                                           : std::string(" has no audio")) +
                                       "; left out");
            continue;
        }
        if (out.sentences.size() == static_cast<std::size_t>(make::Manifest::kMaxSentences)) {
            result_.warnings.push_back(at + "a page reads at most " + std::to_string(make::Manifest::kMaxSentences) +
                                       " sentences; " + quoted + " and those after it are left out");
            break;
        }
        if (s.text.size() > make::Manifest::kMaxTextBytes) {
            result_.warnings.push_back(at + "the sentence " + quoted + " is too long for a subtitle; shortened");
            s.text = engine::utf8::cutToBytes(s.text, make::Manifest::kMaxTextBytes);
        }
        if (zones.size() > static_cast<std::size_t>(app::kMaxSentenceParts)) {
            // The reader takes so many touch areas a sentence: the last one covers the lines left.
            bookkit::RectF& last = zones[app::kMaxSentenceParts - 1];
            for (std::size_t k = app::kMaxSentenceParts; k < zones.size(); ++k) {
                const bookkit::RectF& z = zones[k];
                const float x0 = std::min(last.x, z.x), y0 = std::min(last.y, z.y);
                const float x1 = std::max(last.x + last.w, z.x + z.w), y1 = std::max(last.y + last.h, z.y + z.h);
                last = bookkit::RectF{x0, y0, x1 - x0, y1 - y0};
            }
            zones.resize(app::kMaxSentenceParts);
        }
        make::ManifestSentence sentence;
        sentence.text = s.text;
        sentence.zones = zones;
        sentence.audio = audioFiles_.at(s.audioPath);
        sentence.clipBegin = s.clipBegin;
        // A clip ending within the slack past its file's end ends with the file.
        sentence.clipEnd = s.clipEnd >= audioSeconds_.at(s.audioPath) ? -1 : s.clipEnd;
        out.sentences.push_back(sentence);
    }
    return true;
}

bool Import::makeBook(make::Manifest& manifest) {
    const std::size_t before = result_.errors.size();
    make::SourceFiles files;
    make::checkManifestFiles(manifest, "", in_, files, result_.errors);
    if (result_.errors.size() == before) {
        const std::string cacheName = make::BuildCache::kFolderName;
        make::BuildCache cache(staged_.previous().empty() ? std::string() : staged_.previous() + "/" + cacheName,
                               staged_.path() + "/" + cacheName);
        make::BookMaker maker(manifest, files, in_, staged_.path(), cache);
        maker.make(result_.errors);
    }
    for (std::size_t i = before; i < result_.errors.size(); ++i) {
        result_.errors[i] = withoutPlace(result_.errors[i], in_);
    }
    return result_.errors.size() == before;
}

ImportResult Import::run() {
    make::StagedFolder::catchInterrupts();
    std::string error;
    if (!zip_.openFile(in_, error) || !readPublication(zip_, publication_, result_.warnings, error)) {
        fail(error);
        return result_;
    }
    if (!staged_.open(outDir_, error)) {
        fail("quirel-epub: " + error);
        return result_;
    }
    bookkit::MediaLibraries media;
    if (!media.ok) {
        fail(std::string("quirel-epub: cannot start SDL: ") + SDL_GetError());
        return result_;
    }
    if (scratch_.path().empty()) {
        fail("quirel-epub: cannot make a folder under the system's temporary folder for its work files");
        return result_;
    }
    if (!loadAudio()) return result_;
    fs::create_directories(scratch_.path() + "/pages");

    const PackageDocument& package = publication_.package;
    make::Manifest manifest;
    manifest.title = engine::utf8::cutToBytes(package.title, 200);
    if (manifest.title.empty()) {
        manifest.title = fs::path(in_).stem().string();
        result_.warnings.push_back(package.path + ": no title; the book is called '" + manifest.title + "'");
    }
    manifest.author = engine::utf8::cutToBytes(package.author, 200);
    manifest.language = package.language.empty() ? std::string("en") : package.language;
    manifest.voice = make::defaultVoice(manifest.language);
    const int pages = static_cast<int>(publication_.pages.size());
    for (int number = 1; number <= pages; ++number) {
        if (make::StagedFolder::interrupted()) break;
        manifest.pages.emplace_back();
        if (!drawPage(number, manifest.pages.back())) return result_;
        result_.sentences += static_cast<int>(manifest.pages.back().sentences.size());
        if (progress_) {
            std::printf("quirel-epub: page %d/%d\n", number, pages);
            std::fflush(stdout);
        }
    }
    for (const PublicationUnit& u : publication_.units) {
        make::ManifestUnit unit;
        unit.title = u.title;
        unit.firstPage = u.firstPage;
        unit.lastPage = u.lastPage;
        manifest.units.push_back(unit);
    }
    if (!make::StagedFolder::interrupted() && makeBook(manifest) && !make::StagedFolder::interrupted() &&
        !staged_.commit(error)) {
        fail("quirel-epub: " + error);
    }
    if (make::StagedFolder::interrupted()) {
        staged_.discard();
        result_.errors.assign(1, "quirel-epub: interrupted");
        result_.exitCode = 130;
        return result_;
    }
    if (result_.errors.empty()) {
        result_.exitCode = 0;
        result_.pages = pages;
    }
    return result_;
}

}  // namespace

ImportResult importPublication(const std::string& in, const std::string& outDir, bool progress) {
    Import import(in, outDir, progress);
    return import.run();
}

}  // namespace epub
