// widgetToJson: the common fields of every widget, then the option and touch state of its class, then its children.
//
// Index:
//   - numbers, colours, rectangles, file names
//   - the common fields
//   - per class: button, image view, label, atlas and bitmap-font labels, loading bar, slider,
//     check box, text field, panels (scroll view, drag panel, page view)
#include "ui/layout/WidgetJson.h"

#include <cmath>
#include <memory>
#include <sstream>
#include <string>

#include "engine/io/CCFileUtils.h"
#include "engine/render/CCTexture2D.h"
#include "engine/sprites/CCSprite.h"
#include "engine/text/CCLabelBMFont.h"
#include "engine/text/CCLabelTTF.h"
#include "ui/containers/UIDragPanel.h"
#include "ui/containers/UIPageView.h"
#include "ui/containers/UIScrollView.h"
#include "ui/nodes/UICCLabelAtlas.h"
#include "ui/nodes/UICCTextField.h"
#include "ui/controls/UICheckBox.h"
#include "ui/controls/UILabelAtlas.h"
#include "ui/controls/UILabelBMFont.h"
#include "ui/controls/UILoadingBar.h"
#include "ui/controls/UISlider.h"
#include "ui/controls/UITextField.h"
#include "ui/widgets/Layout.h"
#include "ui/widgets/UIButton.h"
#include "ui/widgets/UIImageView.h"
#include "ui/widgets/UILabel.h"
#include "ui/widgets/UIWidget.h"

