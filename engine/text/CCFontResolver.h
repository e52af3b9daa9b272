// Turns font names ("Arial", "Thonburi", a .ttf path) into font files and open fonts.
//
// Names are matched through fontconfig, so a family that is not installed still resolves to
// the desktop's closest font (a sans font at worst); "Arial" lands on Liberation Sans where it
// is installed. Open fonts are kept per (file, pixel size) so labels never reopen them.
#pragma once

#include <map>
#include <string>
#include <utility>

typedef struct _TTF_Font TTF_Font;

namespace engine {

class CCFontResolver {
public:
    static CCFontResolver& sharedResolver();

    // Sizes outside 1..kMaxFontSize pixels are refused by the labels.
    static const int kMaxFontSize = 1024;

    // The font file for a family name or a font file path (absolute, or relative to the
    // resource root). A path that does not exist is matched by its file name's stem. Empty,
    // with a log line, only when not even a fallback sans font can be opened.
    const std::string& fileForName(const std::string& name);

    // The font of that file at pixelSize, owned by the resolver; null with a log line when it
    // cannot be opened. Valid until closeFonts(); callers ask again for each use.
    TTF_Font* font(const std::string& file, int pixelSize);

    // Closes every open font; they are reopened on demand.
    void closeFonts();

    ~CCFontResolver();
    CCFontResolver(const CCFontResolver&) = delete;
    CCFontResolver& operator=(const CCFontResolver&) = delete;

private:
    CCFontResolver() = default;
    bool ensureTTF();
    bool ensureFontconfig();
    // fontconfig's best scalable font for a family ("" = the default sans family), and the
    // family it belongs to.
    std::string match(const std::string& family, std::string* foundFamily);
    bool opens(const std::string& file);
    std::string resolve(const std::string& name);

    bool m_ttfReady = false;
    bool m_fcReady = false;
    bool m_fcFailed = false;
    std::map<std::string, std::string> m_files;                  // name -> file ("" = none)
    std::map<std::pair<std::string, int>, TTF_Font*> m_fonts;     // (file, size) -> font
};

}  // namespace engine
