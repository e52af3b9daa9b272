// Container, package, pages, overlays and toc, each checked against the zip's entries.
#include "tools/epub/PublicationReader.h"

#include <algorithm>

#include "engine/text/CCUTF8.h"
#include "tools/epub/HrefPath.h"
#include "tools/epub/XmlText.h"

namespace epub {

namespace {

constexpr const char* kContainer = "META-INF/container.xml";
// The reader's limits on a book.
constexpr int kMaxPages = 999;
constexpr std::size_t kMaxUnits = 20;

bool packagePath(ZipArchive& zip, std::string& path, std::string& error) {
    if (!zip.has(kContainer)) {
        error = zip.name() + ": has no " + kContainer + ", which names the package document: not an EPUB publication";
        return false;
    }
    std::string text;
    if (!zip.read(kContainer, text, error)) return false;
    XmlText xml;
    if (!xml.parse(text, kContainer, error)) return false;
    const pugi::xml_node rootfile = findElement(xml.document().document_element(), "rootfile");
    std::string fragment;
    if (!rootfile || !resolveHref("", rootfile.attribute("full-path").value(), path, fragment)) {
        error = std::string(kContainer) + ": names no package document (a <rootfile full-path=\"...\"/>)";
        return false;
    }
    if (!zip.has(path)) {
        error = std::string(kContainer) + ":" + std::to_string(xml.lineOf(rootfile)) + ": the package document " +
                path + " is not in the publication";
        return false;
    }
    return true;
}

bool readOverlay(ZipArchive& zip, const PackageDocument& package, const SpineItem& item, PublicationPage& page,
                 std::vector<std::string>& warnings, std::string& error) {
    if (!zip.has(item.overlayPath)) {
        error = package.path + ":" + std::to_string(item.line) + ": the overlay of " + item.path + ", " +
                item.overlayPath + ", is not in the publication";
        return false;
    }
    std::string text;
    if (!zip.read(item.overlayPath, text, error)) return false;
    MediaOverlay overlay;
    if (!parseMediaOverlay(text, item.overlayPath, overlay, error)) return false;
    int elsewhere = 0;
    for (const OverlayPar& par : overlay.pars) {
        const std::string at = overlay.path + ":" + std::to_string(par.line) + ": ";
        if (!zip.has(par.textPath)) {
            error = at + "the text " + par.textPath + " is not in the publication";
            return false;
        }
        if (!par.audioPath.empty() && !zip.has(par.audioPath)) {
            error = at + "the audio " + par.audioPath + " is not in the publication";
            return false;
        }
        if (par.textPath != item.path) {
            ++elsewhere;
            continue;
        }
        page.pars.push_back(par);
    }
    if (elsewhere > 0) {
        warnings.push_back(overlay.path + ": " + std::to_string(elsewhere) +
                           " pieces of narration read another document than " + item.path + "; left out");
    }
    page.overlayPath = item.overlayPath;
    return true;
}

void readUnits(ZipArchive& zip, PublicationParts& out, std::vector<std::string>& warnings) {
    const std::string& navPath = out.package.navPath;
    if (navPath.empty() || !zip.has(navPath)) {
        warnings.push_back(out.package.path + ": " +
                           (navPath.empty() ? std::string("no navigation document")
                                            : "the navigation document " + navPath + " is not in the publication") +
                           "; the book has one unit of every page");
        return;
    }
    std::string text, error;
    std::vector<TocEntry> toc;
    if (!zip.read(navPath, text, error) || !readToc(text, navPath, toc, error)) {
        warnings.push_back(error + "; the book has one unit of every page");
        return;
    }
    for (const TocEntry& entry : toc) {
        const std::string at = navPath + ":" + std::to_string(entry.line) + ": ";
        int page = 0;
        for (std::size_t i = 0; i < out.pages.size(); ++i) {
            if (out.pages[i].path == entry.path) page = static_cast<int>(i + 1);
        }
        if (page == 0) {
            warnings.push_back(at + "the entry '" + entry.title + "' leads to no page of the book; left out");
            continue;
        }
        if (!out.units.empty() && page <= out.units.back().firstPage) {
            warnings.push_back(at + "the entry '" + entry.title + "' leads back to an earlier page; left out");
            continue;
        }
        if (out.units.size() == kMaxUnits) {
            warnings.push_back(at + "a book has at most 20 units; '" + entry.title + "' and those after it are left out");
            break;
        }
        PublicationUnit unit;
        unit.title = engine::utf8::cutToBytes(entry.title.empty() ? "Part " + std::to_string(out.units.size() + 1) : entry.title, 200);
        unit.firstPage = out.units.empty() ? 1 : page;  // pages before the first entry open the book with it
        out.units.push_back(unit);
    }
    for (std::size_t u = 0; u < out.units.size(); ++u) {
        out.units[u].lastPage =
            u + 1 < out.units.size() ? out.units[u + 1].firstPage - 1 : static_cast<int>(out.pages.size());
    }
}

}  // namespace

bool readPublication(ZipArchive& zip, PublicationParts& out, std::vector<std::string>& warnings, std::string& error) {
    out = PublicationParts();
    std::string opfPath;
    if (!packagePath(zip, opfPath, error)) return false;
    std::string text;
    if (!zip.read(opfPath, text, error)) return false;
    if (!parsePackageDocument(text, opfPath, out.package, warnings, error)) return false;
    const PackageDocument& package = out.package;

    int reflowable = 0;
    bool spreads = false;
    for (const SpineItem& item : package.spine) {
        const std::string at = package.path + ":" + std::to_string(item.line) + ": ";
        if (!zip.has(item.path)) {
            error = at + "the spine names " + item.path + ", which is not in the publication";
            return false;
        }
        const PackageItem* manifestItem = package.item(item.idref);
        if (manifestItem->mediaType != "application/xhtml+xml") {
            warnings.push_back(item.path + ": a page of type " + manifestItem->mediaType +
                               " cannot be drawn; left out");
            continue;
        }
        if (item.layout == Layout::Reflowable) {
            ++reflowable;
            warnings.push_back(item.path + ": a reflowable page (its text flows to fit the screen) is not carried");
            continue;
        }
        spreads = spreads || item.spread;
        PublicationPage page;
        page.path = item.path;
        if (!zip.read(item.path, text, error)) return false;
        PageFacts facts;
        if (!readPageFacts(text, item.path, facts, error)) return false;
        if (!facts.uncarried.empty()) {
            std::string what;
            for (std::size_t i = 0; i < facts.uncarried.size(); ++i) {
                what += (i == 0 ? "" : i + 1 == facts.uncarried.size() ? " and " : ", ") + facts.uncarried[i];
            }
            warnings.push_back(item.path + ": " + what + " cannot be carried into the book; left out");
        }
        page.viewport = facts.viewport;
        if (!page.viewport.valid()) {
            page.viewport = package.viewport.valid() ? package.viewport : Viewport{kFallbackWidth, kFallbackHeight};
            warnings.push_back(item.path + ": " +
                               (facts.viewportText.empty() ? std::string("no viewport")
                                                           : "the viewport '" + facts.viewportText + "' is not a size") +
                               "; drawn at " + std::to_string(page.viewport.width) + " x " +
                               std::to_string(page.viewport.height));
        }
        if (!item.overlayPath.empty() && !readOverlay(zip, package, item, page, warnings, error)) return false;
        out.pages.push_back(page);
    }
    if (out.pages.empty()) {
        error = package.path + ": " +
                (reflowable > 0 ? std::string("the publication is reflowable (its text flows to fit the screen); "
                                              "quirel reads fixed-layout books, whose pages are drawn as laid out")
                                : std::string("no page of the publication can be drawn"));
        return false;
    }
    if (static_cast<int>(out.pages.size()) > kMaxPages) {
        error = package.path + ": " + std::to_string(out.pages.size()) + " pages; a book holds at most " +
                std::to_string(kMaxPages);
        return false;
    }
    if (spreads) {
        warnings.push_back(package.path + ": pages meant to be seen in spreads, two side by side, are shown one at a time");
    }
    readUnits(zip, out, warnings);
    return true;
}

}  // namespace epub
