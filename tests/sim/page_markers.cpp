#include "page_markers.h"

namespace tavrinel::sim::testing {

int CountEntries(std::string_view page) {
    constexpr std::string_view kMarker = "{\"title\":";
    int count = 0;
    for (std::size_t at = page.find(kMarker); at != std::string_view::npos;
         at = page.find(kMarker, at + kMarker.size())) {
        ++count;
    }
    return count;
}

std::vector<std::string> CaughtPagerLinks(std::string_view page) {
    constexpr std::string_view kMarker = "</span></a><a href=\"";
    std::vector<std::string> links;
    for (std::size_t at = page.find(kMarker); at != std::string_view::npos;
         at = page.find(kMarker, at + kMarker.size())) {
        const std::size_t start = at + kMarker.size();
        const std::size_t end = page.find('"', start);
        if (end == std::string_view::npos) {
            break;
        }
        links.emplace_back(page.substr(start, end - start));
    }
    return links;
}

int PnValue(std::string_view link) {
    const std::size_t at = link.find("&pn=");
    if (at == std::string_view::npos) {
        return -1;
    }
    const std::size_t end = link.find('&', at + 4);
    if (end == std::string_view::npos) {
        return -1;
    }
    return std::stoi(std::string(link.substr(at + 4, end - at - 4)));
}

std::string ResultCountPhrase(std::string_view page) {
    constexpr std::string_view kMarker = "<div class=\"nums\">百度为您";
    const std::size_t at = page.find(kMarker);
    if (at == std::string_view::npos) {
        return {};
    }
    const std::size_t start = at + kMarker.size();
    return std::string(page.substr(start, page.find('<', start) - start));
}

}  // namespace tavrinel::sim::testing
