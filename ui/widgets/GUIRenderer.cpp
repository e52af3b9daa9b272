// GUIRenderer: creation and the switchable visit.
#include "ui/widgets/GUIRenderer.h"

namespace ui {

GUIRenderer::~GUIRenderer() = default;

GUIRenderer* GUIRenderer::create() {
    GUIRenderer* renderer = new GUIRenderer();
    if (renderer->init()) {
        renderer->autorelease();
        return renderer;
    }
    delete renderer;
    return nullptr;
}

void GUIRenderer::visit() {
    if (!m_enabled) return;
    engine::CCNodeRGBA::visit();
}

}  // namespace ui
