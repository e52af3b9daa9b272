// An opacity key frame: the renderer fades to an opacity.
#pragma once

#include "ui/layout/ActionFrame.h"

namespace ui {

class ActionFadeFrame : public ActionFrame {
public:
    ActionFadeFrame() { m_frameKind = FRAME_KIND_FADE; }

    static ActionFadeFrame* create();

    // The opacity is cut to a byte the way the fade action takes it (300 becomes 44).
    engine::CCActionInterval* getAction(float duration) override;

    float getOpacity() const { return m_opacity; }
    void setOpacity(float opacity) { m_opacity = opacity; }
    // The byte the fade action is given.
    int getActionOpacity() const;

private:
    float m_opacity = 255.0f;
};

}  // namespace ui
