// The scene of a book page (and of the settings screen); it purges the toolkit's singletons on exit.
#pragma once

#include "engine/scene/CCScene.h"

namespace app {

class BookPageScene : public engine::CCScene {
public:
    // Constructed with new and initialised; the constructing reference belongs to the caller.
    BookPageScene();
    ~BookPageScene() override;
    // Runs after the next screen was built: the helper (with the layout reader) and the
    // animation manager are purged and made again by their next use.
    void onExit() override;
};

}  // namespace app
