// CCTextFieldTTF through the input-method dispatcher: UTF-8 insertion and deletion, Enter,
// delegate refusals, placeholder, masks and what is drawn.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/text/CCIMEDispatcher.h"
#include "engine/text/CCTextFieldTTF.h"
#include "engine/text/CCUTF8.h"
#include "support/TestSupport.h"
#include "TextTestKit.h"

using namespace engine;
using textkit::Canvas;
using textkit::LogCapture;
using textkit::Rgba;

namespace {

// Records every question the field asks and answers as told.
struct RecordingDelegate : CCTextFieldDelegate {
    bool onTextFieldAttachWithIME(CCTextFieldTTF*) override {
        calls.push_back("attach");
        return refuseAttach;
    }
    bool onTextFieldDetachWithIME(CCTextFieldTTF*) override {
        calls.push_back("detach");
        return refuseDetach;
    }
    bool onTextFieldInsertText(CCTextFieldTTF*, const char* text, int len) override {
        calls.push_back("insert:" + std::string(text, size_t(len)));
        return refuseInsert || (refuseEnter && std::string(text, size_t(len)) == "\n");
    }
    bool onTextFieldDeleteBackward(CCTextFieldTTF*, const char* text, int len) override {
        calls.push_back("delete:" + std::string(text, size_t(len)));
        return refuseDelete;
    }
    bool onDraw(CCTextFieldTTF*) override { return drawsItself; }

    std::vector<std::string> calls;
    bool refuseAttach = false, refuseDetach = false, refuseInsert = false, refuseEnter = false,
         refuseDelete = false, drawsItself = false;
};

class TextField : public testsupport::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        field = CCTextFieldTTF::textFieldWithPlaceHolder("type here", "Arial", 24);
        ASSERT_NE(field, nullptr);
        field->retain();
    }
    void TearDown() override {
        field->detachWithIME();
        field->release();
        EngineTest::TearDown();
    }
    static void type(const std::string& bytes) {
        CCIMEDispatcher::sharedDispatcher()->dispatchInsertText(bytes.data(), int(bytes.size()));
    }
    static void backspace() { CCIMEDispatcher::sharedDispatcher()->dispatchDeleteBackward(); }

    CCTextFieldTTF* field = nullptr;
};

}  // namespace

TEST_F(TextField, TypedTextArrivesOnlyWhileAttached) {
    type("lost");
    EXPECT_STREQ(field->getString(), "");
    ASSERT_TRUE(field->attachWithIME());
    EXPECT_TRUE(field->isAttachedWithIME());
    EXPECT_EQ(CCIMEDispatcher::sharedDispatcher()->attachedDelegate(), field);
    type("hello");
    type(" you");
    EXPECT_STREQ(field->getString(), "hello you");
    EXPECT_EQ(field->getCharCount(), 9);
    EXPECT_STREQ(CCIMEDispatcher::sharedDispatcher()->getContentText(), "hello you");
    EXPECT_TRUE(field->detachWithIME());
    type("!");
    EXPECT_STREQ(field->getString(), "hello you");
}

TEST_F(TextField, DeleteBackwardRemovesWholeMultiByteCharacters) {
    field->attachWithIME();
    type("a\xC3\xA9\xE6\x97\xA5\xF0\x9F\x90\xBB");  // a é 日 bear
    EXPECT_EQ(field->getCharCount(), 4);
    const std::vector<std::string> expected = {"a\xC3\xA9\xE6\x97\xA5", "a\xC3\xA9", "a", ""};
    for (const std::string& e : expected) {
        backspace();
        EXPECT_EQ(std::string(field->getString()), e);
        EXPECT_EQ(field->getCharCount(), int(utf8::charCount(e)));
        EXPECT_EQ(utf8::clean(field->getString()), std::string(field->getString()));
    }
    backspace();  // on empty text: nothing happens
    EXPECT_STREQ(field->getString(), "");
    EXPECT_EQ(field->getCharCount(), 0);
}

TEST_F(TextField, InvalidUtf8BytesAreDroppedNeverStoredAsHalfCharacters) {
    LogCapture log;
    field->attachWithIME();
    type("a\xC3");             // cut-off two-byte character
    type("\xA9");              // its lone tail arriving later is no character either
    type("\xE6\x97z");         // cut off inside, then a letter
    type("\xFF\xC0\xAF!");     // never-valid byte and an overlong form
    EXPECT_STREQ(field->getString(), "az!");
    EXPECT_EQ(field->getCharCount(), 3);
    EXPECT_TRUE(log.contains("invalid UTF-8"));
    type("\xFF");              // nothing valid at all: nothing inserted
    EXPECT_STREQ(field->getString(), "az!");
    // A length longer than the text stops at its end.
    CCIMEDispatcher::sharedDispatcher()->dispatchInsertText("q", 50);
    EXPECT_STREQ(field->getString(), "az!q");
}

TEST_F(TextField, EnterFinishesInputInsteadOfBeingInserted) {
    RecordingDelegate d;
    field->setDelegate(&d);
    field->attachWithIME();
    type("ok\nmore");
    EXPECT_STREQ(field->getString(), "ok");
    EXPECT_FALSE(field->isAttachedWithIME());
    EXPECT_EQ(d.calls, (std::vector<std::string>{"attach", "insert:ok", "insert:\n", "detach"}));

    d.refuseEnter = true;
    field->attachWithIME();
    type("\n");
    EXPECT_TRUE(field->isAttachedWithIME());
    EXPECT_STREQ(field->getString(), "ok");
    field->setDelegate(nullptr);
}

