// UIPageView: the page row and its placement, the drag clamp, the page-turn rule on release and the 0.2-second slide.
//
// Index:
//   - construction and init
//   - pages (append, remove, placement, boundary pages)
//   - widget touch phases and child touches
//   - the scroll protocol: press, drag step, release (the page-turn rule)
//   - the slide and the per-frame step
//   - events and listeners
#include "ui/containers/UIPageView.h"

#include <cmath>

#include "engine/base/CCCreate.h"

namespace ui {

using namespace engine;

namespace {
// Every slide takes this long, whatever its length.
const float kSlideDuration = 0.2f;
// Less than this off its place after a slide is rounding, not a drag.
const float kSnapDistance = 0.01f;
}  // namespace

// --- construction ----------------------------------------------------------------------

// Not touch-enabled until asked (layout files say "touchAble"); its children's touches drive it.
UIPageView::UIPageView() : UIScrollContainer(CONTENT_OWN_CHILDREN, TOUCH_DISABLED_INITIALLY) {}

UIPageView::~UIPageView() {
    m_leftBoundaryPage = m_rightBoundaryPage = nullptr;
    safeRelease(m_pages);
}

UIPageView* UIPageView::create() {
    UIPageView* view = new UIPageView();
    return autoreleasedOrNull(view, view->init());
}

bool UIPageView::init() {
    if (!UIScrollContainer::init()) return false;
    m_pages = CCArray::create();
    m_pages->retain();
    return true;
}

const char* UIPageView::getTypeName() { return "PageView"; }

// --- pages -----------------------------------------------------------------------------

unsigned int UIPageView::getPageCount() const { return m_pages ? m_pages->count() : 0; }

Layout* UIPageView::getPage(int index) const {
    if (!m_pages || index < 0 || index >= static_cast<int>(m_pages->count())) return nullptr;
    return static_cast<Layout*>(m_pages->objectAtIndex(static_cast<unsigned int>(index)));
}

bool UIPageView::addPage(Layout* page) {
    if (!page || !m_pages || m_pages->containsObject(page)) return false;
    if (page->getWidgetParent() != this && !UIWidget::addChild(page)) return false;
    const int index = static_cast<int>(m_pages->count());
    // The row may be mid-drag or mid-slide: continue it from where the first page is now.
    const float rowStart = index > 0 ? getPage(0)->getPosition().x : -m_curPageIndex * m_size.width;
    m_pages->addObject(page);
    page->setSize(m_size);
    page->setPosition(CCPoint(rowStart + index * m_size.width, 0));
    refreshBoundaryPages();
    return true;
}

bool UIPageView::removeChild(UIWidget* child) {
    if (!child || !m_pages || !m_pages->containsObject(child)) return false;
    const int index = static_cast<int>(m_pages->indexOfObject(child));
    child->retain();  // the page list and the children array may hold the last references
    m_pages->removeObject(child);
    UIWidget::removeChild(child);
    child->release();
    if (index < m_curPageIndex) --m_curPageIndex;
    refreshBoundaryPages();
    settlePages();
    return true;
}

void UIPageView::removeAllChildren() {
    if (m_pages) m_pages->removeAllObjects();
    refreshBoundaryPages();
    m_curPageIndex = 0;
    m_isAutoScrolling = false;
    m_autoScrollDistance = 0;
    // The base class's removal: this class's own refuses everything but pages.
    if (!m_children) return;
    const unsigned int n = m_children->count();
    for (unsigned int i = 0; i < n; ++i) UIWidget::removeChild(static_cast<UIWidget*>(m_children->lastObject()));
}

void UIPageView::refreshBoundaryPages() {
    const unsigned int n = getPageCount();
    m_leftBoundaryPage = n ? getPage(0) : nullptr;
    m_rightBoundaryPage = n ? getPage(static_cast<int>(n) - 1) : nullptr;
}

void UIPageView::placePages() {
    const int n = static_cast<int>(getPageCount());
    if (m_curPageIndex > n - 1) m_curPageIndex = n - 1;
    if (m_curPageIndex < 0) m_curPageIndex = 0;
    for (int i = 0; i < n; ++i) getPage(i)->setPosition(CCPoint((i - m_curPageIndex) * m_size.width, 0));
}

void UIPageView::settlePages() {
    placePages();
    if (m_isAutoScrolling) {
        m_isAutoScrolling = false;
        m_autoScrollDistance = 0;
        sendPageTurningEvent();
    }
}

void UIPageView::onSizeChanged() {
    UIScrollContainer::onSizeChanged();
    m_rightBoundary = m_size.width;
    if (!m_pages) return;  // the panel's init resizes before the page list exists
    for (unsigned int i = 0; i < m_pages->count(); ++i) getPage(static_cast<int>(i))->setSize(m_size);
    settlePages();
}

void UIPageView::movePages(float offset) {
    if (!m_pages) return;
    for (unsigned int i = 0; i < m_pages->count(); ++i) {
        Layout* page = getPage(static_cast<int>(i));
        const CCPoint& p = page->getPosition();
        m_movePagePoint = CCPoint(p.x + offset, p.y);
        page->setPosition(m_movePagePoint);
    }
}

bool UIPageView::scrollPagesBy(float offset) {
    if (getPageCount() == 0 || !m_leftBoundaryPage || !m_rightBoundaryPage || !std::isfinite(offset)) return false;
    if (m_touchMoveDirection == PAGE_MOVE_LEFT) {
        const float rightEdge = m_rightBoundaryPage->getRightEdge();
        if (m_rightBoundary >= rightEdge + offset) {
            movePages(m_rightBoundary - rightEdge);
            return false;
        }
    } else if (m_touchMoveDirection == PAGE_MOVE_RIGHT) {
        const float leftEdge = m_leftBoundaryPage->getLeftEdge();
        if (m_leftBoundary <= leftEdge + offset) {
            movePages(m_leftBoundary - leftEdge);
            return false;
        }
    }
    movePages(offset);
    return true;
}

// --- touches ---------------------------------------------------------------------------

bool UIPageView::onTouchBegan(const CCPoint& touchPoint) {
    m_releasedByLeaving = false;
    return UIScrollContainer::onTouchBegan(touchPoint);
}

void UIPageView::onTouchMoved(const CCPoint& touchPoint) {
    if (m_releasedByLeaving) return;
    retain();  // listeners may drop the last outside reference
    m_touchMovePos = touchPoint;
    onScrollMove(touchPoint);
    if (m_widgetParent) m_widgetParent->notifyChildTouch(TOUCH_MOVED, this, touchPoint);
    callWidgetEvent(m_moveListener, m_moveSelector);
    callTouchListener(TOUCH_MOVED);
    if (!hitTest(touchPoint)) {
        setFocused(false);
        onTouchEnded(touchPoint);
        m_releasedByLeaving = true;
    }
    release();
}

void UIPageView::onTouchEnded(const CCPoint& touchPoint) {
    if (m_releasedByLeaving) {
        m_releasedByLeaving = false;  // the end of a touch already released by leaving
        return;
    }
    UIScrollContainer::onTouchEnded(touchPoint);
}

float UIPageView::childTouchTravel(const CCPoint& began, const CCPoint& now) const {
    return std::fabs(began.x - now.x);
}

// --- the scroll protocol ---------------------------------------------------------------

float UIPageView::touchX(const CCPoint& worldPoint) {
    return m_renderer ? m_renderer->convertToNodeSpace(worldPoint).x : 0;
}

void UIPageView::onScrollPress(const CCPoint& touchPoint) {
    m_touchStartLocation = m_touchMoveStartLocation = touchX(touchPoint);
}

void UIPageView::onScrollMove(const CCPoint& touchPoint) {
    const float x = touchX(touchPoint);
    const float offset = x - m_touchMoveStartLocation;
    m_touchMoveStartLocation = x;
    if (offset < 0)
        m_touchMoveDirection = PAGE_MOVE_LEFT;
    else if (offset > 0)
        m_touchMoveDirection = PAGE_MOVE_RIGHT;
    scrollPagesBy(offset);
}

void UIPageView::onScrollRelease(const CCPoint&) {
    Layout* current = getPage(m_curPageIndex);
    const float w = m_size.width;
    if (!current || !(w > 0)) return;
    const float x = current->getPosition().x;
    const int count = static_cast<int>(getPageCount());
    if (x <= -w / 2) {
        if (m_curPageIndex + 1 < count) {
            turnToPage(m_curPageIndex + 1);
            return;
        }
    } else if (x >= w / 2) {
        if (m_curPageIndex > 0) {
            turnToPage(m_curPageIndex - 1);
            return;
        }
    } else {
        turnToPage(m_curPageIndex);
        return;
    }
    // The first or last page pulled outward by half a page or more: back at once.
    scrollPagesBy(-x);
}

// --- the slide -------------------------------------------------------------------------

void UIPageView::turnToPage(int index) {
    Layout* page = getPage(index);
    if (!page) return;
    m_curPageIndex = index;
    m_autoScrollDistance = -page->getPosition().x;
    m_autoScrollSpeed = std::fabs(m_autoScrollDistance) / kSlideDuration;
    m_autoScrollDirection = m_autoScrollDistance > 0 ? PAGE_MOVE_RIGHT : PAGE_MOVE_LEFT;
    m_isAutoScrolling = true;
}

void UIPageView::finishSlide() {
    const float rest = m_autoScrollDistance;
    m_isAutoScrolling = false;
    m_autoScrollDistance = 0;
    sendPageTurningEvent();
    scrollPagesBy(rest);
    // Summing a dozen steps leaves rounding dust; a page that should rest at 0 rests at 0.
    if (Layout* current = getPage(m_curPageIndex))
        if (std::fabs(current->getPosition().x) < kSnapDistance) placePages();
}

void UIPageView::frameStep(float dt) {
    if (!m_isAutoScrolling) return;
    const float step = m_autoScrollSpeed * dt;
    if (m_autoScrollDirection == PAGE_MOVE_LEFT) {
        if (m_autoScrollDistance + step >= 0) {
            finishSlide();
        } else {
            m_autoScrollDistance += step;
            scrollPagesBy(-step);
        }
    } else {
        if (m_autoScrollDistance - step <= 0) {
            finishSlide();
        } else {
            m_autoScrollDistance -= step;
            scrollPagesBy(step);
        }
    }
}

// --- events ----------------------------------------------------------------------------

void UIPageView::sendPageTurningEvent() {
    if (m_pageTurningListener && m_pageTurningSelector) (m_pageTurningListener->*m_pageTurningSelector)(this);
    if (m_eventListener && m_eventSelector) (m_eventListener->*m_eventSelector)(this, PAGE_EVENT_TURNING);
}

void UIPageView::setEventListener(CCObject* target, SEL_PageEvent selector) {
    m_eventListener = target;
    m_eventSelector = selector;
}

void UIPageView::setPageTurningListener(CCObject* target, SEL_WidgetEvent selector) {
    m_pageTurningListener = target;
    m_pageTurningSelector = selector;
}

}  // namespace ui
