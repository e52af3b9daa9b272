// A page's narration as the reader's sentences. Each piece of narration reads one element; pieces
// that read single words of one block join until their text ends a sentence ("Call" "me"
// "Ishmael." is one sentence), and a sentence is touched on the lines its words occupy.
#pragma once

#include <string>
#include <vector>

#include "tools/bookkit/Canvas.h"

namespace epub {

// One piece of narration with the element it reads, as laid out on the page.
struct ReadPiece {
    std::string text;                    // the element's text, white space collapsed
    std::vector<bookkit::RectF> lines;   // its line boxes, CSS pixels of the viewport
    int block = 0;                       // its nearest block ancestor
    std::string audioPath;               // empty: silent
    double clipBegin = 0;
    double clipEnd = -1;  // < 0: to the end of the file
};

struct PageSentence {
    std::string text;
    std::vector<bookkit::RectF> zones;  // one a line
    std::string audioPath;
    double clipBegin = 0;
    double clipEnd = -1;
};

// Whether text ends a sentence: its last mark is '.', '!', '?', an ellipsis or a full stop of
// another script, possibly followed by closing quotes and brackets.
bool endsSentence(const std::string& text);

// Joins boxes that lie on one line (their heights overlap by half the smaller one) into one box
// each, in the order their lines first appear.
std::vector<bookkit::RectF> lineAreas(const std::vector<bookkit::RectF>& boxes);

// The sentences of a page's pieces, in reading order. Consecutive pieces join while they share a
// block and an audio file whose clips run forward, until one ends a sentence.
std::vector<PageSentence> joinSentences(const std::vector<ReadPiece>& pieces);

}  // namespace epub
