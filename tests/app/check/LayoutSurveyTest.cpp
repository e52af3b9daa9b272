// The layout survey against the reader itself: where the survey puts each sentence button on the
// page is where the reader's widgets are, on sample pages and on a page of nested, anchored,
// scaled and rotated panels; and a survey reads a page the way the reader does.
#include <SDL.h>

#include <cmath>

#include "app/book/BookFiles.h"
#include "app/check/LayoutSurvey.h"
#include "app/reader/ReaderTestKit.h"
#include "engine/render/CCImageFile.h"
#include "support/TestSupport.h"

using readertest::ReaderTest;

namespace {

class SurveyAgainstReader : public ReaderTest {
protected:
    // The button's area on the page as the engine places it: its size around its anchor, in
    // its renderer's space, taken to world space corner by corner.
    static void engineBox(ui::UIButton* b, double box[4]) {
        const engine::CCSize s = b->getSize();
        const engine::CCPoint a = b->getAnchorPoint();
        const double x0 = -s.width * a.x, y0 = -s.height * a.y;
        const double corners[4][2] = {{x0, y0}, {x0 + s.width, y0}, {x0, y0 + s.height}, {x0 + s.width, y0 + s.height}};
        for (int i = 0; i < 4; ++i) {
            engine::CCPoint p = b->getRenderer()->convertToWorldSpace(
                engine::CCPoint(float(corners[i][0]), float(corners[i][1])));
            if (i == 0 || p.x < box[0]) box[0] = p.x;
            if (i == 0 || p.y < box[1]) box[1] = p.y;
            if (i == 0 || p.x > box[2]) box[2] = p.x;
            if (i == 0 || p.y > box[3]) box[3] = p.y;
        }
    }

    // Every sentence button of page p: the survey's box (with the engine's size) is the engine's.
    int compareSentenceBoxes(int p) {
        openPage(p);
        const app::LayoutSurvey survey = app::surveyLayout(book, app::pageLayoutFile(p));
        EXPECT_EQ(survey.problem, "");
        int compared = 0;
        for (int n = 1; n <= app::kMaxSentencesPerPage; ++n) {
            ui::UIButton* button = sentence(p, n);
            if (!button) continue;
            const app::SurveyedWidget* w = nullptr;
            for (const app::SurveyedWidget& s : survey.widgets)
                if (s.name == app::sentenceButtonName(p, n)) w = &s;
            EXPECT_NE(w, nullptr) << "page " << p << " sentence " << n;
            if (!w) continue;
            double expected[4], surveyed[4];
            engineBox(button, expected);
            app::pageBox(*w, button->getSize().width, button->getSize().height, surveyed);
            for (int i = 0; i < 4; ++i)
                EXPECT_NEAR(surveyed[i], expected[i], 0.01) << "page " << p << " sentence " << n << " edge " << i;
            ++compared;
        }
        return compared;
    }
};

}  // namespace

TEST_F(SurveyAgainstReader, SamplePagesPlaceEverySentenceWhereTheReaderDoes) {
    int compared = 0;
    for (int p : {2, 27, 50, 80}) compared += compareSentenceBoxes(p);
    EXPECT_GT(compared, 10);
}

TEST_F(SurveyAgainstReader, OutsideTheWordListTheTouchAreaIsTheSentenceMark) {
    std::string problem;
    SDL_Surface* mark = engine::decodeImageFile(book + "/" + app::kSentenceMarkImage, &problem);
    ASSERT_NE(mark, nullptr) << problem;
    openPage(27);
    ui::UIButton* button = sentence(27, 1);
    ASSERT_NE(button, nullptr);
    // The size the check gives a button whose options leave its size to its image.
    EXPECT_EQ(button->getSize().width, float(mark->w));
    EXPECT_EQ(button->getSize().height, float(mark->h));
    SDL_FreeSurface(mark);
}

// A page made of everything that moves a child: anchors on panels and images, scales, rotations,
// nesting three deep.
class NestedPage : public SurveyAgainstReader {
protected:
    void prepareBook() override {
        const std::string button = [](const std::string& name, double x, double y, const std::string& more) {
            return "{\"classname\": \"Button\", \"children\": [], \"options\": {\"name\": \"" + name +
                   "\", \"x\": " + std::to_string(x) + ", \"y\": " + std::to_string(y) +
                   ", \"normalData\": {\"path\": \"res/bnren1.png\", \"resourceType\": 0}" + more + "}}";
        }("bn271", 30, -20, ", \"scaleX\": 2.5, \"scaleY\": 1.5, \"rotation\": 10");
        const std::string second = "{\"classname\": \"Button\", \"children\": [], \"options\": {\"name\": \"bn272\", "
                                   "\"x\": 100, \"y\": 50, \"anchorPointX\": 0, \"anchorPointY\": 1, "
                                   "\"scale9Enable\": true, \"scale9Width\": 120, \"scale9Height\": 30, "
                                   "\"normalData\": {\"path\": \"res/bnren1.png\", \"resourceType\": 0}}}";
        const std::string image = "{\"classname\": \"ImageView\", \"children\": [" + button +
                                  "], \"options\": {\"name\": \"picture\", \"x\": 200, \"y\": 300, \"rotation\": -25, "
                                  "\"scaleX\": 0.8, \"fileNameData\": {\"path\": \"images/page_27.png\", "
                                  "\"resourceType\": 0}}}";
        const std::string inner = "{\"classname\": \"Panel\", \"children\": [" + image + ", " + second +
                                  "], \"options\": {\"name\": \"inner\", \"x\": 150, \"y\": 120, \"width\": 300, "
                                  "\"height\": 400, \"anchorPointX\": 0.2, \"anchorPointY\": 0.7, \"scaleX\": 0.9, "
                                  "\"scaleY\": 1.1, \"rotation\": 15}}";
        const std::string root = "{\"classname\": \"Panel\", \"children\": [" + inner +
                                 "], \"options\": {\"name\": \"page27\", \"x\": 320, \"y\": 480, \"width\": 640, "
                                 "\"height\": 960}}";
        testsupport::writeFile(book + "/" + app::pageLayoutFile(27),
                               "{\"version\": \"1.0.0.0\", \"designWidth\": 640, \"designHeight\": 960, \"widgetTree\": " +
                                   root + "}");
    }
};

