// Writing a made book: chrome by the book kit, pictures fitted, recordings encoded or spoken.
#include "tools/make/BookMaker.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "app/book/BookDescription.h"
#include "app/book/SentenceNames.h"
#include "tools/bookkit/Artwork.h"
#include "tools/bookkit/AudioClip.h"
#include "tools/bookkit/LayoutWriter.h"
#include "tools/bookkit/OutputTree.h"
#include "tools/bookkit/PlistWriter.h"
#include "tools/make/PictureFit.h"
#include "tools/make/StagedFolder.h"

namespace fs = std::filesystem;

namespace make {

namespace {

// Recipes of the cache keys: a change to how a result is made must change its recipe, so old
// entries are not taken for new ones.
constexpr const char* kPictureRecipe = "page picture 640x960 tent v1";
constexpr const char* kRecordingRecipe = "recording mono 24000 Hz mp3 v1";
constexpr const char* kSpeechRecipe = "speech espeak-ng mp3 v1";
// Recordings are decoded mono at this rate, one of the two the reader's MP3s use.
constexpr int kRecordingRate = 24000;

const bookkit::Voice kVoiceDefaults{};

// The reader's chrome captions and settings screen, in plain English.
std::vector<std::pair<std::string, std::string>> captions() {
    return {{"main_page", "Contents"},  {"setmenu_set", "Settings"},       {"bntext", "Touch a sentence to hear it."},
            {"wordname", "Word list"}, {"page_front", "Read page"}, {"page_after", "now"}};
}

bookkit::SettingsSource settings() {
    bookkit::SettingsSource s;
    s.heading = "How shall we read?";
    s.paper = bookkit::rgba(0xdf, 0xf3, 0xfb);
    s.accent = bookkit::rgba(0x2f, 0x7f, 0xb8);
    s.buttons = {{"bnmain", "Contents"},
                 {"bnpres", "Read when I touch"},
                 {"bnaotopage", "Read this page again"},
                 {"bnaoto", "Read and turn pages"},
                 {"bnok", "OK"},
                 {"bncancel", "Cancel"}};
    return s;
}

// The page number's ink: dark on a light background, light on a dark one.
bookkit::Rgba numberAccent(bookkit::Rgba background) {
    const int light = background.r * 299 + background.g * 587 + background.b * 114;
    return light > 128000 ? bookkit::rgba(110, 110, 110) : bookkit::rgba(255, 255, 255);
}

std::string pictureFile(int page, PictureFormat format) {
    return "images/page_" + std::to_string(page) + (format == PictureFormat::Jpeg ? ".jpg" : ".png");
}

}  // namespace

bool BookMaker::place(const std::string& cached, const std::string& relative, std::string& error) {
    return copyInto(cached, root_ + "/" + relative, error);
}

bool BookMaker::writeChrome(std::string& error) {
    bookkit::Fonts fonts;
    if (!fonts.open(error)) return false;
    bookkit::OutputTree out(root_);
    bookkit::Artwork artwork(fonts, out);
    const bookkit::SettingsSource screen = settings();
    return artwork.writeReaderImages(error) && artwork.writeSentenceMarks("tomeset/res", error) &&
           artwork.writeSettingsImages(screen, "3age/res", error) &&
           out.writeText("3age/pageset.json", bookkit::layoutText(bookkit::settingsLayout(screen, "res")), error);
}

// The fitted picture of a page, from the cache or made now; empty when it cannot be had.
std::string BookMaker::pagePicture(int number, std::vector<std::string>& errors, std::string& failure) {
    const ManifestPage& page = manifest_.pages[static_cast<std::size_t>(number - 1)];
    const PictureInfo& info = files_.pictures[static_cast<std::size_t>(number - 1)];
    std::string bytes, why;
    if (!readWholeFile(info.path, bytes, why)) {
        errors.push_back(message(name_, page.pictureAt, "picture " + page.picture + ": " + why));
        return std::string();
    }
    const std::string key = BuildCache::key(std::string(kPictureRecipe) + " " + manifest_.backgroundText, bytes);
    const std::string extension = info.format == PictureFormat::Jpeg ? ".jpg" : ".png";
    std::string cached = cache_.find(key, extension);
    if (!cached.empty()) {
        ++counts_.picturesFromCache;
        return cached;
    }
    SDL_Surface* fitted = fittedPage(bytes, manifest_.background, why);
    if (!fitted) {
        errors.push_back(message(name_, page.pictureAt, "picture " + page.picture + ": " + why));
        return std::string();
    }
    const bool saved = savePage(fitted, info.format, cache_.scratchPath(key, extension), failure);
    SDL_FreeSurface(fitted);
    if (!saved) return std::string();
    cached = cache_.adopt(key, extension, failure);
    if (!cached.empty()) ++counts_.picturesFitted;
    return cached;
}

bool BookMaker::recording(int pageNumber, int n, std::vector<std::string>& errors, std::string& failure) {
    const std::size_t p = static_cast<std::size_t>(pageNumber - 1);
    const ManifestSentence& sentence = manifest_.pages[p].sentences[static_cast<std::size_t>(n - 1)];
    const AudioSource& file = files_.audio[p][static_cast<std::size_t>(n - 1)];
    if (!file.usable) return true;
    const std::string& source = file.path;
    const std::string target = app::storedAudioPath(pageNumber, n);

    std::string key;
    std::string bytes, why;
    if (!source.empty()) {
        if (!readWholeFile(source, bytes, why)) {
            errors.push_back(message(name_, sentence.audioAt, "recording " + sentence.audio + ": " + why));
            return true;
        }
        std::string recipe = kRecordingRecipe;
        if (sentence.clipBegin > 0 || sentence.clipEnd >= 0) {
            char clip[64];
            std::snprintf(clip, sizeof clip, " clip %.6f %.6f", sentence.clipBegin, sentence.clipEnd);
            recipe += clip;
        }
        key = BuildCache::key(recipe, bytes);
    } else {
        const std::string voice = manifest_.voice + " " + std::to_string(kVoiceDefaults.speed) + " " +
                                  std::to_string(kVoiceDefaults.pitch);
        key = BuildCache::key(std::string(kSpeechRecipe) + " " + voice, sentence.text);
    }
    std::string cached = cache_.find(key, ".mp3");
    if (!cached.empty()) {
        ++counts_.audioFromCache;
        return place(cached, target, failure);
    }

    bookkit::Pcm pcm;
    if (!source.empty()) {
        if (!bookkit::decodeAudioFile(source, kRecordingRate, pcm, why)) {
            // The decoder names the file itself; the message names it once, as the manifest does.
            if (why.compare(0, source.size() + 2, source + ": ") == 0) why.erase(0, source.size() + 2);
            errors.push_back(message(name_, sentence.audioAt, "recording " + sentence.audio + ": " + why));
            return true;
        }
        if (pcm.frames() == 0) {
            errors.push_back(message(name_, sentence.audioAt, "recording " + sentence.audio + ": holds no sound"));
            return true;
        }
        if (sentence.clipBegin > 0 || sentence.clipEnd >= 0) {
            const double length = pcm.seconds();
            // A few milliseconds of slack: clock values written to the millisecond, against a
            // length counted in samples after resampling.
            const double end = sentence.clipEnd < 0 ? length : sentence.clipEnd;
            if (sentence.clipBegin >= length || end > length + 0.005) {
                char what[160];
                std::snprintf(what, sizeof what, "the clip %.3f s to %.3f s reaches past the end of the recording, at %.3f s",
                              sentence.clipBegin, end, length);
                errors.push_back(message(name_, sentence.clipAt, "recording " + sentence.audio + ": " + what));
                return true;
            }
            pcm = bookkit::cut(pcm, sentence.clipBegin, sentence.clipEnd);
        }
    } else {
        if (speechFailed_) return true;
        if (!speaker_) {
            speaker_ = std::make_unique<bookkit::Speaker>();
            bookkit::Voice voice;
            voice.name = manifest_.voice;
            if (!speaker_->open(voice, why)) {
                speechFailed_ = true;
                errors.push_back(message(name_, manifest_.voiceAt,
                                         "cannot speak the sentences that have no recording with voice '" +
                                             manifest_.voice + "': " + why));
                return true;
            }
        }
        if (!speaker_->speak(sentence.text, pcm, why)) {
            errors.push_back(message(name_, sentence.textAt, "cannot speak this sentence: " + why));
            return true;
        }
    }
    std::string mp3;
    if (!bookkit::encodeMp3(pcm, mp3, why)) {
        errors.push_back(message(name_, source.empty() ? sentence.textAt : sentence.audioAt, "cannot encode: " + why));
        return true;
    }
    cached = cache_.store(key, ".mp3", mp3, failure);
    if (cached.empty()) return false;
    ++(source.empty() ? counts_.sentencesSpoken : counts_.recordingsEncoded);
    return place(cached, target, failure);
}

bool BookMaker::writePage(int number, std::vector<std::string>& errors, std::string& failure) {
    const ManifestPage& page = manifest_.pages[static_cast<std::size_t>(number - 1)];
    const PictureInfo& info = files_.pictures[static_cast<std::size_t>(number - 1)];

    // A picture with a problem found by the checks is skipped; its sentences are still tried.
    const bool usable = info.width > 0;
    const std::string picture = usable ? pagePicture(number, errors, failure) : std::string();
    if (!failure.empty()) return false;
    bookkit::PageFiles files;
    files.picture = pictureFile(number, info.format);
    files.markNormal = "res/bnren1.png";
    files.markPressed = "res/bnren2.png";
    if (!picture.empty() && !place(picture, "tomeset/" + files.picture, failure)) return false;

    bookkit::PageSource source;
    source.number = number;
    source.paper = manifest_.background;
    source.accent = numberAccent(manifest_.background);
    bookkit::PageArt art;
    const Fit fit = fitPicture(std::max(info.width, 1), std::max(info.height, 1));
    for (const ManifestSentence& s : page.sentences) {
        source.sentences.push_back(s.text);
        bookkit::SentencePlace place;
        place.box = fitZone(fit, s.zones.front());
        for (std::size_t k = 1; k < s.zones.size(); ++k) place.moreLines.push_back(fitZone(fit, s.zones[k]));
        art.sentences.push_back(place);
    }
    // The page number sits small in the top right corner, clear of the reader's buttons below.
    art.numberX = bookkit::kPageWidth - 34;
    art.numberY = 30;
    bookkit::OutputTree out(root_);
    if (!out.writeText("tomeset/tomeset_" + std::to_string(number) + ".json",
                       bookkit::layoutText(bookkit::pageLayout(source, art, files)), failure)) {
        return false;
    }
    for (int n = 1; n <= static_cast<int>(page.sentences.size()); ++n) {
        if (StagedFolder::interrupted()) {
            failure = "interrupted";
            return false;
        }
        if (!recording(number, n, errors, failure)) return false;
    }
    return true;
}

bool BookMaker::writeTables(std::string& error) {
    std::vector<std::pair<std::string, std::string>> sentences;
    for (std::size_t p = 0; p < manifest_.pages.size(); ++p) {
        const int number = static_cast<int>(p + 1);
        for (std::size_t n = 0; n < manifest_.pages[p].sentences.size(); ++n) {
            sentences.emplace_back(app::sentenceTextKey(number, static_cast<int>(n + 1)),
                                   manifest_.pages[p].sentences[n].text);
        }
    }
    bookkit::OutputTree out(root_);
    return out.writeText("String.xml", bookkit::stringTablePlist(captions()), error) &&
           out.writeText("Stringstr.xml", bookkit::stringTablePlist(sentences), error) &&
           out.writeText(app::BookDescription::kFileName, app::writeBookDescription(manifest_.description()), error);
}

bool BookMaker::make(std::vector<std::string>& errors) {
    counts_ = MakeCounts();
    std::string failure;
    if (!writeChrome(failure)) {
        errors.push_back(failure);
        return false;
    }
    const std::size_t before = errors.size();
    const int pages = static_cast<int>(manifest_.pages.size());
    for (int number = 1; number <= pages; ++number) {
        if (StagedFolder::interrupted()) {
            errors.push_back("interrupted");
            return false;
        }
        if (!writePage(number, errors, failure)) {
            errors.push_back(failure);
            return false;
        }
        ++counts_.pages;
        counts_.sentences += static_cast<int>(manifest_.pages[static_cast<std::size_t>(number - 1)].sentences.size());
        if (progress_) {
            std::printf("quirel-make: page %d/%d\n", number, pages);
            std::fflush(stdout);
        }
    }
    if (errors.size() != before) return false;
    if (!writeTables(failure)) {
        errors.push_back(failure);
        return false;
    }
    return true;
}

}  // namespace make
