// quirel-example-art: makes an example book's sources from SOURCE_DIR/art.json: its pictures, drawn
// with the book kit's shapes and captions, and its recordings, spoken and saved in the formats a
// phone or computer makes; the manifest is copied beside them.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <json/json.h>

#include "tools/bookkit/AudioClip.h"
#include "tools/bookkit/Canvas.h"
#include "tools/bookkit/MediaLibraries.h"
#include "tools/bookkit/Shapes.h"
#include "tools/bookkit/Speech.h"

namespace fs = std::filesystem;
using namespace bookkit;

namespace {

const char* kUsage =
    "usage: quirel-example-art SOURCE_DIR OUT_DIR\n"
    "Draws the pictures and speaks the recordings that SOURCE_DIR/art.json describes into OUT_DIR,\n"
    "and copies SOURCE_DIR/book.yaml beside them, ready for quirel-make.\n";

Rgba colour(const Json::Value& v) {
    unsigned r = 255, g = 255, b = 255;
    if (v.isString()) {
        std::sscanf(v.asCString(), "#%02x%02x%02x", &r, &g, &b);
    }
    return rgba(static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g), static_cast<std::uint8_t>(b));
}

float num(const Json::Value& list, Json::ArrayIndex i) { return list[i].asFloat(); }

bool drawPicture(const Json::Value& p, Fonts& fonts, const fs::path& out, std::string& error) {
    const int w = p["width"].asInt(), h = p["height"].asInt();
    Canvas canvas(w, h, colour(p["paper"]));
    if (!canvas.ok()) {
        error = "cannot draw: " + std::string(SDL_GetError());
        return false;
    }
    canvas.fillRect(0, h * 0.55f, static_cast<float>(w), h * 0.45f, colour(p["ground"]));
    for (const Json::Value& s : p["shapes"]) {
        if (!drawShape(canvas, s[0].asString(), num(s, 1), num(s, 2), num(s, 3))) {
            error = p["file"].asString() + ": unknown shape \"" + s[0].asString() + "\"";
            return false;
        }
    }
    // Each sentence sits on a light band, where the manifest puts its touch area.
    for (const Json::Value& t : p["texts"]) {
        const float x = num(t, 1), y = num(t, 2), bw = num(t, 3), bh = num(t, 4);
        canvas.fillRoundRect(x, y, bw, bh, bh * 0.3f, rgba(255, 255, 255, 215));
        TextImage text = canvas.makeText(fonts, true, static_cast<int>(bh * 0.55f), t[0].asString(), rgba(50, 45, 40));
        canvas.drawText(text, x + bh * 0.3f, y + (bh - canvas.textHeight(text)) / 2);
    }
    const fs::path file = out / p["file"].asString();
    fs::create_directories(file.parent_path());
    return file.extension() == ".jpg" ? canvas.saveJpg(file.string(), 90, error) : canvas.savePng(file.string(), error);
}

bool readArt(const fs::path& path, Json::Value& art, std::string& error) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    Json::CharReaderBuilder builder;
    std::string problems;
    std::istringstream stream(text.str());
    if (!in || !Json::parseFromStream(builder, stream, &art, &problems)) {
        error = path.string() + ": " + (in ? problems : "cannot be read");
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h")) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (argc != 3) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const fs::path source = argv[1], out = argv[2];
    Json::Value art;
    std::string error;
    if (!readArt(source / "art.json", art, error)) {
        std::fprintf(stderr, "quirel-example-art: %s\n", error.c_str());
        return 1;
    }
    MediaLibraries media;
    Fonts fonts;
    if (!media.ok || !fonts.open(error)) {
        std::fprintf(stderr, "quirel-example-art: %s\n", media.ok ? error.c_str() : SDL_GetError());
        return 1;
    }
    fs::create_directories(out);
    for (const Json::Value& picture : art["pictures"]) {
        if (!drawPicture(picture, fonts, out, error)) {
            std::fprintf(stderr, "quirel-example-art: %s\n", error.c_str());
            return 1;
        }
    }
    Voice voice;
    voice.name = art["voice"]["name"].asString();
    voice.speed = art["voice"]["speed"].asInt();
    voice.pitch = art["voice"]["pitch"].asInt();
    Speaker speaker;
    if (!speaker.open(voice, error)) {
        std::fprintf(stderr, "quirel-example-art: %s\n", error.c_str());
        return 1;
    }
    for (const Json::Value& v : art["voices"]) {
        const fs::path file = out / v["file"].asString();
        fs::create_directories(file.parent_path());
        Pcm pcm;
        if (!speaker.speak(v["text"].asString(), pcm, error) || !writeAudioFile(file.string(), pcm, error)) {
            std::fprintf(stderr, "quirel-example-art: %s\n", error.c_str());
            return 1;
        }
    }
    std::error_code ec;
    fs::copy_file(source / "book.yaml", out / "book.yaml", fs::copy_options::overwrite_existing, ec);
    if (ec) {
        std::fprintf(stderr, "quirel-example-art: %s: %s\n", (out / "book.yaml").c_str(), ec.message().c_str());
        return 1;
    }
    return 0;
}
