// Narration joined into the reader's sentences: word-level pieces become one sentence with one
// clip, a sentence that wraps is touched on each of its lines, sentences sharing a line keep
// their own parts of it.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tools/epub/Sentences.h"

using namespace epub;
using bookkit::RectF;

namespace {

ReadPiece word(const std::string& text, RectF box, double begin, double end, int block = 1,
               const std::string& audio = "a.mp3") {
    ReadPiece p;
    p.text = text;
    p.lines = {box};
    p.block = block;
    p.audioPath = audio;
    p.clipBegin = begin;
    p.clipEnd = end;
    return p;
}

void expectRect(const RectF& got, RectF want) {
    EXPECT_FLOAT_EQ(got.x, want.x);
    EXPECT_FLOAT_EQ(got.y, want.y);
    EXPECT_FLOAT_EQ(got.w, want.w);
    EXPECT_FLOAT_EQ(got.h, want.h);
}

}  // namespace

TEST(Sentences, WordsJoinUntilTheTextEndsASentenceAndAreTouchedOnTheirLines) {
    // "Call me Ishmael." on one line; "Some years ago, never mind" wraps onto a second line and
    // ends there with a quotation; a new block starts a new sentence even without a full stop.
    const std::vector<ReadPiece> pieces = {
        word("Call", {10, 10, 40, 20}, 0.0, 0.4),     word("me", {55, 11, 25, 19}, 0.4, 0.6),
        word("Ishmael.", {85, 10, 80, 20}, 0.6, 1.2), word("Some", {170, 10, 50, 20}, 1.3, 1.6),
        word("years", {225, 10, 50, 20}, 1.6, 1.9),   word("ago,", {10, 40, 45, 20}, 1.9, 2.2),
        word("\xE2\x80\x9Cnever", {60, 40, 60, 20}, 2.3, 2.6), word("mind.\xE2\x80\x9D", {125, 41, 60, 19}, 2.6, 3.0),
        word("Chapter", {10, 100, 80, 30}, 3.5, 4.0, 2),   word("Two", {10, 140, 40, 30}, 4.0, 4.5, 3),
    };
    const std::vector<PageSentence> s = joinSentences(pieces);
    ASSERT_EQ(s.size(), 4u);

    EXPECT_EQ(s[0].text, "Call me Ishmael.");
    EXPECT_DOUBLE_EQ(s[0].clipBegin, 0.0);
    EXPECT_DOUBLE_EQ(s[0].clipEnd, 1.2);
    ASSERT_EQ(s[0].zones.size(), 1u);
    expectRect(s[0].zones[0], {10, 10, 155, 20});

    EXPECT_EQ(s[1].text, "Some years ago, \xE2\x80\x9Cnever mind.\xE2\x80\x9D");
    EXPECT_DOUBLE_EQ(s[1].clipBegin, 1.3);
    EXPECT_DOUBLE_EQ(s[1].clipEnd, 3.0);
    ASSERT_EQ(s[1].zones.size(), 2u);  // the end of the first line and the start of the second, not their bounding box
    expectRect(s[1].zones[0], {170, 10, 105, 20});
    expectRect(s[1].zones[1], {10, 40, 175, 20});

    EXPECT_EQ(s[2].text, "Chapter");  // its block ends before its text ends a sentence
    EXPECT_EQ(s[3].text, "Two");
}

TEST(Sentences, WholeSentencePiecesStayApartAndClipsThatJumpDoNotJoin) {
    ReadPiece wrapped;  // one element over two lines
    wrapped.text = "A long one that wraps round";
    wrapped.lines = {{300, 10, 200, 20}, {10, 40, 120, 20}};
    wrapped.block = 1;
    wrapped.audioPath = "a.mp3";
    wrapped.clipBegin = 1;
    wrapped.clipEnd = 2;
    const std::vector<ReadPiece> pieces = {
        word("It is cold!", {10, 10, 280, 20}, 0, 1),
        wrapped,
        word("again", {140, 40, 60, 20}, 0.5, 0.9),         // runs backwards in the file
        word("other", {210, 40, 60, 20}, 5, 6, 1, "b.mp3"),  // another file
        word("Why?", {280, 40, 50, 20}, 6, 7, 1, "b.mp3"),
    };
    const std::vector<PageSentence> s = joinSentences(pieces);
    ASSERT_EQ(s.size(), 4u);
    EXPECT_EQ(s[0].text, "It is cold!");
    EXPECT_EQ(s[1].text, "A long one that wraps round");
    ASSERT_EQ(s[1].zones.size(), 2u);
    expectRect(s[1].zones[0], {300, 10, 200, 20});
    expectRect(s[1].zones[1], {10, 40, 120, 20});
    EXPECT_EQ(s[2].text, "again");
    EXPECT_EQ(s[3].text, "other Why?");
    EXPECT_EQ(s[3].audioPath, "b.mp3");
    EXPECT_DOUBLE_EQ(s[3].clipBegin, 5);
    EXPECT_DOUBLE_EQ(s[3].clipEnd, 7);
}

TEST(Sentences, WhatEndsASentence) {
    for (const char* yes : {"Go.", "Go!", "Go?", "Go?!", "Wait\xE2\x80\xA6", "\"Go.\"", "(Go.)", "Go.' ", "\xE5\x8E\xBB\xE3\x80\x82"})
        EXPECT_TRUE(endsSentence(yes)) << yes;
    for (const char* no : {"Go", "Go,", "Go;", "\"Go\"", "", "Mr"}) EXPECT_FALSE(endsSentence(no)) << no;
}
