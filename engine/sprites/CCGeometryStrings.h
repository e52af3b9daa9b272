// Points, sizes and rectangles written as "{x,y}", "{w,h}" and "{{x,y},{w,h}}" (sprite sheets).
#pragma once

#include <string>

#include "engine/base/CCGeometry.h"

namespace engine {

// Strict readers: false (and out untouched) unless the whole text is one well-formed value of
// finite numbers; spaces around the parts are allowed.
bool parsePointString(const std::string& text, CCPoint& out);
bool parseSizeString(const std::string& text, CCSize& out);
bool parseRectString(const std::string& text, CCRect& out);

// Lenient forms: zero for text that does not parse.
CCPoint CCPointFromString(const char* text);
CCSize CCSizeFromString(const char* text);
CCRect CCRectFromString(const char* text);

}  // namespace engine
