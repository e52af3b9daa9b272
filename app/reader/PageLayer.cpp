// The page layer shared by TestLayer1 and TestLayer2: construction, navigation and read-aloud.
//
// Index:
//   - construction
//   - lifecycle and teardown
//   - navigation
//   - read-aloud
//   - the twin classes
#include "app/reader/PageLayer.h"

#include <cmath>

#include "app/book/BookContents.h"
#include "app/book/BookFiles.h"
#include "app/book/ReaderState.h"
#include "app/book/SentenceNames.h"
#include "app/book/StringTables.h"
#include "app/book/VisibleArea.h"
#include "app/navigation/Screens.h"
#include "engine/engine.h"
#include "ui/layout/GUIReader.h"
#include "ui/widgets/GUIHelper.h"
#include "ui/widgets/Layout.h"
#include "ui/widgets/UIButton.h"
#include "ui/widgets/UILayer.h"
#include "ui/widgets/UIRootWidget.h"

using namespace engine;

namespace app {

namespace {
constexpr float kSwipeDistance = 50;
constexpr float kReadStartDelay = 0.2f;
constexpr float kReadStepInterval = 0.5f;
constexpr float kRepeatPageDelay = 0.2f;
constexpr float kSubtitleInterval = 0.3f;
constexpr size_t kLongestSubtitle = 1599;
const ccColor3B kBlue = {0, 0, 255};
}  // namespace

// --- construction ---------------------------------------------------------------------

PageLayer::PageLayer(const Traits& traits) : m_traits(traits), touchStart(0, 0) {
    init();
    const int page = currentPage;
    SimpleAudioEngine::sharedEngine()->setBackgroundMusicVolume(1.0f);
    SimpleAudioEngine::sharedEngine()->stopBackgroundMusic();

    uiLayer = ui::UILayer::create();
    const std::string settingsText = caption("setmenu_set");
    const std::string contentsText = caption("main_page");
    const std::string hint = caption("bntext");
    if (m_traits.uiLayerFirst) {
        addChild(uiLayer, 0);
        buildImageItems();
        buildLabel(hint);
        addChild(m_label, m_traits.subtitleZOrder);
    } else {
        buildLabel(hint);
        addChild(uiLayer, 0);
        addChild(m_label, m_traits.subtitleZOrder);
        buildImageItems();
    }
    buildChrome(contentsText, settingsText);
    buildPage(page);
    connectSentenceButtons(page);

    nextSentence = 1;
    if (autoReading && readingMode == READ_TURN_PAGES) {
        if (m_traits.logsOnResume) {
            CCLog("---------------------------------0000000000000");
            unscheduleAllSelectors();
        }
        schedule(schedule_selector(PageLayer::readAloudStep), kReadStartDelay);
        setPlayPauseImage(true);
    } else {
        autoReading = false;
        setPlayPauseImage(false);
        unscheduleAllSelectors();
    }
    currentSentenceButton = nullptr;
    setTouchEnabled(true);
}

void PageLayer::buildLabel(const std::string& hint) {
    const CCSize s = VisibleArea::size();
    m_label = CCLabelTTF::create(hint.c_str(), "Arial", 22);
    m_label->setDimensions(CCSize(s.width / 4, 0));
    m_label->setHorizontalAlignment(kCCTextAlignmentCenter);
    m_label->setPosition(ccp(VisibleArea::center().x,
                             VisibleArea::bottom().y + (VisibleArea::top().y - VisibleArea::bottom().y) / 24));
    m_label->setColor(kBlue);
    subtitleLabel = m_label;
}

void PageLayer::buildImageItems() {
    m_previous = CCMenuItemImage::create("Images/up1.png", "Images/up2.png", this,
                                         menu_selector(PageLayer::previousPageCallback));
    m_playPause = CCMenuItemImage::create("Images/play_btn.png", "Images/pause_btn.png", this,
                                          menu_selector(PageLayer::playPauseCallback));
    m_next = CCMenuItemImage::create("Images/next1.png", "Images/next2.png", this,
                                     menu_selector(PageLayer::nextPageCallback));
}

void PageLayer::buildChrome(const std::string& contentsText, const std::string& settingsText) {
    CCMenuItemFont::setFontSize(45);
    CCMenuItemFont* contents =
        CCMenuItemFont::create(contentsText.c_str(), this, menu_selector(PageLayer::contentsCallback));
    contents->setColor(kBlue);
    CCMenuItemFont* settings =
        CCMenuItemFont::create(settingsText.c_str(), this, menu_selector(PageLayer::settingsCallback));
    settings->setColor(kBlue);

    CCMenu* menu = CCMenu::create(m_previous, m_playPause, m_next, contents, settings, nullptr);
    menu->setPosition(ccp(0, 0));
    const CCSize p = m_playPause->getContentSize();
    const CCPoint bottom = VisibleArea::bottom(), center = VisibleArea::center();
    settings->setPosition(ccp(VisibleArea::right().x - 60, bottom.y + 30));
    contents->setPosition(ccp(VisibleArea::left().x + 60, bottom.y + 30));
    m_previous->setPosition(ccp(center.x - p.width / 2, bottom.y + p.height / 2 + 6));
    m_playPause->setPosition(ccp(VisibleArea::right().x - 60, bottom.y + 40));
    m_next->setPosition(ccp(center.x + p.width / 2, bottom.y + p.height / 2 + 6));
    addChild(menu, m_traits.menuZOrder);
    settings->setVisible(false);
    if (readingMode == READ_ON_TOUCH) m_playPause->setVisible(false);
}

void PageLayer::buildPage(int page) {
    const std::string path = pageLayoutFile(page);
    ui::UIWidget* widget = ui::GUIReader::sharedReader()->widgetFromLayoutFile(path.c_str());
    pageLayout = dynamic_cast<ui::Layout*>(widget);
    if (pageLayout) uiLayer->addWidget(pageLayout);

    m_background = ui::UIButton::create();
    m_background->setTouchEnabled(false);
    m_background->setScale9Enable(true);
    m_background->loadTextures("Images/bnchback1.png", "Images/bnchback1.png", "", ui::TEX_RES_LOCAL_FILE);
    m_background->setPosition(ccp(VisibleArea::center().x, VisibleArea::top().y));
    m_background->setSize(CCSize(150, 1.5f * m_background->getContentSize().height));
    m_background->setVisible(false);
    uiLayer->addWidget(m_background);
    subtitleBackground = m_background;
}

void PageLayer::connectSentenceButtons(int page) {
    ui::GUIHelper* helper = ui::GUIHelper::sharedHelper();
    for (int n = 1; n <= kMaxSentencesPerPage; ++n) {
        ui::UIButton* button = dynamic_cast<ui::UIButton*>(
            helper->findWidgetByName(uiLayer->getRootWidget(), sentenceButtonName(page, n).c_str()));
        if (!button) continue;
        if (!sentenceButtonsKeepTheirLook(page)) {
            button->setOpacity(255);
            button->loadNormalTexture(kSentenceMarkImage, ui::TEX_RES_LOCAL_FILE);
            button->loadPressedTexture(kSentenceMarkPressedImage, ui::TEX_RES_LOCAL_FILE);
        }
        button->setTouchListener(this, toucheventselector(PageLayer::sentenceTouchEvent));
        lastSentence = n;
        button->setActionTag(sentenceCode(page, n));
        for (int part = 2; part <= kMaxSentenceParts; ++part) {
            ui::UIButton* line = dynamic_cast<ui::UIButton*>(
                helper->findWidgetByName(uiLayer->getRootWidget(), sentencePartButtonName(page, n, part).c_str()));
            if (!line) break;
            if (!sentenceButtonsKeepTheirLook(page)) {
                line->setOpacity(255);
                line->loadNormalTexture(kSentenceMarkImage, ui::TEX_RES_LOCAL_FILE);
                line->loadPressedTexture(kSentenceMarkPressedImage, ui::TEX_RES_LOCAL_FILE);
            }
            line->setTouchListener(this, toucheventselector(PageLayer::sentenceTouchEvent));
            line->setActionTag(sentenceCode(page, n));
            m_sentenceParts[sentenceCode(page, n)].push_back(line);
        }
    }
}

void PageLayer::lightSentence(ui::UIButton* button, bool on) {
    button->setFocused(on);
    const auto parts = m_sentenceParts.find(button->getActionTag());
    if (parts == m_sentenceParts.end()) return;
    // The lines are found from the first one or any other; the first is not among the parts.
    ui::UIButton* first = dynamic_cast<ui::UIButton*>(ui::GUIHelper::sharedHelper()->findWidgetByName(
        uiLayer->getRootWidget(), sentenceButtonName(currentPage, sentenceOfCode(currentPage, button->getActionTag())).c_str()));
    if (first && first != button) first->setFocused(on);
    for (ui::UIButton* line : parts->second)
        if (line != button) line->setFocused(on);
}

bool PageLayer::sameSentence(ui::UIButton* a, ui::UIButton* b) const {
    if (a == b) return true;
    return a->getActionTag() == b->getActionTag() && m_sentenceParts.count(a->getActionTag()) > 0;
}

void PageLayer::setPlayPauseImage(bool pause) {
    m_showingPause = pause;
    if (m_playPause) m_playPause->setNormalImage(CCSprite::create(pause ? "Images/pause_btn.png" : "Images/play_btn.png"));
}

// --- lifecycle and teardown -----------------------------------------------------------

PageLayer::~PageLayer() {
    // The reader state must never point into a page that is gone (leaving for the contents,
    // say, leaves no page behind to take its place).
    if (subtitleLabel == m_label) subtitleLabel = nullptr;
    if (subtitleBackground == m_background) subtitleBackground = nullptr;
    if (currentSentenceButton && uiLayer) {
        ui::UIWidget* root = uiLayer->getRootWidget();
        for (ui::UIWidget* w = currentSentenceButton; w; w = w->getWidgetParent()) {
            if (w == root) {
                currentSentenceButton = nullptr;
                break;
            }
        }
    }
}

void PageLayer::onEnter() {
    CCLayer::onEnter();
    CCLog("Scene %d onEnter", m_traits.sceneNumber);
}

void PageLayer::onEnterTransitionDidFinish() {
    CCLayer::onEnterTransitionDidFinish();
    CCLog("Scene %d: onEnterTransitionDidFinish", m_traits.sceneNumber);
}

void PageLayer::onExit() {
    CCLayer::onExit();
    CCLog("Scene %d onExit", m_traits.sceneNumber);
}

void PageLayer::onExitTransitionDidStart() {
    CCLayer::onExitTransitionDidStart();
    CCLog("Scene %d: onExitTransitionDidStart", m_traits.sceneNumber);
}

// --- navigation -----------------------------------------------------------------------

PageTwin PageLayer::otherTwin() const { return twin() == PageTwin::First ? PageTwin::Second : PageTwin::First; }

void PageLayer::movePage(int direction, PageTwin which) {
    setTouchEnabled(false);
    currentPage += direction;
    pageChangeDirection = direction;
    goToNextPage(which);
}

void PageLayer::nextPageCallback(CCObject*) {
    if (currentPage >= lastPage()) return;
    movePage(+1, otherTwin());
}

void PageLayer::previousPageCallback(CCObject*) {
    if (currentPage <= kFirstPage) return;
    movePage(-1, otherTwin());
}

void PageLayer::ccTouchesBegan(CCSet* touches, CCEvent*) {
    if (!touches || touches->count() == 0) return;
    touchStart = static_cast<CCTouch*>(*touches->begin())->getLocation();
    m_touchBegan = true;
}

void PageLayer::ccTouchesMoved(CCSet* touches, CCEvent*) {
    if (!touches || touches->count() == 0 || !m_touchBegan) return;
    const float x = static_cast<CCTouch*>(*touches->begin())->getLocation().x;
    const float s = touchStart.x;
    int direction = 0;
    if (x > s) {
        if (x - s >= kSwipeDistance && currentPage > kFirstPage) direction = -1;
    } else if (s > x) {
        if (s - x >= kSwipeDistance && currentPage < lastPage()) direction = +1;
    }
    if (direction == 0) return;
    touchStart.x = x;
    movePage(direction, otherTwin());
}

void PageLayer::switchPage() { goToNextPage(otherTwin()); }

void PageLayer::goToNextPage(PageTwin which) {
    unscheduleAllSelectors();
    currentSentenceButton = nullptr;
    Screens::get().showPage(which, PageEntry::Turn, pageChangeDirection);
}

void PageLayer::contentsCallback(CCObject*) {
    unscheduleAllSelectors();
    Screens::get().showContents();
}

void PageLayer::settingsCallback(CCObject*) {
    unscheduleAllSelectors();
    Screens::get().showSettings();
}

// --- read-aloud -----------------------------------------------------------------------

bool PageLayer::musicPlaying() const { return SimpleAudioEngine::sharedEngine()->isBackgroundMusicPlaying(); }

void PageLayer::showSubtitleFor(ui::UIButton* button, const std::string& text, bool found) {
    if (!found || text.empty()) {
        subtitleLabel->setString("");
        subtitleBackground->setSize(CCSize(0, 0));
    } else if (text.size() > kLongestSubtitle) {
        subtitleLabel->setString("");
        subtitleLabel->setVisible(false);
        subtitleBackground->setVisible(false);
    } else {
        placeSubtitle(button, text);
        schedule(schedule_selector(PageLayer::subtitleWatch), kSubtitleInterval);
    }
}

void PageLayer::sentenceTouchEvent(CCObject* sender, ui::TouchEventType) {
    ui::UIButton* button = dynamic_cast<ui::UIButton*>(sender);
    if (!button) return;
    if (currentSentenceButton) {
        if (sameSentence(currentSentenceButton, button) && musicPlaying()) {
            lightSentence(button, true);
            return;
        }
        lightSentence(currentSentenceButton, false);
    }
    currentSentenceButton = button;
    lightSentence(button, true);

    const int p = currentPage;
    const int code = button->getActionTag();
    nextSentence = sentenceOfCode(p, code) + 1;
    const std::string name = sentenceAudioNameOfCode(p, code);
    const std::string key = sentenceTextKeyOfCode(p, code);
    bool found = false;
    const std::string text = lookupString(kSentenceTable, key, &found);
    if (subtitleLabel && subtitleBackground) {
        showSubtitleFor(button, text, found);
        if (m_traits.logsAfterSubtitle) CCLog("Scene %d: onEnterTransitionDidFinish", m_traits.sceneNumber);
    }
    SimpleAudioEngine::sharedEngine()->playBackgroundMusic(storedAudioPath(name).c_str());
}

void PageLayer::readAloudStep(float) {
    unschedule(schedule_selector(PageLayer::readAloudStep));
    if (musicPlaying()) {
        schedule(schedule_selector(PageLayer::readAloudStep), kReadStepInterval);
        return;
    }
    if (readingPause) {
        readingPause = false;
        schedule(schedule_selector(PageLayer::readAloudStep), kReadStepInterval);
        return;
    }
    if (nextSentence > lastSentence) {
        if (readingMode == READ_REPEAT_PAGE) {
            nextSentence = 1;
            readingPause = true;
            schedule(schedule_selector(PageLayer::readAloudStep), kRepeatPageDelay);
        } else if (readingMode == READ_TURN_PAGES) {
            readingPause = true;
            // The automatic turn always builds the second twin, whichever twin is running.
            if (currentPage < lastPage()) movePage(+1, PageTwin::Second);
        }
        return;
    }
    const int p = currentPage, n = nextSentence;
    if (currentSentenceButton) {
        lightSentence(currentSentenceButton, false);
        currentSentenceButton = nullptr;
    }
    currentSentenceButton = dynamic_cast<ui::UIButton*>(
        ui::GUIHelper::sharedHelper()->findWidgetByName(uiLayer->getRootWidget(), sentenceButtonName(p, n).c_str()));
    if (currentSentenceButton) lightSentence(currentSentenceButton, true);
    bool found = false;
    const std::string text = lookupString(kSentenceTable, sentenceTextKey(p, n), &found);
    if (currentSentenceButton && subtitleLabel && subtitleBackground) showSubtitleFor(currentSentenceButton, text, found);
    SimpleAudioEngine::sharedEngine()->playBackgroundMusic(storedAudioPath(p, n).c_str());
    ++nextSentence;
    readingPause = true;
    schedule(schedule_selector(PageLayer::readAloudStep), kReadStepInterval);
}

void PageLayer::subtitleWatch(float) {
    unschedule(schedule_selector(PageLayer::subtitleWatch));
    const bool playing = musicPlaying();
    if (playing) schedule(schedule_selector(PageLayer::subtitleWatch), kSubtitleInterval);
    if (subtitleBackground) subtitleBackground->setVisible(playing);
    if (subtitleLabel) subtitleLabel->setVisible(playing);
}

void PageLayer::playPauseCallback(CCObject* sender) {
    if (!sender) return;
    autoReading = !autoReading;
    if (autoReading) {
        unschedule(schedule_selector(PageLayer::readAloudStep));
        schedule(schedule_selector(PageLayer::readAloudStep), kReadStartDelay);
        setPlayPauseImage(true);
    } else {
        SimpleAudioEngine::sharedEngine()->setBackgroundMusicVolume(1.0f);
        SimpleAudioEngine::sharedEngine()->stopBackgroundMusic();
        setPlayPauseImage(false);
        unschedule(schedule_selector(PageLayer::readAloudStep));
    }
}

void PageLayer::placeSubtitle(ui::UIButton* button, const std::string& text) {
    CCLabelTTF* label = subtitleLabel;
    ui::UIButton* background = subtitleBackground;
    if (!button || !label || !background) return;
    CCNode* r = button->getRenderer();
    const CCPoint pos = r->getPosition();
    const double sx = std::fabs(r->getScaleX()), sy = std::fabs(r->getScaleY());
    const CCSize size = button->getContentSize();
    const CCPoint left = VisibleArea::left(), right = VisibleArea::right(), top = VisibleArea::top(),
                  bottom = VisibleArea::bottom(), center = VisibleArea::center();

    const double width = sx * size.width;
    label->setDimensions(CCSize(static_cast<float>(width), 0));
    label->setString(text.c_str());
    const double lw = label->getContentSize().width, lh = label->getContentSize().height;

    const double half = width * 0.5;
    const double rx = static_cast<double>(pos.x) + center.x;
    const double visibleWidth = static_cast<double>(right.x) - left.x;
    double x;
    if (half > rx)
        x = half;
    else if (rx > visibleWidth - half)
        x = visibleWidth - half;
    else
        x = static_cast<double>(center.x) + pos.x;

    const double lineHeight = (static_cast<double>(top.y) - bottom.y) / 40;
    const double ry = static_cast<double>(center.y) + pos.y;
    double y, backgroundY;
    if (ry > center.y) {
        const double gap = sy < 1.4 ? size.height * sy * 0.5 : size.height * sy * 6 / 11;
        y = ry - (lh * 0.5 + gap);
        backgroundY = y - lineHeight * 0.5;
    } else {
        y = ry + lh * 3 / 5 + size.height * sy * 0.5;
        backgroundY = y + lineHeight * 0.5;
    }
    label->setPosition(ccp(static_cast<float>(x), static_cast<float>(y)));
    background->setPosition(ccp(static_cast<float>(x), static_cast<float>(backgroundY)));
    background->setSize(CCSize(static_cast<float>(lw), static_cast<float>(lh + lineHeight)));
}

// --- the twin classes -----------------------------------------------------------------

TestLayer1::TestLayer1() : PageLayer(Traits{1, 10000, 3, false, true, true}) {}
PageTwin TestLayer1::twin() const { return PageTwin::First; }

TestLayer2::TestLayer2() : PageLayer(Traits{2, 2, 1, true, false, false}) {}
PageTwin TestLayer2::twin() const { return PageTwin::Second; }

void openPageWithoutTransition() { Screens::get().showPage(PageTwin::First, PageEntry::Cut, 0); }

}  // namespace app
