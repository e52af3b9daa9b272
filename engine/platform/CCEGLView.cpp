// CCEGLView: frame size, design resolution and the mapping between them.
#include "engine/platform/CCEGLView.h"

#include <algorithm>
#include <cmath>

#include "engine/base/CCLog.h"

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

}  // namespace engine
