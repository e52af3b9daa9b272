// UIRootWidget: a panel sized to the director's window.
#include "ui/widgets/UIRootWidget.h"

#include "engine/base/CCCreate.h"
#include "engine/scene/CCDirector.h"

namespace ui {

UIRootWidget::~UIRootWidget() = default;

UIRootWidget* UIRootWidget::create() {
    UIRootWidget* root = new UIRootWidget();
    return autoreleasedOrNull(root, root->init());
}

const char* UIRootWidget::getTypeName() { return "RootWidget"; }

bool UIRootWidget::init() {
    if (!Layout::init()) return false;
    setSize(engine::CCDirector::sharedDirector()->getWinSize());
    return true;
}

}  // namespace ui
