// One key frame of a widget animation track: its kind, its frame index, and the engine action that reaches it.
#pragma once

#include "engine/base/CCObject.h"

namespace engine {
class CCActionInterval;
}

namespace ui {

// The five kinds of key frames; the values are the indices of a track's key-frame lists.
enum ActionFrameKind {
    FRAME_KIND_MOVE = 0,
    FRAME_KIND_SCALE = 1,
    FRAME_KIND_ROTATE = 2,
    FRAME_KIND_TINT = 3,
    FRAME_KIND_FADE = 4,
};
const int kActionFrameKindCount = 5;

class ActionFrame : public engine::CCObject {
public:
    ActionFrame() = default;
    ~ActionFrame() override = default;

    static ActionFrame* create();

    // The action that brings the target to this key frame in duration seconds. The base class
    // has none: it logs that and returns null.
    virtual engine::CCActionInterval* getAction(float duration);

    int getFrameIndex() const { return m_frameIndex; }
    void setFrameIndex(int index) { m_frameIndex = index; }
    int getFrameKind() const { return m_frameKind; }
    void setFrameKind(int kind) { m_frameKind = kind; }

protected:
    int m_frameKind = 0;
    int m_frameIndex = 0;
};

}  // namespace ui
