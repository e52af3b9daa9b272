// Shared pieces of the transition tests: a headless host per test, scenes and layers that write
// their lifecycle calls to a journal, coloured page scenes, and whole-frame comparisons.
#pragma once

#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/engine.h"
#include "engine/host/CCHeadlessHost.h"

namespace transitiontest {

using namespace engine;

// Lifecycle calls of the scenes and layers below, in the order they happened.
inline std::vector<std::string>& journal() {
    static std::vector<std::string> lines;
    return lines;
}

inline int journalIndex(const std::string& line) {
    const auto& j = journal();
    for (size_t i = 0; i < j.size(); ++i)
        if (j[i] == line) return int(i);
    return -1;
}

inline int journalCount(const std::string& line) {
    int n = 0;
    for (const auto& l : journal()) n += l == line;
    return n;
}

class JournalScene : public CCScene {
public:
    explicit JournalScene(std::string name) : m_name(std::move(name)) { init(); }
    ~JournalScene() override { journal().push_back(m_name + " destroyed"); }
    void onEnter() override {
        CCScene::onEnter();
        journal().push_back(m_name + " onEnter");
    }
    void onEnterTransitionDidFinish() override {
        CCScene::onEnterTransitionDidFinish();
        journal().push_back(m_name + " onEnterTransitionDidFinish");
    }
    void onExitTransitionDidStart() override {
        CCScene::onExitTransitionDidStart();
        journal().push_back(m_name + " onExitTransitionDidStart");
    }
    void onExit() override {
        CCScene::onExit();
        journal().push_back(m_name + " onExit");
    }
    void cleanup() override {
        CCScene::cleanup();
        journal().push_back(m_name + " cleanup");
    }

private:
    std::string m_name;
};

// A full-screen coloured layer that journals like a page layer, from its constructor on, and
// counts the touches it is given (one by one, swallowing, when touch is enabled).
class JournalLayer : public CCLayerColor {
public:
    JournalLayer(std::string name, const ccColor4B& colour) : m_name(std::move(name)) {
        initWithColor(colour);
        journal().push_back(m_name + " constructed");
    }
    ~JournalLayer() override { journal().push_back(m_name + " destroyed"); }
    void onEnter() override {
        CCLayerColor::onEnter();
        journal().push_back(m_name + " onEnter");
    }
    void onEnterTransitionDidFinish() override {
        CCLayerColor::onEnterTransitionDidFinish();
        journal().push_back(m_name + " onEnterTransitionDidFinish");
    }
    void onExitTransitionDidStart() override {
        CCLayerColor::onExitTransitionDidStart();
        journal().push_back(m_name + " onExitTransitionDidStart");
    }
    void onExit() override {
        CCLayerColor::onExit();
        journal().push_back(m_name + " onExit");
    }
    void cleanup() override {
        CCLayerColor::cleanup();
        journal().push_back(m_name + " cleanup");
    }
    bool ccTouchBegan(CCTouch*, CCEvent*) override {
        ++touchesBegan;
        return true;
    }
    void ccTouchEnded(CCTouch*, CCEvent*) override { ++touchesEnded; }

    int touchesBegan = 0;
    int touchesEnded = 0;

private:
    std::string m_name;
};

// A scene of name and a layer of name + ".layer", built the way a page is: constructed with new,
// the layer added, the construction reference of the layer dropped. The caller owns the scene's
// construction reference.
inline JournalScene* newPage(const std::string& name, const ccColor4B& colour, JournalLayer** layerOut = nullptr) {
    JournalScene* scene = new JournalScene(name);
    JournalLayer* layer = new JournalLayer(name + ".layer", colour);
    scene->addChild(layer);
    layer->release();
    if (layerOut) *layerOut = layer;
    return scene;
}

// A page with a solid background and, over it, a band of another colour across its top quarter,
// so that where each part of the picture went can be told.
// The two test pages' colours: A is red with a cream band, B green with a blue one.
const ccColor4B kRed = {200, 40, 40, 255}, kCream = {250, 230, 120, 255};
const ccColor4B kGreen = {40, 160, 60, 255}, kBlue = {40, 60, 200, 255};

inline CCScene* bandedPage(const ccColor4B& background, const ccColor4B& band) {
    CCScene* scene = CCScene::create();
    const CCSize size = CCDirector::sharedDirector()->getWinSize();
    scene->addChild(CCLayerColor::create(background));
    CCLayerColor* top = CCLayerColor::create(band, size.width, size.height / 4);
    top->setPosition(0, size.height * 3 / 4);
    scene->addChild(top);
    return scene;
}

// One drawn frame.
struct Frame {
    std::vector<uint8_t> rgba;
    int width = 0, height = 0;

    ccColor4B at(int x, int y) const {
        const uint8_t* p = &rgba[(size_t(y) * size_t(width) + size_t(x)) * 4];
        return ccc4(p[0], p[1], p[2], p[3]);
    }
    // Fraction of pixels that differ from other's by more than tolerance in some channel.
    double differenceFrom(const Frame& other, int tolerance = 0) const {
        if (other.width != width || other.height != height || rgba.empty()) return 1.0;
        size_t differing = 0;
        for (size_t i = 0; i < rgba.size(); i += 4) {
            for (int c = 0; c < 3; ++c) {
                if (std::abs(int(rgba[i + c]) - int(other.rgba[i + c])) > tolerance) {
                    ++differing;
                    break;
                }
            }
        }
        return double(differing) / double(rgba.size() / 4);
    }
    // Fraction of pixels within tolerance of colour.
    double share(const ccColor4B& colour, int tolerance = 2) const {
        if (rgba.empty()) return 0;
        size_t n = 0;
        for (size_t i = 0; i < rgba.size(); i += 4) {
            n += std::abs(int(rgba[i]) - colour.r) <= tolerance && std::abs(int(rgba[i + 1]) - colour.g) <= tolerance &&
                 std::abs(int(rgba[i + 2]) - colour.b) <= tolerance;
        }
        return double(n) / double(rgba.size() / 4);
    }
};

inline bool sameColour(const ccColor4B& a, const ccColor4B& b, int tolerance = 2) {
    return std::abs(int(a.r) - b.r) <= tolerance && std::abs(int(a.g) - b.g) <= tolerance &&
           std::abs(int(a.b) - b.b) <= tolerance;
}

// A test with its own headless host: design 640 x 960 drawn onto width x height pixels.
class HostTest : public ::testing::Test {
protected:
    static constexpr int kWidth = 160, kHeight = 240;

    void SetUp() override {
        journal().clear();
        setLogObserver([this](const std::string& line) { logs.push_back(line); });
        setLogQuiet(true);
        host = std::make_unique<CCHeadlessHost>(kWidth, kHeight);
        CCEGLView::sharedOpenGLView()->setDesignResolutionSize(640, 960, kResolutionExactFit);
        ASSERT_TRUE(host->isReady());
    }

    void TearDown() override {
        host.reset();
        setLogObserver(nullptr);
        setLogQuiet(false);
    }

    CCDirector* director() { return CCDirector::sharedDirector(); }

    Frame frame() {
        Frame f;
        EXPECT_TRUE(host->readFrame(f.rgba, f.width, f.height));
        return f;
    }

    bool logged(const std::string& part) const {
        for (const auto& l : logs)
            if (l.find(part) != std::string::npos) return true;
        return false;
    }

    std::unique_ptr<CCHeadlessHost> host;
    std::vector<std::string> logs;
};

}  // namespace transitiontest
