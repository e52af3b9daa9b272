// The names a generated book's stickers may use.
#include "tools/bookkit/BookModel.h"

namespace bookkit {

const std::vector<std::string>& stickerNames() {
    static const std::vector<std::string> names = {"star", "heart", "note", "sun", "cloud", "flower"};
    return names;
}

}  // namespace bookkit
