// CCClippingNode: the stencil's extent turned into a clip rectangle around the children's visit.
#include "engine/sprites/CCClippingNode.h"

#include "engine/base/CCCreate.h"
#include "engine/render/CCRenderer.h"
#include "engine/sprites/CCDrawNode.h"

namespace engine {

CCClippingNode::~CCClippingNode() { safeRelease(m_pStencil); }

CCClippingNode* CCClippingNode::create() { return create(nullptr); }

CCClippingNode* CCClippingNode::create(CCNode* stencil) {
    auto* node = new CCClippingNode();
    return autoreleasedOrNull(node, node->init(stencil));
}

bool CCClippingNode::init() { return init(nullptr); }

bool CCClippingNode::init(CCNode* stencil) {
    if (!CCNode::init()) return false;
    setStencil(stencil);
    m_fAlphaThreshold = 1.f;
    m_bInverted = false;
    return true;
}

void CCClippingNode::setStencil(CCNode* stencil) {
    if (stencil == m_pStencil) return;
    // A stencil may run actions of its own: it lives the clipping node's life.
    if (m_bRunning && m_pStencil) {
        m_pStencil->onExitTransitionDidStart();
        m_pStencil->onExit();
    }
    assignRetained(m_pStencil, stencil);
    if (m_bRunning && m_pStencil) {
        m_pStencil->onEnter();
        m_pStencil->onEnterTransitionDidFinish();
    }
}

bool CCClippingNode::stencilWorldRect(const CCAffineTransform& nodeToWorld, CCRect& out) {
    if (!m_pStencil) return false;
    CCRect local;
    bool drawn = true;
    if (CCDrawNode* shapes = dynamic_cast<CCDrawNode*>(m_pStencil))
        drawn = shapes->getDrawnBounds(local);
    else
        local = CCRect(0, 0, m_pStencil->getContentSize().width, m_pStencil->getContentSize().height);
    if (!drawn) {
        out = CCRect();
        return true;
    }
    CCAffineTransform stencilToWorld = CCAffineTransformConcat(m_pStencil->nodeToParentTransform(), nodeToWorld);
    out = CCRectApplyAffineTransform(local, stencilToWorld);
    return true;
}

void CCClippingNode::visit() {
    if (!m_bVisible) return;
    CCRenderer* renderer = CCRenderer::current();
    if (!renderer || !m_pStencil) {
        CCNode::visit();
        return;
    }
    // This node's world transform is the visit stack's top once its own part is pushed.
    pushVisitTransform(nodeToParentTransform());
    CCRect clip;
    stencilWorldRect(visitTransform(), clip);
    popVisitTransform();
    renderer->pushClipRect(clip);
    CCNode::visit();
    renderer->popClipRect();
}

void CCClippingNode::onEnter() {
    CCNode::onEnter();
    if (m_pStencil) m_pStencil->onEnter();
}

void CCClippingNode::onEnterTransitionDidFinish() {
    CCNode::onEnterTransitionDidFinish();
    if (m_pStencil) m_pStencil->onEnterTransitionDidFinish();
}

void CCClippingNode::onExitTransitionDidStart() {
    if (m_pStencil) m_pStencil->onExitTransitionDidStart();
    CCNode::onExitTransitionDidStart();
}

void CCClippingNode::onExit() {
    if (m_pStencil) m_pStencil->onExit();
    CCNode::onExit();
}

}  // namespace engine
