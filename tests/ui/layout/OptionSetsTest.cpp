// Every option set through real layout files, in its legacy and its current form.
#include "LayoutTestKit.h"

#include "engine/text/CCLabelBMFont.h"

using namespace engine;
using namespace ui;
using namespace layouttest;

namespace {

// Images of distinct sizes in the layout's folder, and a sheet of frames of distinct sizes, so
// that a widget's size tells which image it loaded.
class Options : public LayoutTest {
protected:
    void SetUp() override {
        LayoutTest::SetUp();
        png("layout/img/a.png", 20, 10);
        png("layout/img/b.png", 24, 12);
        png("layout/img/c.png", 28, 14);
        png("layout/img/d.png", 32, 16);
        png("layout/img/e.png", 36, 18);
        sheet("layout/sheet/s.plist", {{"fa.png", CCSize(6, 6)}, {"fb.png", CCSize(8, 8)}, {"fc.png", CCSize(10, 10)}});
    }

    // One entry under a panel in a file that loads the sheet; legacy leaves "version" out.
    template <typename W>
    W* one(const std::string& classname, const std::string& options, bool legacyForm = false,
           const std::string& children = "[]") {
        std::string tree = entry("Panel", "{\"width\": 640, \"height\": 960}", "[" + entry(classname, options, children) + "]");
        const std::string sheets = R"("textures": ["sheet/s.plist"])";
        UIWidget* root = load(legacyForm ? legacy(tree, sheets) : current(tree, sheets));
        EXPECT_NE(root, nullptr);
        if (!root) return nullptr;
        W* w = dynamic_cast<W*>(childAt(root, 0));
        EXPECT_NE(w, nullptr) << classname;
        return w;
    }

    std::string img(const char* name) { return path(std::string("layout/img/") + name); }
};

}  // namespace

// --- buttons -----------------------------------------------------------------------------------

TEST_F(Options, ButtonCurrentFormLoadsFilesFromTheFolderAndFramesByName) {
    auto* b = one<UIButton>("Button", "{\"normalData\": " + ref(0, "img/a.png") + ", \"pressedData\": " +
                                          ref(1, "fb.png") + ", \"disabledData\": " + ref(0, "") + "}");
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->getNormalFileName(), img("a.png"));
    EXPECT_EQ(b->getNormalTextureType(), TEX_RES_LOCAL_FILE);
    EXPECT_EQ(b->getNormalTextureSize(), CCSize(20, 10));
    // A frame name is passed as it stands, without the layout folder.
    EXPECT_STREQ(b->getPressedFileName(), "fb.png");
    EXPECT_EQ(b->getPressedTextureType(), TEX_RES_SPRITE_FRAME);
    EXPECT_EQ(b->getPressedTextureSize(), CCSize(8, 8));
    // An empty path loads nothing.
    EXPECT_STREQ(b->getDisabledFileName(), "");
    EXPECT_EQ(b->getDisabledTextureSize(), CCSize(0, 0));
    EXPECT_FALSE(b->isScale9Enabled());
}

TEST_F(Options, ButtonLegacyFormUsesPlainNamesAndTheMergedTextureFlag) {
    auto* files = one<UIButton>("Button", R"({"normal": "img/a.png", "pressed": "img/b.png", "disabled": "img/c.png",
        "normalData": {"resourceType": 0, "path": "img/e.png"}})", true);
    ASSERT_NE(files, nullptr);
    EXPECT_EQ(files->getNormalFileName(), img("a.png"));  // the Data key is not looked at
    EXPECT_EQ(files->getPressedFileName(), img("b.png"));
    EXPECT_EQ(files->getDisabledFileName(), img("c.png"));
    EXPECT_EQ(files->getDisabledTextureSize(), CCSize(28, 14));

    auto* frames = one<UIButton>("Button", R"({"useMergedTexture": true, "normal": "fa.png", "pressed": "fc.png"})", true);
    ASSERT_NE(frames, nullptr);
    EXPECT_STREQ(frames->getNormalFileName(), "fa.png");
    EXPECT_EQ(frames->getNormalTextureType(), TEX_RES_SPRITE_FRAME);
    EXPECT_EQ(frames->getNormalTextureSize(), CCSize(6, 6));
    EXPECT_EQ(frames->getPressedTextureSize(), CCSize(10, 10));
}

