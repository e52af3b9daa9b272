// The page layer shared by TestLayer1 and TestLayer2: construction, navigation and read-aloud.
//
// Index:
//   - construction
//   - lifecycle and teardown
//   - navigation
//   - read-aloud
//   - echo reading
//   - the twin classes
#include "app/reader/PageLayer.h"

#include <cmath>

#include "app/book/BookContents.h"
#include "app/book/BookFiles.h"
#include "app/book/NarrationSettings.h"
#include "app/book/ReaderState.h"
#include "app/book/RememberedState.h"
#include "app/book/SentenceNames.h"
#include "app/book/StringTables.h"
#include "app/book/VisibleArea.h"
#include "app/navigation/Screens.h"
#include "app/reader/EchoTurn.h"
#include "engine/engine.h"
#include "ui/layout/GUIReader.h"
#include "ui/layout/LayoutImages.h"
#include "ui/widgets/GUIHelper.h"
#include "ui/widgets/Layout.h"
#include "ui/widgets/UIButton.h"
#include "ui/widgets/UILayer.h"
#include "ui/widgets/UIRootWidget.h"

using namespace engine;

namespace app {

namespace {
constexpr float kSwipeDistance = 50;
// The grown-ups' gate: a finger held this long within this distance of the design area's top-left
// corner. Children tap; they rarely hold still on a corner for three seconds.
constexpr float kGateSeconds = 3;
constexpr float kGateReach = 60;
constexpr int kFocusZOrder = 100000;
constexpr float kReadStartDelay = 0.2f;
constexpr float kReadStepInterval = 0.5f;
constexpr float kRepeatPageDelay = 0.2f;
constexpr float kSubtitleInterval = 0.3f;
// Often enough that listening stops within a frame or three of the child's last word.
constexpr float kEchoStepInterval = 0.05f;
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
    if (narrationSettings().echo) buildEchoSigns();

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
    setKeyboardEnabled(true);
    buildFocus();
    RememberedState::set(remembered::kPage, page);
    // The next page's pictures decode on a worker while the child is on this one, so turning
    // to it finds them ready.
    if (page < lastPage()) ui::decodeLayoutImagesAhead(pageLayoutFile(page + 1).c_str());
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