namespace ui {

using namespace engine;

// --- numbers, colours, rectangles, file names -------------------------------------------------

Json::Value jsonNumber(double v) {
    if (!std::isfinite(v)) return Json::Value();
    double r = std::round(v * 10000.0) / 10000.0;
    if (r == 0) r = 0;  // no "-0"
    if (std::fabs(r) < 9.0e15 && r == std::floor(r)) return Json::Value(static_cast<Json::Int64>(r));
    return Json::Value(r);
}

Json::Value jsonFileName(const char* name) {
    if (!name) return Json::Value();
    std::string s(name);
    const std::string& root = CCFileUtils::sharedFileUtils()->getResourceRoot();
    if (!root.empty() && s.size() > root.size() + 1 && s.compare(0, root.size(), root) == 0 && s[root.size()] == '/')
        s.erase(0, root.size() + 1);
    return Json::Value(s);
}

std::string jsonLine(const Json::Value& value) {
    Json::StreamWriterBuilder builder;
    builder["indentation"] = "";
    builder["emitUTF8"] = true;
    builder["precision"] = 10;
    std::unique_ptr<Json::StreamWriter> writer(builder.newStreamWriter());
    std::ostringstream out;
    writer->write(value, &out);
    return out.str();
}

namespace {

Json::Value pair(double a, double b) {
    Json::Value v(Json::arrayValue);
    v.append(jsonNumber(a));
    v.append(jsonNumber(b));
    return v;
}

Json::Value pointJson(const CCPoint& p) { return pair(p.x, p.y); }
Json::Value sizeJson(const CCSize& s) { return pair(s.width, s.height); }

Json::Value rectJson(const CCRect& r) {
    Json::Value v(Json::arrayValue);
    v.append(jsonNumber(r.origin.x));
    v.append(jsonNumber(r.origin.y));
    v.append(jsonNumber(r.size.width));
    v.append(jsonNumber(r.size.height));
    return v;
}

Json::Value colorJson(const ccColor3B& c) {
    Json::Value v(Json::arrayValue);
    v.append(c.r);
    v.append(c.g);
    v.append(c.b);
    return v;
}

Json::Value textureJson(const char* name, TextureResType type) {
    Json::Value v(Json::objectValue);
    v["name"] = type == TEX_RES_LOCAL_FILE ? jsonFileName(name) : Json::Value(name ? name : "");
    v["type"] = static_cast<int>(type);
    return v;
}

// The texture a sprite shows: its file, or for a frame the image of its sheet.
Json::Value spriteTextureJson(CCSprite* sprite, TextureResType type) {
    Json::Value v(Json::objectValue);
    v["type"] = static_cast<int>(type);
    CCTexture2D* texture = sprite ? sprite->getTexture() : nullptr;
    v["texture"] = texture ? jsonFileName(texture->getPath().c_str()) : Json::Value("");
    return v;
}

Json::Value text(const char* s) { return Json::Value(s ? s : ""); }

// --- per class --------------------------------------------------------------------------------

void addButton(Json::Value& out, UIButton* b) {
    out["scale9"] = b->isScale9Enabled();
    out["capInsets"] = rectJson(b->getNormalCapInsets());
    Json::Value textures(Json::objectValue);
    textures["normal"] = textureJson(b->getNormalFileName(), b->getNormalTextureType());
    textures["pressed"] = textureJson(b->getPressedFileName(), b->getPressedTextureType());
    textures["disabled"] = textureJson(b->getDisabledFileName(), b->getDisabledTextureType());
    out["textures"] = textures;
    Json::Value title(Json::objectValue);
    title["text"] = text(b->getTitleText());
    title["color"] = colorJson(b->getTitleColor());
    title["fontName"] = text(b->getTitleFontName());
    title["fontSize"] = jsonNumber(b->getTitleFontSize());
    out["title"] = title;
}

void addImageView(Json::Value& out, UIImageView* image) {
    out["texture"] = textureJson(image->getTextureFile(), image->getTextureType());
    out["scale9"] = image->isScale9Enabled();
    out["capInsets"] = rectJson(image->getCapInsets());
}

void addLabel(Json::Value& out, UILabel* label) {
    out["text"] = text(label->getStringValue());
    out["fontName"] = text(label->getFontName());
    out["fontSize"] = jsonNumber(label->getFontSize());
    out["touchScaleEnabled"] = label->isTouchScaleEnabled();
    if (CCLabelTTF* ttf = label->getLabelRenderer()) {
        out["areaSize"] = sizeJson(ttf->getDimensions());
        out["hAlignment"] = static_cast<int>(ttf->getHorizontalAlignment());
        out["vAlignment"] = static_cast<int>(ttf->getVerticalAlignment());
    }
}

void addLabelAtlas(Json::Value& out, UILabelAtlas* atlas) {
    out["text"] = text(atlas->getStringValue());
    if (UICCLabelAtlas* r = atlas->getAtlasRenderer()) {
        CCTexture2D* texture = r->getTexture();
        out["charMap"] = texture ? jsonFileName(texture->getPath().c_str()) : Json::Value("");
        out["itemWidth"] = r->getItemWidth();
        out["itemHeight"] = r->getItemHeight();
        out["startChar"] = r->getStartChar();
    }
}

void addLabelBMFont(Json::Value& out, UILabelBMFont* label) {
    out["text"] = text(label->getStringValue());
    out["fontFileSet"] = label->isFontFileSet();
    CCLabelBMFont* r = label->getFontRenderer();
    out["fontFile"] = r ? jsonFileName(r->getFntFile()) : Json::Value("");
}

void addLoadingBar(Json::Value& out, UILoadingBar* bar) {
    out["texture"] = textureJson(bar->getTextureFile(), bar->getTextureType());
    out["scale9"] = bar->isScale9Enabled();
    out["capInsets"] = rectJson(bar->getCapInsets());
    out["direction"] = bar->getDirection();
    out["percent"] = bar->getPercent();
}

void addSlider(Json::Value& out, UISlider* slider) {
    out["scale9"] = slider->isScale9Enabled();
    out["length"] = jsonNumber(slider->getBarLength());
    out["percent"] = slider->getPercent();
    Json::Value textures(Json::objectValue);
    textures["bar"] = textureJson(slider->getBarTextureFile(), slider->getBarTextureType());
    textures["progressBar"] = textureJson(slider->getProgressBarTextureFile(), slider->getProgressBarTextureType());
    textures["ballNormal"] = textureJson(slider->getBallNormalTextureFile(), slider->getBallNormalTextureType());
    textures["ballPressed"] = textureJson(slider->getBallPressedTextureFile(), slider->getBallPressedTextureType());
    textures["ballDisabled"] = textureJson(slider->getBallDisabledTextureFile(), slider->getBallDisabledTextureType());
    out["textures"] = textures;
}

void addCheckBox(Json::Value& out, UICheckBox* box) {
    out["selected"] = box->isSelected();
    Json::Value textures(Json::objectValue);
    textures["backGroundBox"] = spriteTextureJson(box->getBoxSprite(), box->getBackGroundBoxTextureType());
    textures["backGroundBoxSelected"] =
        spriteTextureJson(box->getBoxSelectedSprite(), box->getBackGroundBoxSelectedTextureType());
    textures["frontCross"] = spriteTextureJson(box->getCrossSprite(), box->getFrontCrossTextureType());
    textures["backGroundBoxDisabled"] =
        spriteTextureJson(box->getBoxDisabledSprite(), box->getBackGroundBoxDisabledTextureType());
    textures["frontCrossDisabled"] =
        spriteTextureJson(box->getCrossDisabledSprite(), box->getFrontCrossDisabledTextureType());
    out["textures"] = textures;
}

void addTextField(Json::Value& out, UITextField* field) {
    out["text"] = text(field->getStringValue());
    out["placeHolder"] = text(field->getPlaceHolder());
    if (UICCTextField* r = field->getTextFieldRenderer()) {
        out["fontName"] = text(r->getFontName());
        out["fontSize"] = jsonNumber(r->getFontSize());
    }
    out["maxLengthEnabled"] = field->isMaxLengthEnabled();
    out["maxLength"] = field->getMaxLength();
    out["passwordEnabled"] = field->isPasswordEnabled();
    out["passwordStyleText"] = text(field->getPasswordStyleText());
    out["touchSize"] = sizeJson(field->getTouchSize());
    out["useTouchArea"] = field->isUseTouchArea();
}

void addPanel(Json::Value& out, Layout* panel) {
    out["clipAble"] = panel->isClipAble();
    out["layoutType"] = static_cast<int>(panel->getLayoutType());
    out["colorType"] = static_cast<int>(panel->getBackGroundColorType());
    out["bgColor"] = colorJson(panel->getBackGroundColor());
    out["bgStartColor"] = colorJson(panel->getBackGroundStartColor());
    out["bgEndColor"] = colorJson(panel->getBackGroundEndColor());
    out["bgColorOpacity"] = panel->getBackGroundColorOpacity();
    out["bgColorVector"] = pointJson(panel->getBackGroundColorVector());
    out["backGroundImage"] =
        textureJson(panel->getBackGroundImageFileName(), panel->getBackGroundImageTextureType());
    out["backGroundScale9"] = panel->isBackGroundScale9Enable();
    out["backGroundCapInsets"] = rectJson(panel->getBackGroundImageCapInsets());
}

void addInner(Json::Value& out, Layout* inner) {
    if (!inner) return;
    out["innerSize"] = sizeJson(inner->getSize());
    out["innerPosition"] = pointJson(inner->getPosition());
}

void addClassState(Json::Value& out, UIWidget* w) {
    if (auto* b = dynamic_cast<UIButton*>(w)) addButton(out, b);
    else if (auto* i = dynamic_cast<UIImageView*>(w)) addImageView(out, i);
    else if (auto* l = dynamic_cast<UILabel*>(w)) addLabel(out, l);
    else if (auto* a = dynamic_cast<UILabelAtlas*>(w)) addLabelAtlas(out, a);
    else if (auto* f = dynamic_cast<UILabelBMFont*>(w)) addLabelBMFont(out, f);
    else if (auto* bar = dynamic_cast<UILoadingBar*>(w)) addLoadingBar(out, bar);
    else if (auto* s = dynamic_cast<UISlider*>(w)) addSlider(out, s);
    else if (auto* c = dynamic_cast<UICheckBox*>(w)) addCheckBox(out, c);
    else if (auto* t = dynamic_cast<UITextField*>(w)) addTextField(out, t);

    if (auto* panel = dynamic_cast<Layout*>(w)) {
        addPanel(out, panel);
        if (auto* scroll = dynamic_cast<UIScrollView*>(w)) {
            addInner(out, scroll->getInnerContainer());
            out["direction"] = scroll->getDirection();
        } else if (auto* drag = dynamic_cast<UIDragPanel*>(w)) {
            addInner(out, drag->getInnerContainer());
            out["bounceEnabled"] = drag->isBounceEnable();
        } else if (auto* pages = dynamic_cast<UIPageView*>(w)) {
            out["currentPage"] = pages->getCurPageIndex();
            out["pageCount"] = pages->getPageCount();
        }
    }
}

Json::Value widgetJson(UIWidget* w, int depth) {
    Json::Value out(Json::objectValue);
    out["type"] = text(w->getTypeName());
    out["name"] = text(w->getName());
    out["tag"] = w->getTag();
    out["actionTag"] = w->getActionTag();
    out["position"] = pointJson(w->getPosition());
    out["size"] = sizeJson(w->getSize());
    out["anchor"] = pointJson(w->getAnchorPoint());
    out["zOrder"] = w->getZOrder();
    out["visible"] = w->isVisible();
    out["touchEnabled"] = w->isTouchEnabled();
    out["enabled"] = w->isEnabled();
    out["bright"] = w->isBright();
    out["ignoreSize"] = w->isIgnoreSize();
    out["color"] = colorJson(w->getColor());
    out["opacity"] = w->getOpacity();
    out["scaleX"] = jsonNumber(w->getScaleX());
    out["scaleY"] = jsonNumber(w->getScaleY());
    out["rotation"] = jsonNumber(w->getRotation());
    out["flipX"] = w->isFlipX();
    out["flipY"] = w->isFlipY();
    addClassState(out, w);
    Json::Value children(Json::arrayValue);
    if (depth < kMaxJsonWidgetDepth) {
        if (CCArray* list = w->getChildren()) {
            for (CCObject* o : *list) children.append(widgetJson(static_cast<UIWidget*>(o), depth + 1));
        }
    }
    out["children"] = children;
    return out;
}

}  // namespace

Json::Value widgetToJson(UIWidget* widget) { return widget ? widgetJson(widget, 0) : Json::Value(); }

}  // namespace ui
