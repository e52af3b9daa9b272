// Sentence naming as the reader does it, so generated names and looked-up names always agree.
#include "tools/bookgen/SentenceNames.h"

#include <cstdio>

#include "app/reader/Md5Digest.h"

namespace bookgen {

namespace {

// The reader formats "%s%d%d" with a prefix chosen by the page number; one helper for all three.
std::string compose(const char* shortPrefix, const char* longPrefix, int page, int sentence, const char* suffix) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%s%d%d%s", page < 10 ? shortPrefix : longPrefix, page, sentence, suffix);
    return buffer;
}

}  // namespace

std::string sentenceButtonName(int page, int sentence) {
    return compose("bn0", "bn", page, sentence, "");
}

std::string sentenceTextKey(int page, int sentence) {
    return compose("str0", "str", page, sentence, "");
}

std::string sentenceAudioName(int page, int sentence) {
    return compose("mc0", "mc", page, sentence, ".mp3");
}

std::string storedAudioPath(int page, int sentence) {
    return "epc/" + Md5Digest::hexDigest(sentenceAudioName(page, sentence)) + ".mp3";
}

}  // namespace bookgen