TEST_F(Options, ButtonNineSliceTakesCapInsetsAndItsOwnSizeOnlyWithBothKeys) {
    for (bool legacyForm : {false, true}) {
        const std::string image = legacyForm ? R"("normal": "img/e.png")" : "\"normalData\": " + ref(0, "img/e.png");
        auto* sized = one<UIButton>("Button", "{" + image + R"(, "scale9Enable": true, "width": 50, "height": 40,
            "capInsetsX": 2, "capInsetsY": 3, "capInsetsWidth": 4, "capInsetsHeight": 5,
            "scale9Width": 120, "scale9Height": 60})", legacyForm);
        ASSERT_NE(sized, nullptr);
        EXPECT_TRUE(sized->isScale9Enabled());
        EXPECT_EQ(sized->getNormalCapInsets(), CCRect(2, 3, 4, 5));
        EXPECT_EQ(sized->getPressedCapInsets(), CCRect(2, 3, 4, 5));
        EXPECT_EQ(sized->getSize(), CCSize(120, 60));

        auto* half = one<UIButton>("Button", "{" + image + R"(, "scale9Enable": true, "width": 50, "height": 40,
            "scale9Width": 120})", legacyForm);
        EXPECT_EQ(half->getSize(), CCSize(50, 40));

        // Without nine-slice the insets and the nine-slice size are not applied.
        auto* plain = one<UIButton>("Button", "{" + image + R"(, "width": 50, "height": 40, "capInsetsX": 2,
            "scale9Width": 120, "scale9Height": 60})", legacyForm);
        EXPECT_EQ(plain->getNormalCapInsets(), CCRect(0, 0, 0, 0));
        EXPECT_EQ(plain->getSize(), CCSize(36, 18));  // ignoreSize: the image's size
    }
}

TEST_F(Options, TextButtonAddsATitleWithItsColourFontAndTheColourSetAgain) {
    auto* b = one<UIButton>("TextButton", R"({"text": "Go", "textColorG": 10, "textColorB": 20, "fontSize": 30,
        "fontName": "Arial", "colorR": 1, "colorG": 2, "colorB": 3})");
    ASSERT_NE(b, nullptr);
    EXPECT_STREQ(b->getTitleText(), "Go");
    EXPECT_EQ(b->getTitleColor(), ccc3(255, 10, 20));  // no "textColorR": 255
    EXPECT_FLOAT_EQ(b->getTitleFontSize(), 30);
    EXPECT_STREQ(b->getTitleFontName(), "Arial");
    EXPECT_EQ(b->getColor(), ccc3(1, 2, 3));

    // Font keys are only applied when present; the title keeps the button's own font.
    UIButton* fresh = UIButton::create();
    auto* bare = one<UIButton>("TextButton", "{}");
    EXPECT_STREQ(bare->getTitleText(), "");
    EXPECT_EQ(bare->getTitleColor(), ccc3(255, 255, 255));
    EXPECT_FLOAT_EQ(bare->getTitleFontSize(), fresh->getTitleFontSize());
    EXPECT_STREQ(bare->getTitleFontName(), fresh->getTitleFontName());
}

// --- images and texts --------------------------------------------------------------------------

