#pragma once

#include "text/text_types.h"

namespace tavrinel::collect {

// The two configuration texts a run reads, in the system's text.
struct CollectionSettings {
    // Full URL of a search's first result page; "{关键字}" marks where the encoded keyword goes
    // (every occurrence is replaced).
    text::Text searchUrlTemplate;
    // Scheme and host without a trailing slash; next-page links are root-relative and are
    // appended to it directly.
    text::Text searchSiteRoot;
};

// Built-in settings for the real search engine.
CollectionSettings DefaultSettings();

// base with each value replaced by its environment variable when that is set and not empty:
// TAVRINEL_SEARCH_URL_TEMPLATE and TAVRINEL_SEARCH_SITE_ROOT (UTF-8).
CollectionSettings SettingsFromEnvironment(CollectionSettings base);

// Settings from UTF-8 texts (command-line options, the simulator's addresses).
CollectionSettings SettingsFromUtf8(std::string_view searchUrlTemplate,
                                    std::string_view searchSiteRoot);

}  // namespace tavrinel::collect
