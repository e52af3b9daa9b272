// The base of the scrolling containers: the inner container that holds their children, and the routing of their own and their children's touches into the scroll protocol.
//
// Index:
//   - UIScrollContainer: what it moves (an inner container or its own children) and whether
//     it starts touch-enabled, child management and layout forwarding, the widget touch
//     phases, child touches, the inner container's size and place
//
// Behaviour every scrolling container shares, and why:
//   - A scroll view and a drag panel move one inner container that holds every child; a page
//     view moves its pages, which are its own children, and has none. With an inner container,
//     addChild, removeChild, removeAllChildren, getChildren and the layout-type operations act
//     on it, so the children one adds are the children one sees and the inner container itself
//     is never removed. Without one, the container keeps its children as any panel does.
//   - With an inner container, addChild answers true when the child lives in it afterwards,
//     so adding a child that is already there again is a success; null, a widget of another
//     parent or an ancestor is refused (false). The layout reader ignores the answer.
//   - Touches on descendants drive the container and go no further up. A press presses, a
//     release releases, a cancel is ignored; a move drags only once the finger is more than the
//     child-focus cancel offset (5 points) away from where it pressed the child, measured along
//     the directions this container moves in. The child then loses its focus, so the end of a
//     drag does not click it.
//   - Removing a widget from its parent unschedules its subtree's updates, so the container
//     schedules its update again whenever it enters the running tree.
#pragma once

#include "ui/containers/UIScrollInterface.h"
#include "ui/widgets/Layout.h"

namespace ui {

class UIScrollContainer : public Layout, public UIScrollInterface {
public:
    ~UIScrollContainer() override;

    // --- operations it overrides, in their fixed order ---------------------------------------
    // Runs frameStep. A frame time that is not a positive number counts as 0, and the
    // container holds a reference on itself meanwhile: a listener the step calls may drop the
    // last other one.
    void update(float dt) final;
    bool addChild(UIWidget* child) override;
    bool removeChild(UIWidget* child) override;
    void removeAllChildren() override;
    engine::CCArray* getChildren() override;
    // Hands the phase to onChildTouch; it goes no further up.
    void notifyChildTouch(int touchPhase, UIWidget* sender, const engine::CCPoint& point) override;
    // Each phase goes through the widget's own handling first, then into the scroll protocol.
    bool onTouchBegan(const engine::CCPoint& touchPoint) override;
    void onTouchMoved(const engine::CCPoint& touchPoint) override;
    void onTouchEnded(const engine::CCPoint& touchPoint) override;
    void onEnter() override;
    // A clipping panel with its per-frame update scheduled, touch-enabled if it starts so.
    bool init() override;
    // The panel's renderer, with the inner container in it when the container has one.
    void createRenderer() override;
    void releaseResources() override;
    void setLayoutType(LayoutType type) override;
    LayoutType getLayoutType() const override;
    void arrangeChildren() override;

    // --- UIScrollInterface -------------------------------------------------------------------
    void onChildTouch(int touchState, UIWidget* sender, const engine::CCPoint& touchPoint) override;

    // --- plain operations --------------------------------------------------------------------
    float getChildFocusCancelOffset() const { return m_childFocusCancelOffset; }
    // Null for a container that moves its own children.
    Layout* getInnerContainer() const { return m_innerContainer; }
    // 0 x 0 without an inner container.
    const engine::CCSize& getInnerContainerSize() const;
    // At least this container's size in each direction (negative or non-number sizes count as
    // 0), placed top-aligned; nothing changes when that is the inner container's size already.
    void setInnerSize(const engine::CCSize& size);

protected:
    // What the container moves: one inner container that holds every child, or its own
    // children.
    enum Content { CONTENT_IN_INNER_CONTAINER, CONTENT_OWN_CHILDREN };
    // Whether the container starts touch-enabled, so that touches on its own area drive it;
    // touches that begin on its children drive it either way.
    enum InitialTouch { TOUCH_ENABLED_INITIALLY, TOUCH_DISABLED_INITIALLY };
    UIScrollContainer(Content content, InitialTouch initialTouch);

    // The frame's work, with a frame time of 0 or more.
    virtual void frameStep(float dt) = 0;
    // Places the inner container as setInnerSize does, but every time: it is re-placed
    // top-aligned even at the size it has.
    void placeInnerContainer(const engine::CCSize& size);
    // How far a child's touch has gone from where it began, along the directions this
    // container moves in (both points in world coordinates).
    virtual float childTouchTravel(const engine::CCPoint& began, const engine::CCPoint& now) const = 0;

    // A real child of this container held by the children array, or null; it takes no
    // touches of its own.
    Layout* m_innerContainer = nullptr;
    float m_childFocusCancelOffset = 5.0f;

private:
    const Content m_content;
    const InitialTouch m_initialTouch;
};

}  // namespace ui
