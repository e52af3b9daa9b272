// SMIL clock values and par/seq walking.
#include "tools/epub/MediaOverlay.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>

#include "tools/epub/HrefPath.h"
#include "tools/epub/XmlText.h"

namespace epub {

namespace {

// A run of digits with an optional fraction ("12", "1.5"); `wholeDigits` counts the digits
// before the point.
bool decimal(const std::string& t, double& value, int& wholeDigits) {
    std::size_t i = 0;
    while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) ++i;
    wholeDigits = static_cast<int>(i);
    if (i == 0) return false;
    if (i < t.size()) {
        if (t[i] != '.' || i + 1 == t.size()) return false;
        for (std::size_t k = i + 1; k < t.size(); ++k) {
            if (!std::isdigit(static_cast<unsigned char>(t[k]))) return false;
        }
    }
    if (t.size() > 24) return false;
    value = std::strtod(t.c_str(), nullptr);
    return true;
}

bool twoDigits(const std::string& t, int& value) {
    if (t.size() != 2 || !std::isdigit(static_cast<unsigned char>(t[0])) || !std::isdigit(static_cast<unsigned char>(t[1])))
        return false;
    value = (t[0] - '0') * 10 + (t[1] - '0');
    return value < 60;
}

// Seconds with a fraction, "05" or "05.25": two whole digits under 60.
bool clockSeconds(const std::string& t, double& value) {
    int whole = 0;
    if (!decimal(t, value, whole)) return false;
    return whole == 2 && value < 60;
}

constexpr double kLongest = 100.0 * 3600;  // no narration runs for a hundred hours

void walk(const XmlText& xml, const pugi::xml_node& node, MediaOverlay& out, std::string& error);

bool readPar(const XmlText& xml, const pugi::xml_node& par, MediaOverlay& out, std::string& error) {
    OverlayPar p;
    p.line = xml.lineOf(par);
    pugi::xml_node text, audio;
    for (pugi::xml_node c : par.children()) {
        if (c.type() != pugi::node_element) continue;
        const std::string name = localName(c);
        if (name == "text" && !text) text = c;
        if (name == "audio" && !audio) audio = c;
    }
    if (!text) {
        error = xml.at(par, "a <par> without a <text>");
        return false;
    }
    const std::string src = text.attribute("src").value();
    if (!resolveHref(out.path, src, p.textPath, p.fragment)) {
        error = xml.at(text, "the text src '" + src + "' does not name a file inside the publication");
        return false;
    }
    if (p.fragment.empty()) {
        error = xml.at(text, "the text src '" + src + "' names no element (it needs a #fragment)");
        return false;
    }
    if (audio) {
        const std::string audioSrc = audio.attribute("src").value();
        std::string audioFragment;
        if (!resolveHref(out.path, audioSrc, p.audioPath, audioFragment)) {
            error = xml.at(audio, "the audio src '" + audioSrc + "' does not name a file inside the publication");
            return false;
        }
        for (const char* name : {"clipBegin", "clipEnd"}) {
            const pugi::xml_attribute a = audio.attribute(name);
            if (!a) continue;
            double seconds = 0;
            if (!parseClockValue(a.value(), seconds)) {
                error = xml.at(audio, std::string(name) + "=\"" + a.value() + "\" is not a clock value");
                return false;
            }
            (std::string(name) == "clipBegin" ? p.clipBegin : p.clipEnd) = seconds;
        }
        if (p.clipEnd >= 0 && p.clipEnd <= p.clipBegin) {
            error = xml.at(audio, "the clip ends (" + clockText(p.clipEnd) + ") before it begins (" +
                                      clockText(p.clipBegin) + ")");
            return false;
        }
    }
    out.pars.push_back(p);
    return true;
}

void walk(const XmlText& xml, const pugi::xml_node& node, MediaOverlay& out, std::string& error) {
    for (pugi::xml_node c : node.children()) {
        if (!error.empty()) return;
        if (c.type() != pugi::node_element) continue;
        const std::string name = localName(c);
        if (name == "par") {
            readPar(xml, c, out, error);
        } else if (name == "seq") {
            walk(xml, c, out, error);
        }
    }
}

}  // namespace

bool parseClockValue(const std::string& raw, double& seconds) {
    std::size_t a = 0, b = raw.size();
    while (a < b && std::isspace(static_cast<unsigned char>(raw[a]))) ++a;
    while (b > a && std::isspace(static_cast<unsigned char>(raw[b - 1]))) --b;
    const std::string t = raw.substr(a, b - a);
    if (t.empty()) return false;

    const std::size_t first = t.find(':');
    if (first != std::string::npos) {
        const std::size_t second = t.find(':', first + 1);
        double s = 0;
        int minutes = 0;
        if (second == std::string::npos) {  // mm:ss.fraction
            if (!twoDigits(t.substr(0, first), minutes) || !clockSeconds(t.substr(first + 1), s)) return false;
            seconds = minutes * 60 + s;
            return true;
        }
        const std::string hours = t.substr(0, first);
        if (hours.empty() || hours.size() > 3) return false;
        for (char c : hours) {
            if (!std::isdigit(static_cast<unsigned char>(c))) return false;
        }
        if (!twoDigits(t.substr(first + 1, second - first - 1), minutes) || !clockSeconds(t.substr(second + 1), s))
            return false;
        seconds = std::atoi(hours.c_str()) * 3600.0 + minutes * 60 + s;
        return seconds <= kLongest;
    }

    std::size_t unitAt = t.size();
    while (unitAt > 0 && std::isalpha(static_cast<unsigned char>(t[unitAt - 1]))) --unitAt;
    const std::string unit = t.substr(unitAt);
    double scale = 1;
    if (unit == "h") {
        scale = 3600;
    } else if (unit == "min") {
        scale = 60;
    } else if (unit == "s" || unit.empty()) {
        scale = 1;
    } else if (unit == "ms") {
        scale = 0.001;
    } else {
        return false;
    }
    double value = 0;
    int whole = 0;
    if (!decimal(t.substr(0, unitAt), value, whole)) return false;
    seconds = value * scale;
    return seconds <= kLongest;
}

std::string clockText(double seconds) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%gs", seconds);
    return buffer;
}

bool parseMediaOverlay(const std::string& text, const std::string& path, MediaOverlay& out, std::string& error) {
    out = MediaOverlay();
    out.path = path;
    XmlText xml;
    if (!xml.parse(text, path, error)) return false;
    const pugi::xml_node root = xml.document().document_element();
    if (localName(root) != "smil") {
        error = xml.at(root, "the root element is <" + std::string(root.name()) + ">, not a Media Overlay's <smil>");
        return false;
    }
    const pugi::xml_node body = findElement(root, "body");
    if (!body) {
        error = xml.at(root, "the overlay has no <body>");
        return false;
    }
    error.clear();
    walk(xml, body, out, error);
    return error.empty();
}

}  // namespace epub
