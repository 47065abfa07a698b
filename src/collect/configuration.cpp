#include "collect/configuration.h"

#include <cstdlib>

#include "text/charset_converter.h"

namespace tavrinel::collect {
namespace {

constexpr std::string_view kDefaultSearchUrlTemplate =
    "https://www.baidu.com/s?ie=utf-8&wd={关键字}";
constexpr std::string_view kDefaultSearchSiteRoot = "https://www.baidu.com";

void OverrideFromEnvironment(text::Text& value, const char* variable) {
    const char* setting = std::getenv(variable);
    if (setting != nullptr && *setting != '\0') {
        value = text::Utf8ToSystem(setting);
    }
}

}  // namespace

CollectionSettings DefaultSettings() {
    return SettingsFromUtf8(kDefaultSearchUrlTemplate, kDefaultSearchSiteRoot);
}

CollectionSettings SettingsFromEnvironment(CollectionSettings base) {
    OverrideFromEnvironment(base.searchUrlTemplate, "TAVRINEL_SEARCH_URL_TEMPLATE");
    OverrideFromEnvironment(base.searchSiteRoot, "TAVRINEL_SEARCH_SITE_ROOT");
    return base;
}

CollectionSettings SettingsFromUtf8(std::string_view searchUrlTemplate,
                                    std::string_view searchSiteRoot) {
    return {text::Utf8ToSystem(searchUrlTemplate), text::Utf8ToSystem(searchSiteRoot)};
}

}  // namespace tavrinel::collect
