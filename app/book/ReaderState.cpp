// Storage of the reader state.
#include "app/book/ReaderState.h"

namespace app {

int currentPage = 0;
int pageChangeDirection = 0;
int readingMode = READ_TURN_PAGES;
bool autoReading = false;
bool readingPause = false;
int nextSentence = 0;
int lastSentence = 0;
ui::UIButton* currentSentenceButton = nullptr;
engine::CCLabelTTF* subtitleLabel = nullptr;
ui::UIButton* subtitleBackground = nullptr;

void resetReaderState() {
    currentPage = 0;
    pageChangeDirection = 0;
    readingMode = READ_TURN_PAGES;
    autoReading = false;
    readingPause = false;
    nextSentence = 0;
    lastSentence = 0;
    currentSentenceButton = nullptr;
    subtitleLabel = nullptr;
    subtitleBackground = nullptr;
}

}  // namespace app