TEST_F(NestedPage, NestedAnchoredScaledAndRotatedWidgetsLieWhereTheReaderPutsThem) {
    EXPECT_EQ(compareSentenceBoxes(27), 2);
}

TEST(LayoutSurvey, FilesNamedByWidgetsAreResolvedInsideTheBookOnly) {
    const std::string dir = testsupport::makeTempDir("quirel-survey");
    testsupport::writeFile(dir + "/tomeset/page.json", R"({"version": "1.0.0.0", "textures": ["sheet/deco.plist", ""],
        "widgetTree": {"classname": "Panel", "options": {"backGroundImageData": {"path": "bg.png", "resourceType": 0}},
        "children": [
          {"classname": "ImageView", "options": {"name": "a", "fileNameData": {"path": "../Images/up1.png", "resourceType": 0}}},
          {"classname": "ImageView", "options": {"name": "b", "fileNameData": {"path": "../../etc/passwd", "resourceType": 0}}},
          {"classname": "Button", "options": {"name": "c", "normalData": {"path": "star", "resourceType": 1},
                                              "pressedData": {"path": "", "resourceType": 0}}},
          {"classname": "LabelBMFont", "options": {"name": "d", "fileNameData": {"path": "f.fnt", "resourceType": 0}}},
          {"classname": "ListView", "options": {"name": "e"}, "children": [
             {"classname": "Button", "options": {"name": "hidden"}}]},
          {"classname": "Mystery", "options": {"name": "f"}}
        ]}})");
    const app::LayoutSurvey s = app::surveyLayout(dir, "tomeset/page.json");
    EXPECT_EQ(s.problem, "");
    // Entries that yield no widget are skipped with their subtrees, as the reader skips them.
    std::vector<std::string> names;
    for (const app::SurveyedWidget& w : s.widgets) names.push_back(w.name);
    EXPECT_EQ(names, (std::vector<std::string>{"", "a", "b", "c", "d"}));
    ASSERT_EQ(s.widgets.size(), 5u);
    ASSERT_EQ(s.widgets[0].files.size(), 1u);
    EXPECT_EQ(s.widgets[0].files[0].path, "tomeset/bg.png");
    ASSERT_EQ(s.widgets[1].files.size(), 1u);
    EXPECT_EQ(s.widgets[1].files[0].path, "Images/up1.png");
    ASSERT_EQ(s.widgets[2].files.size(), 1u);
    EXPECT_EQ(s.widgets[2].files[0].path, "");  // leaves the book folder
    EXPECT_EQ(s.widgets[2].files[0].written, "../../etc/passwd");
    ASSERT_EQ(s.widgets[3].files.size(), 1u);  // the empty pressed image names nothing
    EXPECT_TRUE(s.widgets[3].files[0].spriteFrame);
    ASSERT_EQ(s.widgets[4].files.size(), 1u);
    EXPECT_TRUE(s.widgets[4].files[0].font);
    ASSERT_EQ(s.sheets.size(), 1u);
    EXPECT_EQ(s.sheets[0].path, "tomeset/sheet/deco.plist");
}

TEST(LayoutSurvey, APageMustReadAsAPanel) {
    const std::string dir = testsupport::makeTempDir("quirel-survey");
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", "is empty"},
        {"{\"widgetTree\": {\"classname\": \"Panel\", \"options\": {}", "is not valid JSON (Line 1, Column "},
        {"{\"version\": \"1.0.0.0\"}", "has no widget tree"},
        {"{\"widgetTree\": [1, 2]}", "has no widget tree"},
        {"{\"widgetTree\": {\"classname\": \"ListView\"}}", "has no panel at the root of its widget tree"},
        {"{\"widgetTree\": {\"classname\": \"ImageView\"}}", "has no panel at the root of its widget tree"},
        {"{\"widgetTree\": {\"classname\": \"ScrollView\"}}", ""},
    };
    for (const auto& [text, problem] : cases) {
        testsupport::writeFile(dir + "/p.json", text);
        const app::LayoutSurvey s = app::surveyLayout(dir, "p.json");
        if (problem.empty())
            EXPECT_EQ(s.problem, "") << text;
        else
            EXPECT_EQ(s.problem.rfind(problem, 0), 0u) << text << " gave " << s.problem;
    }
    EXPECT_EQ(app::surveyLayout(dir, "none.json").problem, "is missing");
    std::filesystem::create_directory(dir + "/folder.json");
    EXPECT_EQ(app::surveyLayout(dir, "folder.json").problem, "is not a file");
}
