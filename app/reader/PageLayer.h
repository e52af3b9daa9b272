// A book page on screen: the page's widget tree from its layout file, the subtitle, the chrome
// (previous, play/pause, next, contents, settings), page turns and read-aloud. The twin classes
// TestLayer1 and TestLayer2 share all of it and differ only in the points their hooks give.
//
// Index:
//   - construction
//   - navigation: buttons, swipes, switchPage, contents and settings (and the grown-ups' gate)
//   - keys: the focus ring over sentences and buttons, page turns, reading
//   - read-aloud: sentence touches, continuous reading, subtitles
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/access/FocusRing.h"
#include "app/navigation/Screens.h"
#include "engine/scene/CCLayer.h"
#include "ui/widgets/UIWidget.h"

namespace engine {
class CCLabelTTF;
class CCLayerColor;
class CCMenu;
class CCMenuItem;
class CCMenuItemFont;
class CCMenuItemImage;
}  // namespace engine
namespace ui {
class Layout;
class UIButton;
class UILayer;
}  // namespace ui

namespace app {

class EchoTurn;

class PageLayer : public engine::CCLayer, public FocusScreen {
public:
    ~PageLayer() override;

    // --- navigation (menu callbacks take the sending item, unused) ---
    void previousPageCallback(engine::CCObject* sender);
    void nextPageCallback(engine::CCObject* sender);
    void contentsCallback(engine::CCObject* sender);
    void settingsCallback(engine::CCObject* sender);
    // Turns to the twin layer for currentPage, in a new page scene.
    void switchPage();
    void ccTouchesBegan(engine::CCSet* touches, engine::CCEvent* event) override;
    void ccTouchesMoved(engine::CCSet* touches, engine::CCEvent* event) override;
    void ccTouchesEnded(engine::CCSet* touches, engine::CCEvent* event) override;
    void ccTouchesCancelled(engine::CCSet* touches, engine::CCEvent* event) override;
    // A finger held this long on the page's top-left corner opens the settings (the grown-ups' gate).
    void gateHeld(float elapsed);

    // --- keys ---
    bool keyPressed(int key, int modifiers) override;
    void pointerUsed() override;
    FocusRing* focusRing() override { return m_focus; }

    // --- read-aloud ---
    void sentenceTouchEvent(engine::CCObject* sender, ui::TouchEventType type);
    void playPauseCallback(engine::CCObject* sender);
    void readAloudStep(float elapsed);
    void subtitleWatch(float elapsed);
    // Echo reading: waits for the sentence to end, listens, plays the voice back.
    void echoStep(float elapsed);
    void placeSubtitle(ui::UIButton* button, const std::string& text);

    void onEnter() override;
    void onEnterTransitionDidFinish() override;
    void onExit() override;
    void onExitTransitionDidStart() override;

    ui::UILayer* getUILayer() { return uiLayer; }
    ui::Layout* getPageLayout() { return pageLayout; }
    engine::CCMenuItemImage* getPlayPauseItem() { return m_playPause; }
    // True while the play/pause item shows its pause image.
    bool isShowingPause() const { return m_showingPause; }
    engine::CCLabelTTF* getSubtitleLabel() { return m_label; }
    // "off" (also while a sentence plays before its turn), "listening" or "playing back".
    const char* echoState() const;
    // The "your turn" sign, shown while listening, and the line saying echo reading cannot work;
    // made with the page when echo reading is on (else null until it is first needed).
    engine::CCNode* getYourTurnSign() { return m_yourTurn; }
    engine::CCLabelTTF* getEchoNotice() { return m_echoNotice; }
    ui::UIButton* getSubtitleBackground() { return m_background; }

protected:
    // What tells the twins apart.
    struct Traits {
        int sceneNumber;            // 1 or 2, in the log lines
        int subtitleZOrder;         // of the label in the layer
        int menuZOrder;             // of the chrome menu in the layer
        bool uiLayerFirst;          // the UI layer and image items are made before the label
        bool logsOnResume;          // logs and stops its selectors before resuming reading
        bool logsAfterSubtitle;     // logs after placing a touched sentence's subtitle
    };
    explicit PageLayer(const Traits& traits);
    // Which of the twins this is.
    virtual PageTwin twin() const = 0;

    // Turns to page currentPage as the given twin; used by the buttons, swipes and the automatic turn.
    void goToNextPage(PageTwin which);

private:
    void buildLabel(const std::string& hint);
    void buildImageItems();
    void buildChrome(const std::string& contentsText, const std::string& settingsText);
    void buildPage(int page);
    void connectSentenceButtons(int page);
    // The focus ring's targets: the sentences in reading order, then the visible page buttons.
    void buildFocus();
    // What a tap on a sentence's button does: pressed, then released.
    void pressSentence(ui::UIButton* button);
    // Lights or darkens a sentence's button and every further line of the same sentence.
    void lightSentence(ui::UIButton* button, bool on);
    // Whether two buttons are lines of one sentence (or the same button).
    bool sameSentence(ui::UIButton* a, ui::UIButton* b) const;
    void setPlayPauseImage(bool pause);
    // Moves currentPage by direction and turns to it as the given twin.
    void movePage(int direction, PageTwin which);
    PageTwin otherTwin() const;
    // Step 5 of both players: empty text, too long a text, or a placed subtitle.
    void showSubtitleFor(ui::UIButton* button, const std::string& text, bool found);
    bool musicPlaying() const;
    // A pause of the read-aloud steps at the narration speed: slower narration, longer pauses.
    float paced(float seconds) const;
    // Makes the echo signs once, hidden.
    void buildEchoSigns();
    // After a sentence that started playing: its turn follows when echo reading is on and works.
    void echoAfterSentence();
    void startListening();
    // Ends the turn in whatever phase it is, letting go of the microphone.
    void endEcho();
    void showEchoProblem();

    Traits m_traits;
    engine::CCPoint touchStart;
    // A touch began on this page: moves of a finger that went down on the page before (still
    // dragging when this one came in) have no start here and turn nothing.
    bool m_touchBegan = false;
    // The gate's finger went down on the corner and has not left it.
    bool m_gateHeld = false;
    FocusRing* m_focus = nullptr;
    ui::UILayer* uiLayer = nullptr;
    ui::Layout* pageLayout = nullptr;
    engine::CCLabelTTF* m_label = nullptr;
    ui::UIButton* m_background = nullptr;
    engine::CCMenuItemImage* m_previous = nullptr;
    engine::CCMenuItemImage* m_playPause = nullptr;
    engine::CCMenuItemImage* m_next = nullptr;
    engine::CCMenuItemFont* m_contents = nullptr;
    bool m_showingPause = false;
    enum class EchoPhase { Off, Waiting, Listening, PlayingBack };
    EchoPhase m_echoPhase = EchoPhase::Off;
    std::unique_ptr<EchoTurn> m_echoTurn;
    double m_echoSentenceSeconds = 0.0;
    engine::CCLayerColor* m_yourTurn = nullptr;
    engine::CCLabelTTF* m_echoNotice = nullptr;
    // The further lines of the page's wrapping sentences, by the sentence's action tag.
    std::map<int, std::vector<ui::UIButton*>> m_sentenceParts;
};

class TestLayer1 : public PageLayer {
public:
    TestLayer1();

protected:
    PageTwin twin() const override;
};

class TestLayer2 : public PageLayer {
public:
    TestLayer2();

protected:
    PageTwin twin() const override;
};

// Opens the reader at currentPage with a TestLayer1, without a transition (the unit menu's way in).
void openPageWithoutTransition();

}  // namespace app
