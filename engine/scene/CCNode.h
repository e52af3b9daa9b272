// Scene-graph node: transform, children in z-order, lifecycle, actions and scheduled callbacks.
//
// Index:
//   - CCNode: geometry and transforms, children, lifecycle, actions, scheduling, drawing
//   - CCRGBAProtocol / CCNodeRGBA: colour and opacity with cascading to children
#pragma once

#include <string>

#include "engine/base/CCAffineTransform.h"
#include "engine/base/CCArray.h"
#include "engine/base/CCGeometry.h"
#include "engine/base/CCObject.h"
#include "engine/base/ccTypes.h"

namespace engine {

class CCAction;
class CCActionManager;
class CCScheduler;

enum { kCCNodeTagInvalid = -1 };

class CCNode : public CCObject {
public:
    CCNode();
    ~CCNode() override;

    static CCNode* create();
    virtual bool init();

    // --- Geometry -------------------------------------------------------------------------
    virtual void setZOrder(int z);
    virtual int getZOrder() const { return m_nZOrder; }
    virtual void setPosition(const CCPoint& p);
    void setPosition(float x, float y) { setPosition(CCPoint(x, y)); }
    virtual const CCPoint& getPosition() const { return m_obPosition; }
    void getPosition(float* x, float* y) const;
    float getPositionX() const { return m_obPosition.x; }
    float getPositionY() const { return m_obPosition.y; }
    void setPositionX(float x) { setPosition(CCPoint(x, m_obPosition.y)); }
    void setPositionY(float y) { setPosition(CCPoint(m_obPosition.x, y)); }
    virtual void setScale(float s);
    virtual float getScale() const;  // scaleX; meaningful when both scales are equal
    virtual void setScaleX(float s);
    virtual float getScaleX() const { return m_fScaleX; }
    virtual void setScaleY(float s);
    virtual float getScaleY() const { return m_fScaleY; }
    // Degrees, clockwise.
    virtual void setRotation(float degrees);
    virtual float getRotation() const { return m_fRotation; }
    virtual void setSkewX(float degrees);
    virtual float getSkewX() const { return m_fSkewX; }
    virtual void setSkewY(float degrees);
    virtual float getSkewY() const { return m_fSkewY; }
    // Normalised: (0, 0) bottom left, (1, 1) top right of the content box.
    virtual void setAnchorPoint(const CCPoint& p);
    virtual const CCPoint& getAnchorPoint() const { return m_obAnchorPoint; }
    const CCPoint& getAnchorPointInPoints() const { return m_obAnchorPointInPoints; }
    virtual void setContentSize(const CCSize& s);
    virtual const CCSize& getContentSize() const { return m_obContentSize; }
    virtual void setVisible(bool visible);
    virtual bool isVisible() const { return m_bVisible; }
    // Layers and scenes are placed by their bottom-left corner whatever their anchor.
    virtual void ignoreAnchorPointForPosition(bool ignore);
    bool isIgnoreAnchorPointForPosition() const { return m_bIgnoreAnchorPointForPosition; }

    // --- Transforms -----------------------------------------------------------------------
    virtual CCAffineTransform nodeToParentTransform();
    virtual CCAffineTransform parentToNodeTransform();
    CCAffineTransform nodeToWorldTransform();
    CCAffineTransform worldToNodeTransform();
    CCPoint convertToNodeSpace(const CCPoint& worldPoint);
    CCPoint convertToWorldSpace(const CCPoint& nodePoint);
    // Relative to the anchor point instead of the content box's origin.
    CCPoint convertToNodeSpaceAR(const CCPoint& worldPoint);
    CCPoint convertToWorldSpaceAR(const CCPoint& nodePoint);
    // The content box in the parent's space.
    CCRect boundingBox();

