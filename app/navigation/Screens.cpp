// The installed screens, and the stand-in that only logs while none are installed.
#include "app/navigation/Screens.h"

#include "engine/base/CCLog.h"

namespace app {

namespace {

Screens* s_installed = nullptr;

// Answers navigation before start-up (or after shut-down) with a log line instead of a crash.
class NoScreens : public Screens {
public:
    void showContents() override { refuse("the contents screen"); }
    void showUnitMenu() override { refuse("a unit menu"); }
    void showPage(PageTwin, PageEntry, int) override { refuse("a page"); }
    void showSettings() override { refuse("the settings screen"); }

private:
    static void refuse(const char* what) { engine::CCLog("Screens: none installed; %s is not shown", what); }
};

}  // namespace

Screens::~Screens() = default;

Screens* Screens::installed() { return s_installed; }

void Screens::install(Screens* screens) { s_installed = screens; }

Screens& Screens::get() {
    static NoScreens none;
    return s_installed ? *s_installed : none;
}

}  // namespace app
