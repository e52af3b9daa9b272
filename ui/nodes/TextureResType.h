// How a widget's texture names are resolved: files in the book folder, or frames of a loaded sheet.
#pragma once

namespace ui {

// The values also appear in layout files.
enum TextureResType { TEX_RES_LOCAL_FILE = 0, TEX_RES_SPRITE_FRAME = 1 };

}  // namespace ui
