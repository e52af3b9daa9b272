// CCFontResolver: fontconfig matching with a sans fallback, and the cache of open fonts.
#include "engine/text/CCFontResolver.h"

#include <algorithm>
#include <cctype>

#include <SDL_ttf.h>
#include <fontconfig/fontconfig.h>

#include "engine/base/CCLog.h"
#include "engine/io/CCFileUtils.h"

namespace engine {

namespace {

// More distinct (file, size) pairs than a screen ever shows; past it the cache starts afresh
// rather than growing without bound.
const size_t kMaxOpenFonts = 64;

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return s;
}

bool endsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

bool looksLikePath(const std::string& name) {
    std::string l = lower(name);
    return name.find('/') != std::string::npos || endsWith(l, ".ttf") || endsWith(l, ".otf") ||
           endsWith(l, ".ttc");
}

std::string stemOf(const std::string& path) {
    size_t slash = path.find_last_of('/');
    std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
    size_t dot = base.find_last_of('.');
    return dot == std::string::npos || dot == 0 ? base : base.substr(0, dot);
}

}  // namespace

CCFontResolver& CCFontResolver::sharedResolver() {
    static CCFontResolver resolver;
    return resolver;
}

CCFontResolver::~CCFontResolver() {
    // After someone else shut SDL_ttf down the fonts are already gone with it.
    if (TTF_WasInit()) closeFonts();
    // Hands fontconfig's own tables back, so leak checks at exit stay clean.
    if (m_fcReady) FcFini();
}

bool CCFontResolver::ensureTTF() {
    if (m_ttfReady && TTF_WasInit()) return true;
    if (!TTF_WasInit() && TTF_Init() != 0) {
        CCLog("CCFontResolver: cannot start SDL_ttf (%s)", TTF_GetError());
        return false;
    }
    if (m_ttfReady) m_fonts.clear();  // a shutdown in between closed them all
    m_ttfReady = true;
    return true;
}

bool CCFontResolver::ensureFontconfig() {
    if (m_fcReady) return true;
    if (m_fcFailed) return false;
    if (!FcInit()) {
        CCLog("CCFontResolver: fontconfig cannot load its configuration; only font files can be used");
        m_fcFailed = true;
        return false;
    }
    m_fcReady = true;
    return true;
}

std::string CCFontResolver::match(const std::string& family, std::string* foundFamily) {
    if (!ensureFontconfig()) return std::string();
    // A pattern built field by field: FcNameParse would read '-' and ':' in a family name as
    // size and property separators.
    FcPattern* pattern = FcPatternCreate();
    if (!pattern) return std::string();
    const std::string wanted = family.empty() ? std::string("sans-serif") : family;
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(wanted.c_str()));
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* found = FcFontMatch(nullptr, pattern, &result);
    std::string file;
    if (found) {
        FcChar8* path = nullptr;
        if (FcPatternGetString(found, FC_FILE, 0, &path) == FcResultMatch && path)
            file = reinterpret_cast<const char*>(path);
        FcChar8* name = nullptr;
        if (foundFamily && FcPatternGetString(found, FC_FAMILY, 0, &name) == FcResultMatch && name)
            *foundFamily = reinterpret_cast<const char*>(name);
        FcPatternDestroy(found);
    }
    FcPatternDestroy(pattern);
    return file;
}

bool CCFontResolver::opens(const std::string& file) {
    if (file.empty() || !ensureTTF()) return false;
    return font(file, 12) != nullptr;
}

std::string CCFontResolver::resolve(const std::string& name) {
    std::string family = name;
    if (looksLikePath(name)) {
        CCFileUtils* files = CCFileUtils::sharedFileUtils();
        std::string full = files->fullPathForFilename(name.c_str());
        if (files->isFileExist(full) && opens(full)) return full;
        family = stemOf(name);
        CCLog("CCFontResolver: font file %s cannot be used; matching the family \"%s\" instead", name.c_str(),
              family.c_str());
    }
    std::string foundFamily;
    std::string file = match(family, &foundFamily);
    if (opens(file)) {
        // Substitutions are normal ("Arial" is Liberation Sans here) but worth one line each.
        if (!family.empty() && lower(foundFamily) != lower(family))
            CCLog("CCFontResolver: font \"%s\" resolved to %s (%s)", family.c_str(), foundFamily.c_str(),
                  file.c_str());
        return file;
    }
    if (!family.empty()) {
        std::string fallback = match(std::string(), nullptr);
        if (opens(fallback)) {
            CCLog("CCFontResolver: no usable font for \"%s\"; using %s", name.c_str(), fallback.c_str());
            return fallback;
        }
    }
    CCLog("CCFontResolver: no font at all for \"%s\"; text in it stays empty", name.c_str());
    return std::string();
}

const std::string& CCFontResolver::fileForName(const std::string& name) {
    auto it = m_files.find(name);
    if (it != m_files.end()) return it->second;
    return m_files.emplace(name, resolve(name)).first->second;
}

TTF_Font* CCFontResolver::font(const std::string& file, int pixelSize) {
    if (file.empty() || pixelSize < 1 || pixelSize > kMaxFontSize) return nullptr;
    if (!ensureTTF()) return nullptr;
    auto key = std::make_pair(file, pixelSize);
    auto it = m_fonts.find(key);
    if (it != m_fonts.end()) return it->second;
    if (m_fonts.size() >= kMaxOpenFonts) closeFonts();
    // SDL_ttf's point sizes are at 72 dpi, so the point size is the pixel size of the em.
    TTF_Font* opened = TTF_OpenFont(file.c_str(), pixelSize);
    if (!opened) {
        CCLog("CCFontResolver: cannot open %s at %d px (%s)", file.c_str(), pixelSize, TTF_GetError());
        return nullptr;
    }
    m_fonts.emplace(key, opened);
    return opened;
}

void CCFontResolver::closeFonts() {
    for (auto& entry : m_fonts) TTF_CloseFont(entry.second);
    m_fonts.clear();
}

}  // namespace engine