TEST_F(TextField, DelegateCanRefuseEachStep) {
    RecordingDelegate d;
    field->setDelegate(&d);
    d.refuseAttach = true;
    EXPECT_FALSE(field->attachWithIME());
    EXPECT_FALSE(field->isAttachedWithIME());
    d.refuseAttach = false;
    ASSERT_TRUE(field->attachWithIME());

    type("ab\xC3\xA9");
    d.refuseInsert = true;
    type("zz");
    EXPECT_STREQ(field->getString(), "ab\xC3\xA9");
    d.refuseInsert = false;

    d.refuseDelete = true;
    backspace();
    EXPECT_STREQ(field->getString(), "ab\xC3\xA9");
    // The delegate saw the whole character that would have gone.
    EXPECT_EQ(d.calls.back(), "delete:\xC3\xA9");
    d.refuseDelete = false;

    d.refuseDetach = true;
    EXPECT_FALSE(field->detachWithIME());
    EXPECT_TRUE(field->isAttachedWithIME());
    d.refuseDetach = false;
    EXPECT_TRUE(field->detachWithIME());
    field->setDelegate(nullptr);
}

TEST_F(TextField, SetStringNeitherAsksTheDelegateNorKeepsBadBytes) {
    RecordingDelegate d;
    field->setDelegate(&d);
    field->setString("set \xE6\x97\xA5\xE6");
    EXPECT_STREQ(field->getString(), "set \xE6\x97\xA5");
    EXPECT_EQ(field->getCharCount(), 5);
    EXPECT_TRUE(d.calls.empty());
    field->setString(nullptr);
    EXPECT_STREQ(field->getString(), "");
    EXPECT_STREQ(field->getShownString(), "type here");
    field->setDelegate(nullptr);
}

TEST_F(TextField, PlaceholderShowsWhileEmptyInItsOwnColour) {
    Canvas canvas(300, 60);
    field->setAnchorPoint(CCPoint(0, 0));
    field->setPosition(CCPoint(10, 10));
    field->setColor(ccc3(255, 0, 0));
    EXPECT_STREQ(field->getShownString(), "type here");
    EXPECT_GT(field->getContentSize().width, 0);
    EXPECT_STREQ(field->getPlaceHolder(), "type here");

    auto grey = [](const Rgba& p) { return p.r > 100 && std::abs(p.r - p.g) < 6 && std::abs(p.r - p.b) < 6; };
    auto red = [](const Rgba& p) { return p.r > 200 && p.g < 30 && p.b < 30; };
    canvas.draw(field);
    EXPECT_GT(canvas.ink(grey).count, 30);
    EXPECT_TRUE(canvas.ink(red).empty());

    field->setColorSpaceHolder(ccc3(0, 255, 0));
    canvas.draw(field);
    EXPECT_GT(canvas.ink([](const Rgba& p) { return p.g > 200 && p.r < 30; }).count, 30);

    field->setString("Hi");
    EXPECT_STREQ(field->getShownString(), "Hi");
    canvas.draw(field);
    EXPECT_GT(canvas.ink(red).count, 20);
    EXPECT_TRUE(canvas.ink([](const Rgba& p) { return p.g > 100; }).empty());

    field->setPlaceHolder("other");
    EXPECT_STREQ(field->getShownString(), "Hi");
    field->setString("");
    EXPECT_STREQ(field->getShownString(), "other");
}

TEST_F(TextField, SecureEntryShowsOneMaskPerCharacter) {
    field->attachWithIME();
    field->setSecureTextEntry(true);
    type("p\xC3\xA4ss");
    EXPECT_STREQ(field->getString(), "p\xC3\xA4ss");
    EXPECT_EQ(std::string(field->getShownString()), "\xE2\x80\xA2\xE2\x80\xA2\xE2\x80\xA2\xE2\x80\xA2");
    backspace();
    EXPECT_EQ(std::string(field->getShownString()), "\xE2\x80\xA2\xE2\x80\xA2\xE2\x80\xA2");
    field->setSecureTextMask("*");
    EXPECT_STREQ(field->getShownString(), "***");
    field->setSecureTextMask("");
    EXPECT_STREQ(field->getSecureTextMask(), "*");
    field->setSecureTextEntry(false);
    EXPECT_STREQ(field->getShownString(), "p\xC3\xA4s");
    // The masks are what is measured and drawn.
    field->setSecureTextEntry(true);
    CCSize masked = field->getContentSize();
    field->setSecureTextMask("WW");
    EXPECT_GT(field->getContentSize().width, masked.width);
}

TEST_F(TextField, DelegateThatDrawsItselfSuppressesDrawing) {
    Canvas canvas(300, 60);
    field->setAnchorPoint(CCPoint(0, 0));
    field->setPosition(CCPoint(10, 10));
    field->setString("Drawn");
    RecordingDelegate d;
    field->setDelegate(&d);
    d.drawsItself = true;
    canvas.draw(field);
    EXPECT_TRUE(canvas.ink().empty());
    d.drawsItself = false;
    canvas.draw(field);
    EXPECT_FALSE(canvas.ink().empty());
    field->setDelegate(nullptr);
}

TEST_F(TextField, DimensionsAndAlignmentComeFromTheFactory) {
    CCTextFieldTTF* boxed =
        CCTextFieldTTF::textFieldWithPlaceHolder("name", CCSize(200, 40), kCCTextAlignmentCenter, "Thonburi", 20);
    ASSERT_NE(boxed, nullptr);
    EXPECT_TRUE(boxed->getContentSize().equals(CCSize(200, 40)));
    EXPECT_EQ(boxed->getHorizontalAlignment(), kCCTextAlignmentCenter);
    EXPECT_FLOAT_EQ(boxed->getFontSize(), 20);
    boxed->setString("a much longer name than fits on one line of the field");
    EXPECT_TRUE(boxed->getContentSize().equals(CCSize(200, 40)));
}
