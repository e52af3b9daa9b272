// VisibleArea: the view's visible origin and size, read once while the cache is still empty.
#include "app/book/VisibleArea.h"

#include "engine/scene/CCEGLView.h"

using namespace engine;

namespace app {

namespace {
CCRect s_rect;
}

void VisibleArea::lazyInit() {
    // Cached only once the view reports a real size.
    if (s_rect.size.width == 0 && s_rect.size.height == 0) {
        CCEGLView* view = CCEGLView::sharedOpenGLView();
        s_rect.origin = view->getVisibleOrigin();
        s_rect.size = view->getVisibleSize();
    }
}

void VisibleArea::reset() { s_rect = CCRect(); }

CCRect VisibleArea::rect() {
    lazyInit();
    return s_rect;
}

CCPoint VisibleArea::origin() {
    lazyInit();
    return s_rect.origin;
}

CCSize VisibleArea::size() {
    lazyInit();
    return s_rect.size;
}

CCPoint VisibleArea::left() {
    lazyInit();
    return CCPoint(s_rect.origin.x, s_rect.origin.y + s_rect.size.height / 2);
}

CCPoint VisibleArea::right() {
    lazyInit();
    return CCPoint(s_rect.origin.x + s_rect.size.width, s_rect.origin.y + s_rect.size.height / 2);
}

CCPoint VisibleArea::top() {
    lazyInit();
    return CCPoint(s_rect.origin.x + s_rect.size.width / 2, s_rect.origin.y + s_rect.size.height);
}

CCPoint VisibleArea::bottom() {
    lazyInit();
    return CCPoint(s_rect.origin.x + s_rect.size.width / 2, s_rect.origin.y);
}

CCPoint VisibleArea::center() {
    lazyInit();
    return CCPoint(s_rect.origin.x + s_rect.size.width / 2, s_rect.origin.y + s_rect.size.height / 2);
}

}  // namespace app
