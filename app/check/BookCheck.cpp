// The book check, part by part: the description, the string tables, the chrome and settings
// screen, every page with its images and sentences, the contents entries.
//
// Index:
//   - the files: images and recordings, looked at once each
//   - the book as a whole
//   - one page
//   - the contents entries
//   - checkBook
#include "app/check/BookCheck.h"

#include <SDL.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <set>

#include "app/book/BookContents.h"
#include "app/book/BookDescription.h"
#include "app/book/BookFiles.h"
#include "app/book/ReaderState.h"
#include "app/book/SentenceNames.h"
#include "app/book/StringTables.h"
#include "app/check/LayoutSurvey.h"
#include "engine/audio/Mp3Scanner.h"
#include "engine/io/CCPropertyList.h"
#include "engine/render/CCImageFile.h"

namespace app {

namespace {

namespace fs = std::filesystem;

// How far (in points) a touch area may stick out of the page before it counts: layouts are
// written with two decimals.
constexpr double kPageSlack = 0.5;

struct ImageFacts {
    std::string problem;  // empty: it decodes
    int width = 0, height = 0;
};

std::string quoted(const std::string& s) { return "\"" + s + "\""; }

std::string describe(const SurveyedWidget& w) {
    return w.name.empty() ? "a " + w.classname : quoted(w.name);
}

class Checker {
public:
    Checker(const std::string& bookDir, const CheckControl& control, CheckReport& report)
        : m_dir(bookDir), m_control(control), m_report(report) {}

    bool stopped() const { return m_control.stop && m_control.stop->load(); }

    // --- the files --------------------------------------------------------------------------

    const ImageFacts& image(const std::string& path) {
        auto it = m_images.find(path);
        if (it != m_images.end()) return it->second;
        ImageFacts facts;
        SDL_Surface* surface = engine::decodeImageFile(m_dir + "/" + path, &facts.problem);
        if (surface) {
            facts.width = surface->w;
            facts.height = surface->h;
            SDL_FreeSurface(surface);
        }
        return m_images.emplace(path, facts).first->second;
    }

    bool isFile(const std::string& path) const {
        std::error_code ec;
        return fs::is_regular_file(m_dir + "/" + path, ec);
    }

    void add(int page, const std::string& file, const std::string& problem) {
        m_report.problems.push_back({page, file, problem});
    }

    // Each file a layout names: images decode, fonts and sheets are there.
    void checkNamedFiles(int page, const std::string& layout, const LayoutSurvey& survey) {
        for (const SurveyedWidget& w : survey.widgets) {
            for (const NamedFile& f : w.files) {
                if (f.spriteFrame) continue;  // frames come from the sheets, checked below
                const std::string what = (f.font ? "the font of " : "the image of ") + describe(w);
                if (f.path.empty()) {
                    add(page, layout, what + " is named " + quoted(f.written) +
                                          ", which leaves the book folder or is not a file");
                } else if (f.font) {
                    if (!isFile(f.path)) add(page, f.path, what + " is missing");
                } else {
                    const ImageFacts& facts = image(f.path);
                    if (!facts.problem.empty()) add(page, f.path, what + " " + facts.problem);
                }
            }
        }
        for (const NamedFile& sheet : survey.sheets) {
            if (sheet.path.empty()) {
                add(page, layout, "the sprite sheet " + quoted(sheet.written) + " leaves the book folder or is not a file");
                continue;
            }
            std::map<std::string, std::string> ignored;
            std::string problem;
            if (!engine::readPropertyListTexts(m_dir + "/" + sheet.path, &ignored, &problem))
                add(page, sheet.path, "the sprite sheet " + problem);
        }
    }

    // --- the book as a whole ----------------------------------------------------------------

