// Choosing and checking the book directory the reader opens.
#pragma once

#include <string>

namespace app {

// The sample book: the installed one beside the program (<prefix>/share/quirel/book, found from
// the program's own path, so an installed tree may move), else the one generated with this build.
std::string defaultBookDirectory();
// Empty when dir can be used as a book (an existing, readable directory whose description file,
// if it has one, is valid); otherwise why not.
std::string checkBookDirectory(const std::string& dir);
// Empty when dir holds what every book has (page files and the string tables); otherwise one
// line naming what is missing. Kept apart from checkBookDirectory: the headless driver opens
// bare folders on purpose, the reader refuses them.
std::string missingBookParts(const std::string& dir);
// Makes dir the resource root every relative name resolves against (made absolute), and its
// contents the open book's: its description's, or the course book's when it has none.
void useBookDirectory(const std::string& dir);
// A scanning pace from the command line: seconds above 0 and at most a minute.
bool parseScanSeconds(const char* text, float* seconds);
// Remembers the book in dir from now on, in the state folder stateFolder (RememberedState), and
// puts back what was remembered: the reading mode, the scanning pace, the narration speed and
// echo reading. A scanning pace given on the command line (scanSeconds > 0) wins over the
// remembered one; a speed or echo given there is for the caller to apply afterwards.
void rememberBook(const std::string& stateFolder, const std::string& dir, float scanSeconds);

}  // namespace app
