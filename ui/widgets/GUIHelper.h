// The toolkit's process-wide helper: the design size of the layout file being read, the sprite sheets loaded, and widget lookups.
//
//   - Objects that live and die with the helper (the layout reader) register a purge hook with
//     addPurgeHook; purgeHelper runs the hooks, then deletes the helper. Hooks stay registered.
//   - Purging while a layout is being read is not supported: the reader must finish first.
//   - Lookups with a null root, a null parent or a null or empty name find nothing. The walks
//     keep their own stack rather than recursing.
#pragma once

#include "engine/base/CCArray.h"

namespace ui {

class Layout;
class UIWidget;

class GUIHelper {
public:
    static GUIHelper* sharedHelper();
    // Runs the purge hooks and deletes the helper; the next sharedHelper makes a fresh one.
    static void purgeHelper();
    // Registers a function run by every purgeHelper (once per function).
    static void addPurgeHook(void (*hook)());

    // Null, empty and already loaded names are ignored.
    void loadSpriteSheet(const char* plistFile);
    bool isSpriteSheetLoaded(const char* plistFile) const;
    engine::CCArray* getLoadedSpriteFrameFiles() const { return m_loadedSpriteFrameFiles; }

    void setFileDesignWidth(float width) { m_fileDesignWidth = width; }
    float getFileDesignWidth() const { return m_fileDesignWidth; }
    void setFileDesignHeight(float height) { m_fileDesignHeight = height; }
    float getFileDesignHeight() const { return m_fileDesignHeight; }

    // Depth first, the root before its children, children in order; the first match wins.
    UIWidget* findWidgetByName(UIWidget* root, const char* name);
    UIWidget* findWidgetByActionTag(UIWidget* root, int actionTag);
    // Only the panel's direct children whose relative parameter carries that relative name.
    UIWidget* findWidgetByRelativeName(Layout* parent, const char* name);

private:
    GUIHelper();
    ~GUIHelper();
    GUIHelper(const GUIHelper&) = delete;
    GUIHelper& operator=(const GUIHelper&) = delete;

    float m_fileDesignWidth = 0;
    float m_fileDesignHeight = 0;
    engine::CCArray* m_loadedSpriteFrameFiles = nullptr;  // of CCString, retained
};

}  // namespace ui
