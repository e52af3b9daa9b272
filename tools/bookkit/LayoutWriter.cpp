// Page and settings layouts in the reader's JSON widget-tree format, in both of its dialects.
#include "tools/bookkit/LayoutWriter.h"

#include <cmath>
#include <memory>
#include <sstream>

#include "tools/bookkit/Artwork.h"
#include "app/book/SentenceNames.h"

namespace bookkit {

namespace {

constexpr const char* kCurrentVersion = "1.0.0.0";

// Whole numbers stay integers and the rest keeps two decimals, so the files read cleanly and
// never carry binary float noise that could differ between compilers.
Json::Value num(double v) {
    const double r = std::round(v * 100.0) / 100.0;
    if (std::fabs(r - std::round(r)) < 1e-9) {
        return Json::Value(static_cast<Json::Int>(std::lround(r)));
    }
    return Json::Value(r);
}

struct Dialect {
    bool legacy = false;
};

Json::Value reference(int type, const std::string& path) {
    Json::Value ref(Json::objectValue);
    ref["resourceType"] = type;
    ref["path"] = path;
    return ref;
}

// One image key in whichever dialect the file is written: a plain name, or a resource reference.
void texture(Json::Value& options, Dialect d, const char* legacyKey, const std::string& path, int type = 0) {
    if (d.legacy) {
        options[legacyKey] = path;
    } else {
        options[std::string(legacyKey) + "Data"] = reference(type, path);
    }
}

Json::Value baseOptions(const std::string& name, double x, double y, int zOrder, bool touchable, int tag,
                        int actionTag) {
    Json::Value o(Json::objectValue);
    o["name"] = name;
    o["x"] = num(x);
    o["y"] = num(y);
    o["ZOrder"] = zOrder;
    o["touchAble"] = touchable;
    o["tag"] = tag;
    o["actiontag"] = actionTag;
    o["visible"] = true;
    return o;
}

void colour(Json::Value& o, Rgba c) {
    o["colorR"] = c.r;
    o["colorG"] = c.g;
    o["colorB"] = c.b;
}

Json::Value entry(const char* className, Json::Value options) {
    Json::Value w(Json::objectValue);
    w["classname"] = className;
    w["options"] = std::move(options);
    w["children"] = Json::Value(Json::arrayValue);
    return w;
}

Json::Value rootPanel(const std::string& name, Rgba paper) {
    Json::Value o = baseOptions(name, 0, 0, 0, false, 1, 0);
    o["width"] = 640;
    o["height"] = 960;
    o["anchorPointX"] = 0;
    o["anchorPointY"] = 0;
    o["clipAble"] = false;
    o["backGroundScale9Enable"] = false;
    o["colorType"] = 1;
    o["bgColorR"] = paper.r;
    o["bgColorG"] = paper.g;
    o["bgColorB"] = paper.b;
    o["bgColorOpacity"] = 255;
    colour(o, rgba(255, 255, 255));
    o["opacity"] = 255;
    return entry("Panel", o);
}

Json::Value frame(int id) {
    Json::Value f(Json::objectValue);
    f["frameid"] = id;
    return f;
}

// Key frames for a page's decoration; unit time 0.1 s, so frame 10 is one second in.
Json::Value animationFor(const std::string& kind, int actionTag, double x, double y) {
    Json::Value frames(Json::arrayValue);
    if (kind == "sway") {
        const double angles[] = {-12, 12, -12};
        for (int i = 0; i < 3; ++i) {
            Json::Value f = frame(i * 10);
            f["rotation"] = num(angles[i]);
            frames.append(f);
        }
    } else if (kind == "bounce") {
        const double lifts[] = {0, 14, 0};
        const double scales[] = {1.0, 1.15, 1.0};
        for (int i = 0; i < 3; ++i) {
            Json::Value f = frame(i * 6);
            f["positionx"] = num(x);
            f["positiony"] = num(y + lifts[i]);
            f["scalex"] = num(scales[i]);
            f["scaley"] = num(scales[i]);
            frames.append(f);
        }
    } else {  // glow
        const int opacity[] = {255, 150, 255};
        const int green[] = {255, 225, 255};
        const int blue[] = {255, 150, 255};
        for (int i = 0; i < 3; ++i) {
            Json::Value f = frame(i * 8);
            f["opacity"] = opacity[i];
            f["colorr"] = 255;
            f["colorg"] = green[i];
            f["colorb"] = blue[i];
            frames.append(f);
        }
    }
    Json::Value node(Json::objectValue);
    node["ActionTag"] = actionTag;
    node["actionframelist"] = frames;
    Json::Value action(Json::objectValue);
    action["name"] = kind;
    action["loop"] = true;
    action["unittime"] = num(0.1);
    action["actionnodelist"] = Json::Value(Json::arrayValue);
    action["actionnodelist"].append(node);
    Json::Value section(Json::objectValue);
    section["actionlist"] = Json::Value(Json::arrayValue);
    section["actionlist"].append(action);
    return section;
}

Json::Value sentenceButton(const PageSource& page, int n, const std::string& name, const RectF& box,
                           const PageFiles& files, Dialect d) {
    // The button is a child of the centred page picture, whose renderer has no size: its
    // position is measured from the centre of the page, y upwards.
    const double cx = box.x + box.w / 2.0;
    const double cy = box.y + box.h / 2.0;
    Json::Value o = baseOptions(name, cx - kPageWidth / 2.0, kPageHeight / 2.0 - cy, 1, true, 100 + n, 0);
    o["scale9Enable"] = false;
    if (page.kind == PageKind::Words) {
        // Word cards keep their own faces: the reader leaves these pages' buttons as the file says.
        texture(o, d, "normal", files.card(page.number, n, false));
        texture(o, d, "pressed", files.card(page.number, n, true));
        texture(o, d, "disabled", "");
        o["width"] = kCardWidth;
        o["height"] = kCardHeight;
    } else {
        // A small mark scaled over the text; the reader's subtitle placement measures the
        // button by this scale times the mark's size, so both must describe the text's box.
        texture(o, d, "normal", files.markNormal);
        texture(o, d, "pressed", files.markPressed);
        texture(o, d, "disabled", "");
        o["width"] = kSentenceMarkSize;
        o["height"] = kSentenceMarkSize;
        o["scaleX"] = num(box.w / kSentenceMarkSize);
        o["scaleY"] = num(box.h / kSentenceMarkSize);
    }
    if (d.legacy) {
        o["useMergedTexture"] = false;
    }
    o["opacity"] = 255;
    colour(o, rgba(255, 255, 255));
    return entry("Button", o);
}

}  // namespace

std::string PageFiles::card(int page, int sentence, bool lit) const {
    return "cards/card_" + std::to_string(page) + "_" + std::to_string(sentence) + (lit ? "_on" : "") + ".png";
}

Json::Value pageLayout(const PageSource& page, const PageArt& art, const PageFiles& files) {
    Dialect d;
    d.legacy = page.format != LayoutFormat::Current;

    Json::Value layout(Json::objectValue);
    if (!d.legacy) {
        layout["version"] = kCurrentVersion;
    } else if (!page.legacyVersion.empty()) {
        layout["version"] = page.legacyVersion;
    }
    layout["designWidth"] = kPageWidth;
    layout["designHeight"] = kPageHeight;
    if (!page.sticker.empty()) {
        layout["textures"] = Json::Value(Json::arrayValue);
        layout["textures"].append(files.stickerSheet);
    }

    Json::Value root = rootPanel("page" + std::to_string(page.number), page.paper);

    Json::Value pictureOptions = baseOptions("picture", kPageWidth / 2.0, kPageHeight / 2.0, 0, false, 2, 0);
    texture(pictureOptions, d, "fileName", files.picture);
    if (d.legacy) {
        pictureOptions["useMergedTexture"] = false;
    }
    pictureOptions["scale9Enable"] = false;
    Json::Value picture = entry("ImageView", pictureOptions);
    for (std::size_t i = 0; i < art.sentences.size(); ++i) {
        const int n = static_cast<int>(i + 1);
        const SentencePlace& place = art.sentences[i];
        picture["children"].append(sentenceButton(page, n, app::sentenceButtonName(page.number, n), place.box, files, d));
        for (std::size_t k = 0; k < place.moreLines.size(); ++k) {
            const std::string name = app::sentencePartButtonName(page.number, n, static_cast<int>(k + 2));
            picture["children"].append(sentenceButton(page, n, name, place.moreLines[k], files, d));
        }
    }
    root["children"].append(picture);

    const double numberX = art.numberX, numberY = kPageHeight - art.numberY;
    Json::Value number = baseOptions("page_number", numberX, numberY, 2, false, 3, kNumberActionTag);
    number["text"] = std::to_string(page.number);
    number["fontSize"] = 30;
    number["fontName"] = "Arial";
    number["touchScaleEnable"] = false;
    colour(number, shade(page.accent, -0.2f));
    root["children"].append(entry("Label", number));

    int animated = kNumberActionTag;
    double animatedX = numberX, animatedY = numberY;
    if (!page.sticker.empty()) {
        const double sx = art.stickerX, sy = kPageHeight - art.stickerY;
        Json::Value sticker = baseOptions("sticker", sx, sy, 2, false, 4, kStickerActionTag);
        // The sheet's frames are named, not filed: a sprite-frame reference (type 1), or in the
        // legacy dialect the plain frame name marked as coming from a merged texture.
        if (d.legacy) {
            sticker["fileName"] = stickerFrameName(page.sticker);
            sticker["useMergedTexture"] = true;
        } else {
            sticker["fileNameData"] = reference(1, stickerFrameName(page.sticker));
        }
        sticker["scale9Enable"] = false;
        root["children"].append(entry("ImageView", sticker));
        animated = kStickerActionTag;
        animatedX = sx;
        animatedY = sy;
    }
    if (!page.badge.empty()) {
        const double bx = art.badgeX, by = kPageHeight - art.badgeY;
        Json::Value badge = baseOptions("badge", bx, by, 2, false, 5, kBadgeActionTag);
        badge["scale9Enable"] = false;
        texture(badge, d, "normal", files.badge);
        texture(badge, d, "pressed", files.badge);
        texture(badge, d, "disabled", "");
        if (d.legacy) {
            badge["useMergedTexture"] = false;
        }
        badge["width"] = kBadgeWidth;
        badge["height"] = kBadgeHeight;
        badge["text"] = page.badge;
        badge["textColorR"] = 255;
        badge["textColorG"] = 255;
        badge["textColorB"] = 255;
        badge["fontSize"] = 26;
        badge["fontName"] = "Arial";
        root["children"].append(entry("TextButton", badge));
        if (page.animate == "glow") {
            animated = kBadgeActionTag;
            animatedX = bx;
            animatedY = by;
        }
    }
    layout["widgetTree"] = root;
    if (!page.animate.empty()) {
        layout["animation"] = animationFor(page.animate, animated, animatedX, animatedY);
    }
    return layout;
}

Json::Value settingsLayout(const SettingsSource& settings, const std::string& folder) {
    Dialect d;
    Json::Value layout(Json::objectValue);
    layout["version"] = kCurrentVersion;
    layout["designWidth"] = kPageWidth;
    layout["designHeight"] = kPageHeight;

    Json::Value root = rootPanel("pageset", settings.paper);
    Json::Value background = baseOptions("background", kPageWidth / 2.0, kPageHeight / 2.0, 0, false, 2, 0);
    texture(background, d, "fileName", folder + "/setbg.png");
    background["scale9Enable"] = false;
    root["children"].append(entry("ImageView", background));

    Json::Value heading = baseOptions("heading", 320, 882, 1, false, 3, 0);
    heading["text"] = settings.heading;
    heading["fontSize"] = 44;
    heading["fontName"] = "Arial";
    heading["touchScaleEnable"] = false;
    colour(heading, rgba(255, 255, 255));
    root["children"].append(entry("Label", heading));

    struct Place {
        const char* name;
        double x, y, w, h;
    };
    // Three mode buttons stacked, OK and Cancel side by side, the way back to the contents last.
    const Place places[] = {
        {"bnpres", 320, 620, 460, 92},  {"bnaotopage", 320, 500, 460, 92}, {"bnaoto", 320, 380, 460, 92},
        {"bnok", 185, 240, 230, 92},    {"bncancel", 455, 240, 230, 92},   {"bnmain", 320, 120, 300, 84},
    };
    int tag = 11;
    for (const Place& place : places) {
        std::string title = place.name;
        for (const SettingsButton& b : settings.buttons) {
            if (b.name == place.name) {
                title = b.title;
            }
        }
        Json::Value o = baseOptions(place.name, place.x, place.y, 2, true, tag++, 0);
        o["width"] = num(place.w);
        o["height"] = num(place.h);
        o["scale9Enable"] = true;
        texture(o, d, "normal", folder + "/button.png");
        texture(o, d, "pressed", folder + "/button_down.png");
        texture(o, d, "disabled", folder + "/button_on.png");
        o["capInsetsX"] = kSettingsFaceCap;
        o["capInsetsY"] = kSettingsFaceCap;
        o["capInsetsWidth"] = kSettingsFaceWidth - 2 * kSettingsFaceCap;
        o["capInsetsHeight"] = kSettingsFaceHeight - 2 * kSettingsFaceCap;
        o["scale9Width"] = num(place.w);
        o["scale9Height"] = num(place.h);
        o["text"] = title;
        // The screen paints the idle title in this colour too, so a button looks the same before and after.
        o["textColorR"] = 25;
        o["textColorG"] = 24;
        o["textColorB"] = 25;
        o["fontSize"] = 34;
        o["fontName"] = "Arial";
        o["opacity"] = 255;
        colour(o, rgba(255, 255, 255));
        root["children"].append(entry("TextButton", o));
    }
    layout["widgetTree"] = root;
    return layout;
}

std::string layoutText(const Json::Value& layout) {
    Json::StreamWriterBuilder builder;
    builder["indentation"] = "  ";
    builder["precision"] = 6;
    builder["precisionType"] = "significant";
    builder["enableYAMLCompatibility"] = false;
    builder["dropNullPlaceholders"] = false;
    builder["emitUTF8"] = true;
    std::ostringstream out;
    std::unique_ptr<Json::StreamWriter> writer(builder.newStreamWriter());
    writer->write(layout, &out);
    out << '\n';
    return out.str();
}

}  // namespace bookkit
