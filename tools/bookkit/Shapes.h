// The little picture vocabulary of the book (sun, tree, cat ...), each drawn from simple shapes.
#pragma once

#include <string>
#include <vector>

#include "tools/bookkit/Canvas.h"

namespace bookkit {

// Every name a page's "picture" or "cards" list may use.
const std::vector<std::string>& shapeNames();
bool isKnownShape(const std::string& name);

// Draws the named shape centred on (cx, cy), fitting a square of edge `size`.
// Returns false, drawing nothing, for a name outside the vocabulary.
bool drawShape(Canvas& canvas, const std::string& name, float cx, float cy, float size);

}  // namespace bookkit
