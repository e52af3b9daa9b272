// Layers: full-window nodes that take touches, plus the solid-colour and gradient layers.
#pragma once

#include "engine/scene/CCNode.h"
#include "engine/scene/CCKeyboardDispatcher.h"
#include "engine/scene/CCTouchDelegate.h"

namespace engine {

enum ccTouchesMode { kCCTouchesAllAtOnce = 0, kCCTouchesOneByOne = 1 };

class CCLayer : public CCNode, public CCTouchDelegate, public CCKeyboardDelegate {
public:
    CCLayer();
    ~CCLayer() override;
    static CCLayer* create();
    bool init() override;

    // A touch-enabled layer is registered with the touch dispatcher while it is running.
    virtual void setTouchEnabled(bool enabled);
    virtual bool isTouchEnabled() const { return m_bTouchEnabled; }
    virtual void setTouchMode(ccTouchesMode mode);
    virtual int getTouchMode() const { return m_eTouchMode; }
    virtual void setTouchPriority(int priority);
    virtual int getTouchPriority() const { return m_nTouchPriority; }
    // All at once: a standard handler. One by one: a targeted handler that swallows.
    virtual void registerWithTouchDispatcher();

    // A keyboard-enabled layer is asked about key presses while it is running.
    void setKeyboardEnabled(bool enabled);
    bool isKeyboardEnabled() const { return m_bKeyboardEnabled; }
    bool keyPressed(int, int) override { return false; }

    void onEnter() override;
    void onExit() override;
    void onEnterTransitionDidFinish() override;

protected:
    void unregisterFromTouchDispatcher();
    void registerWithKeyboardDispatcher(bool on);

    bool m_bTouchEnabled = false;
    bool m_bRegistered = false;
    bool m_bKeyboardEnabled = false;
    ccTouchesMode m_eTouchMode = kCCTouchesAllAtOnce;
    int m_nTouchPriority = 0;
};

// A layer filled with one colour.
class CCLayerColor : public CCLayer, public CCRGBAProtocol {
public:
    CCLayerColor();
    static CCLayerColor* create();
    static CCLayerColor* create(const ccColor4B& color);
    static CCLayerColor* create(const ccColor4B& color, float width, float height);
    bool init() override;
    virtual bool initWithColor(const ccColor4B& color);
    virtual bool initWithColor(const ccColor4B& color, float width, float height);

    void changeWidth(float w);
    void changeHeight(float h);
    void changeWidthAndHeight(float w, float h);

    void draw() override;

    // CCRGBAProtocol
    void setColor(const ccColor3B& color) override;
    const ccColor3B& getColor() const override { return m_realColor; }
    const ccColor3B& getDisplayedColor() const override { return m_displayedColor; }
    uint8_t getDisplayedOpacity() const override { return m_displayedOpacity; }
    uint8_t getOpacity() const override { return m_realOpacity; }
    void setOpacity(uint8_t opacity) override;
    void setOpacityModifyRGB(bool) override {}
    bool isOpacityModifyRGB() const override { return false; }
    bool isCascadeColorEnabled() const override { return m_cascadeColorEnabled; }
    void setCascadeColorEnabled(bool enabled) override { m_cascadeColorEnabled = enabled; }
    void updateDisplayedColor(const ccColor3B& parentColor) override;
    bool isCascadeOpacityEnabled() const override { return m_cascadeOpacityEnabled; }
    void setCascadeOpacityEnabled(bool enabled) override { m_cascadeOpacityEnabled = enabled; }
    void updateDisplayedOpacity(uint8_t parentOpacity) override;

protected:
    // The colours of the four corners: bottom left, bottom right, top left, top right.
    virtual void updateColor();

    ccColor4B m_cornerColors[4];
    uint8_t m_displayedOpacity = 255, m_realOpacity = 255;
    ccColor3B m_displayedColor = ccWHITE, m_realColor = ccWHITE;
    bool m_cascadeColorEnabled = false, m_cascadeOpacityEnabled = false;
};

// A layer whose colour runs from a start colour to an end colour along a direction vector.
class CCLayerGradient : public CCLayerColor {
public:
    static CCLayerGradient* create();
    static CCLayerGradient* create(const ccColor4B& start, const ccColor4B& end);
    // v points from the start colour to the end colour; (0, -1) runs top to bottom.
    static CCLayerGradient* create(const ccColor4B& start, const ccColor4B& end, const CCPoint& v);
    bool init() override;
    virtual bool initWithColor(const ccColor4B& start, const ccColor4B& end);
    virtual bool initWithColor(const ccColor4B& start, const ccColor4B& end, const CCPoint& v);
    using CCLayerColor::initWithColor;

    void setStartColor(const ccColor3B& color);
    const ccColor3B& getStartColor() const { return m_realColor; }
    void setEndColor(const ccColor3B& color);
    const ccColor3B& getEndColor() const { return m_endColor; }
    void setStartOpacity(uint8_t opacity);
    uint8_t getStartOpacity() const { return m_startOpacity; }
    void setEndOpacity(uint8_t opacity);
    uint8_t getEndOpacity() const { return m_endOpacity; }
    void setVector(const CCPoint& v);
    const CCPoint& getVector() const { return m_alongVector; }
    // Compressed interpolation keeps a diagonal gradient's corners at full start and end colour.
    void setCompressedInterpolation(bool compress);
    bool isCompressedInterpolation() const { return m_bCompressedInterpolation; }

protected:
    void updateColor() override;

    ccColor3B m_endColor = ccBLACK;
    uint8_t m_startOpacity = 255, m_endOpacity = 255;
    CCPoint m_alongVector = CCPoint(0, -1);
    bool m_bCompressedInterpolation = true;
};

}  // namespace engine
