// Relative URLs inside a publication: resolved against the document that holds them into the
// zip entry they name, never above the publication's root.
#pragma once

#include <string>

namespace epub {

// Resolves `href` against the folder of `base` (a zip entry path): "../audio/p%201.mp3#t" in
// "OEBPS/smil/p1.smil" gives "OEBPS/audio/p 1.mp3" and fragment "t". False for an absolute URL,
// one with a scheme ("http:"), an empty path, or one climbing above the root.
bool resolveHref(const std::string& base, const std::string& href, std::string& path, std::string& fragment);

}  // namespace epub