    // The page count, and the contents entries (none when the description is broken).
    int checkDescription(std::vector<ContentsEntry>* entries) {
        BookDescription description;
        bool present = false;
        std::vector<std::string> errors;
        if (readBookDescription(m_dir, &description, &present, &errors)) {
            m_described = true;
            *entries = describedEntries(description);
            return description.pageCount;
        }
        if (!present) {
            *entries = courseBookEntries();
            return kLastPage;
        }
        // "DIR/quirel-book.json:3:12: what" names the file itself; the problem keeps the rest.
        const std::string prefix = m_dir + "/" + BookDescription::kFileName;
        for (std::string e : errors) {
            if (e.rfind(prefix, 0) == 0) e.erase(0, prefix.size());
            if (!e.empty() && e[0] == ':') e.erase(0, 1);
            while (!e.empty() && e[0] == ' ') e.erase(0, 1);
            add(0, BookDescription::kFileName, e);
        }
        m_described = true;
        int pages = 0;
        while (pages < BookDescription::kMaxPages && fs::exists(m_dir + "/" + pageLayoutFile(pages + 1))) ++pages;
        return pages > 0 ? pages : 1;
    }

    void checkStringTables() {
        std::string problem;
        if (!engine::readPropertyListTexts(m_dir + "/" + kCaptionTable, &m_captions, &problem)) {
            add(0, kCaptionTable, "the caption table " + problem);
        } else {
            for (const std::string& key : requiredCaptionKeys())
                if (!m_captions.count(key)) add(0, kCaptionTable, "has no caption " + quoted(key));
        }
        m_sentenceTableRead = engine::readPropertyListTexts(m_dir + "/" + kSentenceTable, &m_sentences, &problem);
        if (!m_sentenceTableRead) add(0, kSentenceTable, "the sentence table " + problem);
    }

    void checkScreens() {
        for (const std::string& path : chromeImages()) {
            const ImageFacts& facts = image(path);
            if (!facts.problem.empty()) add(0, path, "the reader's chrome image " + facts.problem);
        }
        const LayoutSurvey settings = surveyLayout(m_dir, kSettingsLayout);
        if (!settings.problem.empty()) {
            add(0, kSettingsLayout, "the settings screen's layout " + settings.problem);
            return;
        }
        checkNamedFiles(0, kSettingsLayout, settings);
        for (const std::string& name : requiredSettingsButtons()) {
            const SurveyedWidget* w = findWidget(settings, name);
            if (!w)
                add(0, kSettingsLayout, "the settings screen has no button " + quoted(name));
            else if (w->classname != "Button" && w->classname != "TextButton")
                add(0, kSettingsLayout, "the settings screen's " + quoted(name) + " is a " + w->classname + ", not a button");
        }
    }

    // --- one page ---------------------------------------------------------------------------

    // False when the page does not read.
    bool checkPage(int page) {
        const std::string layout = pageLayoutFile(page);
        const LayoutSurvey survey = surveyLayout(m_dir, layout);
        if (!survey.problem.empty()) {
            add(page, layout, "the page's layout " + survey.problem);
            return false;
        }
        checkNamedFiles(page, layout, survey);

        // The buttons the reader connects, and the highest number, up to which reading aloud goes.
        std::vector<const SurveyedWidget*> buttons(kMaxSentencesPerPage + 1, nullptr);
        int last = 0;
        for (int n = 1; n <= kMaxSentencesPerPage; ++n) {
            const SurveyedWidget* w = findWidget(survey, sentenceButtonName(page, n));
            if (!w) continue;
            if (w->classname != "Button" && w->classname != "TextButton") {
                add(page, layout, quoted(w->name) + " is a " + w->classname + ", not a button: sentence " +
                                      std::to_string(n) + " cannot be touched");
                continue;
            }
            buttons[n] = w;
            last = n;
        }
        for (int n = 1; n <= last; ++n) {
            if (stopped()) return true;
            if (!buttons[n]) {
                add(page, layout, "sentence " + std::to_string(n) + " has no button (" +
                                      quoted(sentenceButtonName(page, n)) + ") though sentence " + std::to_string(last) +
                                      " has one");
                continue;
            }
            checkSentence(page, n, *buttons[n]);
            // The further lines of a sentence that wraps, each touchable on its own.
            for (int part = 2; part <= kMaxSentenceParts; ++part) {
                const SurveyedWidget* line = findWidget(survey, sentencePartButtonName(page, n, part));
                if (!line) break;
                checkTouchArea(page, "sentence " + std::to_string(n) + " line " + std::to_string(part), *line);
            }
        }
        return true;
    }

