// What a layout file holds for the book check, read from its JSON the way the reader reads it
// but without building a single widget: whether it reads, its widgets with their names, where
// each one lies on the page, and the images and fonts they name.
//
// Building widgets would touch the engine's shared state (textures, sprite frames, the object
// counter), which only the main loop may; a survey touches none, so it runs on any thread.
#pragma once

#include <string>
#include <vector>

namespace app {

// A 2D affine map: (x, y) to (a x + c y + tx, b x + d y + ty).
struct PageTransform {
    double a = 1, b = 0, c = 0, d = 1, tx = 0, ty = 0;

    void apply(double x, double y, double* outX, double* outY) const {
        *outX = a * x + c * y + tx;
        *outY = b * x + d * y + ty;
    }
    // This map after `inner`: first inner, then this.
    PageTransform after(const PageTransform& inner) const;
};

// A file a widget names: an image to show, or the font of a bitmap-font label.
struct NamedFile {
    std::string key;      // the option naming it ("normalData", "fileName", ...)
    std::string written;  // the name as the file writes it
    // Relative to the book folder; empty when the name leaves the book folder or names a
    // folder (the reader refuses such names).
    std::string path;
    bool font = false;         // a bitmap font, not an image
    bool spriteFrame = false;  // a frame of a loaded sheet, not a file
};

struct SurveyedWidget {
    std::string classname;
    std::string name;  // empty when the entry has none
    std::vector<NamedFile> files;
    // The widget's own space (origin at its position) to page coordinates. Unknown (placed is
    // false) inside scroll containers, whose children move with the scrolling.
    PageTransform toPage;
    bool placed = true;
    double anchorX = 0.5, anchorY = 0.5;
    // The size the options give; with sizeFromImage the size is that of the image under
    // imageKey instead (the toolkit's "ignore size", the default of plain images and buttons).
    double width = 0, height = 0;
    bool sizeFromImage = false;
    std::string imageKey;
    // What text widgets show (labels, text buttons): the text, its size in points and colour.
    std::string text;
    double fontSize = 0;
    int textColor[3] = {255, 255, 255};
};

struct LayoutSurvey {
    // Empty when the file reads as a panel with its widgets; else what is wrong ("is missing",
    // "is not valid JSON: Line 3, Column 1: ...", "has no widget tree").
    std::string problem;
    std::vector<SurveyedWidget> widgets;  // in file order, the root first
    std::vector<NamedFile> sheets;        // the sprite sheets the file loads
};

// The folder as an absolute, normalised path without a trailing slash: the form the layout path
// rule compares names against.
std::string normalFolder(const std::string& dir);

// Surveys bookDir/relativePath. bookDir must be absolute and normalised (file names are kept
// inside it, as the reader keeps them inside its resource root).
LayoutSurvey surveyLayout(const std::string& bookDir, const std::string& relativePath);

// The widget's touch and drawing area on the page, from its size: the four corners' bounding
// box, as x0, y0, x1, y1.
void pageBox(const SurveyedWidget& widget, double width, double height, double box[4]);

// The first widget of that name in file order, as the reader's name search finds it; null if none.
const SurveyedWidget* findWidget(const LayoutSurvey& survey, const std::string& name);

// The file a sentence button of the page shows, relative to the book folder, which is also the
// image it takes its size from when it ignores its own: the reader's sentence mark outside the
// word list, else the button's own normal image. Empty when it names none.
std::string sentenceButtonImage(const SurveyedWidget& button, int page);

}  // namespace app
