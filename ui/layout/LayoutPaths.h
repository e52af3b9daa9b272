// Joins the file names a layout names to the layout's folder, and keeps them inside the book.
//
// A layout file names images, fonts and sheets relative to its own folder. Such a name may
// climb with "..", as long as it stays inside the book folder (the resource root); a name that
// would leave it is refused and treated like a missing name, so a crafted file cannot make the
// reader open files elsewhere on the machine. A layout read from outside the resource root is
// bounded by its own folder instead.
#pragma once

#include <string>

namespace ui {

// The folder part of a path, up to and including its last "/"; empty without one.
std::string layoutDirectoryOf(const std::string& fullPath);

// layoutDirectory + name, or an empty string for a null or empty name, for a name that leaves
// the boundary (the resource root, or the layout folder when that lies outside it) and for one
// that names an existing folder or other non-regular file.
std::string composeLayoutPath(const std::string& layoutDirectory, const char* name);

// The folder a layout in that directory may not leave: the resource root when the layout lies
// inside it, else the layout's own folder.
std::string layoutBoundaryFor(const std::string& layoutDirectory);

// The same with an explicit boundary folder (tests, tools, other threads).
std::string composeLayoutPath(const std::string& layoutDirectory, const char* name, const std::string& boundary);

}  // namespace ui
