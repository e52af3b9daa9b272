// Names the reader derives from a page and sentence number: button, text key, audio name and file.
#pragma once

#include <string>

namespace bookgen {

// "bn053", "bn1215": prefix by page (bn0 below 10), then page and sentence number in decimal.
std::string sentenceButtonName(int page, int sentence);
// "str053", "str1215": the key of the sentence's text in Stringstr.xml.
std::string sentenceTextKey(int page, int sentence);
// "mc053.mp3", "mc1215.mp3": the name the reader hashes to find the recording.
std::string sentenceAudioName(int page, int sentence);
// "epc/<md5 of the audio name>.mp3", relative to the book directory.
std::string storedAudioPath(int page, int sentence);

}  // namespace bookgen
