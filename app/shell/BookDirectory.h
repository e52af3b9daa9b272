// Choosing and checking the book directory the reader opens.
#pragma once

#include <string>

namespace app {

// The sample book generated with this build.
std::string defaultBookDirectory();
// Empty when dir can be used as a book (an existing, readable directory whose description file,
// if it has one, is valid); otherwise why not.
std::string checkBookDirectory(const std::string& dir);
// Makes dir the resource root every relative name resolves against (made absolute), and its
// contents the open book's: its description's, or the course book's when it has none.
void useBookDirectory(const std::string& dir);
// A scanning pace from the command line: seconds above 0 and at most a minute.
bool parseScanSeconds(const char* text, float* seconds);
// Remembers the book in dir from now on, in the state folder stateFolder (RememberedState), and
// puts back what was remembered: the reading mode and the scanning pace. A scanning pace given
// on the command line (scanSeconds > 0) wins over the remembered one.
void rememberBook(const std::string& stateFolder, const std::string& dir, float scanSeconds);

}  // namespace app
