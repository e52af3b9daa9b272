// GUIRenderer: creation and the switchable visit.
#include "ui/widgets/GUIRenderer.h"

#include "engine/base/CCCreate.h"

namespace ui {

GUIRenderer::~GUIRenderer() = default;

GUIRenderer* GUIRenderer::create() {
    GUIRenderer* renderer = new GUIRenderer();
    return autoreleasedOrNull(renderer, renderer->init());
}

void GUIRenderer::visit() {
    if (!m_enabled) return;
    engine::CCNodeRGBA::visit();
}

}  // namespace ui
