// Joining word-level narration into sentences and their line boxes.
#include "tools/epub/Sentences.h"

#include <algorithm>

namespace epub {

namespace {

// Marks that close a quotation or a bracket, after which a sentence may still end.
const char* const kClosers[] = {"\"", "'", ")", "]", "}", "\xE2\x80\x9D" /* ” */, "\xE2\x80\x99" /* ’ */,
                                "\xC2\xBB" /* » */, "\xE2\x80\xBA" /* › */, "\xE3\x80\x8D" /* 」 */,
                                "\xE3\x80\x8F" /* 』 */, "\xEF\xBC\x89" /* ） */};
const char* const kEnders[] = {".", "!", "?", "\xE2\x80\xA6" /* … */, "\xE3\x80\x82" /* 。 */,
                               "\xEF\xBC\x81" /* ！ */, "\xEF\xBC\x9F" /* ？ */, "\xE2\x80\xBC" /* ‼ */};

bool endsWith(const std::string& text, std::size_t end, const char* suffix, std::size_t& length) {
    length = std::char_traits<char>::length(suffix);
    return end >= length && text.compare(end - length, length, suffix) == 0;
}

bool sameLine(const bookkit::RectF& a, const bookkit::RectF& b) {
    const float overlap = std::min(a.y + a.h, b.y + b.h) - std::max(a.y, b.y);
    return overlap > 0.5f * std::min(a.h, b.h);
}

bookkit::RectF united(const bookkit::RectF& a, const bookkit::RectF& b) {
    const float x0 = std::min(a.x, b.x), y0 = std::min(a.y, b.y);
    const float x1 = std::max(a.x + a.w, b.x + b.w), y1 = std::max(a.y + a.h, b.y + b.h);
    return bookkit::RectF{x0, y0, x1 - x0, y1 - y0};
}

// Text joined with a space, except before marks that cling to the word before them (not quotes,
// which open a quotation as often as they close one).
void append(std::string& text, const std::string& more) {
    if (more.empty()) return;
    const bool clings = std::string(",.;:!?)]}").find(more[0]) != std::string::npos;
    if (!text.empty() && !clings) text += ' ';
    text += more;
}

}  // namespace

bool endsSentence(const std::string& text) {
    std::size_t end = text.size();
    while (end > 0 && (text[end - 1] == ' ' || text[end - 1] == '\t' || text[end - 1] == '\n')) --end;
    for (bool stripped = true; stripped;) {
        stripped = false;
        for (const char* closer : kClosers) {
            std::size_t length = 0;
            if (endsWith(text, end, closer, length)) {
                end -= length;
                stripped = true;
                break;
            }
        }
    }
    for (const char* ender : kEnders) {
        std::size_t length = 0;
        if (endsWith(text, end, ender, length)) return true;
    }
    return false;
}

std::vector<bookkit::RectF> lineAreas(const std::vector<bookkit::RectF>& boxes) {
    std::vector<bookkit::RectF> lines;
    for (const bookkit::RectF& box : boxes) {
        if (!(box.w > 0) || !(box.h > 0)) continue;
        bool joined = false;
        for (bookkit::RectF& line : lines) {
            if (sameLine(line, box)) {
                line = united(line, box);
                joined = true;
                break;
            }
        }
        if (!joined) lines.push_back(box);
    }
    return lines;
}

std::vector<PageSentence> joinSentences(const std::vector<ReadPiece>& pieces) {
    std::vector<PageSentence> sentences;
    std::vector<bookkit::RectF> boxes;
    bool open = false;  // the last sentence may still take the next piece
    int openBlock = 0;
    auto close = [&] {
        if (open) sentences.back().zones = lineAreas(boxes);
        open = false;
        boxes.clear();
    };
    for (const ReadPiece& piece : pieces) {
        const bool continues = open && piece.block == openBlock && piece.audioPath == sentences.back().audioPath &&
                               sentences.back().clipEnd >= 0 && piece.clipBegin >= sentences.back().clipBegin;
        if (!continues) {
            close();
            PageSentence s;
            s.audioPath = piece.audioPath;
            s.clipBegin = piece.clipBegin;
            sentences.push_back(s);
            open = true;
            openBlock = piece.block;
        }
        PageSentence& s = sentences.back();
        append(s.text, piece.text);
        s.clipEnd = piece.clipEnd;
        boxes.insert(boxes.end(), piece.lines.begin(), piece.lines.end());
        if (endsSentence(s.text)) close();
    }
    close();
    return sentences;
}

}  // namespace epub
