// CCTouch location bookkeeping.
#include "engine/scene/CCTouch.h"

namespace engine {

void CCTouch::setTouchInfo(int id, float x, float y) {
    if (!m_startPointCaptured || id != m_nId) {
        m_nId = id;
        m_point = m_prevPoint = m_startPoint = CCPoint(x, y);
        m_startPointCaptured = true;
        return;
    }
    m_prevPoint = m_point;
    m_point = CCPoint(x, y);
}

}  // namespace engine
