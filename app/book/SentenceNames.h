// The names of a book sentence, derived from its page and sentence number: its button in the page
// layout, its text key in "Stringstr.xml", its recording's name and the file that recording is
// stored in. The reader looks them up and the book generator writes them, so both spell them here.
// Needs no engine: the book tools link it and Md5Digest (quirel_bookfacts).
#pragma once

#include <string>

namespace app {

// The reader looks for sentence buttons 1 to this on every page.
constexpr int kMaxSentencesPerPage = 29;

// Whether a page's sentence buttons keep the images their layout gives them: the word-list
// pages of the course book (74 to 81) show word cards; every other page gets the reader's own
// sentence marks ("Images/bnren1.png", "Images/bnren2.png").
bool sentenceButtonsKeepTheirLook(int page);

// Each name is a prefix, then the page and the sentence number in decimal. Below page 10 the
// prefix ends in "0", so every name carries at least two page digits.

// "bn053", "bn1215": the sentence's button in the page's layout.
std::string sentenceButtonName(int page, int sentence);
// A sentence that wraps over several lines of a picture may be touched on each line and nowhere
// else: its first line is the sentence's button, each further line a button of its own named
// "bn261_2", "bn261_3" ... (part 2, 3, ... of the sentence), which acts as the first one does.
constexpr int kMaxSentenceParts = 20;
std::string sentencePartButtonName(int page, int sentence, int part);
// "str053", "str1215": the key of the sentence's text in "Stringstr.xml".
std::string sentenceTextKey(int page, int sentence);
// "mc053.mp3", "mc1215.mp3": the name the recording is known by (its stored file is named by its MD5).
std::string sentenceAudioName(int page, int sentence);
// "epc/<lowercase hex MD5 of audioName>.mp3", relative to the book directory.
std::string storedAudioPath(const std::string& audioName);
// The stored recording of sentence s of page p: storedAudioPath(sentenceAudioName(p, s)).
std::string storedAudioPath(int page, int sentence);

// The code a page gives its sentence button as action tag: the page number followed by the
// sentence number (53 for page 5, sentence 3; 1215 for page 12, sentence 15).
int sentenceCode(int page, int sentence);
// The sentence number that a button code of page p stands for.
int sentenceOfCode(int page, int code);
// The text key and recording name spelled from a button's code: the prefix chosen by page p,
// then the code's decimal digits ("str053" and "mc053.mp3" for code 53 of page 5).
std::string sentenceTextKeyOfCode(int page, int code);
std::string sentenceAudioNameOfCode(int page, int code);

}  // namespace app