TEST_F(Options, ImageViewLegacyNamesAFileOrAMergedFrame) {
    auto* file = one<UIImageView>("ImageView", R"({"fileName": "img/b.png"})", true);
    EXPECT_EQ(file->getTextureFile(), img("b.png"));
    EXPECT_EQ(file->getTextureType(), TEX_RES_LOCAL_FILE);
    EXPECT_EQ(file->getSize(), CCSize(24, 12));

    auto* frame = one<UIImageView>("ImageView", R"({"fileName": "fc.png", "useMergedTexture": true})", true);
    EXPECT_STREQ(frame->getTextureFile(), "fc.png");
    EXPECT_EQ(frame->getTextureType(), TEX_RES_SPRITE_FRAME);
    EXPECT_EQ(frame->getSize(), CCSize(10, 10));

    auto* notMerged = one<UIImageView>("ImageView", R"({"fileName": "fc.png", "useMergedTexture": false})", true);
    EXPECT_EQ(notMerged->getTextureFile(), path("layout/fc.png"));
    EXPECT_EQ(notMerged->getSize(), CCSize(0, 0));  // no such file in the folder
}

TEST_F(Options, ImageViewCurrentFormAndNineSliceInBothForms) {
    auto* frame = one<UIImageView>("ImageView", "{\"fileNameData\": " + ref(1, "fa.png") + "}");
    EXPECT_EQ(frame->getTextureType(), TEX_RES_SPRITE_FRAME);
    EXPECT_EQ(frame->getSize(), CCSize(6, 6));
    auto* empty = one<UIImageView>("ImageView", "{\"fileNameData\": " + ref(0, "") + "}");
    EXPECT_STREQ(empty->getTextureFile(), "");
    EXPECT_EQ(empty->getSize(), CCSize(0, 0));
    auto* unknownType = one<UIImageView>("ImageView", "{\"fileNameData\": " + ref(2, "img/a.png") + "}");
    EXPECT_STREQ(unknownType->getTextureFile(), "");

    for (bool legacyForm : {false, true}) {
        const std::string image = legacyForm ? R"("fileName": "img/d.png")" : "\"fileNameData\": " + ref(0, "img/d.png");
        auto* nine = one<UIImageView>("ImageView", "{" + image + R"(, "scale9Enable": true, "scale9Width": 100,
            "scale9Height": 50, "capInsetsX": 1, "capInsetsY": 2, "capInsetsWidth": 3, "capInsetsHeight": 4})",
                                      legacyForm);
        ASSERT_NE(nine, nullptr);
        EXPECT_TRUE(nine->isScale9Enabled());
        EXPECT_EQ(nine->getSize(), CCSize(100, 50));
        EXPECT_EQ(nine->getCapInsets(), CCRect(1, 2, 3, 4));
        EXPECT_EQ(nine->getTextureFile(), img("d.png"));
        // Insets and the nine-slice size only with nine-slice on.
        auto* plain = one<UIImageView>("ImageView", "{" + image + R"(, "scale9Width": 100, "scale9Height": 50,
            "capInsetsX": 1})", legacyForm);
        EXPECT_FALSE(plain->isScale9Enabled());
        EXPECT_EQ(plain->getSize(), CCSize(32, 16));
        EXPECT_EQ(plain->getCapInsets(), CCRect(0, 0, 0, 0));
    }
}

TEST_F(Options, LabelReadsTheSameKeysInBothForms) {
    for (bool legacyForm : {false, true}) {
        auto* label = one<UILabel>("Label", R"({"text": "Hello", "fontSize": 31, "fontName": "Arial",
            "colorR": 9, "touchScaleEnable": true, "scaleX": 1.5})", legacyForm);
        ASSERT_NE(label, nullptr);
        EXPECT_STREQ(label->getStringValue(), "Hello");
        EXPECT_FLOAT_EQ(label->getFontSize(), 31);
        EXPECT_STREQ(label->getFontName(), "Arial");
        EXPECT_EQ(label->getColor(), ccc3(9, 255, 255));
        EXPECT_TRUE(label->isTouchScaleEnabled());
        // The normal scale is taken when the flag is set, after the widget set scaled it.
        EXPECT_FLOAT_EQ(label->getNormalScale(), 1.5f);
    }
    UILabel* fresh = UILabel::create();
    auto* bare = one<UILabel>("Label", "{}");
    EXPECT_STREQ(bare->getStringValue(), fresh->getStringValue());
    EXPECT_FLOAT_EQ(bare->getFontSize(), fresh->getFontSize());
    EXPECT_FALSE(bare->isTouchScaleEnabled());
}