    // --- Children -------------------------------------------------------------------------
    virtual void addChild(CCNode* child);
    virtual void addChild(CCNode* child, int zOrder);
    // Children are kept sorted by z-order; equal z-orders keep the order they arrived in.
    virtual void addChild(CCNode* child, int zOrder, int tag);
    CCNode* getChildByTag(int tag);
    CCArray* getChildren() { return m_pChildren; }
    unsigned int getChildrenCount() const;
    CCNode* getParent() { return m_pParent; }
    virtual void setParent(CCNode* parent) { m_pParent = parent; }
    void removeFromParent() { removeFromParentAndCleanup(true); }
    virtual void removeFromParentAndCleanup(bool cleanup);
    void removeChild(CCNode* child) { removeChild(child, true); }
    virtual void removeChild(CCNode* child, bool cleanup);
    void removeChildByTag(int tag, bool cleanup = true);
    void removeAllChildren() { removeAllChildrenWithCleanup(true); }
    virtual void removeAllChildrenWithCleanup(bool cleanup);
    // Moves the child after all siblings of the new z-order.
    virtual void reorderChild(CCNode* child, int zOrder);
    virtual void sortAllChildren();

    virtual void setTag(int tag) { m_nTag = tag; }
    virtual int getTag() const { return m_nTag; }
    void setUserData(void* data) { m_pUserData = data; }
    void* getUserData() { return m_pUserData; }
    void setUserObject(CCObject* object) { assignRetained(m_pUserObject, object); }
    CCObject* getUserObject() { return m_pUserObject; }

    // --- Lifecycle ------------------------------------------------------------------------
    // Entering the running scene: children first enter after this node resumes its timers.
    virtual void onEnter();
    virtual void onEnterTransitionDidFinish();
    virtual void onExitTransitionDidStart();
    virtual void onExit();
    // Stops this subtree's actions and scheduled callbacks for good.
    virtual void cleanup();
    bool isRunning() const { return m_bRunning; }

    // --- Actions --------------------------------------------------------------------------
    virtual void setActionManager(CCActionManager* manager);
    virtual CCActionManager* getActionManager() { return m_pActionManager; }
    CCAction* runAction(CCAction* action);
    void stopAllActions();
    void stopAction(CCAction* action);
    void stopActionByTag(int tag);
    CCAction* getActionByTag(int tag);
    unsigned int numberOfRunningActions();

    // --- Scheduling -----------------------------------------------------------------------
    virtual void setScheduler(CCScheduler* scheduler);
    virtual CCScheduler* getScheduler() { return m_pScheduler; }
    bool isScheduled(SEL_SCHEDULE selector);
    void scheduleUpdate();
    void scheduleUpdateWithPriority(int priority);
    void unscheduleUpdate();
    void schedule(SEL_SCHEDULE selector);
    // Scheduling a selector already scheduled changes its interval.
    void schedule(SEL_SCHEDULE selector, float interval);
    void schedule(SEL_SCHEDULE selector, float interval, unsigned int repeat, float delay);
    void scheduleOnce(SEL_SCHEDULE selector, float delay);
    void unschedule(SEL_SCHEDULE selector);
    void unscheduleAllSelectors();
    void resumeSchedulerAndActions();
    void pauseSchedulerAndActions();

    // --- Drawing --------------------------------------------------------------------------
    // Draws this node and its subtree: children below z 0, then this node, then the rest.
    virtual void visit();
    // Draws this node alone, with the world transform of visitTransform().
    virtual void draw() {}
    // The node-to-world transform of the node being visited.
    static const CCAffineTransform& visitTransform();

    unsigned int getOrderOfArrival() const { return m_uOrderOfArrival; }

protected:
    // Lets a subclass visit with a transform it adds on top (transitions, render targets).
    static void pushVisitTransform(const CCAffineTransform& local);
    static void popVisitTransform();
    // Draws the children with z < 0, then draw(), then the others; used by visit().
    void visitChildrenAndSelf();
    void childrenAlloc();
    void insertChild(CCNode* child, int z);
    void detachChild(CCNode* child, bool cleanup);

