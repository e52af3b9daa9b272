// The base of every toolkit element: owns one renderer node and mirrors its child widgets into the scene graph.
//
// Index:
//   - shared enumerations and the listener selector types
//   - UIWidget: children, transform forwarding, colour, sizes, hit testing, touch phases,
//     lifecycle, visual state
//
// Behaviour:
//   - Sizes: negative, NaN or infinite components are taken as 0 wherever a size is stored
//     (setSize, setSizePercent results, content sizes taken over with ignoreSize).
//   - Percentages against a parent dimension of 0 are 0 (not infinity or NaN).
//   - addChild refuses, besides null and present children, the widget itself, a widget that
//     belongs to another parent (remove it there first) and any ancestor (no cycles).
//   - reorderChild ignores a widget that is not a child.
//   - setName ignores null and empty names; lookups by such a name find nothing.
//   - setEnabled, setSize, setSizePercent, setIgnoreSize, setAnchorPoint and setZOrder act
//     every time, even with the current value: panels arrange their children on size changes,
//     and a same-value setEnabled re-synchronises a whole subtree.
//   - setTouchPassThrough only stores a flag, which onTouchBegan returns; the touch router
//     does not act on it.
//   - The renderer's enabled flag lives in the renderer (GUIRenderer or RectClippingNode).
#pragma once

#include <string>

#include "engine/base/CCArray.h"
#include "engine/base/CCGeometry.h"
#include "engine/base/CCObject.h"
#include "engine/base/ccTypes.h"
#include "engine/scene/CCNode.h"
#include "ui/nodes/TextureResType.h"

namespace engine {
class CCActionManager;
class CCScheduler;
}  // namespace engine

namespace ui {

class LayoutParameter;

enum BrightStyle { BRIGHT_STYLE_NONE = -1, BRIGHT_STYLE_NORMAL = 0, BRIGHT_STYLE_HIGHLIGHT = 1 };

// Also the touch phase handed to notifyChildTouch.
enum TouchEventType { TOUCH_BEGAN = 0, TOUCH_MOVED = 1, TOUCH_ENDED = 2, TOUCH_CANCELED = 3 };

// Containers ignore their anchor point in edge and layout computations.
enum WidgetKind { WIDGET_KIND_PLAIN = 0, WIDGET_KIND_CONTAINER = 1 };

enum SizeType { SIZE_TYPE_ABSOLUTE = 0, SIZE_TYPE_PERCENT = 1 };
enum PositionType { POSITION_TYPE_ABSOLUTE = 0, POSITION_TYPE_PERCENT = 1 };

// A widget's touch listener: called on its target with (sender widget, event).
typedef void (engine::CCObject::*SEL_TouchEvent)(engine::CCObject*, TouchEventType);
#define toucheventselector(_SELECTOR) static_cast<ui::SEL_TouchEvent>(&_SELECTOR)
// The four single-phase callbacks take the sender widget alone.
typedef engine::SEL_CallFuncO SEL_WidgetEvent;
#define widgeteventselector(_SELECTOR) static_cast<ui::SEL_WidgetEvent>(&_SELECTOR)

class UIWidget : public engine::CCObject {
public:
    UIWidget();
    ~UIWidget() override;

    static UIWidget* create();

