// Relative URLs inside a publication turned into paths from its root, never leaving it.
#pragma once

#include <string>

namespace epub {

// Resolves href (relative to the file at basePath, or from the root when it starts with "/")
// into a path from the publication's root: query and fragment dropped, %XX decoded, "." and ".."
// folded. False for URLs with a scheme (http:, data:, ...) and for paths that climb above the root.
bool resolveHref(const std::string& basePath, const std::string& href, std::string& path);

}  // namespace epub