    void checkSentence(int page, int n, const SurveyedWidget& button) {
        const std::string layout = pageLayoutFile(page);
        const std::string sentence = "sentence " + std::to_string(n);
        const std::string key = sentenceTextKey(page, n);
        if (m_sentenceTableRead && !m_sentences.count(key))
            add(page, kSentenceTable, sentence + " has no text (no " + quoted(key) + ")");

        const std::string recording = storedAudioPath(page, n);
        const engine::Mp3StreamInfo info =
            isFile(recording) ? engine::Mp3Scanner::scanFile(m_dir + "/" + recording) : engine::Mp3StreamInfo();
        if (!isFile(recording)) {
            add(page, layout, sentence + " has no recording (" + recording + " missing)");
        } else if (!info.playable) {
            add(page, recording, "the recording of " + sentence + " does not play (" + info.problem + ")");
        } else if (info.audioFrames < info.declaredFrames || info.endsInsideFrame) {
            add(page, recording, "the recording of " + sentence + " is cut short (" + std::to_string(info.audioFrames) +
                                     (info.declaredFrames > 0 ? " of " + std::to_string(info.declaredFrames) : "") +
                                     " frames, the last one cut)");
        }

        checkTouchArea(page, sentence, button);
    }

    void checkTouchArea(int page, const std::string& sentence, const SurveyedWidget& button) {
        if (!button.placed) return;
        double width = button.width, height = button.height;
        if (button.sizeFromImage) {
            // Outside the word list the reader puts its own sentence mark on the button.
            const std::string path = sentenceButtonImage(button, page);
            if (path.empty()) return;
            const ImageFacts& facts = image(path);
            if (!facts.problem.empty()) return;  // reported with the image
            width = facts.width;
            height = facts.height;
        }
        double box[4];
        pageBox(button, width, height, box);
        if (box[0] < -kPageSlack || box[1] < -kPageSlack || box[2] > kPageWidth + kPageSlack ||
            box[3] > kPageHeight + kPageSlack) {
            char text[160];
            std::snprintf(text, sizeof text, "'s touch area (%.0f, %.0f)-(%.0f, %.0f) is not inside the %d x %d page",
                          box[0], box[1], box[2], box[3], kPageWidth, kPageHeight);
            add(page, pageLayoutFile(page), sentence + text);
        }
    }

    // --- the contents entries ---------------------------------------------------------------

    void checkEntries(const std::vector<ContentsEntry>& entries, const std::set<int>& unread, int pages) {
        const std::string file = m_described ? BookDescription::kFileName : std::string();
        for (const ContentsEntry& e : entries) {
            const std::string name = e.title.empty() ? std::string("the word list") : quoted(e.title);
            std::vector<int> opens = e.wordList ? e.sectionPages : std::vector<int>{e.firstPage};
            for (int p : opens) {
                if (p > pages || unread.count(p))
                    add(0, file.empty() ? pageLayoutFile(p) : file,
                        "the contents entry " + name + " opens page " + std::to_string(p) + ", which does not read");
            }
        }
    }

    const std::string m_dir;
    const CheckControl& m_control;
    CheckReport& m_report;
    bool m_described = false;
    std::map<std::string, ImageFacts> m_images;
    std::map<std::string, std::string> m_captions, m_sentences;
    bool m_sentenceTableRead = false;
};

}  // namespace

CheckReport checkBook(const std::string& bookDir, const CheckControl& control) {
    CheckReport report;
    report.book = bookDir;
    Checker checker(normalFolder(bookDir), control, report);

    std::vector<ContentsEntry> entries;
    report.pages = checker.checkDescription(&entries);
    checker.checkStringTables();
    checker.checkScreens();
    std::set<int> unread;
    for (int page = 1; page <= report.pages; ++page) {
        if (checker.stopped()) {
            report.pages = page - 1;
            report.sortByPage();
            return report;
        }
        const bool looked = control.onlyPages.empty() || control.onlyPages.count(page) > 0;
        if (looked && !checker.checkPage(page)) unread.insert(page);
        if (control.progress) control.progress(page, report.pages);
    }
    checker.checkEntries(entries, unread, report.pages);
    report.finished = !checker.stopped();
    report.sortByPage();
    return report;
}

}  // namespace app
