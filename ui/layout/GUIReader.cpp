// GUIReader: reading a layout file step by step, the class table, and building entries into widgets.
//
// Index:
//   - the singleton
//   - version numbers and parsing
//   - reading a file: text, version, folder, sheets, design size, tree, root size, animations
//   - the class table and building one entry
#include "ui/layout/GUIReader.h"

#include <climits>
#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>

#include "engine/io/CCFileUtils.h"
#include "engine/scene/CCDirector.h"
#include "ui/containers/UIDragPanel.h"
#include "ui/containers/UIPageView.h"
#include "ui/containers/UIScrollView.h"
#include "ui/controls/UICheckBox.h"
#include "ui/controls/UILabelAtlas.h"
#include "ui/controls/UILabelBMFont.h"
#include "ui/controls/UILoadingBar.h"
#include "ui/controls/UISlider.h"
#include "ui/controls/UITextField.h"
#include "ui/layout/ActionManager.h"
#include "ui/layout/JsonDictionary.h"
#include "ui/layout/LayoutPaths.h"
#include "ui/layout/WidgetOptionSets.h"
#include "ui/widgets/GUIHelper.h"
#include "ui/widgets/Layout.h"
#include "ui/widgets/UIButton.h"
#include "ui/widgets/UIImageView.h"
#include "ui/widgets/UILabel.h"

