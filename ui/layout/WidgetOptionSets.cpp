// WidgetOptionSets: every option set, key by key, in the order the widgets must receive them.
//
// Index:
//   - textures: the legacy plain keys, resource references, local files
//   - shared sets: widget, colour, container
//   - buttons: button, text button
//   - images and texts: image view, label, text area, atlas label, bitmap-font label
//   - controls: check box, loading bar, slider, text field
//   - panels: panel, scroll view, drag panel, page view
#include "ui/layout/WidgetOptionSets.h"

#include <climits>
#include <cmath>
#include <cstdint>

#include "engine/text/CCLabelProtocol.h"
#include "ui/containers/UIDragPanel.h"
#include "ui/containers/UIPageView.h"
#include "ui/containers/UIScrollView.h"
#include "ui/controls/UICheckBox.h"
#include "ui/controls/UILabelAtlas.h"
#include "ui/controls/UILabelBMFont.h"
#include "ui/controls/UILoadingBar.h"
#include "ui/controls/UISlider.h"
#include "ui/controls/UITextField.h"
#include "ui/layout/JsonDictionary.h"
#include "ui/layout/LayoutPaths.h"
#include "ui/widgets/Layout.h"
#include "ui/widgets/UIButton.h"
#include "ui/widgets/UIImageView.h"
#include "ui/widgets/UILabel.h"

