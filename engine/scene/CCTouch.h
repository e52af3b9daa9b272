// One finger (or the mouse) on the screen: id and locations in design points, origin bottom left.
#pragma once

#include "engine/base/CCGeometry.h"
#include "engine/base/CCObject.h"

namespace engine {

class CCTouch : public CCObject {
public:
    CCTouch() = default;

    int getID() const { return m_nId; }
    CCPoint getLocation() const { return m_point; }
    CCPoint getPreviousLocation() const { return m_prevPoint; }
    // Where the finger first came down.
    CCPoint getStartLocation() const { return m_startPoint; }
    CCPoint getDelta() const { return m_point - m_prevPoint; }

    // The first call (or a new id) also sets the start and previous location.
    void setTouchInfo(int id, float x, float y);

private:
    int m_nId = 0;
    bool m_startPointCaptured = false;
    CCPoint m_point, m_prevPoint, m_startPoint;
};

// Reserved for event details; touches carry everything the handlers need.
class CCEvent : public CCObject {};

}  // namespace engine
