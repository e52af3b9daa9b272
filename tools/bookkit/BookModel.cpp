// The names every generated book must provide: chrome captions, settings buttons, stickers.
#include "tools/bookkit/BookModel.h"

namespace bookkit {

const std::vector<std::string>& requiredCaptionKeys() {
    static const std::vector<std::string> keys = {"main_page", "setmenu_set", "bntext",
                                                  "wordname",  "page_front",  "page_after"};
    return keys;
}

const std::vector<std::string>& requiredSettingsButtons() {
    static const std::vector<std::string> names = {"bnmain", "bnpres", "bnaotopage", "bnaoto", "bnok", "bncancel"};
    return names;
}

const std::vector<std::string>& stickerNames() {
    static const std::vector<std::string> names = {"star", "heart", "note", "sun", "cloud", "flower"};
    return names;
}

}  // namespace bookkit
