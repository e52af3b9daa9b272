// Colour types of the engine and their constructors.
#pragma once

#include <cstdint>

namespace engine {

struct ccColor3B {
    uint8_t r, g, b;
    bool operator==(const ccColor3B& o) const { return r == o.r && g == o.g && b == o.b; }
    bool operator!=(const ccColor3B& o) const { return !(*this == o); }
};

struct ccColor4B {
    uint8_t r, g, b, a;
    bool operator==(const ccColor4B& o) const { return r == o.r && g == o.g && b == o.b && a == o.a; }
    bool operator!=(const ccColor4B& o) const { return !(*this == o); }
};

struct ccColor4F {
    float r, g, b, a;
};

inline ccColor3B ccc3(uint8_t r, uint8_t g, uint8_t b) { return ccColor3B{r, g, b}; }
inline ccColor4B ccc4(uint8_t r, uint8_t g, uint8_t b, uint8_t a) { return ccColor4B{r, g, b, a}; }
inline ccColor4F ccc4f(float r, float g, float b, float a) { return ccColor4F{r, g, b, a}; }
inline ccColor4F ccc4FFromccc4B(ccColor4B c) {
    return ccColor4F{c.r / 255.f, c.g / 255.f, c.b / 255.f, c.a / 255.f};
}
inline ccColor4F ccc4FFromccc3B(ccColor3B c) { return ccColor4F{c.r / 255.f, c.g / 255.f, c.b / 255.f, 1.f}; }

static const ccColor3B ccWHITE = {255, 255, 255};
static const ccColor3B ccBLACK = {0, 0, 0};
static const ccColor3B ccRED = {255, 0, 0};
static const ccColor3B ccGREEN = {0, 255, 0};
static const ccColor3B ccBLUE = {0, 0, 255};
static const ccColor3B ccYELLOW = {255, 255, 0};
static const ccColor3B ccGRAY = {166, 166, 166};

// How a draw is blended with what is already on the target.
enum class BlendMode { None, Alpha, PremultipliedAlpha, Additive };

}  // namespace engine
