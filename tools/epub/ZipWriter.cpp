// The zip container of a publication, through libzip.
#include "tools/epub/ZipWriter.h"

#include <zip.h>

namespace epub {

const char* const kEpubMimetype = "application/epub+zip";

namespace {

bool addEntry(zip_t* zip, const std::string& zipPath, const EpubEntry& entry, std::string& error) {
    zip_source_t* source = entry.file.empty()
                               ? zip_source_buffer(zip, entry.text.data(), entry.text.size(), 0)
                               : zip_source_file(zip, entry.file.c_str(), 0, -1);
    if (!source) {
        error = (entry.file.empty() ? zipPath : entry.file) + ": " + zip_strerror(zip);
        return false;
    }
    const zip_int64_t index = zip_file_add(zip, entry.name.c_str(), source, ZIP_FL_ENC_UTF_8);
    if (index < 0) {
        zip_source_free(source);
        error = zipPath + ": cannot add " + entry.name + ": " + zip_strerror(zip);
        return false;
    }
    const zip_uint64_t at = static_cast<zip_uint64_t>(index);
    if (zip_set_file_compression(zip, at, entry.compress ? ZIP_CM_DEFLATE : ZIP_CM_STORE, 9) != 0) {
        error = zipPath + ": cannot set the compression of " + entry.name + ": " + zip_strerror(zip);
        return false;
    }
    return true;
}

}  // namespace

bool writeEpubZip(const std::string& path, const std::vector<EpubEntry>& entries, std::string& error) {
    int code = 0;
    zip_t* zip = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!zip) {
        zip_error_t e;
        zip_error_init_with_code(&e, code);
        error = path + ": " + zip_error_strerror(&e);
        zip_error_fini(&e);
        return false;
    }
    // Reading systems recognise the container by these bytes at a fixed place: stored, first.
    EpubEntry mimetype{"mimetype", kEpubMimetype, std::string(), false};
    bool ok = addEntry(zip, path, mimetype, error);
    for (const EpubEntry& entry : entries) {
        if (!ok) break;
        ok = addEntry(zip, path, entry, error);
    }
    if (!ok) {
        zip_discard(zip);
        return false;
    }
    if (zip_close(zip) != 0) {
        error = path + ": " + zip_strerror(zip);
        zip_discard(zip);
        return false;
    }
    return true;
}

}  // namespace epub
