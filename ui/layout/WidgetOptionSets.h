// The option sets of layout files: for each widget class, which keys of its "options" drive which setters, in both file forms.
//
//   - Integer colour components are cut to a byte (256 is 0), as the colour type takes them.
//   - "colorType" outside 0 .. 2 counts as 0 (no background colour), and "hAlignment" or
//     "vAlignment" outside 0 .. 2 are ignored: such numbers name no kind of the widgets.
//   - A resource reference of another type than 0 or 1 calls no loader at all.
//   - A name refused by the path rule of LayoutPaths.h is handed on like a missing name.
#pragma once

#include <string>

#include "ui/widgets/UIWidget.h"

namespace ui {

class JsonDictionary;

class WidgetOptionSets {
public:
    // legacy selects the plain-key form; layoutDirectory prefixes every local file name.
    WidgetOptionSets(bool legacy, const std::string& layoutDirectory);

    typedef void (WidgetOptionSets::*Applier)(UIWidget* widget, const JsonDictionary& options);

    // --- shared sets ---------------------------------------------------------------------------
    void applyWidgetOptions(UIWidget* widget, const JsonDictionary& options);
    void applyColorOptions(UIWidget* widget, const JsonDictionary& options);
    // The widget set, "clipAble" (not for scroll views and drag panels), the colour set.
    void applyContainerOptions(UIWidget* widget, const JsonDictionary& options);

    // --- one per class of the class table ------------------------------------------------------
    void applyButtonOptions(UIWidget* widget, const JsonDictionary& options);
    void applyTextButtonOptions(UIWidget* widget, const JsonDictionary& options);
    void applyCheckBoxOptions(UIWidget* widget, const JsonDictionary& options);
    void applyImageViewOptions(UIWidget* widget, const JsonDictionary& options);
    void applyLabelOptions(UIWidget* widget, const JsonDictionary& options);
    void applyTextAreaOptions(UIWidget* widget, const JsonDictionary& options);
    void applyLabelAtlasOptions(UIWidget* widget, const JsonDictionary& options);
    void applyLabelBMFontOptions(UIWidget* widget, const JsonDictionary& options);
    void applyLoadingBarOptions(UIWidget* widget, const JsonDictionary& options);
    void applySliderOptions(UIWidget* widget, const JsonDictionary& options);
    void applyTextFieldOptions(UIWidget* widget, const JsonDictionary& options);
    void applyPanelOptions(UIWidget* widget, const JsonDictionary& options);
    void applyScrollViewOptions(UIWidget* widget, const JsonDictionary& options);
    void applyDragPanelOptions(UIWidget* widget, const JsonDictionary& options);
    void applyPageViewOptions(UIWidget* widget, const JsonDictionary& options);

    // A texture as the loaders take it: a name (or none) and its kind.
    struct Texture {
        bool load = true;  // false: call no loader (a reference of an unknown type)
        bool hasName = false;
        std::string file;
        TextureResType type = TEX_RES_LOCAL_FILE;
        const char* name() const { return hasName ? file.c_str() : nullptr; }
    };
    // The plain-key form: "useMergedTexture" passes the name unchanged as a sprite frame,
    // otherwise it is a file in the layout directory.
    Texture legacyTexture(const JsonDictionary& options, const char* key) const;
    // A resource reference {"resourceType", "path"} under key.
    Texture referenceTexture(const JsonDictionary& options, const char* key) const;
    // Whichever form this file uses: key in the legacy form, key + "Data" in the current one.
    Texture texture(const JsonDictionary& options, const char* legacyKey) const;
    // A type-0 file only (atlas and bitmap-font files): empty for other types and for no name.
    std::string localFileOfReference(const JsonDictionary& options, const char* key) const;
    // A local file name joined to the layout directory; empty for none or a refused name.
    std::string localFile(const char* name) const;

private:
    bool m_legacy;
    std::string m_layoutDirectory;
};

}  // namespace ui
