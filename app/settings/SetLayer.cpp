// SetLayer: the reading-mode buttons and the ways back to the page or the contents.
#include "app/settings/SetLayer.h"

#include "app/access/FocusRing.h"
#include "app/book/NarrationSettings.h"
#include "app/book/ReaderState.h"
#include "app/book/RememberedState.h"
#include "app/book/StringTables.h"
#include "app/book/VisibleArea.h"
#include "app/settings/SettingsRows.h"
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

ui::UIButton* selectedSettingButton = nullptr;

namespace {
const char* const kButtonNames[6] = {"bnmain", "bnpres", "bnaotopage", "bnaoto", "bnok", "bncancel"};
const ccColor3B kNormalTitle = {25, 24, 25};
const ccColor3B kSelectedTitle = {44, 5, 247};
}  // namespace

SetLayer::SetLayer() {
    init();
    pendingReadingMode = readingMode;
    selectedSettingButton = nullptr;
    uiLayer = ui::UILayer::create();
    addChild(uiLayer);
    rootLayout = dynamic_cast<ui::Layout*>(ui::GUIReader::sharedReader()->widgetFromLayoutFile("3age/pageset.json"));
    if (rootLayout) uiLayer->addWidget(rootLayout);
    for (int i = 0; i < 6; ++i) {
        ui::UIWidget* button = ui::GUIHelper::sharedHelper()->findWidgetByName(uiLayer->getRootWidget(), kButtonNames[i]);
        // A missing button is skipped; the others still work.
        if (!button) continue;
        if (i == 0 || i >= 4) hasWayOut = true;
        button->setActionTag(i + 1);
        button->setTouchListener(this, toucheventselector(SetLayer::buttonTouchEvent));
    }
    addRows();
    setTouchEnabled(true);
}

namespace {
// A row's name from the book's caption table, or the built-in one when the book has none.
std::string caption(const char* key, const char* fallback) {
    bool found = false;
    const std::string text = lookupString(kCaptionTable, key, &found);
    return found && !text.empty() ? text : std::string(fallback);
}
}  // namespace

void SetLayer::addRows() {
    // Nothing the layout shows is covered: every widget but the full-screen ones (background,
    // panel) takes its band.
    std::vector<CCRect> taken;
    const CCRect screen = VisibleArea::rect();
    if (rootLayout && rootLayout->getChildren())
        for (CCObject* o : *rootLayout->getChildren()) {
            ui::UIWidget* w = dynamic_cast<ui::UIWidget*>(o);
            if (!w || !w->isVisible()) continue;
            const CCRect r = widgetRect(w);
            if (r.size.height >= screen.size.height * 0.8f) continue;
            taken.push_back(r);
        }
    m_rows = SettingsRows::create(SettingsRows::freeBand(taken, screen, 12));
    addChild(m_rows, 1);

    m_rows->addStepper(
        caption("setmenu_scan", "Switch scanning"), [] { return FocusRing::scanSeconds(); },
        [](float s) {
            FocusRing::setScanSeconds(s);
            RememberedState::set(remembered::kScanSeconds, s);
        },
        0, 10, 1, [](float s) { return s <= 0 ? std::string("off") : CCString::createWithFormat("%g s", s)->m_sString; });
    // Both take effect at once, as scanning does: they change nothing on this screen.
    m_rows->addStepper(
        caption("setmenu_speed", "Speed"), [] { return static_cast<float>(narrationSettings().rate); },
        [](float r) {
            setNarrationRate(r);
            RememberedState::set(remembered::kNarrationRate, narrationSettings().rate);
        },
        0.5f, 1.5f, 0.1f, [](float r) { return CCString::createWithFormat("%.1fx", r)->m_sString; });
    m_rows->addToggle(
        caption("setmenu_echo", "Say it back"), [] { return narrationSettings().echo; },
        [](bool on) {
            setEchoReading(on);
            RememberedState::set(remembered::kEchoReading, on);
        },
        "on", "off",
        // The reason is known once the microphone was tried (on the page) and failed.
        [] {
            const NarrationSettings& n = narrationSettings();
            return n.echo && !n.echoProblem.empty() ? "Unavailable: " + n.echoProblem : std::string();
        });
}

SetLayer::~SetLayer() {
    // The selection lives in this screen's tree; it must not outlive it.
    if (selectedSettingButton && uiLayer) {
        for (ui::UIWidget* w = selectedSettingButton; w; w = w->getWidgetParent())
            if (w == uiLayer->getRootWidget()) {
                selectedSettingButton = nullptr;
                break;
            }
    }
}

void SetLayer::onEnter() {
    CCLayer::onEnter();
    CCLog("SetLayer  onEnter");
}

void SetLayer::onEnterTransitionDidFinish() {
    CCLayer::onEnterTransitionDidFinish();
    CCLog("SetLayer 2: onEnterTransitionDidFinish");
    // A screen without a way out would hold the child there for good: back to the page instead,
    // with the reading mode unchanged.
    if (!hasWayOut) {
        CCLog("SetLayer: the settings screen has no buttons to leave by; back to the page");
        backToPage();
    }
}

void SetLayer::onExit() {
    CCLayer::onExit();
    CCLog("SetLayer 2 onExit");
}

void SetLayer::onExitTransitionDidStart() {
    CCLayer::onExitTransitionDidStart();
    CCLog("SetLayer 2: onExitTransitionDidStart");
}

void SetLayer::buttonTouchEvent(CCObject* sender, ui::TouchEventType) {
    ui::UIButton* button = dynamic_cast<ui::UIButton*>(sender);
    if (selectedSettingButton) {
        selectedSettingButton->setTitleColor(kNormalTitle);
        selectedSettingButton->setBright(true);
    }
    selectedSettingButton = button;
    if (!button) return;
    const int tag = button->getActionTag();
    button->setBright(false);
    button->setTitleColor(kSelectedTitle);
    switch (tag) {
        case 1: Screens::get().showContents(); break;
        case 2:
        case 3:
        case 4: pendingReadingMode = tag - 1; break;
        case 5:
            readingMode = pendingReadingMode;
            RememberedState::set(remembered::kReadingMode, readingMode);
            backToPage();
            break;
        case 6: backToPage(); break;
        default: break;
    }
}

void SetLayer::backToPage() {
    currentSentenceButton = nullptr;
    Screens::get().showPage(PageTwin::First, PageEntry::FlipBack, 0);
}

}  // namespace app