namespace ui {

using namespace engine;

namespace {

uint8_t byteOf(int v) { return static_cast<uint8_t>(v); }

// An integer read of a component that counts as 255 when its key is absent.
uint8_t componentOr255(const JsonDictionary& options, const char* key) {
    return options.hasKey(key) ? byteOf(options.readInt(key)) : 255;
}

CCRect capInsetsOf(const JsonDictionary& options) {
    return CCRect(options.readFloat("capInsetsX"), options.readFloat("capInsetsY"), options.readFloat("capInsetsWidth"),
                  options.readFloat("capInsetsHeight"));
}

// A float read truncated to an integer, saturating where the int range ends.
int truncatedFloat(const JsonDictionary& options, const char* key) {
    double d = options.readFloat(key);
    if (std::isnan(d)) return 0;
    return d >= INT_MAX ? INT_MAX : d <= INT_MIN ? INT_MIN : static_cast<int>(d);
}

}  // namespace

WidgetOptionSets::WidgetOptionSets(bool legacy, const std::string& layoutDirectory)
    : m_legacy(legacy), m_layoutDirectory(layoutDirectory) {}

// --- textures ---------------------------------------------------------------------------------

std::string WidgetOptionSets::localFile(const char* name) const { return composeLayoutPath(m_layoutDirectory, name); }

WidgetOptionSets::Texture WidgetOptionSets::legacyTexture(const JsonDictionary& options, const char* key) const {
    Texture t;
    const char* name = options.readString(key);
    if (options.readBool("useMergedTexture")) {
        t.type = TEX_RES_SPRITE_FRAME;
        t.hasName = name != nullptr;
        if (name) t.file = name;
        return t;
    }
    t.file = localFile(name);
    t.hasName = !t.file.empty();
    return t;
}

WidgetOptionSets::Texture WidgetOptionSets::referenceTexture(const JsonDictionary& options, const char* key) const {
    Texture t;
    JsonDictionary reference = options.subDictionary(key);
    const int type = reference.readInt("resourceType");
    const char* path = reference.readString("path");
    if (type == TEX_RES_LOCAL_FILE) {
        t.file = localFile(path);
        t.hasName = !t.file.empty();
    } else if (type == TEX_RES_SPRITE_FRAME) {
        t.type = TEX_RES_SPRITE_FRAME;
        t.hasName = path != nullptr;
        if (path) t.file = path;
    } else {
        t.load = false;
    }
    return t;
}

WidgetOptionSets::Texture WidgetOptionSets::texture(const JsonDictionary& options, const char* legacyKey) const {
    if (m_legacy) return legacyTexture(options, legacyKey);
    return referenceTexture(options, (std::string(legacyKey) + "Data").c_str());
}

std::string WidgetOptionSets::localFileOfReference(const JsonDictionary& options, const char* key) const {
    JsonDictionary reference = options.subDictionary(key);
    if (reference.readInt("resourceType") != TEX_RES_LOCAL_FILE) return std::string();
    return localFile(reference.readString("path"));
}

// --- shared sets ------------------------------------------------------------------------------

void WidgetOptionSets::applyWidgetOptions(UIWidget* widget, const JsonDictionary& options) {
    if (options.hasKey("ignoreSize")) widget->setIgnoreSize(options.readBool("ignoreSize"));
    widget->setSize(CCSize(options.readFloat("width"), options.readFloat("height")));
    widget->setTag(options.readInt("tag"));
    widget->setActionTag(options.readInt("actiontag"));
    widget->setTouchEnabled(options.readBool("touchAble"));
    const char* name = options.readString("name");
    widget->setName(name ? name : "default");
    widget->setPosition(CCPoint(options.readFloat("x"), options.readFloat("y")));
    if (options.hasKey("scaleX")) widget->setScaleX(options.readFloat("scaleX"));
    if (options.hasKey("scaleY")) widget->setScaleY(options.readFloat("scaleY"));
    if (options.hasKey("rotation")) widget->setRotation(options.readFloat("rotation"));
    if (options.hasKey("visible")) widget->setVisible(options.readBool("visible"));
    widget->setZOrder(options.readInt("ZOrder"));
}

void WidgetOptionSets::applyColorOptions(UIWidget* widget, const JsonDictionary& options) {
    if (options.hasKey("opacity")) widget->setOpacity(options.readInt("opacity"));
    widget->setColor(ccc3(componentOr255(options, "colorR"), componentOr255(options, "colorG"),
                          componentOr255(options, "colorB")));
    const float ax = options.hasKey("anchorPointX") ? options.readFloat("anchorPointX") : 0.5f;
    const float ay = options.hasKey("anchorPointY") ? options.readFloat("anchorPointY") : 0.5f;
    widget->setAnchorPoint(CCPoint(ax, ay));
    widget->setFlipX(options.readBool("flipX"));
    widget->setFlipY(options.readBool("flipY"));
}

void WidgetOptionSets::applyContainerOptions(UIWidget* widget, const JsonDictionary& options) {
    applyWidgetOptions(widget, options);
    // Scrolling containers clip by their nature; the file's flag is not theirs to change.
    if (!dynamic_cast<UIScrollView*>(widget) && !dynamic_cast<UIDragPanel*>(widget)) {
        if (Layout* panel = dynamic_cast<Layout*>(widget)) panel->setClipAble(options.readBool("clipAble"));
    }
    applyColorOptions(widget, options);
}

// --- buttons ----------------------------------------------------------------------------------

void WidgetOptionSets::applyButtonOptions(UIWidget* widget, const JsonDictionary& options) {
    applyWidgetOptions(widget, options);
    UIButton* button = dynamic_cast<UIButton*>(widget);
    if (button) {
        const bool scale9 = options.readBool("scale9Enable");
        button->setScale9Enable(scale9);
        Texture normal = texture(options, "normal");
        Texture pressed = texture(options, "pressed");
        Texture disabled = texture(options, "disabled");
        if (normal.load) button->loadNormalTexture(normal.name(), normal.type);
        if (pressed.load) button->loadPressedTexture(pressed.name(), pressed.type);
        if (disabled.load) button->loadDisabledTexture(disabled.name(), disabled.type);
        if (scale9) {
            button->setCapInsets(capInsetsOf(options));
            if (options.hasKey("scale9Width") && options.hasKey("scale9Height"))
                button->setSize(CCSize(options.readFloat("scale9Width"), options.readFloat("scale9Height")));
        }
    }
    applyColorOptions(widget, options);
}

void WidgetOptionSets::applyTextButtonOptions(UIWidget* widget, const JsonDictionary& options) {
    applyButtonOptions(widget, options);
    if (UIButton* button = dynamic_cast<UIButton*>(widget)) {
        button->setTitleText(options.readString("text"));
        button->setTitleColor(ccc3(componentOr255(options, "textColorR"), componentOr255(options, "textColorG"),
                                   componentOr255(options, "textColorB")));
        if (options.hasKey("fontSize")) button->setTitleFontSize(static_cast<float>(options.readInt("fontSize")));
        if (options.hasKey("fontName")) button->setTitleFontName(options.readString("fontName"));
    }
    applyColorOptions(widget, options);
}

// --- images and texts -------------------------------------------------------------------------

void WidgetOptionSets::applyImageViewOptions(UIWidget* widget, const JsonDictionary& options) {
    applyWidgetOptions(widget, options);
    if (UIImageView* image = dynamic_cast<UIImageView*>(widget)) {
        const bool hasScale9 = options.hasKey("scale9Enable");
        const bool scale9 = hasScale9 && options.readBool("scale9Enable");
        Texture file = texture(options, "fileName");
        // The two forms differ only in whether the image or the nine-slice flag comes first.
        if (m_legacy && hasScale9) image->setScale9Enable(scale9);
        if (file.load) image->loadTexture(file.name(), file.type);
        if (!m_legacy && hasScale9) image->setScale9Enable(scale9);
        if (scale9) {
            if (options.hasKey("scale9Width") && options.hasKey("scale9Height"))
                image->setSize(CCSize(options.readFloat("scale9Width"), options.readFloat("scale9Height")));
            image->setCapInsets(capInsetsOf(options));
        }
    }
    applyColorOptions(widget, options);
}

void WidgetOptionSets::applyLabelOptions(UIWidget* widget, const JsonDictionary& options) {
    applyWidgetOptions(widget, options);
    if (UILabel* label = dynamic_cast<UILabel*>(widget)) {
        label->setTouchScaleEnable(options.readBool("touchScaleEnable"));
        label->setText(options.readString("text"));
        if (options.hasKey("fontSize")) label->setFontSize(options.readInt("fontSize"));
        if (options.hasKey("fontName")) label->setFontName(options.readString("fontName"));
        label->setColor(ccc3(componentOr255(options, "colorR"), componentOr255(options, "colorG"),
                             componentOr255(options, "colorB")));
    }
    applyColorOptions(widget, options);
}

void WidgetOptionSets::applyTextAreaOptions(UIWidget* widget, const JsonDictionary& options) {
    applyWidgetOptions(widget, options);
    if (UILabel* label = dynamic_cast<UILabel*>(widget)) {
        label->setText(options.readString("text"));
        if (options.hasKey("fontSize")) label->setFontSize(options.readInt("fontSize"));
        // Read whether present or not: a missing name is none, which the label ignores.
        label->setFontName(options.readString("fontName"));
        if (options.hasKey("areaWidth") && options.hasKey("areaHeight"))
            label->setAreaSize(CCSize(options.readFloat("areaWidth"), options.readFloat("areaHeight")));
        if (options.hasKey("hAlignment")) {
            const int h = options.readInt("hAlignment");
            if (h >= kCCTextAlignmentLeft && h <= kCCTextAlignmentRight)
                label->setHAlignment(static_cast<CCTextAlignment>(h));
        }
        if (options.hasKey("vAlignment")) {
            const int v = options.readInt("vAlignment");
            if (v >= kCCVerticalTextAlignmentTop && v <= kCCVerticalTextAlignmentBottom)
                label->setVAlignment(static_cast<CCVerticalTextAlignment>(v));
        }
    }
    applyColorOptions(widget, options);
}

void WidgetOptionSets::applyLabelAtlasOptions(UIWidget* widget, const JsonDictionary& options) {
    applyWidgetOptions(widget, options);
    UILabelAtlas* atlas = dynamic_cast<UILabelAtlas*>(widget);
    // The legacy key must be there in both forms; the current form takes its file elsewhere.
    const bool complete = options.hasKey("stringValue") && options.hasKey("charMapFile") &&
                          options.hasKey("itemWidth") && options.hasKey("itemHeight") &&
                          options.hasKey("startCharMap");
    if (atlas && complete) {
        std::string map = m_legacy ? localFile(options.readString("charMapFile"))
                                   : localFileOfReference(options, "charMapFileData");
        if (!map.empty())
            atlas->setAtlasProperties(options.readString("stringValue"), map.c_str(), options.readInt("itemWidth"),
                                      options.readInt("itemHeight"), options.readString("startCharMap"));
    }
    applyColorOptions(widget, options);
}

void WidgetOptionSets::applyLabelBMFontOptions(UIWidget* widget, const JsonDictionary& options) {
    applyWidgetOptions(widget, options);
    if (UILabelBMFont* label = dynamic_cast<UILabelBMFont*>(widget)) {
        std::string font = m_legacy ? localFile(options.readString("fileName"))
                                    : localFileOfReference(options, "fileNameData");
        if (!font.empty()) {
            label->setFontFile(font.c_str());
            if (const char* text = options.readString("text")) label->setText(text);
        }
    }
    applyColorOptions(widget, options);
}

// --- controls ---------------------------------------------------------------------------------

void WidgetOptionSets::applyCheckBoxOptions(UIWidget* widget, const JsonDictionary& options) {
    applyWidgetOptions(widget, options);
    if (UICheckBox* box = dynamic_cast<UICheckBox*>(widget)) {
        Texture t = texture(options, "backGroundBox");
        if (t.load) box->loadBackGroundBoxTexture(t.name(), t.type);
        t = texture(options, "backGroundBoxSelected");
        if (t.load) box->loadBackGroundBoxSelectedTexture(t.name(), t.type);
        t = texture(options, "frontCross");
        if (t.load) box->loadFrontCrossTexture(t.name(), t.type);
        t = texture(options, "backGroundBoxDisabled");
        if (t.load) box->loadBackGroundBoxDisabledTexture(t.name(), t.type);
        t = texture(options, "frontCrossDisabled");
        if (t.load) box->loadFrontCrossDisabledTexture(t.name(), t.type);
    }
    applyColorOptions(widget, options);
}

void WidgetOptionSets::applyLoadingBarOptions(UIWidget* widget, const JsonDictionary& options) {
    applyWidgetOptions(widget, options);
    if (UILoadingBar* bar = dynamic_cast<UILoadingBar*>(widget)) {
        Texture t = texture(options, "texture");
        if (t.load) bar->loadTexture(t.name(), t.type);
        if (!m_legacy) {
            const bool scale9 = options.readBool("scale9Enable");
            bar->setScale9Enable(scale9);
            if (scale9) {
                bar->setCapInsets(capInsetsOf(options));
                bar->setSize(CCSize(options.readFloat("width"), options.readFloat("height")));
            }
        }
        bar->setDirection(options.readInt("direction"));
        bar->setPercent(options.readInt("percent"));
    }
    applyColorOptions(widget, options);
}

void WidgetOptionSets::applySliderOptions(UIWidget* widget, const JsonDictionary& options) {
    applyWidgetOptions(widget, options);
    if (UISlider* slider = dynamic_cast<UISlider*>(widget)) {
        const bool scale9 = options.readBool("barTextureScale9Enable");
        slider->setScale9Enable(scale9);
        // Both forms look for the legacy key before taking a bar at all.
        if (options.hasKey("barFileName")) {
            const float length = options.readFloat("length");
            Texture bar = m_legacy ? legacyTexture(options, "barFileName") : referenceTexture(options, "barFileNameData");
            if (bar.load) slider->loadBarTexture(bar.name(), bar.type);
            if (scale9) slider->setSize(CCSize(length, slider->getContentSize().height));
        }
        Texture t = texture(options, "ballNormal");
        if (t.load) slider->loadBallNormalTexture(t.name(), t.type);
        t = texture(options, "ballPressed");
        if (t.load) slider->loadBallPressedTexture(t.name(), t.type);
        t = texture(options, "ballDisabled");
        if (t.load) slider->loadBallDisabledTexture(t.name(), t.type);
        slider->setPercent(options.readInt("percent"));
        t = m_legacy ? legacyTexture(options, "progressBarFileName") : referenceTexture(options, "progressBarData");
        if (t.load) slider->loadProgressBarTexture(t.name(), t.type);
    }
    applyColorOptions(widget, options);
}

void WidgetOptionSets::applyTextFieldOptions(UIWidget* widget, const JsonDictionary& options) {
    applyWidgetOptions(widget, options);
    if (UITextField* field = dynamic_cast<UITextField*>(widget)) {
        if (options.hasKey("placeHolder")) field->setPlaceHolder(options.readString("placeHolder"));
        field->setText(options.readString("text"));
        if (options.hasKey("fontSize")) field->setFontSize(static_cast<float>(options.readInt("fontSize")));
        if (options.hasKey("fontName")) field->setFontName(options.readString("fontName"));
        if (options.hasKey("touchSizeWidth") && options.hasKey("touchSizeHeight"))
            field->setTouchSize(CCSize(options.readFloat("touchSizeWidth"), options.readFloat("touchSizeHeight")));
        const bool maxLengthEnable = options.readBool("maxLengthEnable");
        field->setMaxLengthEnable(maxLengthEnable);
        if (maxLengthEnable) field->setMaxLength(options.readInt("maxLength"));
        const bool passwordEnable = options.readBool("passwordEnable");
        field->setPasswordEnable(passwordEnable);
        if (passwordEnable) field->setPasswordStyleText(options.readString("passwordStyleText"));
    }
    applyColorOptions(widget, options);
}

// --- panels -----------------------------------------------------------------------------------

void WidgetOptionSets::applyPanelOptions(UIWidget* widget, const JsonDictionary& options) {
    applyContainerOptions(widget, options);
    if (Layout* panel = dynamic_cast<Layout*>(widget)) {
        const bool scale9 = options.readBool("backGroundScale9Enable");
        panel->setBackGroundScale9Enable(scale9);
        const ccColor3B single = ccc3(byteOf(options.readInt("bgColorR")), byteOf(options.readInt("bgColorG")),
                                      byteOf(options.readInt("bgColorB")));
        const ccColor3B start =
            ccc3(byteOf(options.readInt("bgStartColorR")), byteOf(options.readInt("bgStartColorG")),
                 byteOf(options.readInt("bgStartColorB")));
        const ccColor3B end = ccc3(byteOf(options.readInt("bgEndColorR")), byteOf(options.readInt("bgEndColorG")),
                                   byteOf(options.readInt("bgEndColorB")));
        const CCPoint vector(options.readFloat("vectorX"), options.readFloat("vectorY"));
        const int opacity = options.readInt("bgColorOpacity");
        int colorType = options.readInt("colorType");
        if (colorType < BG_COLOR_NONE || colorType > BG_COLOR_GRADIENT) colorType = BG_COLOR_NONE;
        panel->setBackGroundColorVector(vector);
        panel->setBackGroundColorType(static_cast<BackGroundColorType>(colorType));
        panel->setBackGroundColor(start, end);
        panel->setBackGroundColor(single);
        panel->setBackGroundColorOpacity(opacity);
        Texture image = texture(options, "backGroundImage");
        if (image.load) panel->setBackGroundImage(image.name(), image.type);
        if (scale9) panel->setBackGroundImageCapInsets(capInsetsOf(options));
    }
    applyColorOptions(widget, options);
}

void WidgetOptionSets::applyScrollViewOptions(UIWidget* widget, const JsonDictionary& options) {
    applyPanelOptions(widget, options);
    if (UIScrollView* view = dynamic_cast<UIScrollView*>(widget)) {
        view->setInnerSize(CCSize(options.readFloat("innerWidth"), options.readFloat("innerHeight")));
        view->setDirection(truncatedFloat(options, "direction"));
    }
    applyColorOptions(widget, options);
}

void WidgetOptionSets::applyDragPanelOptions(UIWidget* widget, const JsonDictionary& options) {
    applyPanelOptions(widget, options);
    if (UIDragPanel* panel = dynamic_cast<UIDragPanel*>(widget)) {
        panel->setBounceEnable(options.readBool("bounceEnable"));
        panel->setInnerSize(CCSize(options.readFloat("innerWidth"), options.readFloat("innerHeight")));
    }
    applyColorOptions(widget, options);
}

void WidgetOptionSets::applyPageViewOptions(UIWidget* widget, const JsonDictionary& options) {
    applyPanelOptions(widget, options);
    applyColorOptions(widget, options);
}

}  // namespace ui
