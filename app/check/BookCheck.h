// The book check: everything the reader will need from a book folder, looked at before it is
// needed, so that a broken book is explained rather than shown as a blank page or a silent touch.
//
// What is checked, each problem naming its page and file (CheckReport):
//   - the description file, when there is one, is valid (BookDescription);
//   - the string tables read, and the captions the screens show are there;
//   - the chrome images decode, the settings screen's layout reads and has its six buttons;
//   - every page from 1 to the last reads as a panel (the reader's own JSON parser and class
//     table), every image it names decodes (the engine's image loader), every font and sprite
//     sheet it names is there;
//   - every sentence button has its text in "Stringstr.xml" and a recording that is there, has
//     complete MPEG frames and plays for some time, and was not cut short (the engine's MP3
//     scanner); its touch area lies inside the 640 x 960 page; sentences are numbered without gaps;
//   - each contents entry opens on a page that reads.
// A folder with a broken description has no known length: the pages present from 1 on are checked.
//
// The check reads files only, through loaders that keep no shared state, so it may run on any
// thread beside the main loop (call engine::prepareImageDecoding on the main thread first).
#pragma once

#include <atomic>
#include <functional>
#include <set>
#include <string>

#include "app/check/CheckReport.h"

namespace app {

struct CheckControl {
    // Called after each page with the pages checked so far and the pages in all.
    std::function<void(int done, int total)> progress;
    // Read between files: once true, the check ends early with what it found.
    const std::atomic<bool>* stop = nullptr;
    // When not empty, only these pages are looked at (after editing a few of them); the book's
    // own files, its description and contents are always checked.
    std::set<int> onlyPages;
};

CheckReport checkBook(const std::string& bookDir, const CheckControl& control = CheckControl());

}  // namespace app