TEST_F(Options, TextAreaSetsItsAreaAndAlignmentsAndKeepsTheDefaultFontWithoutAName) {
    auto* area = one<UILabel>("TextArea", R"({"text": "Two words", "fontSize": 20, "fontName": "Arial",
        "areaWidth": 200, "areaHeight": 80, "hAlignment": 2, "vAlignment": 1, "colorB": 0})");
    ASSERT_NE(area, nullptr);
    EXPECT_STREQ(area->getStringValue(), "Two words");
    EXPECT_EQ(area->getLabelRenderer()->getDimensions(), CCSize(200, 80));
    EXPECT_EQ(area->getLabelRenderer()->getHorizontalAlignment(), kCCTextAlignmentRight);
    EXPECT_EQ(area->getLabelRenderer()->getVerticalAlignment(), kCCVerticalTextAlignmentCenter);
    EXPECT_EQ(area->getColor(), ccc3(255, 255, 0));

    UILabel* fresh = UILabel::create();
    auto* bare = one<UILabel>("TextArea", R"({"text": "x", "areaWidth": 200, "hAlignment": 7, "vAlignment": -1})");
    EXPECT_STREQ(bare->getFontName(), fresh->getFontName());
    EXPECT_EQ(bare->getLabelRenderer()->getDimensions(), fresh->getLabelRenderer()->getDimensions());
    EXPECT_EQ(bare->getLabelRenderer()->getHorizontalAlignment(), fresh->getLabelRenderer()->getHorizontalAlignment());
    EXPECT_EQ(bare->getLabelRenderer()->getVerticalAlignment(), fresh->getLabelRenderer()->getVerticalAlignment());
}

TEST_F(Options, AtlasLabelNeedsAllFiveKeysAndALocalMap) {
    png("layout/digits.png", 40, 8);
    const std::string all = R"("stringValue": "0123", "itemWidth": 4, "itemHeight": 8, "startCharMap": "0")";
    auto* legacyAtlas = one<UILabelAtlas>("LabelAtlas", "{" + all + R"(, "charMapFile": "digits.png"})", true);
    EXPECT_STREQ(legacyAtlas->getStringValue(), "0123");
    EXPECT_EQ(legacyAtlas->getAtlasRenderer()->getTexture()->getPath(), path("layout/digits.png"));
    EXPECT_EQ(legacyAtlas->getAtlasRenderer()->getItemWidth(), 4u);
    EXPECT_EQ(legacyAtlas->getSize(), CCSize(16, 8));

    auto* currentAtlas = one<UILabelAtlas>(
        "LabelAtlas", "{" + all + ", \"charMapFile\": 0, \"charMapFileData\": " + ref(0, "digits.png") + "}");
    EXPECT_STREQ(currentAtlas->getStringValue(), "0123");
    EXPECT_EQ(currentAtlas->getSize(), CCSize(16, 8));

    // Left empty: a missing key (in either form), the current form without the legacy key,
    // a sprite-frame map, an empty legacy name.
    const std::string cases[] = {
        "{\"stringValue\": \"0123\", \"itemWidth\": 4, \"itemHeight\": 8, \"charMapFile\": \"digits.png\"}",
        "{" + all + ", \"charMapFileData\": " + ref(0, "digits.png") + "}",
        "{" + all + ", \"charMapFile\": 0, \"charMapFileData\": " + ref(1, "fa.png") + "}",
    };
    for (const std::string& c : cases) {
        auto* empty = one<UILabelAtlas>("LabelAtlas", c);
        EXPECT_STREQ(empty->getStringValue(), "") << c;
        EXPECT_EQ(empty->getSize(), CCSize(0, 0)) << c;
    }
    auto* noStart = one<UILabelAtlas>("LabelAtlas", R"({"stringValue": "0123", "itemWidth": 4, "itemHeight": 8,
        "charMapFile": "digits.png"})", true);
    EXPECT_STREQ(noStart->getStringValue(), "");
    auto* emptyName = one<UILabelAtlas>("LabelAtlas", "{" + all + R"(, "charMapFile": ""})", true);
    EXPECT_STREQ(emptyName->getStringValue(), "");
}

