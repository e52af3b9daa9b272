// UITextField: input opened by a touch, events once per frame in order, the length limit on character boundaries, invalid UTF-8, the password mask.
#include "LeafWidgetKit.h"

using namespace engine;
using namespace leaf;
using ui::UICCTextField;
using ui::UITextField;

namespace {

class TextField : public LeafTest {
protected:
    UITextField* make() {
        UITextField* field = UITextField::create();
        field->setTouchEnabled(true);
        field->setEventListener(&listener, textfieldselector(Listener::onEvent));
        field->setAttachListener(&listener, widgeteventselector(Listener::onAttach));
        field->setDetachListener(&listener, widgeteventselector(Listener::onDetach));
        field->setInsertListener(&listener, widgeteventselector(Listener::onInsert));
        field->setDeleteListener(&listener, widgeteventselector(Listener::onDelete));
        return field;
    }
    // The field on stage at (200, 150), touched so that it receives typed text.
    UITextField* focused() {
        UITextField* field = make();
        stage(field, 200, 150);
        host->touchDown(200, 150);
        host->touchUp(200, 150);
        host->step(1);
        listener.events.clear();
        listener.calls.clear();
        return field;
    }
    void TearDown() override {
        // Leave no field attached to the process-wide input method.
        if (CCIMEDispatcher::sharedDispatcher()->hasAttachedDelegate())
            CCIMEDispatcher::sharedDispatcher()->attachedDelegate()->detachWithIME();
        LeafTest::TearDown();
    }
    static const char* shown(UITextField* f) { return f->getTextFieldRenderer()->getShownString(); }
    Listener listener;
};

TEST_F(TextField, StartsEmptyWithItsPlaceholderFontAndUpdate) {
    UITextField* field = UITextField::create();
    ASSERT_NE(field, nullptr);
    EXPECT_STREQ(field->getTypeName(), "TextField");
    EXPECT_STREQ(field->getStringValue(), "");
    EXPECT_STREQ(field->getPlaceHolder(), "input words here");
    EXPECT_STREQ(shown(field), "input words here");
    EXPECT_STREQ(field->getTextFieldRenderer()->getFontName(), "Thonburi");
    EXPECT_FLOAT_EQ(field->getTextFieldRenderer()->getFontSize(), 20.0f);
    EXPECT_TRUE(field->isFrameUpdateEnabled());
    EXPECT_FALSE(field->isMaxLengthEnabled());
    EXPECT_FALSE(field->isPasswordEnabled());
    EXPECT_STREQ(field->getPasswordStyleText(), "*");
    EXPECT_GT(field->getSize().width, 0);
    EXPECT_TRUE(field->getSize().equals(field->getTextFieldRenderer()->getContentSize()));
}

TEST_F(TextField, ATouchOpensTheInputAndTypedTextArrivesWithEventsOncePerFrameInOrder) {
    UITextField* field = make();
    stage(field, 200, 150);
    host->touchDown(200, 150);
    host->touchUp(200, 150);
    EXPECT_TRUE(field->getTextFieldRenderer()->isAttachedWithIME());
    host->insertText("a");
    host->insertText("bc");
    // Nothing is reported before the frame.
    EXPECT_TRUE(listener.events.empty());
    host->step(1);
    EXPECT_EQ(listener.events, (std::vector<int>{0, 2}));
    EXPECT_EQ(listener.calls, (std::vector<std::string>{"attach", "insert"}));
    EXPECT_STREQ(field->getStringValue(), "abc");
    host->step(1);
    EXPECT_EQ(listener.events.size(), 2u);
    host->deleteBackward();
    field->closeInput();
    host->step(1);
    EXPECT_EQ(listener.events, (std::vector<int>{0, 2, 1, 3}));
    EXPECT_STREQ(field->getStringValue(), "ab");
    // Closed: typing reaches nobody.
    host->insertText("zzz");
    EXPECT_STREQ(field->getStringValue(), "ab");
}

TEST_F(TextField, TheSizeFollowsTheTextWhileTyping) {
    UITextField* field = focused();
    host->insertText("W");
    host->step(1);
    const float one = field->getSize().width;
    host->insertText("WWWW");
    host->step(1);
    EXPECT_GT(field->getSize().width, one);
    EXPECT_TRUE(field->getSize().equals(field->getTextFieldRenderer()->getContentSize()));
    for (int i = 0; i < 4; ++i) host->deleteBackward();
    host->step(1);
    EXPECT_FLOAT_EQ(field->getSize().width, one);
}

TEST_F(TextField, MaxLengthFiveRefusesTheSixthCharacter) {
    UITextField* field = focused();
    field->setMaxLengthEnable(true);
    field->setMaxLength(5);
    host->insertText("abcde");
    host->insertText("f");
    EXPECT_STREQ(field->getStringValue(), "abcde");
    // A longer insertion is cut to what fits.
    host->deleteBackward();
    host->deleteBackward();
    host->insertText("xyzzy");
    EXPECT_STREQ(field->getStringValue(), "abcxy");
    // Without the limit the text grows again.
    field->setMaxLengthEnable(false);
    host->insertText("!");
    EXPECT_STREQ(field->getStringValue(), "abcxy!");
}

TEST_F(TextField, TheLimitCutsMultiByteTextOnCharacterBoundaries) {
    UITextField* field = focused();
    field->setMaxLengthEnable(true);
    field->setMaxLength(3);
    host->insertText("a");
    // Two characters of two bytes each fit, a third does not.
    host->insertText("\xC3\xA9\xC3\xBC\xC3\xB6");
    EXPECT_STREQ(field->getStringValue(), "a\xC3\xA9\xC3\xBC");
    EXPECT_EQ(field->getTextFieldRenderer()->getCharCount(), 3);
    host->deleteBackward();
    host->deleteBackward();
    // Three-byte and four-byte characters.
    host->insertText("\xE6\x97\xA5\xF0\x9F\x98\x80\xE6\x9C\xAC");
    EXPECT_STREQ(field->getStringValue(), "a\xE6\x97\xA5\xF0\x9F\x98\x80");
}

TEST_F(TextField, InvalidUtf8IsNeverHalfStored) {
    UITextField* field = focused();
    host->insertText("a\xC3");           // cut-off sequence
    host->insertText("\xFF\xFE");        // no character at all
    host->insertText("\x80" "b\xE6\x97");  // stray continuation, then a cut-off three-byte one
    EXPECT_STREQ(field->getStringValue(), "ab");
    host->step(1);
    // The insertions that stored something were reported.
    EXPECT_EQ(listener.events, (std::vector<int>{2}));
    field->setText("x\xC3\xA9\xFF");
    EXPECT_STREQ(field->getStringValue(), "x\xC3\xA9");
    // With a limit, invalid bytes do not count against it.
    field->setText("");
    field->setMaxLengthEnable(true);
    field->setMaxLength(2);
    host->insertText("\xFF\xFF\xFFpq");
    EXPECT_STREQ(field->getStringValue(), "pq");
}

TEST_F(TextField, APasswordShowsOneMaskPerByte) {
    UITextField* field = focused();
    field->setPasswordEnable(true);
    host->insertText("abc");
    EXPECT_STREQ(shown(field), "***");
    EXPECT_STREQ(field->getStringValue(), "abc");
    host->insertText("\xC3\xA9");
    EXPECT_STREQ(shown(field), "*****");
    host->deleteBackward();
    EXPECT_STREQ(shown(field), "***");
    for (int i = 0; i < 3; ++i) host->deleteBackward();
    EXPECT_STREQ(shown(field), "input words here");
    // A text set by code is masked too, and shown again when the password mode ends.
    field->setText("secret");
    EXPECT_STREQ(shown(field), "******");
    field->setPasswordEnable(false);
    EXPECT_STREQ(shown(field), "secret");
}

TEST_F(TextField, OnlyAOneCharacterMaskIsTaken) {
    UITextField* field = focused();
    field->setPasswordEnable(true);
    field->setPasswordStyleText("##");
    EXPECT_STREQ(field->getPasswordStyleText(), "*");
    field->setPasswordStyleText("\x07");
    field->setPasswordStyleText(" ");
    field->setPasswordStyleText("");
    field->setPasswordStyleText(nullptr);
    field->setPasswordStyleText("\xC2");      // half a character
    field->setPasswordStyleText("\xC2\x85");  // a control character
    EXPECT_STREQ(field->getPasswordStyleText(), "*");
    field->setPasswordStyleText("#");
    host->insertText("ab");
    EXPECT_STREQ(shown(field), "##");
    // A two-byte mask character works and keeps whole characters on screen.
    field->setPasswordStyleText("\xC2\xB7");
    EXPECT_STREQ(field->getPasswordStyleText(), "\xC2\xB7");
    EXPECT_STREQ(shown(field), "\xC2\xB7\xC2\xB7");
    host->insertText("c");
    EXPECT_STREQ(shown(field), "\xC2\xB7\xC2\xB7\xC2\xB7");
}

TEST_F(TextField, ANewlineRaisesNoInsertedEventAndClosesTheInput) {
    UITextField* field = focused();
    host->insertText("\n");
    host->step(1);
    EXPECT_EQ(listener.events, (std::vector<int>{1}));
    EXPECT_FALSE(field->getTextFieldRenderer()->isAttachedWithIME());
    EXPECT_STREQ(field->getStringValue(), "");
}

TEST_F(TextField, AMaxedFieldStillFinishesOnEnter) {
    UITextField* field = focused();
    field->setMaxLengthEnable(true);
    field->setMaxLength(2);
    host->insertText("ab");
    host->insertText("c\n");
    EXPECT_STREQ(field->getStringValue(), "ab");
    EXPECT_FALSE(field->getTextFieldRenderer()->isAttachedWithIME());
}

TEST_F(TextField, TouchingAnotherFieldMovesTheInput) {
    UITextField* first = make();
    ui::UILayer* layer = stage(first, 200, 200);
    UITextField* second = UITextField::create();
    second->setTouchEnabled(true);
    second->setPosition(CCPoint(200, 80));
    layer->addWidget(second);
    host->touchDown(200, 200);
    host->touchUp(200, 200);
    host->insertText("one");
    host->touchDown(200, 80);
    host->touchUp(200, 80);
    host->insertText("two");
    host->step(1);
    EXPECT_STREQ(first->getStringValue(), "one");
    EXPECT_STREQ(second->getStringValue(), "two");
    EXPECT_EQ(listener.events, (std::vector<int>{0, 1, 2}));
}

TEST_F(TextField, SettingsReachTheEngineField) {
    UITextField* field = UITextField::create();
    field->setPlaceHolder("name");
    EXPECT_STREQ(shown(field), "name");
    field->setFontSize(32);
    EXPECT_FLOAT_EQ(field->getTextFieldRenderer()->getFontSize(), 32.0f);
    field->setFontName("Arial");
    EXPECT_STREQ(field->getTextFieldRenderer()->getFontName(), "Arial");
    field->setTouchSize(CCSize(120, 40));
    EXPECT_TRUE(field->isUseTouchArea());
    EXPECT_TRUE(sizeIs(field->getTouchSize(), 120, 40));
    field->setAnchorPoint(CCPoint(0, 0));
    EXPECT_TRUE(field->getRendererNode()->getAnchorPoint().equals(CCPoint(0, 0)));
    field->setColor(ccc3(10, 20, 30));
    EXPECT_EQ(field->getTextFieldRenderer()->getColor().g, 20);
    field->setOpacity(100);
    EXPECT_EQ(field->getTextFieldRenderer()->getOpacity(), 100);
    field->setText(nullptr);
    EXPECT_STREQ(field->getStringValue(), "");
    field->setIgnoreSize(false);
    field->setSize(CCSize(field->getContentSize().width * 2, field->getContentSize().height));
    EXPECT_FLOAT_EQ(field->getRendererNode()->getScaleX(), 2.0f);
}

TEST_F(TextField, AFieldDestroyedWhileTypingLetsGoOfTheInput) {
    UITextField* field = make();
    ui::UILayer* layer = stage(field, 200, 150);
    host->touchDown(200, 150);
    host->touchUp(200, 150);
    ASSERT_TRUE(CCIMEDispatcher::sharedDispatcher()->hasAttachedDelegate());
    layer->clear();
    host->step(1);
    EXPECT_FALSE(CCIMEDispatcher::sharedDispatcher()->hasAttachedDelegate());
    host->insertText("after");  // reaches nobody, and nothing breaks
}

}  // namespace
