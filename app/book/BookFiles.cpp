// The names of a book folder's files and captions, in the order the screens use them.
#include "app/book/BookFiles.h"

namespace app {

std::string pageLayoutFile(int page) { return "tomeset/tomeset_" + std::to_string(page) + ".json"; }

const char* const kSentenceMarkImage = "Images/bnren1.png";
const char* const kSentenceMarkPressedImage = "Images/bnren2.png";

const std::vector<std::string>& chromeImages() {
    static const std::vector<std::string> images = {
        "Images/up1.png",        "Images/up2.png",    "Images/play_btn.png", "Images/pause_btn.png",
        "Images/next1.png",      "Images/next2.png",  "Images/bnchback1.png", "Images/bnren1.png",
        "Images/bnren2.png",     "Images/grossini.png", "Images/drag.jpg"};
    return images;
}

const std::vector<std::string>& requiredCaptionKeys() {
    static const std::vector<std::string> keys = {"main_page", "setmenu_set", "bntext",
                                                  "wordname",  "page_front",  "page_after"};
    return keys;
}

const char* const kSettingsLayout = "3age/pageset.json";

const std::vector<std::string>& requiredSettingsButtons() {
    static const std::vector<std::string> names = {"bnmain", "bnpres", "bnaotopage", "bnaoto", "bnok", "bncancel"};
    return names;
}

}  // namespace app
