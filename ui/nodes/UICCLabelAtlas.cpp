// UICCLabelAtlas: the uninitialised factory and the empty-label guard on drawing.
#include "ui/nodes/UICCLabelAtlas.h"

#include "engine/base/CCCreate.h"

namespace ui {

UICCLabelAtlas::~UICCLabelAtlas() = default;

UICCLabelAtlas* UICCLabelAtlas::create() {
    return autoreleasedOrNull(new UICCLabelAtlas(), true);
}

void UICCLabelAtlas::draw() {
    if (getQuadsToDraw() == 0) return;
    engine::CCLabelAtlas::draw();
}

void UICCLabelAtlas::setOpacity(uint8_t opacity) { engine::CCLabelAtlas::setOpacity(opacity); }

}  // namespace ui
