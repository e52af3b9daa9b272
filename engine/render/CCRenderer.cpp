// The current renderer slot.
#include "engine/render/CCRenderer.h"

namespace engine {

namespace {
CCRenderer* s_current = nullptr;
}

CCRenderer* CCRenderer::current() { return s_current; }
void CCRenderer::setCurrent(CCRenderer* renderer) { s_current = renderer; }

}  // namespace engine
