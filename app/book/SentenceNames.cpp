// The names of a book sentence: one spelling of each prefix, shared by the reader and quirel-bookgen.
#include "app/book/SentenceNames.h"

#include "app/book/Md5Digest.h"

namespace app {

namespace {

const char* const kButtonPrefix = "bn";
const char* const kTextKeyPrefix = "str";
const char* const kAudioPrefix = "mc";
const char* const kAudioSuffix = ".mp3";
const char* const kStoredAudioFolder = "epc/";

// The prefix, with a "0" after it below page 10, then the digits.
std::string compose(const char* prefix, int page, const std::string& digits) {
    return std::string(prefix) + (page < 10 ? "0" : "") + digits;
}

std::string pageAndSentence(int page, int sentence) { return std::to_string(page) + std::to_string(sentence); }

}  // namespace

std::string sentenceButtonName(int page, int sentence) {
    return compose(kButtonPrefix, page, pageAndSentence(page, sentence));
}

std::string sentencePartButtonName(int page, int sentence, int part) {
    return sentenceButtonName(page, sentence) + "_" + std::to_string(part);
}

std::string sentenceTextKey(int page, int sentence) {
    return compose(kTextKeyPrefix, page, pageAndSentence(page, sentence));
}

std::string sentenceAudioName(int page, int sentence) {
    return compose(kAudioPrefix, page, pageAndSentence(page, sentence)) + kAudioSuffix;
}

std::string storedAudioPath(const std::string& audioName) {
    return kStoredAudioFolder + Md5Digest::hexDigest(audioName) + kAudioSuffix;
}

std::string storedAudioPath(int page, int sentence) { return storedAudioPath(sentenceAudioName(page, sentence)); }

int sentenceCode(int page, int sentence) { return sentence < 10 ? page * 10 + sentence : page * 100 + sentence; }

int sentenceOfCode(int page, int code) { return (code - 10 * page <= 30) ? code - 10 * page : code - 100 * page; }

std::string sentenceTextKeyOfCode(int page, int code) {
    return compose(kTextKeyPrefix, page, std::to_string(code));
}

std::string sentenceAudioNameOfCode(int page, int code) {
    return compose(kAudioPrefix, page, std::to_string(code)) + kAudioSuffix;
}

bool sentenceButtonsKeepTheirLook(int page) { return page >= 74 && page <= 81; }

}  // namespace app