namespace ui {

using namespace engine;

// --- the singleton ----------------------------------------------------------------------------

namespace {
GUIReader* s_sharedReader = nullptr;
}

GUIReader* GUIReader::sharedReader() {
    if (!s_sharedReader) {
        s_sharedReader = new GUIReader();
        // The reader lives and dies with the toolkit helper.
        GUIHelper::addPurgeHook(&GUIReader::purgeReader);
    }
    return s_sharedReader;
}

void GUIReader::purgeReader() {
    delete s_sharedReader;
    s_sharedReader = nullptr;
}

// --- version numbers and parsing --------------------------------------------------------------

namespace {

// Decimal atoi of the text from p up to end: blanks, a sign, digits; saturating, never UB.
long long fieldValue(const char* p, const char* end) {
    while (p < end && (*p == ' ' || (*p >= '\t' && *p <= '\r'))) ++p;
    bool negative = false;
    if (p < end && (*p == '+' || *p == '-')) negative = *p++ == '-';
    long long v = 0;
    for (; p < end && *p >= '0' && *p <= '9'; ++p) {
        if (v < INT_MAX) v = v * 10 + (*p - '0');
    }
    if (v > INT_MAX) v = INT_MAX;
    return negative ? -v : v;
}

}  // namespace

int GUIReader::versionToInteger(const char* version) {
    if (!version || std::strlen(version) < 7) return 0;
    const char* end = version + std::strlen(version);
    long long fields[4] = {0, 0, 0, 0};
    const char* p = version;
    for (int i = 0; i < 4 && p; ++i) {
        // The last field ends at a further "." as well.
        const char* dot = static_cast<const char*>(std::memchr(p, '.', static_cast<size_t>(end - p)));
        fields[i] = fieldValue(p, dot ? dot : end);
        p = dot ? dot + 1 : nullptr;
    }
    long long v = 1000 * fields[0] + 100 * fields[1] + 10 * fields[2] + fields[3];
    return v > INT_MAX ? INT_MAX : v < INT_MIN ? INT_MIN : static_cast<int>(v);
}

JsonDictionary GUIReader::parseLayoutText(const char* text, size_t length, std::string* syntaxError) {
    if (syntaxError) syntaxError->clear();
    Json::Value document;
    if (!text) return JsonDictionary(std::move(document));
    Json::CharReaderBuilder builder;
    builder["collectComments"] = false;
    builder["allowComments"] = true;
    builder["strictRoot"] = false;
    builder["failIfExtra"] = false;
    builder["rejectDupKeys"] = false;
    builder["allowSpecialFloats"] = false;
    builder["skipBom"] = true;
    builder["stackLimit"] = kMaxJsonDepth;
    std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    std::string errors;
    try {
        // Success is not asked for: a document cut short still gives what was read.
        if (!reader->parse(text, text + length, &document, &errors) && errors.empty()) errors = "not valid JSON";
    } catch (const std::exception& e) {
        // Thrown at the nesting limit; the value keeps the part read before it.
        errors = e.what();
    }
    if (syntaxError && !errors.empty()) {
        // The parser lists every complaint as "* Line L, Column C\n  what\n"; the first tells where.
        std::string first = errors.substr(0, errors.find("\n", errors.find("\n") + 1));
        if (first.rfind("* ", 0) == 0) first.erase(0, 2);
        const size_t wrap = first.find("\n");
        if (wrap != std::string::npos) {
            size_t text = wrap + 1;
            while (text < first.size() && first[text] == ' ') ++text;
            first = first.substr(0, wrap) + ": " + first.substr(text);
        }
        *syntaxError = first;
    }
    return JsonDictionary(std::move(document));
}

// --- reading a file ---------------------------------------------------------------------------

UIWidget* GUIReader::widgetFromLayoutFile(const char* fileName) {
    m_legacy = false;
    CCFileUtils* files = CCFileUtils::sharedFileUtils();
    unsigned long size = 0;
    std::unique_ptr<unsigned char[]> data(
        fileName && *fileName ? files->getFileData(fileName, "r", &size) : nullptr);
    if (!data || size == 0) {
        std::printf("read json file[%s] error!\n", fileName ? fileName : "");
        std::fflush(stdout);
        return nullptr;
    }
    return widgetFromLayoutText(fileName, files->fullPathForFilename(fileName), reinterpret_cast<const char*>(data.get()),
                                static_cast<size_t>(size));
}

UIWidget* GUIReader::widgetFromLayoutText(const char* fileName, const std::string& fullPath, const char* text,
                                             size_t length) {
    m_legacy = false;
    JsonDictionary document = parseLayoutText(text, length);
    const char* version = document.readString("version");
    m_legacy = !version || versionToInteger(version) < 250;
    m_layoutDirectory = layoutDirectoryOf(fullPath);
    return buildLayout(fileName, document);
}

void GUIReader::loadSheets(const JsonDictionary& document) {
    GUIHelper* helper = GUIHelper::sharedHelper();
    int count = document.arrayCount("textures");
    if (count > kMaxSheetsPerFile) count = kMaxSheetsPerFile;
    for (int i = 0; i < count; ++i) {
        std::string sheet = composeLayoutPath(m_layoutDirectory, document.arrayString("textures", i));
        if (!sheet.empty()) helper->loadSpriteSheet(sheet.c_str());
    }
}

UIWidget* GUIReader::buildLayout(const char* fileName, const JsonDictionary& document) {
    loadSheets(document);

    GUIHelper* helper = GUIHelper::sharedHelper();
    const float designWidth = document.readFloat("designWidth");
    const float designHeight = document.readFloat("designHeight");
    if (!(designWidth > 0) || !(designHeight > 0)) {
        std::printf("Read design size error!\n");
        std::fflush(stdout);
        CCSize win = CCDirector::sharedDirector()->getWinSize();
        helper->setFileDesignWidth(win.width);
        helper->setFileDesignHeight(win.height);
    } else {
        helper->setFileDesignWidth(designWidth);
        helper->setFileDesignHeight(designHeight);
    }

    m_widgetBudget = kMaxWidgetsPerFile;
    JsonDictionary tree = document.subDictionary("widgetTree");
    UIWidget* root = tree.isValid() ? buildEntry(tree, 0) : nullptr;

    // A panel root that the file gave no size takes the design size as read.
    if (root && dynamic_cast<Layout*>(root) && root->getContentSize().equals(CCSize(0, 0)))
        root->setSize(CCSize(designWidth, designHeight));

    ActionManager::sharedManager()->loadAnimations(fileName, document.subDictionary("animation"), root);
    return root;
}

// --- the class table and building one entry ---------------------------------------------------

namespace {

template <typename W>
UIWidget* make() {
    return W::create();
}

struct ClassEntry {
    const char* classname;
    UIWidget* (*create)();  // null: the entry yields no widget
    WidgetOptionSets::Applier apply;
    bool panel = false;  // the widget is a Layout
};

// Compared in this order; the first match decides.
const ClassEntry kClassTable[] = {
    {"Button", &make<UIButton>, &WidgetOptionSets::applyButtonOptions},
    {"CheckBox", &make<UICheckBox>, &WidgetOptionSets::applyCheckBoxOptions},
    {"Label", &make<UILabel>, &WidgetOptionSets::applyLabelOptions},
    {"LabelAtlas", &make<UILabelAtlas>, &WidgetOptionSets::applyLabelAtlasOptions},
    {"LoadingBar", &make<UILoadingBar>, &WidgetOptionSets::applyLoadingBarOptions},
    {"ScrollView", &make<UIScrollView>, &WidgetOptionSets::applyScrollViewOptions, true},
    {"TextArea", &make<UILabel>, &WidgetOptionSets::applyTextAreaOptions},
    {"TextButton", &make<UIButton>, &WidgetOptionSets::applyTextButtonOptions},
    {"TextField", &make<UITextField>, &WidgetOptionSets::applyTextFieldOptions},
    {"ImageView", &make<UIImageView>, &WidgetOptionSets::applyImageViewOptions},
    {"Panel", &make<Layout>, &WidgetOptionSets::applyPanelOptions, true},
    {"Slider", &make<UISlider>, &WidgetOptionSets::applySliderOptions},
    {"ListView", nullptr, nullptr},
    {"PageView", &make<UIPageView>, &WidgetOptionSets::applyPageViewOptions, true},
    {"LabelBMFont", &make<UILabelBMFont>, &WidgetOptionSets::applyLabelBMFontOptions},
    {"DragPanel", &make<UIDragPanel>, &WidgetOptionSets::applyDragPanelOptions, true},
};

const ClassEntry* findClass(const char* classname) {
    if (!classname) return nullptr;
    for (const ClassEntry& entry : kClassTable)
        if (std::strcmp(entry.classname, classname) == 0) return &entry;
    return nullptr;
}

}  // namespace

bool GUIReader::classMakesWidget(const char* classname) {
    const ClassEntry* kind = findClass(classname);
    return kind && kind->create;
}

bool GUIReader::classMakesPanel(const char* classname) {
    const ClassEntry* kind = findClass(classname);
    return kind && kind->panel;
}

UIWidget* GUIReader::widgetFromDictionary(const JsonDictionary& entry) {
    m_widgetBudget = kMaxWidgetsPerFile;
    return buildEntry(entry, 0);
}

UIWidget* GUIReader::buildEntry(const JsonDictionary& entry, int depth) {
    if (depth >= kMaxWidgetDepth || m_widgetBudget <= 0) return nullptr;
    const ClassEntry* kind = findClass(entry.readString("classname"));
    if (!kind || !kind->create) return nullptr;
    UIWidget* widget = kind->create();
    if (!widget) return nullptr;
    --m_widgetBudget;

    // Every property before any child, so the widget's z-order is set before it joins.
    WidgetOptionSets options(m_legacy, m_layoutDirectory);
    (options.*(kind->apply))(widget, entry.subDictionary("options"));

    const int count = entry.arrayCount("children");
    for (int i = 0; i < count && m_widgetBudget > 0; ++i) {
        if (UIWidget* child = buildEntry(entry.arrayObject("children", i), depth + 1)) widget->addChild(child);
    }
    return widget;
}

}  // namespace ui
