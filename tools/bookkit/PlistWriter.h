// Property-list XML output: the two string tables and the sticker sheet's frame list.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "tools/bookkit/Artwork.h"

namespace bookkit {

// A top-level dictionary of string values, in the order given.
std::string stringTablePlist(const std::vector<std::pair<std::string, std::string>>& entries);
// A texture-atlas list (format 2) describing `frames` in the image `textureFileName`.
std::string spriteSheetPlist(const std::vector<SheetFrame>& frames, const std::string& textureFileName, int width,
                             int height);

}  // namespace bookkit