    float m_fRotation = 0;
    float m_fScaleX = 1, m_fScaleY = 1;
    float m_fSkewX = 0, m_fSkewY = 0;
    CCPoint m_obPosition;
    CCPoint m_obAnchorPointInPoints;
    CCPoint m_obAnchorPoint;
    CCSize m_obContentSize;
    CCAffineTransform m_sTransform;
    CCAffineTransform m_sInverse;
    bool m_bTransformDirty = true;
    bool m_bInverseDirty = true;
    int m_nZOrder = 0;
    CCArray* m_pChildren = nullptr;
    CCNode* m_pParent = nullptr;
    int m_nTag = kCCNodeTagInvalid;
    void* m_pUserData = nullptr;
    CCObject* m_pUserObject = nullptr;
    CCScheduler* m_pScheduler = nullptr;
    CCActionManager* m_pActionManager = nullptr;
    bool m_bRunning = false;
    bool m_bVisible = true;
    bool m_bIgnoreAnchorPointForPosition = false;
    bool m_bReorderChildDirty = false;
    unsigned int m_uOrderOfArrival = 0;
};

// Colour and opacity of a node, with optional cascading to its children.
class CCRGBAProtocol {
public:
    virtual ~CCRGBAProtocol() = default;
    virtual void setColor(const ccColor3B& color) = 0;
    virtual const ccColor3B& getColor() const = 0;
    virtual const ccColor3B& getDisplayedColor() const = 0;
    virtual uint8_t getDisplayedOpacity() const = 0;
    virtual uint8_t getOpacity() const = 0;
    virtual void setOpacity(uint8_t opacity) = 0;
    virtual void setOpacityModifyRGB(bool value) = 0;
    virtual bool isOpacityModifyRGB() const = 0;
    virtual bool isCascadeColorEnabled() const = 0;
    virtual void setCascadeColorEnabled(bool enabled) = 0;
    virtual void updateDisplayedColor(const ccColor3B& parentColor) = 0;
    virtual bool isCascadeOpacityEnabled() const = 0;
    virtual void setCascadeOpacityEnabled(bool enabled) = 0;
    virtual void updateDisplayedOpacity(uint8_t parentOpacity) = 0;
};

class CCNodeRGBA : public CCNode, public CCRGBAProtocol {
public:
    CCNodeRGBA() = default;
    static CCNodeRGBA* create();
    bool init() override;

    uint8_t getOpacity() const override { return m_realOpacity; }
    uint8_t getDisplayedOpacity() const override { return m_displayedOpacity; }
    void setOpacity(uint8_t opacity) override;
    void updateDisplayedOpacity(uint8_t parentOpacity) override;
    bool isCascadeOpacityEnabled() const override { return m_cascadeOpacityEnabled; }
    void setCascadeOpacityEnabled(bool enabled) override { m_cascadeOpacityEnabled = enabled; }

    const ccColor3B& getColor() const override { return m_realColor; }
    const ccColor3B& getDisplayedColor() const override { return m_displayedColor; }
    void setColor(const ccColor3B& color) override;
    void updateDisplayedColor(const ccColor3B& parentColor) override;
    bool isCascadeColorEnabled() const override { return m_cascadeColorEnabled; }
    void setCascadeColorEnabled(bool enabled) override { m_cascadeColorEnabled = enabled; }

    void setOpacityModifyRGB(bool) override {}
    bool isOpacityModifyRGB() const override { return false; }

    // A child added under a cascading parent takes the parent's displayed colour and opacity.
    void addChild(CCNode* child, int zOrder, int tag) override;
    using CCNode::addChild;

protected:
    uint8_t m_displayedOpacity = 255, m_realOpacity = 255;
    ccColor3B m_displayedColor = ccWHITE, m_realColor = ccWHITE;
    bool m_cascadeColorEnabled = false, m_cascadeOpacityEnabled = false;
};

}  // namespace engine
