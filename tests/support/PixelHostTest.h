// A headless host per test drawing a design area (400 x 300 unless asked) onto as many pixels, with its own
// resource folder, the engine's log lines collected, pixel probes and image writers.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "support/TestSupport.h"
#include "ui/ui.h"

namespace testsupport {

class PixelHostTest : public EngineTest {
protected:
    static constexpr int kWidth = 400, kHeight = 300;

    explicit PixelHostTest(const char* folderPrefix, int width = kWidth, int height = kHeight)
        : m_folderPrefix(folderPrefix), m_width(width), m_height(height) {}

    void SetUp() override {
        EngineTest::SetUp();
        dir = makeTempDir(m_folderPrefix);
        engine::CCFileUtils::sharedFileUtils()->setResourceRoot(dir);
        engine::setLogObserver([this](const std::string& line) { logs.push_back(line); });
        engine::setLogQuiet(true);
        host = std::make_unique<engine::CCHeadlessHost>(m_width, m_height, false);
        engine::CCEGLView::sharedOpenGLView()->setDesignResolutionSize(float(m_width), float(m_height),
                                                                       engine::kResolutionExactFit);
        ASSERT_TRUE(host->isReady());
    }

    void TearDown() override {
        host.reset();
        ui::GUIHelper::purgeHelper();
        engine::CCSpriteFrameCache::purgeSharedSpriteFrameCache();
        engine::CCTextureCache::purgeSharedTextureCache();
        engine::CCEGLView::purgeSharedOpenGLView();
        engine::setLogObserver(nullptr);
        engine::setLogQuiet(false);
        EngineTest::TearDown();
    }

    void redraw() { host->step(1); }

    // The pixel whose centre is at design point (x + 0.5, y + 0.5): x, y name the pixel's
    // bottom-left corner in design points, so probes never sit on an edge.
    engine::ccColor4B px(float x, float y) { return host->pixelAt(x + 0.5f, y + 0.5f); }

    // Writes a PNG of w x h pixels into the resource folder, each given by paint(x, y) with y
    // down from the top row.
    template <typename Paint>
    std::string writePNG(const std::string& name, int w, int h, Paint paint) {
        return writePng(dir + "/" + name, w, h, paint);
    }

    std::string solidPNG(const std::string& name, int w, int h, engine::ccColor4B c) {
        return writePNG(name, w, h, [c](int, int) { return c; });
    }

    bool logged(const std::string& fragment) const {
        for (const auto& l : logs)
            if (l.find(fragment) != std::string::npos) return true;
        return false;
    }

    std::string dir;
    std::vector<std::string> logs;
    std::unique_ptr<engine::CCHeadlessHost> host;

private:
    const char* m_folderPrefix;
    int m_width, m_height;
};

}  // namespace testsupport
