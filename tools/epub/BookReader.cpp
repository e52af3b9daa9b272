// Reading a book folder for export: its description or the course book's facts, the book check,
// then page by page the layout survey, sentence texts and the recordings' durations.
#include "tools/epub/BookReader.h"

#include <cmath>
#include <filesystem>
#include <map>
#include <regex>

#include <SDL.h>

#include "app/book/BookFiles.h"
#include "app/book/SentenceNames.h"
#include "app/book/StringTables.h"
#include "app/check/BookCheck.h"
#include "engine/audio/Mp3Scanner.h"
#include "engine/io/CCPropertyList.h"
#include "engine/render/CCImageFile.h"

namespace fs = std::filesystem;

namespace epub {

namespace {

// The language must be a tag the publication can carry ("en", "en-GB", "pt-BR", "zh-Hant").
bool isLanguageTag(const std::string& tag) {
    static const std::regex pattern("[A-Za-z]{2,8}(-[A-Za-z0-9]{1,8})*");
    return std::regex_match(tag, pattern);
}

// The sentence button's touch area on the page, as the reader sizes it.
PageRect touchBox(const Book& book, const app::SurveyedWidget& button, int page,
                  std::map<std::string, std::pair<int, int>>& imageSizes) {
    double width = button.width, height = button.height;
    if (button.sizeFromImage) {
        const std::string image = app::sentenceButtonImage(button, page);
        auto it = imageSizes.find(image);
        if (it == imageSizes.end()) {
            std::pair<int, int> size(0, 0);
            std::string problem;
            if (SDL_Surface* s = engine::decodeImageFile(book.dir + "/" + image, &problem)) {
                size = {s->w, s->h};
                SDL_FreeSurface(s);
            }
            it = imageSizes.emplace(image, size).first;
        }
        width = it->second.first;
        height = it->second.second;
    }
    double box[4];
    app::pageBox(button, width, height, box);
    // Design space has y up from the page's foot; the page document has y down from its top.
    PageRect r;
    r.x = box[0];
    r.y = app::kPageHeight - box[3];
    r.w = box[2] - box[0];
    r.h = box[3] - box[1];
    return r;
}

}  // namespace

bool openBook(const std::string& dir, Book& book, std::vector<std::string>& problems) {
    book = Book();
    book.dir = app::normalFolder(dir);
    std::error_code ec;
    if (!fs::is_directory(book.dir, ec)) {
        problems.push_back(dir + ": not a folder");
        return false;
    }
    bool present = false;
    std::vector<std::string> errors;
    if (!app::readBookDescription(book.dir, &book.description, &present, &errors)) {
        if (!present) {
            // Without a description a folder is the course book, but only if it has pages.
            if (!fs::is_regular_file(book.dir + "/" + app::pageLayoutFile(1), ec)) {
                problems.push_back(dir + ": not a book folder (it has neither " +
                                   std::string(app::BookDescription::kFileName) + " nor " + app::pageLayoutFile(1) + ")");
                return false;
            }
            book.description = app::courseBookDescription();
        } else {
            problems.insert(problems.end(), errors.begin(), errors.end());
            return false;
        }
    } else {
        book.described = true;
    }
    if (!isLanguageTag(book.description.language)) {
        problems.push_back(book.dir + "/" + app::BookDescription::kFileName + ": the language '" +
                           book.description.language + "' is not a language tag such as en or en-GB");
        return false;
    }
    book.contents = book.described ? app::describedEntries(book.description) : app::courseBookEntries();

    engine::prepareImageDecoding();
    const app::CheckReport report = app::checkBook(book.dir);
    for (const app::BookProblem& p : report.problems) {
        const std::string where = p.page > 0 ? "page " + std::to_string(p.page) + ": " : std::string();
        problems.push_back(book.dir + "/" + p.file + ": " + where + p.problem);
    }
    if (!report.ok()) return false;

    std::map<std::string, std::string> captions;
    std::string problem;
    engine::readPropertyListTexts(book.dir + "/" + app::kCaptionTable, &captions, &problem);
    book.contentsCaption = captions.count("main_page") ? captions["main_page"] : std::string("Contents");
    book.wordListCaption = captions.count("wordname") ? captions["wordname"] : std::string("Word list");
    engine::readPropertyListTexts(book.dir + "/" + app::kSentenceTable, &book.sentenceTexts, &problem);
    return true;
}

void readPage(Book& book, int number) {
    std::map<std::string, std::pair<int, int>> imageSizes;

    BookPage page;
    page.number = number;
    page.survey = app::surveyLayout(book.dir, app::pageLayoutFile(number));
    // The check found buttons 1 to the last without gaps; reading aloud goes up to the last.
    for (int n = 1; n <= app::kMaxSentencesPerPage; ++n) {
        const std::string name = app::sentenceButtonName(number, n);
        const app::SurveyedWidget* button = app::findWidget(page.survey, name);
        if (!button || (button->classname != "Button" && button->classname != "TextButton")) continue;
        BookSentence s;
        s.number = n;
        s.id = name;
        s.text = book.sentenceTexts[app::sentenceTextKey(number, n)];
        s.boxes.push_back(touchBox(book, *button, number, imageSizes));
        for (int k = 2; k <= app::kMaxSentenceParts; ++k) {
            const app::SurveyedWidget* extra = app::findWidget(page.survey, app::sentencePartButtonName(number, n, k));
            if (!extra) break;
            s.boxes.push_back(touchBox(book, *extra, number, imageSizes));
        }
        s.audioName = app::sentenceAudioName(number, n);
        s.recording = app::storedAudioPath(number, n);
        const engine::Mp3StreamInfo info = engine::Mp3Scanner::scanFile(book.dir + "/" + s.recording);
        // Whole milliseconds down, so a clip never ends past its file.
        s.durationMs = static_cast<long long>(std::floor(info.durationSeconds * 1000.0));
        page.sentences.push_back(std::move(s));
    }
    book.pages.push_back(std::move(page));
}

}  // namespace epub
