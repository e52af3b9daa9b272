// The page view: a clipping panel showing one page of a horizontal row, dragged sideways and settling on a page after release.
//
// Index:
//   - the page-turning event number and the listener selector type
//   - UIPageView: pages and their placement, the drag clamp, the page-turn rule, the
//     constant-time slide, the touch protocol (the child-touch routing lives in
//     UIScrollContainer; a page view has no inner container)
//
// Behaviour:
//   - Pages are appended with addPage (a Layout): refused (false) for null, for a widget that
//     is already a page and for one that cannot become a child (another widget's child, an
//     ancestor). A plain child of this view may be turned into a page. The page takes the
//     view's size and the next place in the row (the page-position rule, shifted by any drag
//     or slide in progress so the row stays contiguous); the first page becomes the left
//     boundary page and the newest the right one. addChild still adds plain children, which
//     stay where they are put: only pages move.
//   - Listeners: setEventListener (sender, PageEventType) and setPageTurningListener (sender),
//     the page-turning one first. A second registration replaces the first; targets are not
//     retained.
//   - Removing a page keeps the page in view where it can: pages before it shift the current
//     index down, the index is clamped to the pages left, the boundary pages are taken again
//     from the list (never left pointing at a removed page) and the row is re-placed.
//   - Whenever the row is re-placed by the page-position rule (a size change, a page removal)
//     a slide in progress ends there, on its page, with its page-turning event; otherwise the
//     rest of the slide would carry the page out of view.
//   - Once the finger leaves the view the touch counts as released, and the rest of that touch
//     (later moves and its end) is ignored, so one drag turns at most one page.
//   - Pages move sideways only, so a child's touch counts as a drag once it has gone more than
//     5 points across.
//   - A slide ends with the current page exactly in place: float steps leave the row a few
//     hundred-thousandths of a point off, which would drift over many turns; a page within
//     0.01 point of its place is snapped onto the page-position rule.
//   - A view of zero width has nothing to page: a release does nothing.
//   - The view is not touch-enabled by itself (layout files say "touchAble"); touches that
//     begin on its children drive it all the same.
#pragma once

#include "ui/containers/UIScrollContainer.h"

namespace ui {

enum PageEventType { PAGE_EVENT_TURNING = 0 };

// The general page listener: called on its target with (sender view, event).
typedef void (engine::CCObject::*SEL_PageEvent)(engine::CCObject*, PageEventType);
#define pageeventselector(_SELECTOR) static_cast<ui::SEL_PageEvent>(&_SELECTOR)

// Which way the last drag step went; also the slide's direction.
enum PageMoveDirection { PAGE_MOVE_LEFT = 0, PAGE_MOVE_RIGHT = 1 };

class UIPageView : public UIScrollContainer {
public:
    UIPageView();
    ~UIPageView() override;

    static UIPageView* create();

    // --- operations it overrides, in their fixed order ---------------------------------------
    // Removes pages only; any other widget is left in place (false).
    bool removeChild(UIWidget* child) override;
    // Forgets every page, then removes every child.
    void removeAllChildren() override;
    bool onTouchBegan(const engine::CCPoint& touchPoint) override;
    // Drags the row; leaving the view with the finger counts as the release.
    void onTouchMoved(const engine::CCPoint& touchPoint) override;
    void onTouchEnded(const engine::CCPoint& touchPoint) override;
    const char* getTypeName() override;
    void onSizeChanged() override;
    // The scroll container with an empty page list.
    bool init() override;

    // --- new ---------------------------------------------------------------------------------
    // Moves every page by offset unless the first or last page would pass its boundary; then
    // the row stops there and the result is false. False without pages.
    virtual bool scrollPagesBy(float offset);

    // --- UIScrollInterface -------------------------------------------------------------------
    void onScrollPress(const engine::CCPoint& touchPoint) override;
    void onScrollMove(const engine::CCPoint& touchPoint) override;
    void onScrollRelease(const engine::CCPoint& touchPoint) override;

    // --- plain operations --------------------------------------------------------------------
    bool addPage(Layout* page);
    // Starts a 0.2-second slide to that page; ignored outside 0 .. count - 1.
    void turnToPage(int index);
    int getCurPageIndex() const { return m_curPageIndex; }
    engine::CCArray* getPages() const { return m_pages; }
    unsigned int getPageCount() const;
    // Null outside 0 .. count - 1.
    Layout* getPage(int index) const;

    bool isAutoScrolling() const { return m_isAutoScrolling; }
    float getAutoScrollDistance() const { return m_autoScrollDistance; }
    float getAutoScrollSpeed() const { return m_autoScrollSpeed; }
    int getTouchMoveDirection() const { return m_touchMoveDirection; }

    void setEventListener(engine::CCObject* target, SEL_PageEvent selector);
    void setPageTurningListener(engine::CCObject* target, SEL_WidgetEvent selector);

protected:
    // Across only: pages move sideways.
    float childTouchTravel(const engine::CCPoint& began, const engine::CCPoint& now) const override;
    float touchX(const engine::CCPoint& worldPoint);
    void movePages(float offset);
    // The page-position rule: page i at ((i - current) x width, 0), the index clamped.
    void placePages();
    // Re-places the row; a slide in progress ends there with its event.
    void settlePages();
    // The slide's last step: the event, the remaining distance, then rounding dust removed.
    void finishSlide();
    void refreshBoundaryPages();
    void sendPageTurningEvent();
    // The slide step.
    void frameStep(float dt) override;

    int m_curPageIndex = 0;
    engine::CCArray* m_pages = nullptr;  // retained; the pages are also children
    int m_touchMoveDirection = PAGE_MOVE_LEFT;
    float m_touchStartLocation = 0;
    float m_touchMoveStartLocation = 0;
    engine::CCPoint m_movePagePoint;
    UIWidget* m_leftBoundaryPage = nullptr;   // the first page, not owned
    UIWidget* m_rightBoundaryPage = nullptr;  // the last page, not owned
    float m_leftBoundary = 0;
    float m_rightBoundary = 0;
    bool m_isAutoScrolling = false;
    float m_autoScrollDistance = 0;
    float m_autoScrollSpeed = 0;
    int m_autoScrollDirection = PAGE_MOVE_LEFT;
    engine::CCObject* m_eventListener = nullptr;
    SEL_PageEvent m_eventSelector = nullptr;
    engine::CCObject* m_pageTurningListener = nullptr;
    SEL_WidgetEvent m_pageTurningSelector = nullptr;
    // The finger left the view: this touch has been released already.
    bool m_releasedByLeaving = false;
};

}  // namespace ui
