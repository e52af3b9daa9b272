// A scale key frame: the renderer scales to a horizontal and a vertical factor.
#pragma once

#include "ui/layout/ActionFrame.h"

namespace ui {

class ActionScaleFrame : public ActionFrame {
public:
    ActionScaleFrame() { m_frameKind = FRAME_KIND_SCALE; }

    static ActionScaleFrame* create();

    engine::CCActionInterval* getAction(float duration) override;

    float getScaleX() const { return m_scaleX; }
    void setScaleX(float scale) { m_scaleX = scale; }
    float getScaleY() const { return m_scaleY; }
    void setScaleY(float scale) { m_scaleY = scale; }

private:
    float m_scaleX = 1.0f;
    float m_scaleY = 1.0f;
};

}  // namespace ui
