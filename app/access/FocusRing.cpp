// FocusRing: moving the focus, scanning, and drawing the ring.
#include "app/access/FocusRing.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "engine/engine.h"
#include "ui/widgets/UIWidget.h"

using namespace engine;

namespace app {

namespace {
bool s_keyboardInUse = false;
float s_scanSeconds = 0;

// A white band three points wide inside a dark outline of one point each side: it stands out
// on a light picture and on a dark one alike.
constexpr float kOutline = 1;
constexpr float kBand = 3;
constexpr float kGap = 2;  // between the target's edge and the ring
const ccColor4B kBandColour = {255, 255, 255, 255};
const ccColor4B kOutlineColour = {20, 20, 40, 255};

void fillRect(CCRenderer* r, const CCAffineTransform& t, float x0, float y0, float x1, float y1, const ccColor4B& c) {
    const CCPoint corners[4] = {CCPoint(x0, y0), CCPoint(x1, y0), CCPoint(x0, y1), CCPoint(x1, y1)};
    CCVertex v[4];
    for (int i = 0; i < 4; ++i) {
        CCPoint p = CCPointApplyAffineTransform(corners[i], t);
        v[i] = CCVertex{p.x, p.y, c, 0, 0};
    }
    const CCVertex tris[6] = {v[0], v[1], v[2], v[2], v[1], v[3]};
    r->drawTriangles(nullptr, tris, 6, BlendMode::Alpha);
}

// A frame of the given width just outside the rectangle (x0, y0)-(x1, y1), grown by out.
void frame(CCRenderer* r, const CCAffineTransform& t, float x0, float y0, float x1, float y1, float out, float width,
           const ccColor4B& c) {
    const float a0 = x0 - out, b0 = y0 - out, a1 = x1 + out, b1 = y1 + out;
    fillRect(r, t, a0, b0, a1, b0 + width, c);
    fillRect(r, t, a0, b1 - width, a1, b1, c);
    fillRect(r, t, a0, b0 + width, a0 + width, b1 - width, c);
    fillRect(r, t, a1 - width, b0 + width, a1, b1 - width, c);
}
}  // namespace

FocusRing* FocusRing::create() {
    FocusRing* ring = new FocusRing();
    ring->init();
    ring->autorelease();
    return ring;
}

bool FocusRing::keyboardInUse() { return s_keyboardInUse; }
void FocusRing::setKeyboardInUse(bool inUse) { s_keyboardInUse = inUse; }
float FocusRing::scanSeconds() { return s_scanSeconds; }
void FocusRing::setScanSeconds(float seconds) { s_scanSeconds = seconds > 0 ? seconds : 0; }

void FocusRing::setTargets(std::vector<FocusTarget> targets) {
    m_targets = std::move(targets);
    m_index = m_targets.empty() ? -1 : 0;
    m_shown = !m_targets.empty() && (s_keyboardInUse || s_scanSeconds > 0);
}

void FocusRing::onEnter() {
    CCNode::onEnter();
    if (s_scanSeconds > 0) schedule(schedule_selector(FocusRing::scanStep), s_scanSeconds);
}

void FocusRing::scanStep(float) { move(+1, true); }

void FocusRing::move(int step, bool wrap) {
    if (m_targets.empty()) return;
    const int n = static_cast<int>(m_targets.size());
    if (!m_shown || m_index < 0) {
        m_index = step > 0 ? 0 : n - 1;
    } else if (wrap) {
        m_index = ((m_index + step) % n + n) % n;
    } else {
        m_index = std::clamp(m_index + step, 0, n - 1);
    }
    m_shown = true;
    if (m_onMove) m_onMove(m_targets[m_index]);
}

bool FocusRing::activateFocused() {
    const FocusTarget* target = focused();
    if (!target || !target->activate) return false;
    // The action may replace the targets (or the screen): run a copy.
    std::function<void()> action = target->activate;
    action();
    return true;
}

void FocusRing::hide() { m_shown = false; }

const FocusTarget* FocusRing::focused() const {
    if (!m_shown || m_index < 0 || m_index >= static_cast<int>(m_targets.size())) return nullptr;
    return &m_targets[m_index];
}

CCRect FocusRing::focusedRect() const {
    const FocusTarget* target = focused();
    if (!target) return CCRect();
    if (target->box) return target->box();
    if (!target->node) return CCRect();
    return worldRect(target->node->getParent(), target->node->boundingBox());
}

CCRect widgetRect(ui::UIWidget* widget) {
    CCNode* r = widget->getRenderer();
    const CCSize size = widget->getContentSize();
    const float w = size.width * std::fabs(r->getScaleX()), h = size.height * std::fabs(r->getScaleY());
    const CCPoint a = widget->getAnchorPoint(), p = r->getPosition();
    return worldRect(r->getParent(), CCRect(p.x - a.x * w, p.y - a.y * h, w, h));
}

CCRect worldRect(CCNode* space, const CCRect& box) {
    CCNode* parent = space;
    float x0 = FLT_MAX, y0 = FLT_MAX, x1 = -FLT_MAX, y1 = -FLT_MAX;
    const CCPoint corners[4] = {CCPoint(box.getMinX(), box.getMinY()), CCPoint(box.getMaxX(), box.getMinY()),
                                CCPoint(box.getMinX(), box.getMaxY()), CCPoint(box.getMaxX(), box.getMaxY())};
    for (const CCPoint& c : corners) {
        const CCPoint w = parent ? parent->convertToWorldSpace(c) : c;
        x0 = std::min(x0, w.x);
        y0 = std::min(y0, w.y);
        x1 = std::max(x1, w.x);
        y1 = std::max(y1, w.y);
    }
    return CCRect(x0, y0, x1 - x0, y1 - y0);
}

void FocusRing::draw() {
    CCRenderer* r = CCRenderer::current();
    if (!r || !focused()) return;
    const CCRect world = focusedRect();
    // The ring is drawn in this node's space, so a screen in a transition carries it along.
    const CCPoint a = convertToNodeSpace(CCPoint(world.getMinX(), world.getMinY()));
    const CCPoint b = convertToNodeSpace(CCPoint(world.getMaxX(), world.getMaxY()));
    const float x0 = std::min(a.x, b.x), y0 = std::min(a.y, b.y), x1 = std::max(a.x, b.x), y1 = std::max(a.y, b.y);
    const CCAffineTransform& t = visitTransform();
    frame(r, t, x0, y0, x1, y1, kGap + kOutline + kBand + kOutline, kOutline + kBand + kOutline, kOutlineColour);
    frame(r, t, x0, y0, x1, y1, kGap + kOutline + kBand, kBand, kBandColour);
}

}  // namespace app
