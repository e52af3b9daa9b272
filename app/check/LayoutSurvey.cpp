// Surveying a layout file: the reader's own parser, its class table and path rule, and a walk of
// the widget tree that follows each entry's position, scale, rotation and anchor down to the page.
#include "app/check/LayoutSurvey.h"

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/book/BookFiles.h"
#include "app/book/SentenceNames.h"
#include "ui/layout/GUIReader.h"
#include "ui/layout/JsonDictionary.h"
#include "ui/layout/LayoutPaths.h"

namespace app {

namespace {

using ui::GUIReader;
using ui::JsonDictionary;

// The options naming files, per class: the plain key of old files and the reference key of
// newer ones. Mirrors the option sets of the layout reader (ui/layout/WidgetOptionSets.cpp).
struct FileOption {
    const char* legacyKey;
    const char* referenceKey;
};

struct ClassFiles {
    const char* classname;
    std::vector<FileOption> options;
    bool font;  // the files are bitmap fonts
};

const std::vector<ClassFiles>& classFiles() {
    static const std::vector<ClassFiles> table = {
        {"Button", {{"normal", "normalData"}, {"pressed", "pressedData"}, {"disabled", "disabledData"}}, false},
        {"TextButton", {{"normal", "normalData"}, {"pressed", "pressedData"}, {"disabled", "disabledData"}}, false},
        {"ImageView", {{"fileName", "fileNameData"}}, false},
        {"CheckBox",
         {{"backGroundBox", "backGroundBoxData"},
          {"backGroundBoxSelected", "backGroundBoxSelectedData"},
          {"frontCross", "frontCrossData"},
          {"backGroundBoxDisabled", "backGroundBoxDisabledData"},
          {"frontCrossDisabled", "frontCrossDisabledData"}},
         false},
        {"LoadingBar", {{"texture", "textureData"}}, false},
        {"Slider",
         {{"barFileName", "barFileNameData"},
          {"ballNormal", "ballNormalData"},
          {"ballPressed", "ballPressedData"},
          {"ballDisabled", "ballDisabledData"},
          {"progressBarFileName", "progressBarData"}},
         false},
        {"LabelAtlas", {{"charMapFile", "charMapFileData"}}, false},
        {"LabelBMFont", {{"fileName", "fileNameData"}}, true},
        {"Panel", {{"backGroundImage", "backGroundImageData"}}, false},
        {"ScrollView", {{"backGroundImage", "backGroundImageData"}}, false},
        {"DragPanel", {{"backGroundImage", "backGroundImageData"}}, false},
        {"PageView", {{"backGroundImage", "backGroundImageData"}}, false},
    };
    return table;
}

// The image whose size a plain widget takes when it ignores the size its options give.
const char* sizingImageKey(const std::string& classname, bool legacy) {
    if (classname == "Button" || classname == "TextButton") return legacy ? "normal" : "normalData";
    if (classname == "ImageView") return legacy ? "fileName" : "fileNameData";
    return nullptr;
}

class Surveyor {
public:
    Surveyor(const std::string& bookDir, const std::string& layoutDirectory, bool legacy)
        : m_bookDir(bookDir), m_layoutDirectory(layoutDirectory), m_legacy(legacy) {}

    // Walks the tree without recursion, the way the reader bounds it: entries past the depth
    // or widget limits yield nothing, and neither do their subtrees.
    void walk(const JsonDictionary& root, double designWidth, double designHeight, LayoutSurvey& out) {
        struct Pending {
            JsonDictionary entry;
            int depth;
            PageTransform parentToPage;
            bool placed;
            bool root;
        };
        std::vector<Pending> stack = {{root, 0, PageTransform(), true, true}};
        int budget = GUIReader::kMaxWidgetsPerFile;
        while (!stack.empty() && budget > 0) {
            Pending p = stack.back();
            stack.pop_back();
            if (p.depth >= GUIReader::kMaxWidgetDepth) continue;
            const char* classname = p.entry.readString("classname");
            if (!GUIReader::classMakesWidget(classname)) continue;
            --budget;
            SurveyedWidget w = survey(classname, p.entry.subDictionary("options"), p.root, designWidth, designHeight);
            w.placed = p.placed;
            // The renderer's own space: anchor times its content size off the position. Panels'
            // renderers are as big as the panel, the other widgets' are points.
            PageTransform local = nodeToParent(p.entry.subDictionary("options"), w, GUIReader::classMakesPanel(classname));
            w.toPage = p.parentToPage.after(local);
            const bool scrolls = std::strcmp(classname, "Panel") != 0 && GUIReader::classMakesPanel(classname);
            const int count = p.entry.arrayCount("children");
            // Pushed last first, so the walk visits them in file order.
            for (int i = count - 1; i >= 0; --i)
                stack.push_back({p.entry.arrayObject("children", i), p.depth + 1, w.toPage, p.placed && !scrolls, false});
            out.widgets.push_back(std::move(w));
        }
    }