TEST_F(Options, BitmapFontLabelSetsItsFontFirstAndItsTextOnlyWithAFont) {
    font("layout/fonts/leaf.fnt");
    auto* legacyLabel = one<UILabelBMFont>("LabelBMFont", R"({"fileName": "fonts/leaf.fnt", "text": "AB"})", true);
    EXPECT_TRUE(legacyLabel->isFontFileSet());
    EXPECT_STREQ(legacyLabel->getFontRenderer()->getFntFile(), path("layout/fonts/leaf.fnt").c_str());
    EXPECT_STREQ(legacyLabel->getStringValue(), "AB");

    auto* currentLabel = one<UILabelBMFont>("LabelBMFont", "{\"fileNameData\": " + ref(0, "fonts/leaf.fnt") +
                                                                ", \"text\": \"BA\"}");
    EXPECT_TRUE(currentLabel->isFontFileSet());
    EXPECT_STREQ(currentLabel->getStringValue(), "BA");

    // A sprite-frame reference or no name sets no font, and then no text either.
    for (const std::string& o : {"{\"fileNameData\": " + ref(1, "fonts/leaf.fnt") + ", \"text\": \"AB\"}",
                                 std::string(R"({"text": "AB"})")}) {
        auto* none = one<UILabelBMFont>("LabelBMFont", o);
        EXPECT_FALSE(none->isFontFileSet()) << o;
        EXPECT_STREQ(none->getStringValue(), "") << o;
    }
}

// --- controls ----------------------------------------------------------------------------------

TEST_F(Options, CheckBoxLoadsItsFiveImagesInBothForms) {
    auto* legacyBox = one<UICheckBox>("CheckBox", R"({"backGroundBox": "img/a.png", "backGroundBoxSelected": "img/b.png",
        "frontCross": "img/c.png", "backGroundBoxDisabled": "img/d.png", "frontCrossDisabled": "img/e.png"})", true);
    ASSERT_NE(legacyBox, nullptr);
    CCSprite* sprites[] = {legacyBox->getBoxSprite(), legacyBox->getBoxSelectedSprite(), legacyBox->getCrossSprite(),
                           legacyBox->getBoxDisabledSprite(), legacyBox->getCrossDisabledSprite()};
    const char* files[] = {"a.png", "b.png", "c.png", "d.png", "e.png"};
    for (int i = 0; i < 5; ++i) {
        ASSERT_NE(sprites[i]->getTexture(), nullptr) << i;
        EXPECT_EQ(sprites[i]->getTexture()->getPath(), img(files[i])) << i;
    }

    auto* frames = one<UICheckBox>("CheckBox", "{\"backGroundBoxData\": " + ref(1, "fa.png") +
                                                   ", \"frontCrossData\": " + ref(0, "img/c.png") +
                                                   ", \"frontCrossDisabledData\": " + ref(1, "fc.png") + "}");
    EXPECT_EQ(frames->getBackGroundBoxTextureType(), TEX_RES_SPRITE_FRAME);
    EXPECT_EQ(frames->getBoxSprite()->getContentSize(), CCSize(6, 6));
    EXPECT_EQ(frames->getFrontCrossTextureType(), TEX_RES_LOCAL_FILE);
    EXPECT_EQ(frames->getCrossSprite()->getTexture()->getPath(), img("c.png"));
    EXPECT_EQ(frames->getFrontCrossDisabledTextureType(), TEX_RES_SPRITE_FRAME);
    EXPECT_EQ(frames->getBoxSelectedSprite()->getTexture(), nullptr);
}

