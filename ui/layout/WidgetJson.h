// A widget subtree as JSON: the common state of every widget, the state its option set drives, and the state touches change.
//
//   - Local file names are given relative to the resource root when they lie inside it, so
//     the output does not depend on where the book is; sprite-frame names as they are.
//   - Numbers are rounded to 4 decimals, whole numbers written as integers, and values that
//     are not finite written as null: the output is for people and scripts, not for re-reading.
//   - The check box keeps no image names, so each of its images is reported by its kind and
//     the path of the texture it shows (the sheet's image for a sprite frame).
//   - A subtree deeper than kMaxJsonWidgetDepth is cut off there ("children" stops).
#pragma once

#include <json/json.h>

namespace engine {
class CCNode;
}

namespace ui {

class UIWidget;

const int kMaxJsonWidgetDepth = 512;

// {"type", "name", "tag", "actionTag", "position", "size", "anchor", "zOrder", "visible",
//  "touchEnabled", "enabled", "bright", "ignoreSize", "color", "opacity", "scaleX", "scaleY",
//  "rotation", "flipX", "flipY", "children", ...per class}; null for a null widget.
Json::Value widgetToJson(UIWidget* widget);

// A number as widgetToJson writes it.
Json::Value jsonNumber(double v);
// A file name as widgetToJson writes it (relative to the resource root when inside it).
Json::Value jsonFileName(const char* name);
// The whole value on one line, UTF-8 kept as it is.
std::string jsonLine(const Json::Value& value);

}  // namespace ui
