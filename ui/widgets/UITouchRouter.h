// Decides which single widget a touch belongs to (the deepest, top-most touch-enabled one under it) and feeds it the later phases.
//
// Multi-touch: every widget chosen by a began stays selected until any touch ends or is
// cancelled; then all selected widgets get that end and the selection is emptied. While the
// selection is not empty a began is claimed even when it lands on no widget.
//
// A widget already selected that a further finger lands on gets the began again but is not
// selected twice, so each later phase reaches it once (a release never arrives as both an end
// and a cancel).
#pragma once

#include "engine/base/CCArray.h"
#include "engine/base/CCGeometry.h"

namespace engine {
class CCTouch;
}

namespace ui {

class UIWidget;

class UITouchRouter {
public:
    UITouchRouter();
    ~UITouchRouter();
    UITouchRouter(const UITouchRouter&) = delete;
    UITouchRouter& operator=(const UITouchRouter&) = delete;

    // Not owned: the tree searched on each began.
    void setRootWidget(UIWidget* root) { m_rootWidget = root; }
    UIWidget* getRootWidget() const { return m_rootWidget; }

    // True when the touch is claimed (the selection is not empty afterwards).
    bool onTouchBegan(engine::CCTouch* touch);
    void onTouchMoved(engine::CCTouch* touch);
    void onTouchEnded(engine::CCTouch* touch);
    void onTouchCancelled(engine::CCTouch* touch);

    engine::CCArray* getSelectedWidgets() const { return m_selectedWidgets; }
    bool isTouchDown() const { return m_touchDown; }
    const engine::CCPoint& getTouchBeganPoint() const { return m_touchBeganPoint; }
    const engine::CCPoint& getTouchMovedPoint() const { return m_touchMovedPoint; }
    const engine::CCPoint& getTouchEndedPoint() const { return m_touchEndedPoint; }

private:
    bool checkTouchEvent(UIWidget* root, const engine::CCPoint& point);
    bool checkWidget(UIWidget* widget, const engine::CCPoint& point);

    engine::CCArray* m_selectedWidgets = nullptr;  // of UIWidget, retained
    engine::CCPoint m_touchBeganPoint;
    engine::CCPoint m_touchMovedPoint;
    engine::CCPoint m_touchEndedPoint;
    bool m_touchDown = false;
    UIWidget* m_rootWidget = nullptr;
};

}  // namespace ui
