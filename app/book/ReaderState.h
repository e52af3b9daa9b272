// The book reader's process-wide state: it survives from one page scene to the next.
#pragma once

namespace ui {
class UIButton;
}
namespace engine {
class CCLabelTTF;
}

namespace app {

enum ReadingMode { READ_ON_TOUCH = 1, READ_REPEAT_PAGE = 2, READ_TURN_PAGES = 3 };

constexpr int kFirstPage = 1;
constexpr int kLastPage = 90;

extern int currentPage;          // page shown or about to be built, 1..90
extern int pageChangeDirection;  // +1 next page, -1 previous page
extern int readingMode;          // a ReadingMode
extern bool autoReading;         // continuous read-aloud is on
extern bool readingPause;        // the next read-aloud step only ends a pause
extern int nextSentence;         // the sentence the next read-aloud step reads
extern int lastSentence;         // highest sentence number with a button on the page
// Pointers into the page scene built last; not owned, cleared whenever that page goes.
extern ui::UIButton* currentSentenceButton;
extern engine::CCLabelTTF* subtitleLabel;
extern ui::UIButton* subtitleBackground;

// Back to the state of a fresh start (tests run several stories in one process).
void resetReaderState();

}  // namespace app
