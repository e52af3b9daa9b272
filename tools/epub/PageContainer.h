// What litehtml asks of its host, answered for one page: fonts (the publication's own faces from
// @font-face, else Liberation), pictures decoded by SDL_image, style sheets from the publication,
// and drawing onto a bookkit canvas clipped to the viewport.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include <litehtml/litehtml.h>

#include "tools/bookkit/Canvas.h"
#include "tools/epub/HtmlPage.h"

namespace epub {

class PageContainer : public litehtml::document_container {
public:
    PageContainer(bookkit::Canvas& canvas, std::string docPath, const FileLoader& load,
                  std::vector<std::string>& warnings);
    ~PageContainer();
    PageContainer(const PageContainer&) = delete;
    PageContainer& operator=(const PageContainer&) = delete;

    // Registers the faces a style sheet's @font-face rules name; their URLs resolve against cssPath.
    void addFontFaces(const std::string& css, const std::string& cssPath);
    // Appends a warning once, however often the same thing goes wrong.
    void warn(const std::string& warning);

    litehtml::uint_ptr create_font(const litehtml::tchar_t* faceName, int size, int weight,
                                   litehtml::font_style italic, unsigned int decoration,
                                   litehtml::font_metrics* fm) override;
    void delete_font(litehtml::uint_ptr hFont) override;
    int text_width(const litehtml::tchar_t* text, litehtml::uint_ptr hFont) override;
    void draw_text(litehtml::uint_ptr hdc, const litehtml::tchar_t* text, litehtml::uint_ptr hFont,
                   litehtml::web_color color, const litehtml::position& pos) override;
    int pt_to_px(int pt) const override;
    int get_default_font_size() const override;
    const litehtml::tchar_t* get_default_font_name() const override;
    void draw_list_marker(litehtml::uint_ptr hdc, const litehtml::list_marker& marker) override;
    void load_image(const litehtml::tchar_t* src, const litehtml::tchar_t* baseurl, bool redraw_on_ready) override;
    void get_image_size(const litehtml::tchar_t* src, const litehtml::tchar_t* baseurl, litehtml::size& sz) override;
    void draw_background(litehtml::uint_ptr hdc, const litehtml::background_paint& bg) override;
    void draw_borders(litehtml::uint_ptr hdc, const litehtml::borders& borders, const litehtml::position& draw_pos,
                      bool root) override;
    void set_caption(const litehtml::tchar_t* caption) override;
    void set_base_url(const litehtml::tchar_t* base_url) override;
    void link(const std::shared_ptr<litehtml::document>& doc, const litehtml::element::ptr& el) override;
    void on_anchor_click(const litehtml::tchar_t* url, const litehtml::element::ptr& el) override;
    void set_cursor(const litehtml::tchar_t* cursor) override;
    void transform_text(litehtml::tstring& text, litehtml::text_transform tt) override;
    void import_css(litehtml::tstring& text, const litehtml::tstring& url, litehtml::tstring& baseurl) override;
    void set_clip(const litehtml::position& pos, const litehtml::border_radiuses& bdr_radius, bool valid_x,
                  bool valid_y) override;
    void del_clip() override;
    void get_client_rect(litehtml::position& client) const override;
    std::shared_ptr<litehtml::element> create_element(const litehtml::tchar_t* tag_name,
                                                      const litehtml::string_map& attributes,
                                                      const std::shared_ptr<litehtml::document>& doc) override;
    void get_media_features(litehtml::media_features& media) const override;
    void get_language(litehtml::tstring& language, litehtml::tstring& culture) const override;

private:
    // A face the publication carries: its bytes stay alive while fonts opened from them are.
    struct Face {
        std::string family;  // lower case
        int weight = 400;
        bool italic = false;
        std::shared_ptr<const std::string> bytes;
    };
    struct Font;
    struct Picture;

    const Face* pickFace(const std::string& family, int weight, bool italic) const;
    std::string fallbackFile(const std::string& family, int weight, bool italic);
    bool loadFontSource(const std::string& url, const std::string& cssPath, const std::string& family,
                        std::shared_ptr<const std::string>& bytes);
    Picture* picture(const std::string& src, const std::string& baseurl);
    void applyClip();

    bookkit::Canvas& canvas_;
    std::string docPath_;
    const FileLoader& load_;
    std::vector<std::string>& warnings_;
    std::vector<Face> faces_;
    std::map<std::string, std::string> fallbackFiles_;
    std::vector<std::unique_ptr<Font>> fonts_;
    std::map<std::string, std::unique_ptr<Picture>> pictures_;
    std::vector<litehtml::position> clips_;
};

}  // namespace epub