TEST_F(Options, LoadingBarReadsItsImageDirectionAndPercentAndNineSliceOnlyInTheCurrentForm) {
    auto* legacyBar = one<UILoadingBar>("LoadingBar", R"({"texture": "img/e.png", "direction": 1, "percent": 40,
        "scale9Enable": true, "capInsetsX": 3})", true);
    EXPECT_EQ(legacyBar->getTextureFile(), img("e.png"));
    EXPECT_EQ(legacyBar->getDirection(), 1);
    EXPECT_EQ(legacyBar->getPercent(), 40);
    EXPECT_FALSE(legacyBar->isScale9Enabled());

    auto* merged = one<UILoadingBar>("LoadingBar", R"({"texture": "fb.png", "useMergedTexture": true})", true);
    EXPECT_EQ(merged->getTextureType(), TEX_RES_SPRITE_FRAME);
    EXPECT_EQ(merged->getPercent(), 0);  // the read's default, not the bar's own 100

    auto* nine = one<UILoadingBar>("LoadingBar", "{\"textureData\": " + ref(0, "img/e.png") + R"(, "scale9Enable": true,
        "capInsetsX": 3, "capInsetsY": 4, "capInsetsWidth": 5, "capInsetsHeight": 6, "width": 300, "height": 30,
        "direction": 0, "percent": 75})");
    EXPECT_TRUE(nine->isScale9Enabled());
    EXPECT_EQ(nine->getCapInsets(), CCRect(3, 4, 5, 6));
    EXPECT_EQ(nine->getSize(), CCSize(300, 30));
    EXPECT_EQ(nine->getPercent(), 75);
}

TEST_F(Options, SliderTakesABarOnlyWhenTheLegacyBarKeyIsThere) {
    auto* legacySlider = one<UISlider>("Slider", R"({"barFileName": "img/e.png", "ballNormal": "img/a.png",
        "ballPressed": "img/b.png", "ballDisabled": "img/c.png", "progressBarFileName": "img/d.png",
        "percent": 30})", true);
    ASSERT_NE(legacySlider, nullptr);
    EXPECT_EQ(legacySlider->getBarTextureFile(), img("e.png"));
    EXPECT_EQ(legacySlider->getBallNormalTextureFile(), img("a.png"));
    EXPECT_EQ(legacySlider->getBallPressedTextureFile(), img("b.png"));
    EXPECT_EQ(legacySlider->getBallDisabledTextureFile(), img("c.png"));
    EXPECT_EQ(legacySlider->getProgressBarTextureFile(), img("d.png"));
    EXPECT_EQ(legacySlider->getPercent(), 30);
    EXPECT_FLOAT_EQ(legacySlider->getBarLength(), 36);

    const std::string rest = ", \"ballNormalData\": " + ref(1, "fa.png") + ", \"progressBarData\": " + ref(0, "img/d.png");
    auto* currentSlider = one<UISlider>(
        "Slider", "{\"barFileName\": 0, \"barFileNameData\": " + ref(0, "img/e.png") + rest + ", \"percent\": 60}");
    EXPECT_EQ(currentSlider->getBarTextureFile(), img("e.png"));
    EXPECT_STREQ(currentSlider->getBallNormalTextureFile(), "fa.png");
    EXPECT_EQ(currentSlider->getBallNormalTextureType(), TEX_RES_SPRITE_FRAME);
    EXPECT_EQ(currentSlider->getProgressBarTextureFile(), img("d.png"));
    EXPECT_EQ(currentSlider->getPercent(), 60);

    auto* noBar = one<UISlider>("Slider", "{\"barFileNameData\": " + ref(0, "img/e.png") + rest + "}");
    EXPECT_STREQ(noBar->getBarTextureFile(), "");
    EXPECT_FLOAT_EQ(noBar->getBarLength(), 0);
    EXPECT_EQ(noBar->getProgressBarTextureFile(), img("d.png"));  // the later steps still run

    // Nine-slice: the bar is stretched to "length" at the slider's content height.
    auto* nine = one<UISlider>("Slider", "{\"barTextureScale9Enable\": true, \"barFileName\": 0, \"length\": 250, "
                                         "\"barFileNameData\": " + ref(0, "img/e.png") + "}");
    EXPECT_TRUE(nine->isScale9Enabled());
    EXPECT_FLOAT_EQ(nine->getSize().width, 250);
    EXPECT_FLOAT_EQ(nine->getBarLength(), 250);
}

