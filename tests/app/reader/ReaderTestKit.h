// The reader driven in-process for scenario tests: a private copy of the sample book, pages
// opened directly, touches on named sentences, and the driver's state report.
#pragma once

#include <gtest/gtest.h>
#include <json/json.h>

#include <filesystem>
#include <memory>
#include <sstream>
#include <string>

#include "app/book/BookContents.h"
#include "app/book/NarrationSettings.h"
#include "app/book/ReaderState.h"
#include "app/book/SentenceNames.h"
#include "app/menus/TestController.h"
#include "app/menus/UnitMenu.h"
#include "app/reader/PageLayer.h"
#include "app/settings/SetLayer.h"
#include "app/shell/ScriptDriver.h"
#include "engine/engine.h"
#include "support/BookFixture.h"
#include "ui/ui.h"

namespace readertest {

inline Json::Value parseJson(const std::string& text) {
    Json::Value v;
    Json::CharReaderBuilder b;
    std::string errors;
    std::istringstream in(text);
    EXPECT_TRUE(Json::parseFromStream(b, in, &v, &errors)) << errors << " in " << text;
    return v;
}

class ReaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::filesystem::exists(testsupport::sampleBookDir() + "/String.xml"))
            GTEST_SKIP() << "the sample book has not been generated (build the sample_book target)";
        resetAll();
        book = testsupport::copyOfSampleBook();
        prepareBook();
        driver = std::make_unique<app::ScriptDriver>(book, false, options());
        // Stories check state, not pixels: frames run without rasterising unless a test asks.
        driver->host().setDrawing(false);
        engine::setLogQuiet(true);
    }
    void TearDown() override {
        driver.reset();
        engine::setLogQuiet(false);
        resetAll();
    }
    // Lets a test change the book before the reader starts.
    virtual void prepareBook() {}
    // How the reader is started (a state folder, scanning).
    virtual app::DriveOptions options() { return app::DriveOptions(); }

    static void resetAll() {
        app::resetReaderState();
        app::selectedUnit = 0;
        app::contentsListPosition = engine::CCPoint(0, 0);
        app::unitListPosition = engine::CCPoint(0, 0);
        app::selectedSettingButton = nullptr;
        app::resetNarrationSettings();
    }

    // Opens page p the way the unit menu does and lets it settle.
    void openPage(int p) {
        app::currentPage = p;
        app::openPageWithoutTransition();
        driver->host().step(2);
    }
    void run(const std::string& line) {
        std::ostringstream out;
        EXPECT_TRUE(driver->runLine(line, 0, out)) << line << ": " << out.str();
    }
    Json::Value state() { return parseJson(driver->stateJson()); }
    void frames(int n) { driver->host().step(n); }
    void seconds(double s) { driver->host().advance(s); }

    app::PageLayer* page() { return dynamic_cast<app::PageLayer*>(driver->systemLayer()); }
    ui::UIButton* sentence(int p, int n) {
        app::PageLayer* layer = page();
        if (!layer) return nullptr;
        return dynamic_cast<ui::UIButton*>(layer->getUILayer()->getWidgetByName(app::sentenceButtonName(p, n).c_str()));
    }
    // Where a sentence button sits on screen, in design points.
    engine::CCPoint sentencePoint(int p, int n) {
        ui::UIButton* b = sentence(p, n);
        EXPECT_NE(b, nullptr) << "no button for sentence " << n << " of page " << p;
        if (!b) return engine::CCPoint(-1, -1);
        return b->getRenderer()->getParent()->convertToWorldSpace(b->getRenderer()->getPosition());
    }
    void tapSentence(int p, int n) {
        engine::CCPoint pt = sentencePoint(p, n);
        driver->host().touchDown(pt.x, pt.y);
        frames(1);
        driver->host().touchUp(pt.x, pt.y);
        frames(1);
    }
    // Audio-log entries of one kind.
    std::vector<std::string> played(const std::string& op = "play") {
        std::vector<std::string> out;
        for (const auto& e : driver->host().audio()->log())
            if (e.op == op) out.push_back(e.file);
        return out;
    }
    static std::string recording(int p, int n) {
        return app::storedAudioPath(p, n);
    }
    bool playing() { return engine::SimpleAudioEngine::sharedEngine()->isBackgroundMusicPlaying(); }
    std::string playingFile() {
        return engine::SimpleAudioEngine::sharedEngine()->getBackend()->currentFile();
    }

    std::string book;
    std::unique_ptr<app::ScriptDriver> driver;
};

}  // namespace readertest
