// BookPageScene.
#include "app/shell/BookPageScene.h"

#include "ui/layout/ActionManager.h"
#include "ui/widgets/GUIHelper.h"

namespace app {

BookPageScene::BookPageScene() { CCScene::init(); }

BookPageScene::~BookPageScene() = default;

void BookPageScene::onExit() {
    ui::GUIHelper::purgeHelper();
    ui::ActionManager::purgeManager();
    CCScene::onExit();
}

}  // namespace app