TEST_F(Options, TextFieldReadsItsKeysAndTheLimitsOnlyWhenEnabled) {
    for (bool legacyForm : {false, true}) {
        auto* field = one<UITextField>("TextField", R"({"placeHolder": "name", "text": "Ann", "fontSize": 22,
            "fontName": "Arial", "touchSizeWidth": 100, "touchSizeHeight": 40, "maxLengthEnable": true,
            "maxLength": 5, "passwordEnable": true, "passwordStyleText": "#"})", legacyForm);
        ASSERT_NE(field, nullptr);
        EXPECT_STREQ(field->getPlaceHolder(), "name");
        EXPECT_STREQ(field->getStringValue(), "Ann");
        EXPECT_EQ(field->getTouchSize(), CCSize(100, 40));
        EXPECT_TRUE(field->isUseTouchArea());
        EXPECT_TRUE(field->isMaxLengthEnabled());
        EXPECT_EQ(field->getMaxLength(), 5);
        EXPECT_TRUE(field->isPasswordEnabled());
        EXPECT_STREQ(field->getPasswordStyleText(), "#");
    }
    UITextField* fresh = UITextField::create();
    auto* off = one<UITextField>("TextField", R"({"maxLengthEnable": false, "maxLength": 3, "passwordEnable": false,
        "passwordStyleText": "#", "touchSizeWidth": 100})");
    EXPECT_FALSE(off->isMaxLengthEnabled());
    EXPECT_EQ(off->getMaxLength(), fresh->getMaxLength());
    EXPECT_FALSE(off->isPasswordEnabled());
    EXPECT_STREQ(off->getPasswordStyleText(), fresh->getPasswordStyleText());
    EXPECT_FALSE(off->isUseTouchArea());
    EXPECT_STREQ(off->getPlaceHolder(), fresh->getPlaceHolder());
}

// --- panels ------------------------------------------------------------------------------------

TEST_F(Options, PanelColoursGradientOpacityAndBackgroundImageInBothForms) {
    auto* p = one<Layout>("Panel", R"({"colorType": 2, "bgColorR": 1, "bgColorG": 2, "bgColorB": 3,
        "bgStartColorR": 10, "bgStartColorG": 20, "bgStartColorB": 30, "bgEndColorR": 40, "bgEndColorG": 50,
        "bgEndColorB": 60, "vectorX": 1, "vectorY": 0.5, "bgColorOpacity": 128, "width": 100, "height": 80,
        "backGroundImageData": {"resourceType": 0, "path": "img/c.png"}})");
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->getBackGroundColorType(), BG_COLOR_GRADIENT);
    EXPECT_EQ(p->getBackGroundColor(), ccc3(1, 2, 3));
    EXPECT_EQ(p->getBackGroundStartColor(), ccc3(10, 20, 30));
    EXPECT_EQ(p->getBackGroundEndColor(), ccc3(40, 50, 60));
    EXPECT_EQ(p->getBackGroundColorVector(), CCPoint(1, 0.5f));
    EXPECT_EQ(p->getBackGroundColorOpacity(), 128);
    ASSERT_NE(p->getGradientRender(), nullptr);
    EXPECT_EQ(p->getBackGroundImageFileName(), img("c.png"));
    EXPECT_EQ(p->getBackGroundImageTextureSize(), CCSize(28, 14));
    EXPECT_EQ(p->getSize(), CCSize(100, 80));

    // Absent colours are 0 (not 255), the opacity too; colour type 0 draws no colour.
    auto* bare = one<Layout>("Panel", "{}");
    EXPECT_EQ(bare->getBackGroundColorType(), BG_COLOR_NONE);
    EXPECT_EQ(bare->getBackGroundColor(), ccc3(0, 0, 0));
    EXPECT_EQ(bare->getBackGroundColorOpacity(), 0);
    EXPECT_EQ(bare->getColorRender(), nullptr);

    auto* legacyPanel = one<Layout>("Panel", R"({"colorType": 1, "bgColorG": 200, "bgColorOpacity": 255,
        "backGroundImage": "fb.png", "useMergedTexture": true, "backGroundScale9Enable": true,
        "capInsetsX": 1, "capInsetsY": 1, "capInsetsWidth": 2, "capInsetsHeight": 2})", true);
    EXPECT_EQ(legacyPanel->getBackGroundColorType(), BG_COLOR_SOLID);
    ASSERT_NE(legacyPanel->getColorRender(), nullptr);
    EXPECT_EQ(legacyPanel->getColorRender()->getColor(), ccc3(0, 200, 0));
    EXPECT_STREQ(legacyPanel->getBackGroundImageFileName(), "fb.png");
    EXPECT_EQ(legacyPanel->getBackGroundImageTextureType(), TEX_RES_SPRITE_FRAME);
    EXPECT_TRUE(legacyPanel->isBackGroundScale9Enable());
    EXPECT_EQ(legacyPanel->getBackGroundImageCapInsets(), CCRect(1, 1, 2, 2));

    // A colour type naming no kind draws nothing.
    auto* odd = one<Layout>("Panel", R"({"colorType": 9, "bgColorOpacity": 255})");
    EXPECT_EQ(odd->getBackGroundColorType(), BG_COLOR_NONE);
}

