// The character-map label the atlas widget shows: an engine atlas label that starts without a map and draws nothing while empty.
#pragma once

#include "engine/text/CCLabelAtlas.h"

namespace ui {

class UICCLabelAtlas : public engine::CCLabelAtlas {
public:
    UICCLabelAtlas() = default;
    ~UICCLabelAtlas() override;

    // Allocated but not initialised (no character map yet), autoreleased.
    static UICCLabelAtlas* create();

    // Draws only when at least one character cell has something to show.
    void draw() override;
    void setOpacity(uint8_t opacity) override;
};

}  // namespace ui
