// What the reader remembers about a book from one run to the next (the page last read, the
// reading mode chosen, ...): one small JSON file per book in the state folder, read once when
// the book opens and written whole on every change. Nothing is remembered until open() is called.
#pragma once

#include <json/json.h>

#include <string>

namespace app {

// The remembered keys; a new one needs only its name here and its reader and writer.
namespace remembered {
constexpr const char* kPage = "page";                // the page last shown
constexpr const char* kReadingMode = "readingMode";  // a ReadingMode confirmed in the settings
constexpr const char* kScanSeconds = "scanSeconds";  // one-switch scanning, 0 for off
constexpr const char* kNarrationRate = "narrationRate";  // 0.5..1.5, chosen in the settings
constexpr const char* kEchoReading = "echoReading";      // say it back, chosen in the settings
constexpr const char* kFirstRun = "firstRunMarker";  // the marker, when the book folder is read-only
}  // namespace remembered

// $XDG_STATE_HOME/quirel when XDG_STATE_HOME is an absolute path, else ~/.local/state/quirel;
// empty when neither can be told.
std::string defaultStateFolder();

// The page the open book was last read at, when one is remembered and the book has it; else 0.
int resumePage();

class RememberedState {
public:
    // Starts remembering for the book folder bookDir in folder (made when it is missing) and
    // reads what was remembered. A damaged or unreadable file is logged and ignored; the next
    // change replaces it.
    static void open(const std::string& folder, const std::string& bookDir);
    // Stops remembering (nothing is read or written until the next open).
    static void close();
    static bool isOpen();
    // The open book's file: the folder, then the MD5 of the book folder's absolute path.
    static std::string path();

    // A remembered value, null when there is none (or nothing is open).
    static Json::Value get(const char* key);
    // A remembered whole number within [lowest, highest], else fallback.
    static int getInt(const char* key, int lowest, int highest, int fallback);
    // Remembers value and writes the file: a temporary file beside it, renamed over it when
    // whole. When the folder cannot be written the value lasts this run only (logged once).
    static void set(const char* key, const Json::Value& value);
};

}  // namespace app
