// Checking a manifest's files: they are there, pictures are PNG or JPEG, and zones lie inside them.
#include "tools/make/SourceFiles.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace make {

namespace {

// No picture or recording a child's book holds comes near this; a larger file is a mistake.
constexpr std::uintmax_t kMaxSourceBytes = 512u << 20;

unsigned byteAt(const std::string& b, std::size_t i) {
    return static_cast<unsigned char>(b[i]);
}

bool pngSize(const std::string& b, int& width, int& height) {
    static const char signature[8] = {'\x89', 'P', 'N', 'G', '\r', '\n', '\x1a', '\n'};
    if (b.size() < 24 || b.compare(0, 8, signature, 8) != 0 || b.compare(12, 4, "IHDR") != 0) return false;
    auto be32 = [&](std::size_t i) {
        return (byteAt(b, i) << 24) | (byteAt(b, i + 1) << 16) | (byteAt(b, i + 2) << 8) | byteAt(b, i + 3);
    };
    const unsigned long w = be32(16), h = be32(20);
    if (w == 0 || h == 0 || w > 0x7fffffffUL || h > 0x7fffffffUL) return false;
    width = static_cast<int>(w);
    height = static_cast<int>(h);
    return true;
}

// Walks the JPEG's marker segments to the first frame header, which holds the size.
bool jpegSize(const std::string& b, int& width, int& height) {
    if (b.size() < 4 || byteAt(b, 0) != 0xFF || byteAt(b, 1) != 0xD8) return false;
    std::size_t i = 2;
    while (i + 1 < b.size()) {
        if (byteAt(b, i) != 0xFF) return false;
        while (i < b.size() && byteAt(b, i) == 0xFF) ++i;  // fill bytes
        if (i >= b.size()) return false;
        const unsigned marker = byteAt(b, i++);
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) continue;  // no length follows
        if (marker == 0xD9 || marker == 0xDA) return false;  // image data or end before any frame header
        if (i + 2 > b.size()) return false;
        const std::size_t length = (byteAt(b, i) << 8) | byteAt(b, i + 1);
        if (length < 2 || i + length > b.size()) return false;
        const bool frameHeader = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frameHeader) {
            if (length < 7) return false;
            height = static_cast<int>((byteAt(b, i + 3) << 8) | byteAt(b, i + 4));
            width = static_cast<int>((byteAt(b, i + 5) << 8) | byteAt(b, i + 6));
            return width > 0 && height > 0;
        }
        i += length;
    }
    return false;
}

std::string joined(const std::string& dir, const std::string& relative) {
    const fs::path p(relative);
    return p.is_absolute() || dir.empty() ? relative : (fs::path(dir) / p).string();
}

}  // namespace

bool readWholeFile(const std::string& path, std::string& bytes, std::string& why) {
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (!fs::exists(status)) {
        why = "not found";
        return false;
    }
    if (!fs::is_regular_file(status)) {
        why = "not a file";
        return false;
    }
    const std::uintmax_t size = fs::file_size(path, ec);
    if (ec || size > kMaxSourceBytes) {
        why = ec ? "cannot be read" : "larger than 512 MB";
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        why = "cannot be read";
        return false;
    }
    std::ostringstream all;
    all << in.rdbuf();
    if (in.bad()) {
        why = "cannot be read";
        return false;
    }
    bytes = all.str();
    if (bytes.empty()) {
        why = "is empty";
        return false;
    }
    return true;
}

bool pictureSize(const std::string& bytes, PictureFormat& format, int& width, int& height) {
    if (pngSize(bytes, width, height)) {
        format = PictureFormat::Png;
        return true;
    }
    if (jpegSize(bytes, width, height)) {
        format = PictureFormat::Jpeg;
        return true;
    }
    return false;
}

bool checkManifestFiles(const Manifest& manifest, const std::string& manifestDir, const std::string& name,
                        SourceFiles& out, std::vector<std::string>& errors) {
    const std::size_t before = errors.size();
    out = SourceFiles();
    for (const ManifestPage& page : manifest.pages) {
        PictureInfo info;
        info.path = joined(manifestDir, page.picture);
        std::string bytes, why;
        bool sized = false;
        if (!readWholeFile(info.path, bytes, why)) {
            errors.push_back(message(name, page.pictureAt, "picture " + page.picture + ": " + why));
        } else if (!pictureSize(bytes, info.format, info.width, info.height)) {
            errors.push_back(message(name, page.pictureAt, "picture " + page.picture +
                                                               ": not a PNG or JPEG picture, or its header is damaged"));
        } else {
            sized = true;
        }
        if (!sized) info.width = info.height = 0;

        std::vector<AudioSource> audio;
        for (const ManifestSentence& s : page.sentences) {
            if (sized) {
                for (const bookkit::RectF& z : s.zones) {
                    if (z.x < 0 || z.y < 0 || double(z.x) + z.w > info.width || double(z.y) + z.h > info.height) {
                        std::ostringstream what;
                        what << "the zone [" << z.x << ", " << z.y << ", " << z.w << ", " << z.h
                             << "] reaches outside the picture, which is " << info.width << " x " << info.height
                             << " pixels";
                        errors.push_back(message(name, s.zoneAt, what.str()));
                    }
                }
            }
            AudioSource source;
            if (!s.audio.empty()) {
                source.path = joined(manifestDir, s.audio);
                std::error_code ec;
                const fs::file_status status = fs::status(source.path, ec);
                if (!fs::exists(status)) {
                    errors.push_back(message(name, s.audioAt, "recording " + s.audio + ": not found"));
                    source.usable = false;
                } else if (!fs::is_regular_file(status)) {
                    errors.push_back(message(name, s.audioAt, "recording " + s.audio + ": not a file"));
                    source.usable = false;
                }
            }
            audio.push_back(source);
        }
        out.pictures.push_back(info);
        out.audio.push_back(std::move(audio));
    }
    return errors.size() == before;
}

}  // namespace make
