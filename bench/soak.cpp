// Soak run: the whole reader on the virtual clock for 8 simulated hours, with resident memory sampled and plotted.
//
// Usage: bench_soak [--hours H] [--seed N] [--png PATH] [--book DIR] [--faults]
// A first round reads the book straight through (turn-pages mode, pages 2 to 90); after it,
// continuous reading in repeat-page and turn-pages modes is mixed with random taps, swipes,
// menu round trips (contents -> unit -> page) and settings changes. Resident memory (VmRSS)
// is sampled every 10 simulated minutes; the run fails (exit 1) when, of the time after the
// first round, the largest sample of the last half exceeds the largest of the first half by more
// than 15 %. A crash fails it too, of course. Not part of CI: it takes minutes of real time.
// --faults reads a private copy of the book and damages its files while the reader is between
// pages (removed, cut short, filled with junk, turned into folders), restoring each a few pages
// later, so the whole run is also a long fault run.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include <SDL.h>
#include <SDL_image.h>

#include "app/menus/TestController.h"
#include "app/menus/UnitMenu.h"
#include "app/reader/PageLayer.h"
#include "app/book/ReaderState.h"
#include "app/settings/SetLayer.h"
#include "app/shell/ScriptDriver.h"
#include "engine/engine.h"
#include "ui/ui.h"

using namespace engine;

namespace {

const float kWidth = 640, kHeight = 960;  // design points

double rssMb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
    return 0;
}

namespace fs = std::filesystem;

// Damages files of a private book copy and puts them back later.
class BookDamage {
public:
    BookDamage(const std::string& pristine, const std::string& copy) : m_pristine(pristine), m_copy(copy) {
        for (const auto& e : fs::recursive_directory_iterator(pristine))
            if (e.is_regular_file()) m_files.push_back(fs::relative(e.path(), pristine).string());
        std::sort(m_files.begin(), m_files.end());
    }
    // Called at each page change: damages one file now and then, heals the oldest damage later.
    void onPageChange(std::mt19937& rng, int page) {
        if (m_damaged.size() > 4 || (!m_damaged.empty() && rng() % 3 == 0)) heal();
        if (rng() % 2 != 0) return;
        // Mostly the files of the pages around the one showing, sometimes any file of the book.
        std::string file;
        const int near = page + int(rng() % 3) - 1;
        switch (rng() % 5) {
            case 0: file = "tomeset/tomeset_" + std::to_string(near) + ".json"; break;
            case 1: file = "tomeset/images/page_" + std::to_string(near) + ".png"; break;
            case 2: file = "Stringstr.xml"; break;
            default: file = m_files[rng() % m_files.size()]; break;
        }
        if (!fs::exists(m_pristine + "/" + file)) return;
        if (std::find(m_damaged.begin(), m_damaged.end(), file) != m_damaged.end()) return;
        const std::string path = m_copy + "/" + file;
        std::error_code ec;
        switch (rng() % 4) {
            case 0: fs::remove(path, ec); break;
            case 1: fs::resize_file(path, fs::file_size(path, ec) / 3, ec); break;
            case 2: {
                fs::remove(path, ec);
                std::ofstream junk(path, std::ios::binary);
                for (int i = 0; i < 512; ++i) junk.put(char(rng()));
                break;
            }
            default:
                fs::remove(path, ec);
                fs::create_directory(path, ec);
                break;
        }
        m_damaged.push_back(file);
        ++m_count;
    }
    int count() const { return m_count; }

private:
    void heal() {
        const std::string file = m_damaged.front();
        m_damaged.erase(m_damaged.begin());
        std::error_code ec;
        fs::remove_all(m_copy + "/" + file, ec);
        fs::copy_file(m_pristine + "/" + file, m_copy + "/" + file, ec);
    }

    std::string m_pristine, m_copy;
    std::vector<std::string> m_files;
    std::vector<std::string> m_damaged;
    int m_count = 0;
};

class Soak {
public:
    Soak(const std::string& book, unsigned seed) : m_driver(std::make_unique<app::ScriptDriver>(book)), m_rng(seed) {
        m_driver->host().setDrawing(false);
    }