    m_contents = contents;
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

void PageLayer::buildFocus() {
    std::vector<FocusTarget> targets;
    ui::GUIHelper* helper = ui::GUIHelper::sharedHelper();
    for (int n = 1; n <= kMaxSentencesPerPage; ++n) {
        ui::UIButton* button = dynamic_cast<ui::UIButton*>(
            helper->findWidgetByName(uiLayer->getRootWidget(), sentenceButtonName(currentPage, n).c_str()));
        if (!button || !button->isVisible()) continue;
        targets.push_back({"sentence", button->getName(), button->getRenderer(), [this, button] { pressSentence(button); },
                           [button] { return widgetRect(button); }});
    }
    const std::pair<const char*, CCMenuItem*> buttons[] = {
        {"previous", m_previous}, {"playPause", m_playPause}, {"next", m_next}, {"contents", m_contents}};
    for (const auto& b : buttons) {
        CCMenuItem* item = b.second;
        if (!item || !item->isVisible()) continue;
        targets.push_back({"button", b.first, item, [item] { item->activate(); }, {}});
    }
    m_focus = FocusRing::create();
    m_focus->setTargets(std::move(targets));
    addChild(m_focus, kFocusZOrder);
}

void PageLayer::pressSentence(ui::UIButton* button) {
    button->setFocused(true);
    sentenceTouchEvent(button, ui::TOUCH_BEGAN);
    button->setFocused(false);
    sentenceTouchEvent(button, ui::TOUCH_ENDED);
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
    // The microphone is not left open by a page that is gone.
    if (m_echoPhase == EchoPhase::Listening) SimpleAudioEngine::sharedEngine()->voiceCapture()->stop();
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
    setKeyboardEnabled(false);
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

namespace {
bool onGateCorner(const CCPoint& p) {
    const CCPoint o = VisibleArea::origin();
    const CCSize s = VisibleArea::size();
    return p.x - o.x <= kGateReach && o.y + s.height - p.y <= kGateReach;
}
}  // namespace

void PageLayer::ccTouchesBegan(CCSet* touches, CCEvent*) {
    if (!touches || touches->count() == 0) return;
    touchStart = static_cast<CCTouch*>(*touches->begin())->getLocation();
    m_touchBegan = true;
    m_gateHeld = onGateCorner(touchStart);
    if (m_gateHeld) scheduleOnce(schedule_selector(PageLayer::gateHeld), kGateSeconds);
}

void PageLayer::ccTouchesEnded(CCSet*, CCEvent*) {
    m_gateHeld = false;
    unschedule(schedule_selector(PageLayer::gateHeld));
}

void PageLayer::ccTouchesCancelled(CCSet* touches, CCEvent* event) { ccTouchesEnded(touches, event); }

void PageLayer::gateHeld(float) {
    if (!m_gateHeld) return;
    m_gateHeld = false;
    settingsCallback(nullptr);
}

void PageLayer::ccTouchesMoved(CCSet* touches, CCEvent*) {
    if (!touches || touches->count() == 0 || !m_touchBegan) return;
    if (m_gateHeld && !onGateCorner(static_cast<CCTouch*>(*touches->begin())->getLocation())) {
        m_gateHeld = false;
        unschedule(schedule_selector(PageLayer::gateHeld));
    }
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
    endEcho();
    currentSentenceButton = nullptr;
    Screens::get().showPage(which, PageEntry::Turn, pageChangeDirection);
}

void PageLayer::contentsCallback(CCObject*) {
    // Once leaving, a second key in the same frame must not leave again.
    setKeyboardEnabled(false);
    unscheduleAllSelectors();
    endEcho();
    Screens::get().showContents();
}

void PageLayer::settingsCallback(CCObject*) {
    setKeyboardEnabled(false);
    unscheduleAllSelectors();
    endEcho();
    Screens::get().showSettings();
}

// --- keys ---------------------------------------------------------------------------

bool PageLayer::keyPressed(int key, int modifiers) {
    FocusRing::setKeyboardInUse(true);
    switch (key) {
        case keys::kTab: m_focus->move((modifiers & kCCKeyModShift) ? -1 : +1, true); return true;
        case keys::kReturn:
        case keys::kKeypadEnter:
        case keys::kSpace: m_focus->activateFocused(); return true;
        case keys::kLeft:
        case keys::kPageUp: previousPageCallback(m_previous); return true;
        case keys::kRight:
        case keys::kPageDown: nextPageCallback(m_next); return true;
        case keys::kEscape: contentsCallback(m_contents); return true;
        case keys::kF2: settingsCallback(nullptr); return true;
        case 'p':
            if (m_playPause && m_playPause->isVisible()) m_playPause->activate();
            return true;
        default: return false;
    }
}

void PageLayer::pointerUsed() {
    FocusRing::setKeyboardInUse(false);
    if (m_focus) m_focus->hide();
}

// --- read-aloud -----------------------------------------------------------------------

bool PageLayer::musicPlaying() const { return SimpleAudioEngine::sharedEngine()->isBackgroundMusicPlaying(); }

float PageLayer::paced(float seconds) const {
    return static_cast<float>(seconds / SimpleAudioEngine::sharedEngine()->getNarrationRate());
}

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
    endEcho();
    SimpleAudioEngine::sharedEngine()->playBackgroundMusic(storedAudioPath(name).c_str());
    echoAfterSentence();
}

void PageLayer::readAloudStep(float) {
    unschedule(schedule_selector(PageLayer::readAloudStep));
    // The child's turn counts as part of the sentence: the pause before the next one follows it.
    if (musicPlaying() || m_echoPhase != EchoPhase::Off) {
        schedule(schedule_selector(PageLayer::readAloudStep), paced(kReadStepInterval));
        return;
    }
    if (readingPause) {
        readingPause = false;
        schedule(schedule_selector(PageLayer::readAloudStep), paced(kReadStepInterval));
        return;
    }
    if (nextSentence > lastSentence) {
        if (readingMode == READ_REPEAT_PAGE) {
            nextSentence = 1;
            readingPause = true;
            schedule(schedule_selector(PageLayer::readAloudStep), paced(kRepeatPageDelay));
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
    echoAfterSentence();
    ++nextSentence;
    readingPause = true;
    schedule(schedule_selector(PageLayer::readAloudStep), paced(kReadStepInterval));
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
        endEcho();
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

// --- echo reading ---------------------------------------------------------------------

void PageLayer::buildEchoSigns() {
    if (m_yourTurn) return;
    const CCSize s = VisibleArea::size();
    const CCPoint center = VisibleArea::center(), top = VisibleArea::top();
    bool found = false;
    std::string text = lookupString(kCaptionTable, "echo_your_turn", &found);
    if (!found || text.empty()) text = "Your turn!";
    // A bright band across the page's middle, big enough to be seen from a child's seat.
    m_yourTurn = CCLayerColor::create(ccc4(255, 196, 0, 235), s.width * 0.6f, 110);
    m_yourTurn->setPosition(ccp(center.x - s.width * 0.3f, center.y - 55));
    CCLabelTTF* label = CCLabelTTF::create(text.c_str(), "Arial", 56);
    label->setColor(kBlue);
    label->setPosition(ccp(s.width * 0.3f, 55));
    m_yourTurn->addChild(label);
    m_yourTurn->setVisible(false);
    addChild(m_yourTurn, 20000);

    m_echoNotice = CCLabelTTF::create("", "Arial", 20);
    m_echoNotice->setDimensions(CCSize(s.width * 0.9f, 0));
    m_echoNotice->setHorizontalAlignment(kCCTextAlignmentCenter);
    m_echoNotice->setColor(kBlue);
    m_echoNotice->setPosition(ccp(center.x, top.y - 30));
    m_echoNotice->setVisible(false);
    addChild(m_echoNotice, 20000);
    showEchoProblem();
}

void PageLayer::showEchoProblem() {
    buildEchoSigns();
    const NarrationSettings& n = narrationSettings();
    const bool show = n.echo && !n.echoProblem.empty();
    if (show) m_echoNotice->setString(("Say it back is unavailable: " + n.echoProblem).c_str());
    m_echoNotice->setVisible(show);
}

const char* PageLayer::echoState() const {
    switch (m_echoPhase) {
    case EchoPhase::Listening:
        return "listening";
    case EchoPhase::PlayingBack:
        return "playing back";
    default:
        return "off";
    }
}

void PageLayer::echoAfterSentence() {
    const NarrationSettings& n = narrationSettings();
    if (!n.echo || !n.echoProblem.empty() || !musicPlaying()) return;
    AudioBackend* backend = SimpleAudioEngine::sharedEngine()->getBackend();
    m_echoSentenceSeconds = backend ? backend->currentDuration() : 0.0;
    m_echoPhase = EchoPhase::Waiting;
    unschedule(schedule_selector(PageLayer::echoStep));
    schedule(schedule_selector(PageLayer::echoStep), kEchoStepInterval);
}

void PageLayer::startListening() {
    VoiceCapture* mic = SimpleAudioEngine::sharedEngine()->voiceCapture();
    if (!mic->start()) {
        narrationSettings().echoProblem = mic->problem();
        CCLog("echo reading: unavailable: %s", mic->problem().c_str());
        showEchoProblem();
        endEcho();
        return;
    }
    m_echoTurn = std::make_unique<EchoTurn>(mic->sampleRate(), m_echoSentenceSeconds);
    m_echoPhase = EchoPhase::Listening;
    buildEchoSigns();
    m_yourTurn->setVisible(true);
}

void PageLayer::echoStep(float) {
    switch (m_echoPhase) {
    case EchoPhase::Off:
        unschedule(schedule_selector(PageLayer::echoStep));
        return;
    case EchoPhase::Waiting:
        if (!musicPlaying()) startListening();
        return;
    case EchoPhase::Listening: {
        VoiceCapture* mic = SimpleAudioEngine::sharedEngine()->voiceCapture();
        std::vector<std::int16_t> heard;
        mic->take(heard);
        if (!m_echoTurn->hear(heard)) return;
        mic->stop();
        m_yourTurn->setVisible(false);
        const std::vector<std::int16_t> voice = m_echoTurn->takeVoice();
        const int rate = m_echoTurn->sampleRate();
        m_echoTurn.reset();
        if (!voice.empty() && SimpleAudioEngine::sharedEngine()->playVoice(voice, rate)) {
            m_echoPhase = EchoPhase::PlayingBack;
            return;
        }
        CCLog("echo reading: nothing heard in %.1f s; reading on", m_echoSentenceSeconds * 2 + 1);
        endEcho();
        return;
    }
    case EchoPhase::PlayingBack:
        if (!musicPlaying()) endEcho();
        return;
    }
}

void PageLayer::endEcho() {
    if (m_echoPhase == EchoPhase::Listening) SimpleAudioEngine::sharedEngine()->voiceCapture()->stop();
    m_echoPhase = EchoPhase::Off;
    m_echoTurn.reset();
    if (m_yourTurn) m_yourTurn->setVisible(false);
    unschedule(schedule_selector(PageLayer::echoStep));
}

// --- the twin classes -----------------------------------------------------------------

TestLayer1::TestLayer1() : PageLayer(Traits{1, 10000, 3, false, true, true}) {}
PageTwin TestLayer1::twin() const { return PageTwin::First; }

TestLayer2::TestLayer2() : PageLayer(Traits{2, 2, 1, true, false, false}) {}
PageTwin TestLayer2::twin() const { return PageTwin::Second; }

void openPageWithoutTransition() { Screens::get().showPage(PageTwin::First, PageEntry::Cut, 0); }

}  // namespace app