    // --- virtual operations, in their fixed order -------------------------------------------
    // Also switches the renderer's drawing and every descendant.
    virtual void setEnabled(bool enabled);
    virtual void setTouchEnabled(bool enabled);
    // False (and no change) for null, present, self, ancestors and children of other widgets.
    virtual bool addChild(UIWidget* child);
    // False (and no change) for null and widgets that are not children.
    virtual bool removeChild(UIWidget* child);
    virtual void removeFromParent();
    virtual void removeAllChildren();
    virtual void reorderChild(UIWidget* child);
    virtual engine::CCArray* getChildren();
    virtual void setAnchorPoint(const engine::CCPoint& anchor);
    virtual void setScale(float scale);
    virtual void setScaleX(float scaleX);
    virtual void setScaleY(float scaleY);
    virtual void setFlipX(bool flipX);
    virtual bool isFlipX();
    virtual void setFlipY(bool flipY);
    virtual bool isFlipY();
    virtual void setColor(const engine::ccColor3B& color);
    virtual const engine::ccColor3B& getColor();
    // Clamped to 0..255.
    virtual void setOpacity(int opacity);
    virtual int getOpacity();
    virtual bool isCascadeOpacityEnabled();
    virtual void setCascadeOpacityEnabled(bool enabled);
    virtual bool isCascadeColorEnabled();
    virtual void setCascadeColorEnabled(bool enabled);
    virtual void setActionManager(engine::CCActionManager* manager);
    virtual engine::CCActionManager* getActionManager();
    // Passes a touch phase on a descendant up the parent chain (scroll containers listen).
    virtual void notifyChildTouch(int touchPhase, UIWidget* sender, const engine::CCPoint& point);
    virtual void setSize(const engine::CCSize& size);
    virtual void setSizePercent(const engine::CCPoint& percent);
    // The widget's box around its anchor, edges included, for a point in world coordinates.
    virtual bool hitTest(const engine::CCPoint& worldPoint);
    virtual bool onTouchBegan(const engine::CCPoint& touchPoint);
    virtual void onTouchMoved(const engine::CCPoint& touchPoint);
    virtual void onTouchEnded(const engine::CCPoint& touchPoint);
    virtual void onTouchCancelled(const engine::CCPoint& touchPoint);
    virtual void onLongPress(const engine::CCPoint& touchPoint);
    virtual void setIgnoreSize(bool ignore);
    // The node that shows the widget's content: the renderer itself here.
    virtual engine::CCNode* getRendererNode();
    // The size the content would have by itself: the current size here.
    virtual const engine::CCSize& getContentSize();
    virtual const char* getTypeName();
    // Children enter first, then this widget updates its size and position percentages.
    virtual void onEnter();
    virtual void onExit();
    virtual void onSizeChanged();
    virtual bool init();
    virtual void createRenderer();
    virtual void showNormalState();
    virtual void showPressedState();
    virtual void showDisabledState();
    virtual void releaseResources();

    // --- plain operations -------------------------------------------------------------------
    // The renderer node itself (owned by the widget); what a parent adds to the scene graph.
    engine::CCNode* getRenderer() const { return m_renderer; }

    bool isEnabled() const { return m_enabled; }
    bool isTouchEnabled() const { return m_touchEnabled; }
    void setTouchPassThrough(bool passThrough) { m_touchPassThrough = passThrough; }
    bool isTouchPassThrough() const { return m_touchPassThrough; }

    void setVisible(bool visible);
    bool isVisible() const { return m_visible; }
    // Acts every time: moves the widget after its siblings of equal z-order.
    void setZOrder(int z);
    int getZOrder() const { return m_widgetZOrder; }
    void setPosition(const engine::CCPoint& position);
    const engine::CCPoint& getPosition() const;
    const engine::CCPoint& getAnchorPoint() const { return m_anchorPoint; }
    void setRotation(float degrees);
    float getRotation() const;
    float getScale() const;
    float getScaleX() const;
    float getScaleY() const;

    void setTag(int tag) { m_tag = tag; }
    int getTag() const { return m_tag; }
    void setActionTag(int tag) { m_actionTag = tag; }
    int getActionTag() const { return m_actionTag; }
    void setName(const char* name);
    const char* getName() const { return m_name.c_str(); }
    WidgetKind getWidgetKind() const { return m_widgetKind; }
    UIWidget* getWidgetParent() const { return m_widgetParent; }
    const engine::CCSize& getSize() const { return m_size; }
    const engine::CCSize& getCustomSize() const { return m_customSize; }
    bool isIgnoreSize() const { return m_ignoreSize; }
    const engine::CCPoint& getTouchBeganPoint() const { return m_touchStartPos; }
    const engine::CCPoint& getTouchMovedPoint() const { return m_touchMovePos; }
    const engine::CCPoint& getTouchEndedPoint() const { return m_touchEndPos; }
    // Retains the new parameter, releases the old one.
    void setLayoutParameter(LayoutParameter* parameter);
    LayoutParameter* getLayoutParameter() const { return m_layoutParameter; }

    // Kinds only: the percentages are applied on entering the running scene.
    void setSizeType(SizeType type) { m_sizeType = type; }
    SizeType getSizeType() const { return m_sizeType; }
    const engine::CCPoint& getSizePercent() const { return m_sizePercent; }
    void setPositionType(PositionType type) { m_positionType = type; }
    PositionType getPositionType() const { return m_positionType; }
    void setPositionPercent(const engine::CCPoint& percent) { m_positionPercent = percent; }
    const engine::CCPoint& getPositionPercent() const { return m_positionPercent; }
    bool isRunning() const { return m_isRunning; }

