// The output's cache of slow results (encoded recordings, spoken sentences, fitted pictures), each
// filed under the MD5 of what made it: the source's bytes or the text and voice, and the recipe.
//
// A run reads the cache of the book it replaces and fills the cache of the book it makes with the
// entries it used, so a book carries only what it needs and a second run with nothing changed
// encodes nothing. Entries are never changed once written.
#pragma once

#include <string>

namespace make {

class BuildCache {
public:
    static constexpr const char* kFolderName = ".quirel-make-cache";

    // `previous` is the replaced book's cache (may be missing); `next` the new book's.
    BuildCache(std::string previous, std::string next) : previous_(std::move(previous)), next_(std::move(next)) {}

    // The key of a result: the MD5 of the recipe's name and the parts it is made from.
    static std::string key(const std::string& recipe, const std::string& source);

    // Finds the entry `key` + `extension` (".mp3", ".png") and files it in the new cache;
    // returns its path there, or empty when neither cache has it.
    std::string find(const std::string& key, const std::string& extension);
    // Files a new entry whole; returns its path, or empty with `error`.
    std::string store(const std::string& key, const std::string& extension, const std::string& bytes,
                      std::string& error);
    // Where a new entry is to be written by a writer of its own (an image encoder), whole, before
    // adopt() files it.
    std::string scratchPath(const std::string& key, const std::string& extension);
    std::string adopt(const std::string& key, const std::string& extension, std::string& error);

private:
    std::string entry(const std::string& folder, const std::string& key, const std::string& extension) const;

    std::string previous_;
    std::string next_;
};

// Copies `from` to `to`, making `to`'s folders; false with `error`.
bool copyInto(const std::string& from, const std::string& to, std::string& error);

}  // namespace make