    NamedFile file(const std::string& key, const char* written, bool font, bool spriteFrame) const {
        NamedFile f;
        f.key = key;
        f.written = written;
        f.font = font;
        f.spriteFrame = spriteFrame;
        if (!spriteFrame) {
            const std::string full = ui::composeLayoutPath(m_layoutDirectory, written, m_bookDir);
            if (!full.empty()) f.path = std::filesystem::path(full.substr(m_bookDir.size() + 1)).lexically_normal().string();
        }
        return f;
    }

private:
    SurveyedWidget survey(const char* classname, const JsonDictionary& options, bool root, double designWidth,
                          double designHeight) const {
        SurveyedWidget w;
        w.classname = classname;
        if (const char* name = options.readString("name")) w.name = name;
        const bool panel = GUIReader::classMakesPanel(classname);
        // Every class, panels too, is anchored at its centre unless the file says otherwise.
        w.anchorX = options.hasKey("anchorPointX") ? options.readFloat("anchorPointX") : 0.5;
        w.anchorY = options.hasKey("anchorPointY") ? options.readFloat("anchorPointY") : 0.5;
        w.width = options.readFloat("width");
        w.height = options.readFloat("height");
        // A root panel the file gave no size takes the design size.
        if (root && panel && w.width == 0 && w.height == 0) {
            w.width = designWidth;
            w.height = designHeight;
        }
        const bool scale9 = options.readBool("scale9Enable");
        if (scale9 && options.hasKey("scale9Width") && options.hasKey("scale9Height")) {
            w.width = options.readFloat("scale9Width");
            w.height = options.readFloat("scale9Height");
        }
        if (const char* key = sizingImageKey(classname, m_legacy)) {
            const bool ignoreSize = options.hasKey("ignoreSize") ? options.readBool("ignoreSize") : true;
            w.sizeFromImage = ignoreSize && !scale9;
            w.imageKey = key;
        }
        if (const char* text = options.readString("text")) w.text = text;
        w.fontSize = options.readFloat("fontSize");
        // Text buttons colour their titles apart from their faces.
        const bool titled = w.classname == "TextButton";
        const char* colourKeys[3] = {titled ? "textColorR" : "colorR", titled ? "textColorG" : "colorG",
                                     titled ? "textColorB" : "colorB"};
        for (int i = 0; i < 3; ++i)
            if (options.hasKey(colourKeys[i])) w.textColor[i] = options.readInt(colourKeys[i]);
        for (const ClassFiles& c : classFiles()) {
            if (c.classname != w.classname) continue;
            for (const FileOption& o : c.options) addFile(options, o, c.font, w.files);
        }
        return w;
    }

    void addFile(const JsonDictionary& options, const FileOption& option, bool font,
                 std::vector<NamedFile>& files) const {
        if (m_legacy) {
            const char* name = options.readString(option.legacyKey);
            if (name && *name) files.push_back(file(option.legacyKey, name, font, options.readBool("useMergedTexture")));
            return;
        }
        JsonDictionary reference = options.subDictionary(option.referenceKey);
        const char* name = reference.readString("path");
        const int type = reference.readInt("resourceType");
        // Type 0 is a file, 1 a sprite frame; other types load nothing.
        if (name && *name && (type == 0 || type == 1)) files.push_back(file(option.referenceKey, name, font, type == 1));
    }

    static PageTransform nodeToParent(const JsonDictionary& options, const SurveyedWidget& w, bool panel) {
        const double sx = options.hasKey("scaleX") ? options.readFloat("scaleX") : 1.0;
        const double sy = options.hasKey("scaleY") ? options.readFloat("scaleY") : 1.0;
        const double degrees = options.hasKey("rotation") ? options.readFloat("rotation") : 0.0;
        // Rotation is clockwise in degrees with the y axis up.
        const double r = -degrees * M_PI / 180.0;
        PageTransform t;
        t.a = std::cos(r) * sx;
        t.b = std::sin(r) * sx;
        t.c = -std::sin(r) * sy;
        t.d = std::cos(r) * sy;
        const double ax = panel ? w.anchorX * w.width : 0.0, ay = panel ? w.anchorY * w.height : 0.0;
        t.tx = options.readFloat("x") - (t.a * ax + t.c * ay);
        t.ty = options.readFloat("y") - (t.b * ax + t.d * ay);
        return t;
    }