    // One listener per widget; a second call replaces the first.
    void setTouchListener(engine::CCObject* target, SEL_TouchEvent selector);
    void setPushListener(engine::CCObject* target, SEL_WidgetEvent selector);
    void setMoveListener(engine::CCObject* target, SEL_WidgetEvent selector);
    void setReleaseListener(engine::CCObject* target, SEL_WidgetEvent selector);
    void setCancelListener(engine::CCObject* target, SEL_WidgetEvent selector);

    void setBright(bool bright);
    bool isBright() const { return m_bright; }
    void setBrightStyle(BrightStyle style);
    BrightStyle getBrightStyle() const { return m_brightStyle; }
    void setFocused(bool focused);
    bool isFocused() const { return m_focus; }

    // Schedules update(float) every frame while true.
    void setFrameUpdateEnabled(bool enabled);
    bool isFrameUpdateEnabled() const { return m_updateEnabled; }

    // Edges in the parent's space (a container's anchor does not count).
    float getLeftEdge();
    float getBottomEdge();
    float getRightEdge();
    float getTopEdge();

    // True when every clipping panel above this widget contains the point.
    bool isInsideClippingAncestors(const engine::CCPoint& point);
    bool isAffectedByClipping() const { return m_affectByClipping; }

protected:
    // The parent's current size, or 0 x 0 without a parent.
    engine::CCSize parentSize() const;
    // Turns the renderer's drawing on or off (GUIRenderer and RectClippingNode know how).
    void setRendererEnabled(bool enabled);
    void updateSizeAndPosition();
    void callTouchListener(TouchEventType type);
    void callWidgetEvent(engine::CCObject* target, SEL_WidgetEvent selector);
    // Inserts by z-order after the last child of lower or equal z.
    void insertByZOrder(UIWidget* child);
    static void unscheduleSubtree(UIWidget* widget);
    // For widgets that can draw their image nine-sliced. Switching nine-slice on turns
    // ignore-size off, since a nine-slice image is stretched to the widget's own size, and
    // keeps the setting it had; switching it off brings that setting back.
    void switchIgnoreSizeForNineSlice(bool nineSlice);
    // Their setIgnoreSize: while nine-slice is on ignore-size stays off; otherwise the setting
    // is applied and kept as the one to bring back.
    void setIgnoreSizeBesideNineSlice(bool nineSlice, bool ignore);

    bool m_enabled = true;
    bool m_visible = true;
    bool m_bright = true;
    bool m_touchEnabled = false;
    bool m_touchPassThrough = false;
    bool m_focus = false;
    int m_widgetZOrder = 0;
    engine::CCPoint m_anchorPoint = engine::CCPoint(0.5f, 0.5f);
    UIWidget* m_widgetParent = nullptr;
    BrightStyle m_brightStyle = BRIGHT_STYLE_NONE;
    bool m_updateEnabled = false;
    engine::CCNode* m_renderer = nullptr;
    engine::CCPoint m_touchStartPos;
    engine::CCPoint m_touchMovePos;
    engine::CCPoint m_touchEndPos;
    engine::CCObject* m_touchEventListener = nullptr;
    SEL_TouchEvent m_touchEventSelector = nullptr;
    int m_tag = -1;
    std::string m_name = "default";
    WidgetKind m_widgetKind = WIDGET_KIND_PLAIN;
    int m_actionTag = 0;
    engine::CCSize m_size;
    engine::CCSize m_customSize;
    LayoutParameter* m_layoutParameter = nullptr;
    bool m_ignoreSize = false;
    // The ignore-size setting that switching nine-slice off brings back.
    bool m_prevIgnoreSize = true;
    engine::CCArray* m_children = nullptr;
    bool m_affectByClipping = false;
    engine::CCScheduler* m_scheduler = nullptr;
    SizeType m_sizeType = SIZE_TYPE_ABSOLUTE;
    engine::CCPoint m_sizePercent;
    PositionType m_positionType = POSITION_TYPE_ABSOLUTE;
    engine::CCPoint m_positionPercent;
    bool m_isRunning = false;
    engine::CCObject* m_pushListener = nullptr;
    SEL_WidgetEvent m_pushSelector = nullptr;
    engine::CCObject* m_moveListener = nullptr;
    SEL_WidgetEvent m_moveSelector = nullptr;
    engine::CCObject* m_releaseListener = nullptr;
    SEL_WidgetEvent m_releaseSelector = nullptr;
    engine::CCObject* m_cancelListener = nullptr;
    SEL_WidgetEvent m_cancelSelector = nullptr;
};

// Sizes with negative, NaN or infinite components made 0.
engine::CCSize sanitizeSize(const engine::CCSize& size);

}  // namespace ui
