// Reads the sample book's sources, book.json: captions, settings, voice and the pages.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "tools/bookkit/BookModel.h"

namespace bookgen {

using namespace bookkit;

// Reads and checks SOURCE/book.json. On failure returns false with a message naming the problem.
bool loadBookSource(const std::string& path, BookSource& book, std::string& error);
// Same, from text already in memory; `origin` names it in messages.
bool parseBookSource(const std::string& text, const std::string& origin, BookSource& book, std::string& error);

}  // namespace bookgen