    std::string m_bookDir;
    std::string m_layoutDirectory;
    bool m_legacy;
};

}  // namespace

PageTransform PageTransform::after(const PageTransform& inner) const {
    PageTransform t;
    t.a = a * inner.a + c * inner.b;
    t.b = b * inner.a + d * inner.b;
    t.c = a * inner.c + c * inner.d;
    t.d = b * inner.c + d * inner.d;
    t.tx = a * inner.tx + c * inner.ty + tx;
    t.ty = b * inner.tx + d * inner.ty + ty;
    return t;
}

std::string normalFolder(const std::string& dir) {
    std::error_code ec;
    std::string abs = std::filesystem::absolute(dir, ec).lexically_normal().string();
    if (ec) abs = dir;
    while (abs.size() > 1 && abs.back() == '/') abs.pop_back();
    return abs;
}

LayoutSurvey surveyLayout(const std::string& bookDir, const std::string& relativePath) {
    LayoutSurvey survey;
    const std::string full = bookDir + "/" + relativePath;
    std::error_code ec;
    if (!std::filesystem::exists(full, ec)) {
        survey.problem = "is missing";
        return survey;
    }
    if (!std::filesystem::is_regular_file(full, ec)) {
        survey.problem = "is not a file";
        return survey;
    }
    std::ifstream in(full, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in.eof() && in.fail()) {
        survey.problem = "cannot be read";
        return survey;
    }
    if (text.empty()) {
        survey.problem = "is empty";
        return survey;
    }
    std::string syntaxError;
    JsonDictionary document = GUIReader::parseLayoutText(text.data(), text.size(), &syntaxError);
    const char* version = document.readString("version");
    const bool legacy = !version || GUIReader::versionToInteger(version) < 250;
    Surveyor surveyor(bookDir, ui::layoutDirectoryOf(full), legacy);
    const int sheets = std::min(document.arrayCount("textures"), GUIReader::kMaxSheetsPerFile);
    for (int i = 0; i < sheets; ++i)
        if (const char* name = document.arrayString("textures", i))
            if (*name) survey.sheets.push_back(surveyor.file("textures", name, false, false));

    JsonDictionary tree = document.subDictionary("widgetTree");
    double designWidth = document.readFloat("designWidth"), designHeight = document.readFloat("designHeight");
    if (!(designWidth > 0) || !(designHeight > 0)) {
        designWidth = 0;
        designHeight = 0;
    }
    if (tree.isValid()) surveyor.walk(tree, designWidth, designHeight, survey);
    // A document cut short still shows what was read before the cut, but the rest is lost.
    if (!syntaxError.empty())
        survey.problem = "is not valid JSON (" + syntaxError + ")";
    else if (!tree.isValid() || !tree.value()->isObject())
        survey.problem = "has no widget tree";
    else if (survey.widgets.empty() || !GUIReader::classMakesPanel(survey.widgets.front().classname.c_str()))
        survey.problem = "has no panel at the root of its widget tree";
    return survey;
}

void pageBox(const SurveyedWidget& widget, double width, double height, double box[4]) {
    const double x0 = -width * widget.anchorX, y0 = -height * widget.anchorY;
    const double corners[4][2] = {{x0, y0}, {x0 + width, y0}, {x0, y0 + height}, {x0 + width, y0 + height}};
    for (int i = 0; i < 4; ++i) {
        double x, y;
        widget.toPage.apply(corners[i][0], corners[i][1], &x, &y);
        if (i == 0 || x < box[0]) box[0] = x;
        if (i == 0 || y < box[1]) box[1] = y;
        if (i == 0 || x > box[2]) box[2] = x;
        if (i == 0 || y > box[3]) box[3] = y;
    }
}

const SurveyedWidget* findWidget(const LayoutSurvey& survey, const std::string& name) {
    for (const SurveyedWidget& w : survey.widgets)
        if (w.name == name) return &w;
    return nullptr;
}

std::string sentenceButtonImage(const SurveyedWidget& button, int page) {
    if (!sentenceButtonsKeepTheirLook(page)) return kSentenceMarkImage;
    for (const NamedFile& f : button.files)
        if (f.key == button.imageKey && !f.spriteFrame) return f.path;
    return std::string();
}

}  // namespace app
