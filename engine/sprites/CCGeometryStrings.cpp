// Strict parsing of brace-written points, sizes and rectangles.
#include "engine/sprites/CCGeometryStrings.h"

#include <cctype>
#include <cmath>
#include <cstdlib>

namespace engine {

namespace {

// A cursor over the text that accepts exactly the grammar
//   pair := '{' number ',' number '}'      rect := '{' pair ',' pair '}'
class Reader {
public:
    explicit Reader(const std::string& text) : m_p(text.c_str()), m_end(text.c_str() + text.size()) {}

    bool expect(char c) {
        skipSpaces();
        if (m_p < m_end && *m_p == c) {
            ++m_p;
            return true;
        }
        return false;
    }

    bool number(float& out) {
        skipSpaces();
        if (m_p >= m_end) return false;
        char* stop = nullptr;
        double v = std::strtod(m_p, &stop);
        if (stop == m_p || stop > m_end || !std::isfinite(v) || std::fabs(v) > 3.0e38) return false;
        m_p = stop;
        out = static_cast<float>(v);
        return true;
    }

    bool pair(float& a, float& b) { return expect('{') && number(a) && expect(',') && number(b) && expect('}'); }

    bool atEnd() {
        skipSpaces();
        return m_p == m_end;
    }

private:
    void skipSpaces() {
        while (m_p < m_end && std::isspace(static_cast<unsigned char>(*m_p))) ++m_p;
    }

    const char* m_p;
    const char* m_end;
};

}  // namespace

bool parsePointString(const std::string& text, CCPoint& out) {
    Reader r(text);
    float x = 0, y = 0;
    if (!r.pair(x, y) || !r.atEnd()) return false;
    out = CCPoint(x, y);
    return true;
}

bool parseSizeString(const std::string& text, CCSize& out) {
    Reader r(text);
    float w = 0, h = 0;
    if (!r.pair(w, h) || !r.atEnd()) return false;
    out = CCSize(w, h);
    return true;
}

bool parseRectString(const std::string& text, CCRect& out) {
    Reader r(text);
    float x = 0, y = 0, w = 0, h = 0;
    if (!r.expect('{') || !r.pair(x, y) || !r.expect(',') || !r.pair(w, h) || !r.expect('}') || !r.atEnd())
        return false;
    out = CCRect(x, y, w, h);
    return true;
}

CCPoint CCPointFromString(const char* text) {
    CCPoint p;
    if (text) parsePointString(text, p);
    return p;
}

CCSize CCSizeFromString(const char* text) {
    CCSize s;
    if (text) parseSizeString(text, s);
    return s;
}

CCRect CCRectFromString(const char* text) {
    CCRect r;
    if (text) parseRectString(text, r);
    return r;
}

}  // namespace engine
