// The names of a book folder's files that the reader opens whatever the book holds: the page
// layouts, the chrome images, the captions of "String.xml", the settings screen's layout with its
// buttons; and the design area they are laid out on. The book maker writes them all and the book
// check looks for them all.
// Needs no engine: the book tools link it (quirel_bookfacts).
#pragma once

#include <string>
#include <vector>

namespace app {

// The design area of every page and screen, in points.
constexpr int kPageWidth = 640;
constexpr int kPageHeight = 960;

// "tomeset/tomeset_12.json": a page's layout file, relative to the book folder.
std::string pageLayoutFile(int page);

// The page chrome (turn arrows, play and pause, the subtitle's background, the sentence marks)
// and the contents screen's walker and drag hint, relative to the book folder.
const std::vector<std::string>& chromeImages();
// The mark the reader puts on sentence buttons (outside the word list), untouched and touched.
extern const char* const kSentenceMarkImage;         // "Images/bnren1.png"
extern const char* const kSentenceMarkPressedImage;  // "Images/bnren2.png"
// The caption keys every screen of the reader looks up.
const std::vector<std::string>& requiredCaptionKeys();
// The settings screen's layout file, relative to the book folder.
extern const char* const kSettingsLayout;  // "3age/pageset.json"
// The six settings buttons the settings screen finds by name.
const std::vector<std::string>& requiredSettingsButtons();

}  // namespace app