TEST_F(Options, ScrollViewAndDragPanelTakeAnInnerSizeTheirFlagsAndTheirChildrenInside) {
    const std::string kid = "[" + entry("Button", R"({"name": "inner"})") + "]";
    auto* scroll = one<UIScrollView>("ScrollView", R"({"width": 200, "height": 100, "innerWidth": 200,
        "innerHeight": 500, "direction": 2.9, "colorType": 1, "bgColorR": 5})", false, kid);
    ASSERT_NE(scroll, nullptr);
    EXPECT_EQ(scroll->getInnerContainerSize(), CCSize(200, 500));
    EXPECT_EQ(scroll->getDirection(), 2);
    EXPECT_EQ(scroll->getBackGroundColor(), ccc3(5, 0, 0));
    EXPECT_EQ(scroll->getInnerContainer()->getChildren()->count(), 1u);
    EXPECT_STREQ(childAt(scroll->getInnerContainer(), 0)->getName(), "inner");

    auto* drag = one<UIDragPanel>("DragPanel", R"({"width": 200, "height": 100, "innerWidth": 400,
        "innerHeight": 300, "bounceEnable": true})", true, kid);
    ASSERT_NE(drag, nullptr);
    EXPECT_TRUE(drag->isBounceEnable());
    EXPECT_EQ(drag->getInnerContainerSize(), CCSize(400, 300));
    EXPECT_EQ(drag->getInnerContainer()->getChildren()->count(), 1u);
    auto* still = one<UIDragPanel>("DragPanel", R"({"bounceEnable": 1})");
    EXPECT_FALSE(still->isBounceEnable());
}

TEST_F(Options, PageViewTakesThePanelSetAndKeepsItsChildrenAsPlainChildren) {
    const std::string kids = "[" + entry("Panel", R"({"name": "p1"})") + ", " + entry("Panel", R"({"name": "p2"})") + "]";
    auto* pages = one<UIPageView>("PageView", R"({"width": 300, "height": 200, "colorType": 1, "bgColorB": 7})",
                                  false, kids);
    ASSERT_NE(pages, nullptr);
    EXPECT_EQ(pages->getSize(), CCSize(300, 200));
    EXPECT_EQ(pages->getBackGroundColor(), ccc3(0, 0, 7));
    EXPECT_EQ(pages->getPageCount(), 0u);
    EXPECT_NE(named(pages, "p2"), nullptr);
}