    void run(double hours) {
        const double end = hours * 3600.0;
        app::currentPage = 2;
        app::openPageWithoutTransition();
        frames(2);
        startReading(app::READ_TURN_PAGES);
        double nextSample = 0;
        while (m_now < end) {
            if (m_now >= nextSample) {
                m_samples.push_back(rssMb());
                if (m_firstRoundSample < 0 && m_firstRoundDone) m_firstRoundSample = int(m_samples.size()) - 1;
                std::printf("soak: %6.1f min  page %2d  mode %d  rss %.1f MB\n", m_now / 60.0, app::currentPage,
                            app::readingMode, m_samples.back());
                std::fflush(stdout);
                nextSample += 600;
            }
            // The first round reads the book straight through, pages 2 to the last, so every page
            // has been built once; then mostly reading, with one event every half minute on average.
            if (!m_firstRoundDone) {
                readFor(15);
                continue;
            }
            std::uniform_int_distribution<int> pick(0, 99);
            int p = pick(m_rng);
            if (p < 4) tap();
            else if (p < 6) swipe();
            else if (p < 7) menuRoundTrip();
            else if (p < 8) settingsChange();
            else if (p < 9) startReading(pick(m_rng) < 50 ? app::READ_REPEAT_PAGE : app::READ_TURN_PAGES);
            readFor(15);
        }
        m_samples.push_back(rssMb());
    }

    void damageBook(BookDamage* damage) { m_damage = damage; }
    const std::vector<double>& samples() const { return m_samples; }
    int firstRoundSample() const { return m_firstRoundSample; }
    int events() const { return m_events; }

private:
    void frames(int n) {
        m_driver->host().step(n);
        m_now += n / 60.0;
        notePage();
    }
    // Whole seconds of reading; a page is drawn once when it first shows, so its textures upload.
    void readFor(int seconds) {
        for (int s = 0; s < seconds; ++s) {
            m_driver->host().setDrawing(app::currentPage != m_lastDrawn);
            m_lastDrawn = app::currentPage;
            m_driver->host().advance(1.0);
            m_now += 1.0;
            notePage();
        }
        m_driver->host().setDrawing(false);
        // Continuous reading stops at the last page: start again from the front, as a child would.
        app::PageLayer* page = pageLayer();
        // Turn-pages reading ends on the last page with its flag still on, waiting after the
        // last sentence.
        const bool readToTheEnd = app::readingMode == app::READ_TURN_PAGES && app::readingPause &&
                                  app::nextSentence > app::lastSentence &&
                                  !SimpleAudioEngine::sharedEngine()->isBackgroundMusicPlaying();
        if (page && app::currentPage >= app::kLastPage && (!app::autoReading || readToTheEnd)) {
            m_firstRoundDone = true;
            app::currentPage = 2;
            app::openPageWithoutTransition();
            frames(2);
            startReading(app::readingMode == app::READ_REPEAT_PAGE ? app::READ_REPEAT_PAGE : app::READ_TURN_PAGES);
        }
    }
    void notePage() {
        if (m_damage && app::currentPage != m_lastPage) m_damage->onPageChange(m_rng, app::currentPage);
        m_lastPage = app::currentPage;
    }
    app::PageLayer* pageLayer() { return dynamic_cast<app::PageLayer*>(m_driver->systemLayer()); }
    // Makes sure a page shows (coming back from a menu or the settings when needed).
    app::PageLayer* ensurePage() {
        if (app::PageLayer* page = pageLayer()) return page;
        if (app::currentPage < 2 || app::currentPage > app::kLastPage) app::currentPage = 2;
        app::openPageWithoutTransition();
        frames(2);
        return pageLayer();
    }
    void startReading(int mode) {
        ++m_events;
        app::PageLayer* page = ensurePage();
        if (!page) return;
        app::readingMode = mode;
        if (!app::autoReading) page->playPauseCallback(page->getPlayPauseItem());
        frames(2);
    }
    void tap() {
        ++m_events;
        std::uniform_real_distribution<float> x(0, kWidth), y(0, kHeight);
        float tx = x(m_rng), ty = y(m_rng);
        m_driver->host().touchDown(tx, ty);
        frames(1);
        m_driver->host().touchUp(tx, ty);
        frames(1);
    }
    void swipe() {
        ++m_events;
        std::uniform_real_distribution<float> y(200, kHeight - 200);
        bool left = std::uniform_int_distribution<int>(0, 1)(m_rng) == 1;
        float from = left ? kWidth - 80 : 80, to = left ? 80 : kWidth - 80, ty = y(m_rng);
        m_driver->host().touchDown(from, ty);
        frames(1);
        for (int k = 1; k <= 5; ++k) {
            m_driver->host().touchMove(from + (to - from) * k / 5.f, ty);
            frames(1);
        }
        m_driver->host().touchUp(to, ty);
        frames(40);
    }
    // Contents, a unit's page list, then one of its pages: the way a child changes chapters.
    void menuRoundTrip() {
        ++m_events;
        app::PageLayer* page = ensurePage();
        if (!page) return;
        page->contentsCallback(nullptr);
        frames(40);
        auto* contents = dynamic_cast<app::TestController*>(m_driver->systemLayer());
        if (!contents) return;
        std::vector<CCNode*> units;
        for (CCObject* o : *contents->getUnitMenu()->getChildren()) units.push_back(static_cast<CCNode*>(o));
        if (units.empty()) return;
        contents->menuCallback(units[std::uniform_int_distribution<size_t>(0, units.size() - 1)(m_rng)]);
        frames(40);
        auto* menu = dynamic_cast<app::MenuLayerMainMenu*>(m_driver->systemLayer());
        if (!menu) return;
        std::vector<CCNode*> entries;
        for (CCObject* o : *menu->getPageMenu()->getChildren()) entries.push_back(static_cast<CCNode*>(o));
        if (entries.empty()) return;
        menu->pageItemCallback(entries[std::uniform_int_distribution<size_t>(0, entries.size() - 1)(m_rng)]);
        frames(40);
        m_lastDrawn = 0;
    }
    // The settings screen: a reading mode chosen with its buttons, then OK or cancel.
    void settingsChange() {
        ++m_events;
        app::PageLayer* page = ensurePage();
        if (!page) return;
        page->settingsCallback(nullptr);
        frames(40);
        static const char* kChoices[] = {"bnpres", "bnaoto", "bnaotopage"};
        press(kChoices[std::uniform_int_distribution<int>(0, 2)(m_rng)]);
        press(std::uniform_int_distribution<int>(0, 3)(m_rng) == 0 ? "bncancel" : "bnok");
        frames(40);
        m_lastDrawn = 0;
    }
    void press(const char* name) {
        auto* layer = dynamic_cast<app::SetLayer*>(m_driver->systemLayer());
        if (!layer) return;
        auto* b = dynamic_cast<ui::UIButton*>(layer->getUILayer()->getWidgetByName(name));
        if (!b) return;
        CCPoint p = b->getRenderer()->getParent()->convertToWorldSpace(b->getRenderer()->getPosition());
        m_driver->host().touchDown(p.x, p.y);
        frames(1);
        m_driver->host().touchUp(p.x, p.y);
        frames(3);
    }

