// A rotation key frame: the renderer turns to an angle in degrees.
#pragma once

#include "ui/layout/ActionFrame.h"

namespace ui {

class ActionRotationFrame : public ActionFrame {
public:
    ActionRotationFrame() { m_frameKind = FRAME_KIND_ROTATE; }

    static ActionRotationFrame* create();

    engine::CCActionInterval* getAction(float duration) override;

    float getRotation() const { return m_rotation; }
    void setRotation(float degrees) { m_rotation = degrees; }

private:
    float m_rotation = 0.0f;
};

}  // namespace ui
