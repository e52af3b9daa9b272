// CCNode and CCNodeRGBA: transforms, children, lifecycle, actions, scheduling and the visit walk.
//
// Index:
//   - construction and geometry setters
//   - transforms and space conversion
//   - children (insertion by z-order, removal, reordering)
//   - lifecycle (enter / exit / cleanup)
//   - actions and scheduling
//   - visit
//   - CCNodeRGBA
#include "engine/scene/CCNode.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "engine/base/CCCreate.h"
#include "engine/base/CCRetainedSnapshot.h"
#include "engine/scene/CCAction.h"
#include "engine/scene/CCActionManager.h"
#include "engine/base/CCLog.h"
#include "engine/scene/CCDirector.h"
#include "engine/scene/CCScheduler.h"

namespace engine {

namespace {
unsigned int s_globalOrderOfArrival = 1;
std::vector<CCAffineTransform>& visitStack() {
    static std::vector<CCAffineTransform> stack{CCAffineTransformIdentity};
    return stack;
}
constexpr float kDegToRad = 3.14159265358979323846f / 180.f;
}  // namespace

// --- construction and geometry --------------------------------------------------------

CCNode::CCNode() : m_sTransform(CCAffineTransformIdentity), m_sInverse(CCAffineTransformIdentity) {
    CCDirector* director = CCDirector::sharedDirector();
    m_pActionManager = director->getActionManager();
    if (m_pActionManager) m_pActionManager->retain();
    m_pScheduler = director->getScheduler();
    if (m_pScheduler) m_pScheduler->retain();
}

CCNode::~CCNode() {
    // Timers and actions must never call into a deleted node, however it was dropped.
    if (m_pScheduler) {
        m_pScheduler->unscheduleAllForTarget(this);
        m_pScheduler->release();
    }
    if (m_pActionManager) {
        m_pActionManager->removeAllActionsFromTarget(this);
        m_pActionManager->release();
    }
    safeRelease(m_pUserObject);
    if (m_pChildren) {
        for (CCObject* o : *m_pChildren) static_cast<CCNode*>(o)->m_pParent = nullptr;
        m_pChildren->release();
    }
}

CCNode* CCNode::create() {
    CCNode* n = new CCNode();
    return autoreleasedOrNull(n, n->init());
}

bool CCNode::init() { return true; }

void CCNode::setZOrder(int z) {
    if (m_pParent)
        m_pParent->reorderChild(this, z);
    else
        m_nZOrder = z;
}

void CCNode::setPosition(const CCPoint& p) {
    if (m_obPosition.equals(p)) return;
    m_obPosition = p;
    m_bTransformDirty = m_bInverseDirty = true;
}

void CCNode::getPosition(float* x, float* y) const {
    if (x) *x = m_obPosition.x;
    if (y) *y = m_obPosition.y;
}

void CCNode::setScale(float s) {
    m_fScaleX = m_fScaleY = s;
    m_bTransformDirty = m_bInverseDirty = true;
}

float CCNode::getScale() const { return m_fScaleX; }

void CCNode::setScaleX(float s) {
    m_fScaleX = s;
    m_bTransformDirty = m_bInverseDirty = true;
}

void CCNode::setScaleY(float s) {
    m_fScaleY = s;
    m_bTransformDirty = m_bInverseDirty = true;
}

void CCNode::setRotation(float degrees) {
    m_fRotation = degrees;
    m_bTransformDirty = m_bInverseDirty = true;
}

void CCNode::setSkewX(float degrees) {
    m_fSkewX = degrees;
    m_bTransformDirty = m_bInverseDirty = true;
}

void CCNode::setSkewY(float degrees) {
    m_fSkewY = degrees;
    m_bTransformDirty = m_bInverseDirty = true;
}

void CCNode::setAnchorPoint(const CCPoint& p) {
    if (m_obAnchorPoint.equals(p)) return;
    m_obAnchorPoint = p;
    m_obAnchorPointInPoints = CCPoint(m_obContentSize.width * p.x, m_obContentSize.height * p.y);
    m_bTransformDirty = m_bInverseDirty = true;
}

void CCNode::setContentSize(const CCSize& s) {
    if (m_obContentSize.equals(s)) return;
    m_obContentSize = s;
    m_obAnchorPointInPoints = CCPoint(s.width * m_obAnchorPoint.x, s.height * m_obAnchorPoint.y);
    m_bTransformDirty = m_bInverseDirty = true;
}

void CCNode::setVisible(bool visible) { m_bVisible = visible; }

void CCNode::ignoreAnchorPointForPosition(bool ignore) {
    if (ignore == m_bIgnoreAnchorPointForPosition) return;
    m_bIgnoreAnchorPointForPosition = ignore;
    m_bTransformDirty = m_bInverseDirty = true;
}

// --- transforms -----------------------------------------------------------------------

CCAffineTransform CCNode::nodeToParentTransform() {
    if (!m_bTransformDirty) return m_sTransform;
    float x = m_obPosition.x, y = m_obPosition.y;
    if (m_bIgnoreAnchorPointForPosition) {
        x += m_obAnchorPointInPoints.x;
        y += m_obAnchorPointInPoints.y;
    }
    // Rotation is clockwise in degrees: the y axis points up, so negate the angle.
    float c = 1, s = 0;
    if (m_fRotation != 0) {
        float r = -m_fRotation * kDegToRad;
        c = std::cos(r);
        s = std::sin(r);
    }
    CCAffineTransform t = {c * m_fScaleX, s * m_fScaleX, -s * m_fScaleY, c * m_fScaleY, x, y};
    if (m_fSkewX != 0 || m_fSkewY != 0) {
        CCAffineTransform skew = {1, std::tan(m_fSkewY * kDegToRad), std::tan(m_fSkewX * kDegToRad), 1, 0, 0};
        t = CCAffineTransformConcat(skew, t);
    }
    // The anchor point lands on the position.
    if (m_obAnchorPointInPoints.x != 0 || m_obAnchorPointInPoints.y != 0)
        t = CCAffineTransformTranslate(t, -m_obAnchorPointInPoints.x, -m_obAnchorPointInPoints.y);
    m_sTransform = t;
    m_bTransformDirty = false;
    return m_sTransform;
}

CCAffineTransform CCNode::parentToNodeTransform() {
    if (m_bInverseDirty) {
        m_sInverse = CCAffineTransformInvert(nodeToParentTransform());
        m_bInverseDirty = false;
    }
    return m_sInverse;
}

CCAffineTransform CCNode::nodeToWorldTransform() {
    CCAffineTransform t = nodeToParentTransform();
    for (CCNode* p = m_pParent; p; p = p->m_pParent) t = CCAffineTransformConcat(t, p->nodeToParentTransform());
    return t;
}

CCAffineTransform CCNode::worldToNodeTransform() { return CCAffineTransformInvert(nodeToWorldTransform()); }

CCPoint CCNode::convertToNodeSpace(const CCPoint& worldPoint) {
    return CCPointApplyAffineTransform(worldPoint, worldToNodeTransform());
}

CCPoint CCNode::convertToWorldSpace(const CCPoint& nodePoint) {
    return CCPointApplyAffineTransform(nodePoint, nodeToWorldTransform());
}

CCPoint CCNode::convertToNodeSpaceAR(const CCPoint& worldPoint) {
    return convertToNodeSpace(worldPoint) - m_obAnchorPointInPoints;
}

CCPoint CCNode::convertToWorldSpaceAR(const CCPoint& nodePoint) {
    return convertToWorldSpace(nodePoint + m_obAnchorPointInPoints);
}

CCRect CCNode::boundingBox() {
    CCRect r(0, 0, m_obContentSize.width, m_obContentSize.height);
    return CCRectApplyAffineTransform(r, nodeToParentTransform());
}

// --- children -------------------------------------------------------------------------

void CCNode::childrenAlloc() {
    m_pChildren = new CCArray();
    m_pChildren->initWithCapacity(4);
}

void CCNode::addChild(CCNode* child) { addChild(child, child ? child->m_nZOrder : 0, child ? child->m_nTag : kCCNodeTagInvalid); }

void CCNode::addChild(CCNode* child, int zOrder) { addChild(child, zOrder, child ? child->m_nTag : kCCNodeTagInvalid); }

void CCNode::addChild(CCNode* child, int zOrder, int tag) {
    if (!child) {
        CCLog("CCNode::addChild: null child ignored");
        return;
    }
    if (child->m_pParent) {
        CCLog("CCNode::addChild: child already has a parent, ignored");
        return;
    }
    if (child == this) return;
    if (!m_pChildren) childrenAlloc();
    insertChild(child, zOrder);
    child->m_nTag = tag;
    child->setParent(this);
    child->m_uOrderOfArrival = s_globalOrderOfArrival++;
    if (m_bRunning) {
        child->onEnter();
        child->onEnterTransitionDidFinish();
    }
}

void CCNode::insertChild(CCNode* child, int z) {
    // Children stay sorted by z-order; a newcomer goes after every child of equal z.
    child->m_nZOrder = z;
    const auto& data = m_pChildren->data();
    unsigned int index = static_cast<unsigned int>(data.size());
    while (index > 0 && static_cast<CCNode*>(data[index - 1])->m_nZOrder > z) --index;
    m_pChildren->insertObject(child, index);
}

CCNode* CCNode::getChildByTag(int tag) {
    if (!m_pChildren) return nullptr;
    for (CCObject* o : *m_pChildren) {
        CCNode* n = static_cast<CCNode*>(o);
        if (n->m_nTag == tag) return n;
    }
    return nullptr;
}

unsigned int CCNode::getChildrenCount() const { return m_pChildren ? m_pChildren->count() : 0; }

void CCNode::removeFromParentAndCleanup(bool cleanup) {
    if (m_pParent) m_pParent->removeChild(this, cleanup);
}

void CCNode::removeChild(CCNode* child, bool cleanup) {
    if (!child || !m_pChildren || !m_pChildren->containsObject(child)) return;
    detachChild(child, cleanup);
}

void CCNode::removeChildByTag(int tag, bool cleanup) {
    CCNode* child = getChildByTag(tag);
    if (child)
        removeChild(child, cleanup);
    else
        CCLog("CCNode::removeChildByTag: no child with tag %d", tag);
}

void CCNode::detachChild(CCNode* child, bool cleanup) {
    // Keep the child alive through its exit callbacks even if the array held the last reference.
    child->retain();
    if (m_bRunning) {
        child->onExitTransitionDidStart();
        child->onExit();
    }
    if (cleanup) child->cleanup();
    child->setParent(nullptr);
    m_pChildren->removeObject(child);
    child->release();
}

void CCNode::removeAllChildrenWithCleanup(bool cleanup) {
    if (!m_pChildren || m_pChildren->count() == 0) return;
    // Callbacks of the leaving children must not see a half-emptied array mutate under them.
    CCArray* old = m_pChildren;
    m_pChildren = nullptr;
    for (CCObject* o : *old) {
        CCNode* child = static_cast<CCNode*>(o);
        if (m_bRunning) {
            child->onExitTransitionDidStart();
            child->onExit();
        }
        if (cleanup) child->cleanup();
        child->setParent(nullptr);
    }
    old->release();
}

void CCNode::reorderChild(CCNode* child, int zOrder) {
    if (!child || !m_pChildren) return;
    unsigned int i = m_pChildren->indexOfObject(child);
    if (i == CCArray::kInvalidIndex) return;
    child->retain();
    m_pChildren->removeObjectAtIndex(i);
    insertChild(child, zOrder);
    child->m_uOrderOfArrival = s_globalOrderOfArrival++;
    child->release();
}

void CCNode::sortAllChildren() {
    // Children are kept sorted on insertion; nothing to do.
}

// --- lifecycle ------------------------------------------------------------------------

namespace {
// Calls f on each child of a snapshot, so callbacks may add or remove siblings safely.
// Each child is released as soon as its own call returns.
template <typename F>
void forEachChild(CCArray* children, F f) {
    CCRetainedSnapshot<CCNode>(children).forEachThenRelease(f);
}
}  // namespace

void CCNode::onEnter() {
    m_bRunning = true;
    resumeSchedulerAndActions();
    forEachChild(m_pChildren, [](CCNode* n) { n->onEnter(); });
}

void CCNode::onEnterTransitionDidFinish() {
    forEachChild(m_pChildren, [](CCNode* n) { n->onEnterTransitionDidFinish(); });
}

void CCNode::onExitTransitionDidStart() {
    forEachChild(m_pChildren, [](CCNode* n) { n->onExitTransitionDidStart(); });
}

void CCNode::onExit() {
    pauseSchedulerAndActions();
    m_bRunning = false;
    forEachChild(m_pChildren, [](CCNode* n) { n->onExit(); });
}

void CCNode::cleanup() {
    stopAllActions();
    unscheduleAllSelectors();
    forEachChild(m_pChildren, [](CCNode* n) { n->cleanup(); });
}

// --- actions --------------------------------------------------------------------------

void CCNode::setActionManager(CCActionManager* manager) {
    if (manager == m_pActionManager) return;
    stopAllActions();
    assignRetained(m_pActionManager, manager);
}

CCAction* CCNode::runAction(CCAction* action) {
    if (!action || !m_pActionManager) return action;
    m_pActionManager->addAction(action, this, !m_bRunning);
    return action;
}

void CCNode::stopAllActions() {
    if (m_pActionManager) m_pActionManager->removeAllActionsFromTarget(this);
}

void CCNode::stopAction(CCAction* action) {
    if (m_pActionManager && action) m_pActionManager->removeAction(action);
}

void CCNode::stopActionByTag(int tag) {
    if (m_pActionManager && tag != kCCActionTagInvalid)
        m_pActionManager->removeActionByTag(static_cast<unsigned int>(tag), this);
}

CCAction* CCNode::getActionByTag(int tag) {
    if (!m_pActionManager || tag == kCCActionTagInvalid) return nullptr;
    return m_pActionManager->getActionByTag(static_cast<unsigned int>(tag), this);
}

unsigned int CCNode::numberOfRunningActions() {
    return m_pActionManager ? m_pActionManager->numberOfRunningActionsInTarget(this) : 0;
}

// --- scheduling -----------------------------------------------------------------------

void CCNode::setScheduler(CCScheduler* scheduler) {
    if (scheduler == m_pScheduler) return;
    unscheduleAllSelectors();
    assignRetained(m_pScheduler, scheduler);
}

bool CCNode::isScheduled(SEL_SCHEDULE selector) {
    return m_pScheduler && m_pScheduler->isScheduled(selector, this);
}

void CCNode::scheduleUpdate() { scheduleUpdateWithPriority(0); }

void CCNode::scheduleUpdateWithPriority(int priority) {
    if (m_pScheduler) m_pScheduler->scheduleUpdateForTarget(this, priority, !m_bRunning);
}

void CCNode::unscheduleUpdate() {
    if (m_pScheduler) m_pScheduler->unscheduleUpdateForTarget(this);
}

void CCNode::schedule(SEL_SCHEDULE selector) { schedule(selector, 0.0f, kCCRepeatForever, 0.0f); }

void CCNode::schedule(SEL_SCHEDULE selector, float interval) { schedule(selector, interval, kCCRepeatForever, 0.0f); }

void CCNode::schedule(SEL_SCHEDULE selector, float interval, unsigned int repeat, float delay) {
    if (!selector || !m_pScheduler) return;
    if (!(interval >= 0)) interval = 0;  // negative or NaN intervals mean every frame
    m_pScheduler->scheduleSelector(selector, this, interval, repeat, delay, !m_bRunning);
}

void CCNode::scheduleOnce(SEL_SCHEDULE selector, float delay) { schedule(selector, 0.0f, 0, delay); }

void CCNode::unschedule(SEL_SCHEDULE selector) {
    if (selector && m_pScheduler) m_pScheduler->unscheduleSelector(selector, this);
}

void CCNode::unscheduleAllSelectors() {
    if (m_pScheduler) m_pScheduler->unscheduleAllForTarget(this);
}

void CCNode::resumeSchedulerAndActions() {
    if (m_pScheduler) m_pScheduler->resumeTarget(this);
    if (m_pActionManager) m_pActionManager->resumeTarget(this);
}

void CCNode::pauseSchedulerAndActions() {
    if (m_pScheduler) m_pScheduler->pauseTarget(this);
    if (m_pActionManager) m_pActionManager->pauseTarget(this);
}

// --- visit ----------------------------------------------------------------------------

const CCAffineTransform& CCNode::visitTransform() { return visitStack().back(); }

void CCNode::pushVisitTransform(const CCAffineTransform& local) {
    auto& stack = visitStack();
    CCAffineTransform world = CCAffineTransformConcat(local, stack.back());
    stack.push_back(world);
}

void CCNode::popVisitTransform() {
    auto& stack = visitStack();
    if (stack.size() > 1) stack.pop_back();
}

void CCNode::visit() {
    if (!m_bVisible) return;
    pushVisitTransform(nodeToParentTransform());
    visitChildrenAndSelf();
    popVisitTransform();
}

void CCNode::visitChildrenAndSelf() {
    if (!m_pChildren || m_pChildren->count() == 0) {
        draw();
        return;
    }
    const auto& data = m_pChildren->data();
    size_t i = 0;
    for (; i < data.size(); ++i) {
        CCNode* child = static_cast<CCNode*>(data[i]);
        if (child->m_nZOrder >= 0) break;
        child->visit();
    }
    draw();
    for (; i < data.size(); ++i) static_cast<CCNode*>(data[i])->visit();
}

// --- CCNodeRGBA -----------------------------------------------------------------------

CCNodeRGBA* CCNodeRGBA::create() {
    CCNodeRGBA* n = new CCNodeRGBA();
    return autoreleasedOrNull(n, n->init());
}

bool CCNodeRGBA::init() {
    if (!CCNode::init()) return false;
    m_displayedOpacity = m_realOpacity = 255;
    m_displayedColor = m_realColor = ccWHITE;
    m_cascadeOpacityEnabled = m_cascadeColorEnabled = false;
    return true;
}

void CCNodeRGBA::setOpacity(uint8_t opacity) {
    m_displayedOpacity = m_realOpacity = opacity;
    if (m_cascadeOpacityEnabled) {
        uint8_t parentOpacity = 255;
        if (CCRGBAProtocol* p = dynamic_cast<CCRGBAProtocol*>(m_pParent))
            if (p->isCascadeOpacityEnabled()) parentOpacity = p->getDisplayedOpacity();
        updateDisplayedOpacity(parentOpacity);
    }
}

void CCNodeRGBA::updateDisplayedOpacity(uint8_t parentOpacity) {
    m_displayedOpacity = static_cast<uint8_t>(m_realOpacity * parentOpacity / 255);
    if (!m_cascadeOpacityEnabled || !m_pChildren) return;
    for (CCObject* o : *m_pChildren)
        if (CCRGBAProtocol* c = dynamic_cast<CCRGBAProtocol*>(o)) c->updateDisplayedOpacity(m_displayedOpacity);
}

void CCNodeRGBA::setColor(const ccColor3B& color) {
    m_displayedColor = m_realColor = color;
    if (m_cascadeColorEnabled) {
        ccColor3B parentColor = ccWHITE;
        if (CCRGBAProtocol* p = dynamic_cast<CCRGBAProtocol*>(m_pParent))
            if (p->isCascadeColorEnabled()) parentColor = p->getDisplayedColor();
        updateDisplayedColor(parentColor);
    }
}

void CCNodeRGBA::updateDisplayedColor(const ccColor3B& parentColor) {
    m_displayedColor.r = static_cast<uint8_t>(m_realColor.r * parentColor.r / 255);
    m_displayedColor.g = static_cast<uint8_t>(m_realColor.g * parentColor.g / 255);
    m_displayedColor.b = static_cast<uint8_t>(m_realColor.b * parentColor.b / 255);
    if (!m_cascadeColorEnabled || !m_pChildren) return;
    for (CCObject* o : *m_pChildren)
        if (CCRGBAProtocol* c = dynamic_cast<CCRGBAProtocol*>(o)) c->updateDisplayedColor(m_displayedColor);
}

void CCNodeRGBA::addChild(CCNode* child, int zOrder, int tag) {
    CCNode::addChild(child, zOrder, tag);
    if (!child || child->getParent() != this) return;
    if (CCRGBAProtocol* c = dynamic_cast<CCRGBAProtocol*>(child)) {
        if (m_cascadeColorEnabled) c->updateDisplayedColor(m_displayedColor);
        if (m_cascadeOpacityEnabled) c->updateDisplayedOpacity(m_displayedOpacity);
    }
}

}  // namespace engine
