// The picture files a layout file names, listed without building it: what a reader decodes ahead.
#pragma once

#include <string>
#include <vector>

namespace ui {

// The local picture files the layout at layoutFullPath names, as normalised full paths, each
// once, in file order: an option "...Data" holding a "path" of resource type 0, or in a legacy
// layout (older than 2.5) an option's string naming a .png or .jpg file. Names that would leave
// `boundary` are left out, as the reader refuses them, and so are sprite-sheet frames. Reads the
// file itself and touches no shared state, so it may run on any thread; a missing or damaged
// file gives an empty list.
std::vector<std::string> layoutImageFiles(const std::string& layoutFullPath, const std::string& boundary);

// Asks the texture cache to decode the pictures of a layout file (a name as widgetFromLayoutFile
// takes it) on its worker thread, so a later build of that layout finds them decoded.
void decodeLayoutImagesAhead(const char* fileName);

}  // namespace ui
