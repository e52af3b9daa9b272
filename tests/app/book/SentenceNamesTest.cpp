// The sentence names the reader looks up and quirel-bookgen writes, spelled out literally.
#include "app/book/SentenceNames.h"

#include <gtest/gtest.h>

#include <string>

#include "app/book/Md5Digest.h"

TEST(SentenceNames, ButtonNamesCarryALeadingZeroBelowPageTen) {
    EXPECT_EQ(app::sentenceButtonName(5, 3), "bn053");
    EXPECT_EQ(app::sentenceButtonName(9, 12), "bn0912");
    EXPECT_EQ(app::sentenceButtonName(10, 1), "bn101");
    EXPECT_EQ(app::sentenceButtonName(12, 15), "bn1215");
    EXPECT_EQ(app::sentenceButtonName(90, 29), "bn9029");
}

TEST(SentenceNames, TextKeys) {
    EXPECT_EQ(app::sentenceTextKey(5, 3), "str053");
    EXPECT_EQ(app::sentenceTextKey(9, 1), "str091");
    EXPECT_EQ(app::sentenceTextKey(10, 9), "str109");
    EXPECT_EQ(app::sentenceTextKey(12, 15), "str1215");
}

TEST(SentenceNames, AudioNames) {
    EXPECT_EQ(app::sentenceAudioName(5, 3), "mc053.mp3");
    EXPECT_EQ(app::sentenceAudioName(1, 10), "mc0110.mp3");
    EXPECT_EQ(app::sentenceAudioName(12, 15), "mc1215.mp3");
    EXPECT_EQ(app::sentenceAudioName(89, 12), "mc8912.mp3");
}

TEST(SentenceNames, StoredRecordingsAreNamedByTheMd5OfTheAudioName) {
    EXPECT_EQ(app::storedAudioPath("mc053.mp3"), "epc/d62670df12f9d1c2fab7718e2e54ff69.mp3");
    EXPECT_EQ(app::storedAudioPath(5, 3), "epc/d62670df12f9d1c2fab7718e2e54ff69.mp3");
    EXPECT_EQ(app::storedAudioPath(12, 15), "epc/d2eb68752c0c63a4a70a751d55623e00.mp3");
    EXPECT_EQ(app::storedAudioPath(12, 15), "epc/" + Md5Digest::hexDigest("mc1215.mp3") + ".mp3");
}

TEST(SentenceNames, ButtonCodesArePageDigitsThenSentenceDigits) {
    EXPECT_EQ(app::sentenceCode(5, 3), 53);
    EXPECT_EQ(app::sentenceCode(5, 12), 512);
    EXPECT_EQ(app::sentenceCode(12, 3), 123);
    EXPECT_EQ(app::sentenceCode(12, 15), 1215);
    EXPECT_EQ(app::sentenceCode(90, 29), 9029);
}

TEST(SentenceNames, EveryCodeOfAPageGivesBackItsSentence) {
    for (int page = 1; page <= 90; ++page) {
        for (int sentence = 1; sentence <= 29; ++sentence) {
            const int code = app::sentenceCode(page, sentence);
            EXPECT_EQ(app::sentenceOfCode(page, code), sentence) << page << " " << sentence;
            // Spelled from the code or from the numbers, the names are the same.
            EXPECT_EQ(app::sentenceTextKeyOfCode(page, code), app::sentenceTextKey(page, sentence));
            EXPECT_EQ(app::sentenceAudioNameOfCode(page, code), app::sentenceAudioName(page, sentence));
        }
    }
}

TEST(SentenceNames, NamesFromACodeTakeTheCodeAsItIs) {
    // A code from another page keeps its digits; only the prefix follows the page given.
    EXPECT_EQ(app::sentenceTextKeyOfCode(5, 123), "str0123");
    EXPECT_EQ(app::sentenceAudioNameOfCode(12, 53), "mc53.mp3");
}
