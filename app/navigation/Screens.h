// How one screen of the reader opens another: every screen asks the installed Screens for the
// next one, so no screen includes another. The shell builds the screens and installs them.
#pragma once

namespace app {

// The two page classes that take turns: a page turn always builds the other one.
enum class PageTwin { First, Second };

// How a page comes on screen.
enum class PageEntry {
    Cut,       // replaces the screen at once (the unit menu's way in)
    Turn,      // the page curl, backwards for direction -1; a cut for direction 0
    FlipBack,  // a zero-length zoom flip (the settings screen's way back)
};

class Screens {
public:
    virtual ~Screens();

    // The contents screen, in a plain scene.
    virtual void showContents() = 0;
    // The unit menu of the chosen contents entry; cached data is purged first.
    virtual void showUnitMenu() = 0;
    // Page currentPage as the given twin, entering as given; direction (+1 next, -1 previous,
    // 0 none) only matters for a Turn.
    virtual void showPage(PageTwin twin, PageEntry entry, int direction) = 0;
    // The settings screen, flipping in.
    virtual void showSettings() = 0;

    // The screens every navigation goes to; null until the application installs them.
    static Screens* installed();
    // Installs screens (null uninstalls); the caller keeps them alive while installed.
    static void install(Screens* screens);
    // The installed screens; a screen that navigates before any are installed is a fault of the
    // program, logged, and the navigation does nothing.
    static Screens& get();
};

}  // namespace app
