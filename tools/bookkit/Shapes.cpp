// Draws the book's picture vocabulary; every figure is built from circles, triangles and boxes.
#include "tools/bookkit/Shapes.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>

namespace bookkit {

namespace {

constexpr float kPi = 3.14159265358979f;

const Rgba kInk = rgba(60, 50, 45);
const Rgba kWhite = rgba(255, 255, 255);

void star(Canvas& c, float cx, float cy, float outer, Rgba col) {
    const float inner = outer * 0.45f;
    std::vector<SDL_FPoint> in;
    for (int k = 0; k < 5; ++k) {
        float a = (-90.0f + 36.0f + 72.0f * k) * kPi / 180.0f;
        in.push_back({cx + inner * std::cos(a), cy + inner * std::sin(a)});
    }
    c.fillPolygon(in, col);
    for (int k = 0; k < 5; ++k) {
        float a = (-90.0f + 72.0f * k) * kPi / 180.0f;
        const SDL_FPoint& left = in[(k + 4) % 5];
        const SDL_FPoint& right = in[k];
        c.fillTriangle(cx + outer * std::cos(a), cy + outer * std::sin(a), left.x, left.y, right.x, right.y, col);
    }
}

void eyes(Canvas& c, float cx, float cy, float gap, float r) {
    c.fillCircle(cx - gap, cy, r, kInk);
    c.fillCircle(cx + gap, cy, r, kInk);
}

void sun(Canvas& c, float x, float y, float s) {
    const Rgba yellow = rgba(255, 200, 40);
    for (int k = 0; k < 12; ++k) {
        float a = k * 30.0f * kPi / 180.0f;
        float r1 = s * 0.30f, r2 = s * 0.47f;
        c.line(x + r1 * std::cos(a), y + r1 * std::sin(a), x + r2 * std::cos(a), y + r2 * std::sin(a), s * 0.05f,
               rgba(255, 170, 30));
    }
    c.fillCircle(x, y, s * 0.28f, yellow);
    eyes(c, x, y - s * 0.04f, s * 0.09f, s * 0.025f);
    c.fillArc(x, y + s * 0.02f, s * 0.12f, s * 0.025f, 200.0f, 340.0f, kInk);
}

void moon(Canvas& c, float x, float y, float s, Rgba background) {
    c.fillCircle(x - s * 0.04f, y, s * 0.3f, rgba(255, 236, 150));
    c.fillCircle(x + s * 0.08f, y - s * 0.07f, s * 0.27f, background);
}

void cloud(Canvas& c, float x, float y, float s) {
    const Rgba col = rgba(245, 250, 255);
    const Rgba edge = rgba(190, 210, 230);
    c.fillEllipse(x, y + s * 0.08f, s * 0.44f, s * 0.18f, edge);
    c.fillCircle(x - s * 0.2f, y + s * 0.02f, s * 0.17f, col);
    c.fillCircle(x + s * 0.02f, y - s * 0.08f, s * 0.23f, col);
    c.fillCircle(x + s * 0.24f, y + s * 0.03f, s * 0.16f, col);
    c.fillEllipse(x, y + s * 0.06f, s * 0.42f, s * 0.15f, col);
}

void tree(Canvas& c, float x, float y, float s) {
    c.fillRect(x - s * 0.07f, y + s * 0.05f, s * 0.14f, s * 0.42f, rgba(140, 90, 50));
    const Rgba leaf = rgba(70, 170, 70);
    c.fillCircle(x, y - s * 0.15f, s * 0.26f, leaf);
    c.fillCircle(x - s * 0.2f, y, s * 0.2f, leaf);
    c.fillCircle(x + s * 0.2f, y, s * 0.2f, leaf);
    c.fillCircle(x - s * 0.08f, y - s * 0.2f, s * 0.05f, rgba(220, 60, 60));
    c.fillCircle(x + s * 0.12f, y - s * 0.05f, s * 0.05f, rgba(220, 60, 60));
}

void house(Canvas& c, float x, float y, float s) {
    c.fillRect(x - s * 0.32f, y - s * 0.05f, s * 0.64f, s * 0.5f, rgba(250, 220, 170));
    c.fillTriangle(x - s * 0.42f, y - s * 0.02f, x + s * 0.42f, y - s * 0.02f, x, y - s * 0.45f, rgba(200, 70, 60));
    c.fillRect(x - s * 0.08f, y + s * 0.18f, s * 0.16f, s * 0.27f, rgba(130, 80, 50));
    c.fillRect(x - s * 0.27f, y + s * 0.05f, s * 0.13f, s * 0.13f, rgba(150, 210, 250));
    c.fillRect(x + s * 0.14f, y + s * 0.05f, s * 0.13f, s * 0.13f, rgba(150, 210, 250));
}

void flower(Canvas& c, float x, float y, float s) {
    c.line(x, y, x, y + s * 0.48f, s * 0.05f, rgba(60, 150, 60));
    c.fillEllipse(x + s * 0.1f, y + s * 0.3f, s * 0.1f, s * 0.05f, rgba(80, 170, 70));
    const Rgba petal = rgba(240, 100, 160);
    for (int k = 0; k < 6; ++k) {
        float a = k * 60.0f * kPi / 180.0f;
        c.fillCircle(x + s * 0.16f * std::cos(a), y - s * 0.1f + s * 0.16f * std::sin(a), s * 0.11f, petal);
    }
    c.fillCircle(x, y - s * 0.1f, s * 0.1f, rgba(255, 210, 60));
}

void ball(Canvas& c, float x, float y, float s) {
    // A beach ball: nested lens-shaped panels read as a sphere without any shading.
    const float r = s * 0.36f;
    c.fillCircle(x, y, r, rgba(60, 110, 220));
    c.fillEllipse(x, y, r * 0.72f, r, rgba(255, 210, 60));
    c.fillEllipse(x, y, r * 0.4f, r, rgba(235, 70, 60));
    c.fillEllipse(x, y, r * 0.1f, r, kWhite);
    c.fillCircle(x - r * 0.45f, y - r * 0.5f, s * 0.05f, withAlpha(kWhite, 170));
}

void balloon(Canvas& c, float x, float y, float s) {
    c.line(x, y + s * 0.2f, x + s * 0.05f, y + s * 0.48f, s * 0.02f, kInk);
    c.fillEllipse(x, y - s * 0.07f, s * 0.24f, s * 0.3f, rgba(90, 140, 240));
    c.fillTriangle(x - s * 0.05f, y + s * 0.26f, x + s * 0.05f, y + s * 0.26f, x, y + s * 0.2f, rgba(90, 140, 240));
    c.fillEllipse(x - s * 0.08f, y - s * 0.17f, s * 0.05f, s * 0.08f, withAlpha(kWhite, 160));
}

void apple(Canvas& c, float x, float y, float s) {
    const Rgba red = rgba(220, 40, 50);
    c.fillCircle(x - s * 0.13f, y + s * 0.04f, s * 0.24f, red);
    c.fillCircle(x + s * 0.13f, y + s * 0.04f, s * 0.24f, red);
    c.fillCircle(x, y + s * 0.12f, s * 0.24f, red);
    c.line(x, y - s * 0.18f, x + s * 0.04f, y - s * 0.36f, s * 0.05f, rgba(110, 70, 40));
    c.fillEllipse(x + s * 0.14f, y - s * 0.28f, s * 0.11f, s * 0.05f, rgba(80, 170, 70));
}

void fish(Canvas& c, float x, float y, float s) {
    const Rgba body = rgba(255, 140, 50);
    c.fillTriangle(x + s * 0.2f, y, x + s * 0.46f, y - s * 0.2f, x + s * 0.46f, y + s * 0.2f, body);
    c.fillEllipse(x - s * 0.05f, y, s * 0.32f, s * 0.2f, body);
    c.fillCircle(x - s * 0.2f, y - s * 0.04f, s * 0.045f, kWhite);
    c.fillCircle(x - s * 0.21f, y - s * 0.04f, s * 0.022f, kInk);
    c.fillArc(x + s * 0.02f, y, s * 0.12f, s * 0.025f, 60.0f, 120.0f, rgba(230, 100, 30));
}

void bird(Canvas& c, float x, float y, float s) {
    const Rgba body = rgba(80, 180, 230);
    c.fillEllipse(x, y + s * 0.05f, s * 0.3f, s * 0.22f, body);
    c.fillCircle(x + s * 0.22f, y - s * 0.12f, s * 0.15f, body);
    c.fillTriangle(x + s * 0.35f, y - s * 0.15f, x + s * 0.35f, y - s * 0.07f, x + s * 0.47f, y - s * 0.11f,
                   rgba(250, 170, 40));
    c.fillCircle(x + s * 0.26f, y - s * 0.15f, s * 0.03f, kInk);
    c.fillEllipse(x - s * 0.05f, y, s * 0.17f, s * 0.09f, rgba(50, 140, 200));
    c.line(x - s * 0.02f, y + s * 0.25f, x - s * 0.04f, y + s * 0.4f, s * 0.03f, rgba(250, 170, 40));
    c.line(x + s * 0.08f, y + s * 0.25f, x + s * 0.1f, y + s * 0.4f, s * 0.03f, rgba(250, 170, 40));
}

void cat(Canvas& c, float x, float y, float s) {
    const Rgba fur = rgba(150, 150, 160);
    c.fillTriangle(x - s * 0.3f, y - s * 0.1f, x - s * 0.1f, y - s * 0.25f, x - s * 0.3f, y - s * 0.42f, fur);
    c.fillTriangle(x + s * 0.3f, y - s * 0.1f, x + s * 0.1f, y - s * 0.25f, x + s * 0.3f, y - s * 0.42f, fur);
    c.fillEllipse(x, y, s * 0.34f, s * 0.3f, fur);
    eyes(c, x, y - s * 0.05f, s * 0.12f, s * 0.04f);
    c.fillTriangle(x - s * 0.04f, y + s * 0.05f, x + s * 0.04f, y + s * 0.05f, x, y + s * 0.1f, rgba(240, 130, 150));
    for (int side : {-1, 1}) {
        c.line(x + side * s * 0.08f, y + s * 0.08f, x + side * s * 0.36f, y + s * 0.04f, s * 0.012f, kInk);
        c.line(x + side * s * 0.08f, y + s * 0.11f, x + side * s * 0.36f, y + s * 0.14f, s * 0.012f, kInk);
    }
}

void duck(Canvas& c, float x, float y, float s) {
    const Rgba body = rgba(255, 215, 50);
    c.fillEllipse(x - s * 0.04f, y + s * 0.12f, s * 0.34f, s * 0.2f, body);
    c.fillCircle(x + s * 0.18f, y - s * 0.14f, s * 0.16f, body);
    c.fillEllipse(x + s * 0.38f, y - s * 0.1f, s * 0.1f, s * 0.045f, rgba(250, 140, 30));
    c.fillCircle(x + s * 0.22f, y - s * 0.18f, s * 0.03f, kInk);
    c.fillEllipse(x - s * 0.08f, y + s * 0.08f, s * 0.16f, s * 0.08f, rgba(240, 190, 30));
    c.fillEllipse(x, y + s * 0.36f, s * 0.44f, s * 0.06f, rgba(120, 190, 240));
}

void rainbow(Canvas& c, float x, float y, float s) {
    const Rgba bands[] = {rgba(230, 60, 60), rgba(250, 150, 40), rgba(250, 220, 50),
                          rgba(80, 180, 80), rgba(70, 130, 230), rgba(140, 80, 200)};
    float r = s * 0.48f;
    const float t = s * 0.055f;
    for (const Rgba& band : bands) {
        c.fillArc(x, y + s * 0.2f, r, t + 0.5f, 0.0f, 180.0f, band);
        r -= t;
    }
}

void cake(Canvas& c, float x, float y, float s) {
    c.fillRect(x - s * 0.34f, y, s * 0.68f, s * 0.3f, rgba(250, 200, 210));
    c.fillRect(x - s * 0.34f, y - s * 0.04f, s * 0.68f, s * 0.08f, rgba(255, 250, 250));
    c.fillRect(x - s * 0.4f, y + s * 0.3f, s * 0.8f, s * 0.05f, rgba(200, 200, 210));
    for (int k = -1; k <= 1; ++k) {
        float cx = x + k * s * 0.18f;
        c.fillRect(cx - s * 0.02f, y - s * 0.22f, s * 0.04f, s * 0.18f, rgba(110, 170, 240));
        c.fillEllipse(cx, y - s * 0.27f, s * 0.03f, s * 0.05f, rgba(255, 170, 30));
    }
    for (int k = 0; k < 5; ++k) {
        c.fillCircle(x - s * 0.26f + k * s * 0.13f, y + s * 0.15f, s * 0.03f, rgba(220, 60, 90));
    }
}

void kite(Canvas& c, float x, float y, float s) {
    c.fillPolygon({{x, y - s * 0.4f}, {x + s * 0.25f, y - s * 0.08f}, {x, y + s * 0.3f}, {x - s * 0.25f, y - s * 0.08f}},
                  rgba(240, 90, 80));
    c.fillTriangle(x, y - s * 0.4f, x + s * 0.25f, y - s * 0.08f, x, y - s * 0.08f, rgba(255, 210, 60));
    c.fillTriangle(x, y + s * 0.3f, x - s * 0.25f, y - s * 0.08f, x, y - s * 0.08f, rgba(255, 210, 60));
    c.line(x, y + s * 0.3f, x - s * 0.1f, y + s * 0.48f, s * 0.015f, kInk);
    c.fillTriangle(x - s * 0.06f, y + s * 0.38f, x - s * 0.12f, y + s * 0.34f, x - s * 0.1f, y + s * 0.42f,
                   rgba(80, 150, 230));
}

void carrot(Canvas& c, float x, float y, float s) {
    c.fillTriangle(x - s * 0.15f, y - s * 0.2f, x + s * 0.15f, y - s * 0.2f, x, y + s * 0.45f, rgba(250, 130, 30));
    c.fillEllipse(x, y - s * 0.2f, s * 0.15f, s * 0.06f, rgba(250, 130, 30));
    for (int k = -1; k <= 1; ++k) {
        c.fillEllipse(x + k * s * 0.07f, y - s * 0.34f, s * 0.04f, s * 0.13f, rgba(70, 170, 70));
    }
}

void heart(Canvas& c, float x, float y, float s, Rgba col) {
    c.fillCircle(x - s * 0.16f, y - s * 0.1f, s * 0.19f, col);
    c.fillCircle(x + s * 0.16f, y - s * 0.1f, s * 0.19f, col);
    c.fillPolygon({{x - s * 0.34f, y - s * 0.04f}, {x + s * 0.34f, y - s * 0.04f}, {x, y + s * 0.36f}}, col);
}

void book(Canvas& c, float x, float y, float s) {
    c.fillRect(x - s * 0.38f, y - s * 0.26f, s * 0.76f, s * 0.52f, rgba(70, 120, 200));
    c.fillRect(x - s * 0.35f, y - s * 0.23f, s * 0.33f, s * 0.46f, rgba(255, 255, 250));
    c.fillRect(x + s * 0.02f, y - s * 0.23f, s * 0.33f, s * 0.46f, rgba(255, 255, 250));
    for (int k = 0; k < 4; ++k) {
        float ly = y - s * 0.14f + k * s * 0.09f;
        c.line(x - s * 0.3f, ly, x - s * 0.07f, ly, s * 0.015f, rgba(170, 170, 180));
        c.line(x + s * 0.07f, ly, x + s * 0.3f, ly, s * 0.015f, rgba(170, 170, 180));
    }
}

void snowman(Canvas& c, float x, float y, float s) {
    c.fillCircle(x, y + s * 0.18f, s * 0.25f, kWhite);
    c.fillCircle(x, y - s * 0.16f, s * 0.17f, kWhite);
    c.fillRect(x - s * 0.16f, y - s * 0.34f, s * 0.32f, s * 0.04f, kInk);
    c.fillRect(x - s * 0.1f, y - s * 0.48f, s * 0.2f, s * 0.15f, kInk);
    eyes(c, x, y - s * 0.19f, s * 0.06f, s * 0.02f);
    c.fillTriangle(x, y - s * 0.15f, x, y - s * 0.11f, x + s * 0.13f, y - s * 0.13f, rgba(250, 130, 30));
    c.fillRect(x - s * 0.17f, y - s * 0.03f, s * 0.34f, s * 0.06f, rgba(220, 50, 60));
    c.fillCircle(x, y + s * 0.1f, s * 0.025f, kInk);
    c.fillCircle(x, y + s * 0.2f, s * 0.025f, kInk);
}

void car(Canvas& c, float x, float y, float s) {
    c.fillRoundRect(x - s * 0.45f, y - s * 0.05f, s * 0.9f, s * 0.25f, s * 0.06f, rgba(230, 60, 60));
    c.fillRoundRect(x - s * 0.25f, y - s * 0.25f, s * 0.48f, s * 0.22f, s * 0.06f, rgba(230, 60, 60));
    c.fillRect(x - s * 0.2f, y - s * 0.21f, s * 0.18f, s * 0.14f, rgba(170, 220, 250));
    c.fillRect(x + s * 0.02f, y - s * 0.21f, s * 0.16f, s * 0.14f, rgba(170, 220, 250));
    c.fillCircle(x - s * 0.25f, y + s * 0.2f, s * 0.1f, kInk);
    c.fillCircle(x + s * 0.25f, y + s * 0.2f, s * 0.1f, kInk);
    c.fillCircle(x - s * 0.25f, y + s * 0.2f, s * 0.04f, rgba(200, 200, 200));
    c.fillCircle(x + s * 0.25f, y + s * 0.2f, s * 0.04f, rgba(200, 200, 200));
}

void note(Canvas& c, float x, float y, float s) {
    const Rgba col = rgba(90, 60, 180);
    c.fillEllipse(x - s * 0.18f, y + s * 0.25f, s * 0.14f, s * 0.1f, col);
    c.fillEllipse(x + s * 0.22f, y + s * 0.15f, s * 0.14f, s * 0.1f, col);
    c.line(x - s * 0.05f, y + s * 0.25f, x - s * 0.05f, y - s * 0.3f, s * 0.05f, col);
    c.line(x + s * 0.35f, y + s * 0.15f, x + s * 0.35f, y - s * 0.4f, s * 0.05f, col);
    c.line(x - s * 0.05f, y - s * 0.3f, x + s * 0.35f, y - s * 0.4f, s * 0.1f, col);
}

using Painter = std::function<void(Canvas&, float, float, float)>;

const std::map<std::string, Painter>& painters() {
    static const std::map<std::string, Painter> table = {
        {"apple", apple},
        {"ball", ball},
        {"balloon", balloon},
        {"bird", bird},
        {"book", book},
        {"cake", cake},
        {"car", car},
        {"carrot", carrot},
        {"cat", cat},
        {"cloud", cloud},
        {"duck", duck},
        {"fish", fish},
        {"flower", flower},
        {"heart", [](Canvas& c, float x, float y, float s) { heart(c, x, y, s, rgba(235, 70, 110)); }},
        {"house", house},
        {"kite", kite},
        {"moon", [](Canvas& c, float x, float y, float s) {
             // The crescent is cut by a night-blue disc, so it reads on any page colour.
             c.fillCircle(x, y, s * 0.44f, rgba(50, 60, 120));
             moon(c, x, y, s, rgba(50, 60, 120));
             star(c, x + s * 0.22f, y + s * 0.2f, s * 0.07f, rgba(255, 236, 150));
         }},
        {"note", note},
        {"rainbow", rainbow},
        {"snowman", snowman},
        {"star", [](Canvas& c, float x, float y, float s) { star(c, x, y, s * 0.46f, rgba(255, 200, 40)); }},
        {"sun", sun},
        {"tree", tree},
    };
    return table;
}

}  // namespace

const std::vector<std::string>& shapeNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> out;
        for (const auto& entry : painters()) {
            out.push_back(entry.first);
        }
        return out;
    }();
    return names;
}

bool isKnownShape(const std::string& name) {
    return painters().count(name) != 0;
}

bool drawShape(Canvas& canvas, const std::string& name, float cx, float cy, float size) {
    auto it = painters().find(name);
    if (it == painters().end()) {
        return false;
    }
    it->second(canvas, cx, cy, size);
    return true;
}

}  // namespace bookkit
