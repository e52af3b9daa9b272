// Choosing or drawing a page's picture: the page's widgets in drawing order, each image, sprite
// frame, word card and text placed where the layout survey puts it.
#include "tools/epub/PagePicture.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

#include <SDL.h>

#include "app/book/BookFiles.h"
#include "app/book/SentenceNames.h"
#include "engine/base/CCDictionary.h"
#include "engine/base/CCString.h"
#include "engine/io/CCPropertyList.h"
#include "engine/render/CCImageFile.h"
#include "engine/sprites/CCGeometryStrings.h"

namespace epub {

namespace {

// How far a picture may miss the page's edges and still count as covering it (layouts keep two
// decimals).
constexpr double kEdgeSlack = 0.5;
// JPEG quality of a drawn page whose own picture is a JPEG (a photograph, most likely).
constexpr int kJpegQuality = 92;

enum class PartKind { Image, Frame, Text };

struct Part {
    PartKind kind = PartKind::Image;
    std::string path;  // image file, relative to the book folder, or frame name
    const app::SurveyedWidget* widget = nullptr;
    bool withTitle = false;  // a text button: its face, then its title
};

// The kind of image a file holds, by its first bytes; empty when neither PNG nor JPEG.
std::string imageExtension(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    unsigned char head[8] = {0};
    in.read(reinterpret_cast<char*>(head), sizeof head);
    if (in.gcount() >= 8 && head[0] == 0x89 && head[1] == 'P' && head[2] == 'N' && head[3] == 'G') return ".png";
    if (in.gcount() >= 3 && head[0] == 0xFF && head[1] == 0xD8 && head[2] == 0xFF) return ".jpg";
    return std::string();
}

// Whether the widget is one of the page's sentence buttons, or an extra touch area of one.
bool isSentenceButton(const app::SurveyedWidget& w, int page) {
    for (int n = 1; n <= app::kMaxSentencesPerPage; ++n) {
        if (w.name == app::sentenceButtonName(page, n)) return true;
        for (int k = 2; k <= app::kMaxSentenceParts; ++k)
            if (w.name == app::sentencePartButtonName(page, n, k)) return true;
    }
    return false;
}

// The file an image-showing widget draws, relative to the book folder; frame is set for a sheet frame.
bool shownImage(const app::SurveyedWidget& w, std::string* path, bool* frame) {
    for (const app::NamedFile& f : w.files) {
        if (f.key != w.imageKey || f.font) continue;
        *frame = f.spriteFrame;
        *path = f.spriteFrame ? f.written : f.path;
        return !path->empty();
    }
    return false;
}

// The widget's box on the page, top-left origin, for a content of the given size.
bookkit::RectF boxOf(const app::SurveyedWidget& w, double width, double height) {
    double box[4];
    app::pageBox(w, width, height, box);
    bookkit::RectF r;
    r.x = static_cast<float>(box[0]);
    r.y = static_cast<float>(app::kPageHeight - box[3]);
    r.w = static_cast<float>(box[2] - box[0]);
    r.h = static_cast<float>(box[3] - box[1]);
    return r;
}

bool coversPage(const bookkit::RectF& r) {
    return std::fabs(r.x) <= kEdgeSlack && std::fabs(r.y) <= kEdgeSlack &&
           std::fabs(r.w - app::kPageWidth) <= kEdgeSlack && std::fabs(r.h - app::kPageHeight) <= kEdgeSlack;
}

std::string readText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::string stringIn(engine::CCDictionary* d, const char* key) {
    auto* s = dynamic_cast<engine::CCString*>(d->objectForKey(key));
    return s ? s->str() : std::string();
}

}  // namespace

PagePainter::PagePainter(const Book& book, std::string scratchDir) : book_(book), scratch_(std::move(scratchDir)) {}

PagePainter::~PagePainter() {
    for (auto& entry : images_) SDL_FreeSurface(entry.second);
}

SDL_Surface* PagePainter::image(const std::string& path, std::string& error) {
    auto it = images_.find(path);
    if (it != images_.end()) return it->second;
    std::string problem;
    SDL_Surface* surface = engine::decodeImageFile(book_.dir + "/" + path, &problem);
    if (!surface) {
        error = book_.dir + "/" + path + ": " + problem;
        return nullptr;
    }
    images_.emplace(path, surface);
    return surface;
}

// A frame of one of the page's sprite sheets: the sheet's image and where in it the frame lies.
// Frames stored rotated in their sheet are not drawn (no sheet the book tools write has them).
bool PagePainter::spriteFrame(const BookPage& page, const std::string& frame, SDL_Surface** surface, SDL_Rect* rect,
                              std::string& error) {
    for (const app::NamedFile& sheet : page.survey.sheets) {
        if (sheet.path.empty()) continue;
        if (!sheetFrames_.count(sheet.path)) {
            std::map<std::string, SDL_Rect>& frames = sheetFrames_[sheet.path];
            const std::string text = readText(book_.dir + "/" + sheet.path);
            engine::CCObject* root = engine::parsePropertyList(text.data(), text.size());
            auto* dict = dynamic_cast<engine::CCDictionary*>(root);
            std::string imageName;
            if (dict) {
                if (auto* meta = dynamic_cast<engine::CCDictionary*>(dict->objectForKey("metadata")))
                    imageName = stringIn(meta, "textureFileName");
                if (auto* all = dynamic_cast<engine::CCDictionary*>(dict->objectForKey("frames"))) {
                    for (const engine::CCDictionary::Entry& e : all->entries()) {
                        auto* f = dynamic_cast<engine::CCDictionary*>(e.object);
                        if (!f || stringIn(f, "rotated") == "1" || stringIn(f, "textureRotated") == "1") continue;
                        std::string where = stringIn(f, "frame");
                        if (where.empty()) where = stringIn(f, "textureRect");
                        engine::CCRect r;
                        if (!where.empty() && engine::parseRectString(where, r)) {
                            frames[e.strKey] = SDL_Rect{static_cast<int>(r.origin.x), static_cast<int>(r.origin.y),
                                                        static_cast<int>(r.size.width), static_cast<int>(r.size.height)};
                        } else if (!stringIn(f, "width").empty()) {
                            frames[e.strKey] = SDL_Rect{std::atoi(stringIn(f, "x").c_str()), std::atoi(stringIn(f, "y").c_str()),
                                                        std::atoi(stringIn(f, "width").c_str()),
                                                        std::atoi(stringIn(f, "height").c_str())};
                        }
                    }
                }
            }
            if (root) root->release();
            // The image is named relative to the sheet, or is the sheet's own name with ".png".
            const std::string folder = sheet.path.find('/') == std::string::npos
                                           ? std::string()
                                           : sheet.path.substr(0, sheet.path.rfind('/') + 1);
            if (imageName.empty()) {
                imageName = sheet.path.substr(folder.size());
                const std::size_t dot = imageName.rfind('.');
                imageName = (dot == std::string::npos ? imageName : imageName.substr(0, dot)) + ".png";
            }
            sheetImages_[sheet.path] = folder + imageName;
        }
        auto found = sheetFrames_[sheet.path].find(frame);
        if (found == sheetFrames_[sheet.path].end()) continue;
        *surface = image(sheetImages_[sheet.path], error);
        *rect = found->second;
        return *surface != nullptr;
    }
    error = book_.dir + "/" + app::pageLayoutFile(page.number) + ": no sprite sheet of the page has the frame \"" +
            frame + "\"";
    return false;
}

bool PagePainter::picture(const BookPage& page, PagePicture& out, std::string& error) {
    out = PagePicture();
    std::vector<Part> parts;
    for (const app::SurveyedWidget& w : page.survey.widgets) {
        if (!w.placed) continue;
        Part part;
        part.widget = &w;
        bool frame = false;
        if (w.classname == "ImageView") {
            if (!shownImage(w, &part.path, &frame)) continue;
            part.kind = frame ? PartKind::Frame : PartKind::Image;
        } else if (w.classname == "Button" || w.classname == "TextButton") {
            if (isSentenceButton(w, page.number)) {
                // Sentence marks are all but invisible; word cards are what the page shows.
                if (!app::sentenceButtonsKeepTheirLook(page.number)) continue;
                part.path = app::sentenceButtonImage(w, page.number);
                if (part.path.empty()) continue;
            } else {
                if (!shownImage(w, &part.path, &frame) || frame) part.path.clear();
                part.withTitle = w.classname == "TextButton" && !w.text.empty();
                if (part.path.empty() && !part.withTitle) continue;
            }
        } else if (w.classname == "Label") {
            if (w.text.empty()) continue;
            part.kind = PartKind::Text;
        } else {
            continue;
        }
        parts.push_back(part);
    }

    // One picture over the whole page, shown 1:1: the file itself.
    if (parts.size() == 1 && parts[0].kind == PartKind::Image && !parts[0].withTitle) {
        SDL_Surface* s = image(parts[0].path, error);
        if (!s) return false;
        const app::SurveyedWidget& w = *parts[0].widget;
        const bookkit::RectF box = w.sizeFromImage ? boxOf(w, s->w, s->h) : boxOf(w, w.width, w.height);
        const std::string extension = imageExtension(book_.dir + "/" + parts[0].path);
        if (coversPage(box) && s->w == app::kPageWidth && s->h == app::kPageHeight && !extension.empty()) {
            out.file = book_.dir + "/" + parts[0].path;
            out.extension = extension;
            out.mediaType = extension == ".png" ? "image/png" : "image/jpeg";
            return true;
        }
    }

    bookkit::Canvas canvas(app::kPageWidth, app::kPageHeight, bookkit::rgba(255, 255, 255), 1);
    for (const Part& part : parts) {
        const app::SurveyedWidget& w = *part.widget;
        if (part.kind == PartKind::Text || part.withTitle) {
            if (!fonts_) {
                fonts_ = std::make_unique<bookkit::Fonts>();
                if (!fonts_->open(error)) return false;
            }
        }
        if (part.kind == PartKind::Image && !part.path.empty()) {
            SDL_Surface* s = image(part.path, error);
            if (!s) return false;
            const bookkit::RectF box = w.sizeFromImage ? boxOf(w, s->w, s->h) : boxOf(w, w.width, w.height);
            canvas.drawImage(s, box.x, box.y, box.w, box.h);
        } else if (part.kind == PartKind::Frame) {
            SDL_Surface* s = nullptr;
            SDL_Rect from;
            if (!spriteFrame(page, part.path, &s, &from, error)) return false;
            const bookkit::RectF box = w.sizeFromImage ? boxOf(w, from.w, from.h) : boxOf(w, w.width, w.height);
            canvas.drawImage(s, box.x, box.y, box.w, box.h, &from);
        }
        if (part.kind == PartKind::Text || part.withTitle) {
            const int size = std::max(1, static_cast<int>(std::lround(w.fontSize > 0 ? w.fontSize : 20)));
            const bookkit::Rgba ink = bookkit::rgba(static_cast<std::uint8_t>(w.textColor[0]),
                                                    static_cast<std::uint8_t>(w.textColor[1]),
                                                    static_cast<std::uint8_t>(w.textColor[2]));
            bookkit::TextImage text = canvas.makeText(*fonts_, false, size, w.text, ink);
            // A label is as big as its text; a title is centred on its button.
            const bookkit::RectF box = part.withTitle ? boxOf(w, w.width, w.height)
                                                      : boxOf(w, canvas.textWidth(text), canvas.textHeight(text));
            canvas.drawText(text, box.x + (box.w - canvas.textWidth(text)) / 2,
                            box.y + (box.h - canvas.textHeight(text)) / 2);
        }
    }
    // Photographs stay JPEG, drawings PNG: the kind of the page's first picture decides.
    std::string extension = ".png";
    for (const Part& part : parts) {
        if (part.kind != PartKind::Image || part.path.empty()) continue;
        extension = imageExtension(book_.dir + "/" + part.path) == ".jpg" ? ".jpg" : ".png";
        break;
    }
    out.file = scratch_ + "/page_" + std::to_string(page.number) + extension;
    out.extension = extension;
    out.mediaType = extension == ".png" ? "image/png" : "image/jpeg";
    out.composed = true;
    return extension == ".png" ? canvas.savePng(out.file, error) : canvas.saveJpg(out.file, kJpegQuality, error);
}

}  // namespace epub
