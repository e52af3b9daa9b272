// CCEGLView: frame size, design resolution and the mapping between them.
#include "engine/scene/CCEGLView.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "engine/base/CCLog.h"
#include "engine/base/CCSet.h"
#include "engine/scene/CCDirector.h"
#include "engine/scene/CCTouch.h"
#include "engine/scene/CCKeyboardDispatcher.h"
#include "engine/scene/CCTouchDispatcher.h"

namespace engine {

namespace {
CCEGLView* s_view = nullptr;
}

CCEGLView* CCEGLView::sharedOpenGLView() {
    if (!s_view) s_view = new CCEGLView();
    return s_view;
}

void CCEGLView::purgeSharedOpenGLView() {
    delete s_view;
    s_view = nullptr;
}

CCEGLView::~CCEGLView() {
    for (auto& kv : m_touches) kv.second->release();
}

void CCEGLView::setViewName(const char* name) { m_viewName = name ? name : ""; }

void CCEGLView::setFrameSize(float width, float height) {
    if (!(width > 0) || !(height > 0) || !std::isfinite(width) || !std::isfinite(height)) {
        CCLog("CCEGLView: frame size %gx%g ignored", width, height);
        return;
    }
    m_frameSize = CCSize(width, height);
    updateScale();
}

void CCEGLView::setDesignResolutionSize(float width, float height, ResolutionPolicy policy) {
    if (!(width > 0) || !(height > 0) || !std::isfinite(width) || !std::isfinite(height)) {
        CCLog("CCEGLView: design resolution %gx%g ignored", width, height);
        return;
    }
    m_designSize = CCSize(width, height);
    m_policy = policy;
    updateScale();
}

CCSize CCEGLView::getDesignResolutionSize() const {
    return m_designSize.width > 0 ? m_designSize : m_frameSize;
}

void CCEGLView::updateScale() {
    if (!(m_designSize.width > 0)) {
        m_scaleX = m_scaleY = 1;
        return;
    }
    m_scaleX = m_frameSize.width / m_designSize.width;
    m_scaleY = m_frameSize.height / m_designSize.height;
    if (m_policy == kResolutionShowAll) m_scaleX = m_scaleY = std::min(m_scaleX, m_scaleY);
    if (m_policy == kResolutionNoBorder) m_scaleX = m_scaleY = std::max(m_scaleX, m_scaleY);
}

CCPoint CCEGLView::getVisibleOrigin() const {
    if (m_policy == kResolutionNoBorder) {
        CCSize d = getDesignResolutionSize();
        return CCPoint((d.width - m_frameSize.width / m_scaleX) / 2, (d.height - m_frameSize.height / m_scaleY) / 2);
    }
    return CCPoint(0, 0);
}

CCSize CCEGLView::getVisibleSize() const {
    if (m_policy == kResolutionNoBorder) return CCSize(m_frameSize.width / m_scaleX, m_frameSize.height / m_scaleY);
    return getDesignResolutionSize();
}

CCPoint CCEGLView::windowToDesign(float px, float py) const {
    CCSize d = getDesignResolutionSize();
    // The drawn area is centred when letterboxed; exact fit fills the frame.
    float offX = (m_frameSize.width - d.width * m_scaleX) / 2;
    float offY = (m_frameSize.height - d.height * m_scaleY) / 2;
    float x = (px - offX) / m_scaleX;
    float yTop = (py - offY) / m_scaleY;
    return CCPoint(x, d.height - yTop);
}

void CCEGLView::handleTouchesBegin(int num, const int ids[], const float xs[], const float ys[]) {
    handleTouches(CCTOUCHBEGAN, num, ids, xs, ys);
}
void CCEGLView::handleTouchesMove(int num, const int ids[], const float xs[], const float ys[]) {
    handleTouches(CCTOUCHMOVED, num, ids, xs, ys);
}
void CCEGLView::handleTouchesEnd(int num, const int ids[], const float xs[], const float ys[]) {
    handleTouches(CCTOUCHENDED, num, ids, xs, ys);
}
void CCEGLView::handleTouchesCancel(int num, const int ids[], const float xs[], const float ys[]) {
    handleTouches(CCTOUCHCANCELLED, num, ids, xs, ys);
}

void CCEGLView::handleTouches(int phase, int num, const int ids[], const float xs[], const float ys[]) {
    if (num <= 0 || !ids || !xs || !ys) return;
    CCSet* set = new CCSet();
    std::vector<CCTouch*> finished;
    for (int i = 0; i < num; ++i) {
        if (!std::isfinite(xs[i]) || !std::isfinite(ys[i])) continue;
        auto it = m_touches.find(ids[i]);
        if (phase == CCTOUCHBEGAN) {
            if (it != m_touches.end()) continue;
            CCTouch* t = new CCTouch();
            t->setTouchInfo(ids[i], xs[i], ys[i]);
            m_touches[ids[i]] = t;
            set->addObject(t);
            continue;
        }
        if (it == m_touches.end()) continue;
        it->second->setTouchInfo(ids[i], xs[i], ys[i]);
        set->addObject(it->second);
        if (phase == CCTOUCHENDED || phase == CCTOUCHCANCELLED) {
            finished.push_back(it->second);
            m_touches.erase(it);
        }
    }
    if (set->count() > 0) {
        // A finger going down takes over from the keyboard (its focus ring steps aside).
        if (phase == CCTOUCHBEGAN)
            if (CCKeyboardDispatcher* k = CCDirector::sharedDirector()->getKeyboardDispatcher()) k->dispatchPointerUsed();
        CCTouchDispatcher* d = CCDirector::sharedDirector()->getTouchDispatcher();
        d->retain();
        switch (phase) {
            case CCTOUCHBEGAN: d->touchesBegan(set, nullptr); break;
            case CCTOUCHMOVED: d->touchesMoved(set, nullptr); break;
            case CCTOUCHENDED: d->touchesEnded(set, nullptr); break;
            default: d->touchesCancelled(set, nullptr); break;
        }
        d->release();
    }
    set->release();
    for (CCTouch* t : finished) t->release();
}

void CCEGLView::cancelAllTouches() {
    std::vector<int> ids;
    std::vector<float> xs, ys;
    for (auto& kv : m_touches) {
        ids.push_back(kv.first);
        xs.push_back(kv.second->getLocation().x);
        ys.push_back(kv.second->getLocation().y);
    }
    if (!ids.empty()) handleTouchesCancel(static_cast<int>(ids.size()), ids.data(), xs.data(), ys.data());
}

}  // namespace engine
