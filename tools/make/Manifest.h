// The book maker's manifest: what a YAML manifest says, read and checked without touching any file.
//
// A manifest names a picture a page, each page's sentences with the zone of the picture a child
// touches to hear it and, optionally, a recording of it; the units of the contents screen; the
// voice that speaks the sentences nobody recorded; and the colour around a picture that does not
// fill the page. parseManifest checks everything the text alone can tell; the files it names are
// checked by checkManifestFiles (SourceFiles.h), so the reader can be fuzzed on text alone.
#pragma once

#include <string>
#include <vector>

#include "app/book/BookDescription.h"
#include "tools/bookkit/Canvas.h"

namespace make {

// Where a value stands in the manifest, 1-based, for messages ("MANIFEST:LINE:COLUMN: what").
struct Place {
    int line = 1;
    int column = 1;
};

struct ManifestSentence {
    std::string text;
    // Picture pixels, origin top left; one, or one a line of a sentence that wraps (each line
    // touchable, the space between them not).
    std::vector<bookkit::RectF> zones;
    std::string audio;  // as written, relative to the manifest; empty: spoken by espeak-ng
    // The part of the recording that is the sentence, in seconds; clipEnd < 0: to its end.
    double clipBegin = 0;
    double clipEnd = -1;
    Place textAt, zoneAt, audioAt, clipAt;
};

struct ManifestPage {
    std::string picture;  // as written, relative to the manifest
    std::vector<ManifestSentence> sentences;
    Place at, pictureAt;
};

struct ManifestUnit {
    std::string title;
    int firstPage = 1;
    int lastPage = 1;
    Place at;
};

struct Manifest {
    // What the reader can show: a page reads at most this many sentences, and shows no subtitle
    // for a text of this many bytes or more.
    static constexpr int kMaxSentences = 29;
    static constexpr std::size_t kMaxTextBytes = 1599;

    std::string title;
    std::string author;
    std::string language = "en";
    std::string voice;  // espeak-ng voice; defaults from the language
    Place voiceAt;      // of the voice, or of the language it comes from
    bookkit::Rgba background = bookkit::rgba(255, 255, 255);
    std::string backgroundText = "#ffffff";  // as normalised, part of the picture cache's recipe
    std::vector<ManifestUnit> units;         // as written; may be empty
    std::vector<ManifestPage> pages;

    // The contents the reader shows: the units written, or one unit of every page.
    app::BookDescription description() const;
};

// Reads manifest text; `name` is the file name used in messages. On any problem returns false and
// appends one line per problem ("NAME:LINE:COLUMN: what"), as many as it finds, to errors.
bool parseManifest(const std::string& text, const std::string& name, Manifest& out, std::vector<std::string>& errors);

// Reads the manifest file at `path` and parses it; a file that cannot be read is one error.
bool readManifest(const std::string& path, Manifest& out, std::vector<std::string>& errors);

// "NAME:LINE:COLUMN: what".
std::string message(const std::string& name, const Place& at, const std::string& what);

// The espeak-ng voice for a language when the manifest names none ("en" speaks as "en-us").
std::string defaultVoice(const std::string& language);

}  // namespace make
