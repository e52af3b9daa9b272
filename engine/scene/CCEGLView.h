// The view: the window's frame size in pixels and the design resolution drawn into it.
#pragma once

#include <map>
#include <string>

#include "engine/base/CCGeometry.h"

namespace engine {

class CCTouch;

enum ResolutionPolicy {
    // The design area is stretched to fill the frame in both directions.
    kResolutionExactFit = 0,
    kResolutionNoBorder = 1,
    kResolutionShowAll = 2,
    kResolutionUnKnown = 3,
};

class CCEGLView {
public:
    static CCEGLView* sharedOpenGLView();
    static void purgeSharedOpenGLView();
    virtual ~CCEGLView();

    // The window title.
    void setViewName(const char* name);
    const std::string& getViewName() const { return m_viewName; }

    virtual void setFrameSize(float width, float height);
    const CCSize& getFrameSize() const { return m_frameSize; }
    void setDesignResolutionSize(float width, float height, ResolutionPolicy policy);
    // The design size (the frame size until a design resolution is set).
    CCSize getDesignResolutionSize() const;
    ResolutionPolicy getResolutionPolicy() const { return m_policy; }
    CCPoint getVisibleOrigin() const;
    CCSize getVisibleSize() const;
    float getScaleX() const { return m_scaleX; }
    float getScaleY() const { return m_scaleY; }

    // Window pixels (origin top left) to design points (origin bottom left).
    CCPoint windowToDesign(float px, float py) const;

    // Touch input in design points (origin bottom left), from the window or a script. Each id
    // is one finger; a begin for an id already down is ignored, as are moves and ends of ids
    // that are not down.
    void handleTouchesBegin(int num, const int ids[], const float xs[], const float ys[]);
    void handleTouchesMove(int num, const int ids[], const float xs[], const float ys[]);
    void handleTouchesEnd(int num, const int ids[], const float xs[], const float ys[]);
    void handleTouchesCancel(int num, const int ids[], const float xs[], const float ys[]);
    // Ends every touch still down (the window lost focus, or a run ends).
    void cancelAllTouches();
    int activeTouchCount() const { return static_cast<int>(m_touches.size()); }

    // Set when a window exists; a headless run keeps it false.
    bool isOpenGLReady() const { return m_ready; }
    void setOpenGLReady(bool ready) { m_ready = ready; }

protected:
    CCEGLView() = default;
    void updateScale();
    void handleTouches(int phase, int num, const int ids[], const float xs[], const float ys[]);

    std::map<int, CCTouch*> m_touches;  // fingers currently down, retained

    std::string m_viewName = "quirel";
    CCSize m_frameSize = CCSize(640, 960);
    CCSize m_designSize;
    ResolutionPolicy m_policy = kResolutionUnKnown;
    float m_scaleX = 1, m_scaleY = 1;
    bool m_ready = false;
};

}  // namespace engine
