// Style sheet text adjusted for litehtml 0.6 before it reads it: what its parser gets wrong is
// rewritten into forms it reads right.
#pragma once

#include <string>

namespace epub {

// The "background" shorthand with a size ("url(a.png) center / cover") leaves litehtml 0.6 with a
// black box and no size: the size moves to a background-size declaration of its own. Works on a
// whole style sheet or on a style attribute's declarations.
std::string withBackgroundSizeApart(const std::string& css);

}  // namespace epub