    std::unique_ptr<app::ScriptDriver> m_driver;
    std::mt19937 m_rng;
    double m_now = 0;
    int m_lastDrawn = 0;
    int m_lastPage = 0;
    BookDamage* m_damage = nullptr;
    bool m_firstRoundDone = false;
    int m_firstRoundSample = -1;
    int m_events = 0;
    std::vector<double> m_samples;
};

// A line chart of the samples: grey axes, a light grid every 100 MB, the series in blue.
bool plot(const std::vector<double>& mb, const std::string& path) {
    const int w = 800, h = 400, left = 40, right = 10, top = 10, bottom = 30;
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_RGBA32);
    if (!s) return false;
    SDL_Renderer* r = SDL_CreateSoftwareRenderer(s);
    if (!r) {
        SDL_FreeSurface(s);
        return false;
    }
    double top_mb = 100;
    for (double v : mb) top_mb = std::max(top_mb, v * 1.1);
    auto px = [&](size_t i) { return left + int(double(i) * (w - left - right) / std::max<size_t>(1, mb.size() - 1)); };
    auto py = [&](double v) { return h - bottom - int(v / top_mb * (h - top - bottom)); };
    SDL_SetRenderDrawColor(r, 255, 255, 255, 255);
    SDL_RenderClear(r);
    SDL_SetRenderDrawColor(r, 225, 225, 225, 255);
    for (double g = 100; g < top_mb; g += 100) SDL_RenderDrawLine(r, left, py(g), w - right, py(g));
    // One tick per simulated hour (6 samples).
    for (size_t i = 0; i < mb.size(); i += 6) SDL_RenderDrawLine(r, px(i), top, px(i), h - bottom);
    SDL_SetRenderDrawColor(r, 90, 90, 90, 255);
    SDL_RenderDrawLine(r, left, top, left, h - bottom);
    SDL_RenderDrawLine(r, left, h - bottom, w - right, h - bottom);
    SDL_SetRenderDrawColor(r, 30, 90, 200, 255);
    for (size_t i = 1; i < mb.size(); ++i)
        for (int d = 0; d < 2; ++d)
            SDL_RenderDrawLine(r, px(i - 1), py(mb[i - 1]) + d, px(i), py(mb[i]) + d);
    SDL_RenderPresent(r);
    bool ok = IMG_SavePNG(s, path.c_str()) == 0;
    SDL_DestroyRenderer(r);
    SDL_FreeSurface(s);
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    double hours = 8;
    unsigned seed = 20240611;
    std::string png = "soak-memory.png";
    std::string book = std::string(QUIREL_BINARY_DIR) + "/book";
    bool faults = false;
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (!std::strcmp(argv[i], "--faults")) faults = true;
        else if (!std::strcmp(argv[i], "--hours") && hasValue) hours = std::atof(argv[++i]);
        else if (!std::strcmp(argv[i], "--seed") && hasValue) seed = unsigned(std::strtoul(argv[++i], nullptr, 10));
        else if (!std::strcmp(argv[i], "--png") && hasValue) png = argv[++i];
        else if (!std::strcmp(argv[i], "--book") && hasValue) book = argv[++i];
        else {
            std::fprintf(stderr, "usage: bench_soak [--hours H] [--seed N] [--png PATH] [--book DIR] [--faults]\n");
            return std::strcmp(argv[i], "--help") ? 2 : 0;
        }
    }
    if (!(hours > 0 && hours <= 24 * 7)) {
        std::fprintf(stderr, "soak: --hours must be more than 0 and at most a week\n");
        return 2;
    }
    if (!std::filesystem::exists(book + "/String.xml")) {
        std::fprintf(stderr, "soak: no sample book in %s (build the sample_book target)\n", book.c_str());
        return 2;
    }
    std::unique_ptr<BookDamage> damage;
    std::string copy;
    if (faults) {
        char dir[] = "/tmp/quirel-soak-XXXXXX";
        if (!mkdtemp(dir)) {
            std::perror("soak: mkdtemp");
            return 2;
        }
        copy = std::string(dir) + "/book";
        fs::copy(book, copy, fs::copy_options::recursive);
        damage = std::make_unique<BookDamage>(book, copy);
        book = copy;
        std::printf("soak: damaging files of a copy of the book in %s while reading\n", copy.c_str());
    }
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    setLogQuiet(true);
    app::resetReaderState();
    const auto started = std::chrono::steady_clock::now();
    Soak soak(book, seed);
    soak.damageBook(damage.get());
    soak.run(hours);
    if (damage) {
        std::printf("soak: %d files damaged along the way\n", damage->count());
        fs::remove_all(fs::path(copy).parent_path());
    }
    const double real = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();

    const std::vector<double>& mb = soak.samples();
    std::printf("soak: series_mb");
    for (double v : mb) std::printf(" %.1f", v);
    std::printf("\n");
    bool plotted = plot(mb, png);
    std::printf("soak: plot %s%s\n", png.c_str(), plotted ? "" : " could not be written");

    int first = soak.firstRoundSample();
    if (first < 0 || size_t(first) >= mb.size() / 2) {
        std::printf("soak: FAIL the book was not read through once in the first half (%zu samples)\n", mb.size());
        return 1;
    }
    // Flat means the envelope does not rise: the highest sample of the last half of the time
    // after the first round against the highest of the half before it (both halves see reading,
    // menus and settings, which the straight first round does not).
    const size_t from = size_t(first), mid = from + (mb.size() - from) / 2;
    const double earlier = *std::max_element(mb.begin() + long(from), mb.begin() + long(mid));
    const double later = *std::max_element(mb.begin() + long(mid), mb.end());
    const double low = *std::min_element(mb.begin() + long(from), mb.end());
    const double growth = later / earlier - 1.0;
    std::printf("soak: %.1f simulated hours in %.0f s real, %d events; rss after the first round %.1f MB; "
                "then between %.1f and %.1f MB; highest %.1f MB before the middle, %.1f MB after (%+.1f %%)\n",
                hours, real, soak.events(), mb[from], low, std::max(earlier, later), earlier, later, growth * 100);
    if (growth > 0.15) {
        std::printf("soak: FAIL resident memory kept growing after the first round (more than 15 %%)\n");
        return 1;
    }
    std::printf("soak: PASS\n");
    return 0;
}
