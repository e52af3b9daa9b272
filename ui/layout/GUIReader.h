// The layout file reader: JSON text to a live widget tree, with its sprite sheets, design size and animations.
//
//   - Parsing: the whole text, comments allowed, no trailing-text check, a leading byte-order
//     mark skipped, and a nesting limit (kMaxJsonDepth). A parse that stops early, at a syntax
//     error or at the nesting limit, leaves what was read so far, and reading goes on with it.
//   - A subtree under an entry that yields no widget is skipped. A document without a usable
//     "widgetTree" gives no widget (its animations are still registered, unbound).
//   - Entries deeper than kMaxWidgetDepth, and entries past the kMaxWidgetsPerFile-th widget of
//     one file, yield no widget: a hostile file can neither exhaust the stack nor the memory,
//     nor keep the reader busy for long (adding a child costs time in the number of siblings).
//     Book pages hold a few dozen widgets; the limits are far above anything real.
//   - "textures": elements that are not strings, empty names and names that would leave the
//     book folder are skipped (see LayoutPaths.h); at most kMaxSheetsPerFile are looked at.
//   - The layout directory and the legacy flag stay readable after a read (inspection tools).
#pragma once

#include <cstddef>
#include <string>

namespace ui {

class JsonDictionary;
class UIWidget;

class GUIReader {
public:
    static constexpr int kMaxJsonDepth = 1000;
    static constexpr int kMaxWidgetDepth = 400;
    static constexpr int kMaxWidgetsPerFile = 10000;
    static constexpr int kMaxSheetsPerFile = 1000;

    // Created on first use; the purge of GUIHelper deletes it too.
    static GUIReader* sharedReader();
    static void purgeReader();

    // The root widget of a layout file (autoreleased), or null. The name goes to the engine's
    // file utilities unchanged, and is the key of the file's animations.
    UIWidget* widgetFromLayoutFile(const char* fileName);
    // The same for text already in memory; fullPath gives the layout directory.
    UIWidget* widgetFromLayoutText(const char* fileName, const std::string& fullPath, const char* text,
                                   size_t length);
    // One widget entry with its subtree, or null.
    UIWidget* widgetFromDictionary(const JsonDictionary& entry);

    // "1.0.0.0" gives 1000, "0.2.4.0" gives 240; texts shorter than 7 characters give 0.
    static int versionToInteger(const char* version);
    // The text as a document, parsed the way layout files are (see the top of this file).
    // syntaxError, when given, receives the parser's first complaint ("Line 3, Column 5:
    // Missing '}'..."), or stays empty when the whole text parsed. Touches no shared state.
    static JsonDictionary parseLayoutText(const char* text, size_t length, std::string* syntaxError = nullptr);
    // Whether an entry of this "classname" yields a widget, and whether that widget is a panel
    // (a Layout, what a page or screen file must have at its root).
    static bool classMakesWidget(const char* classname);
    static bool classMakesPanel(const char* classname);

    bool isLegacy() const { return m_legacy; }
    const std::string& getLayoutDirectory() const { return m_layoutDirectory; }

private:
    GUIReader() = default;
    ~GUIReader() = default;
    GUIReader(const GUIReader&) = delete;
    GUIReader& operator=(const GUIReader&) = delete;

    UIWidget* buildLayout(const char* fileName, const JsonDictionary& document);
    UIWidget* buildEntry(const JsonDictionary& entry, int depth);
    void loadSheets(const JsonDictionary& document);

    std::string m_layoutDirectory;
    bool m_legacy = false;
    int m_widgetBudget = kMaxWidgetsPerFile;
};

}  // namespace ui
