#pragma once

#include <string_view>

#include "collect/window_operations.h"
#include "text/text_types.h"

namespace tavrinel::collect {

// Turns one result entry into one row of the results list: Id, title, the landing URL read from
// the "Location: " header of the entry's redirect link (requested once, redirects off), and the
// landing URL's domain. The landing page itself is never requested.
class LinkResolver {
  public:
    explicit LinkResolver(WindowOperations& window) : window_(window) {}

    // Appends a row with the next Id, requests the entry's redirect link and fills the row's
    // other cells. Failures leave cells empty; nothing is reported.
    void resolve(std::string_view entry);

    // The bytes between the entry's first two double quotes: its title, unescaped as written.
    static text::Text extractTitle(std::string_view entry);
    // The bytes after the first "url\":\"" up to the next double quote, used unchanged.
    static text::Text extractRedirectLink(std::string_view entry);
    // The value of the first "Location: " header, up to its CR LF.
    static text::Text extractLandingUrl(std::string_view responseHeaders);
    // The part between the first "//" and the next "/": "http://a.cn:81/x" gives "a.cn:81".
    static text::Text extractDomain(std::string_view landingUrl);

  private:
    WindowOperations& window_;
};

}  // namespace tavrinel::collect
