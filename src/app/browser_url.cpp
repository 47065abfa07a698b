#include "app/browser_url.h"

#include <algorithm>

namespace tavrinel::app {
namespace {

// Control characters (C0, DEL, C1) and every kind of blank, full-width space included.
bool IsBlankOrControl(QChar character) {
    const char16_t code = character.unicode();
    return code <= 0x20 || (code >= 0x7F && code <= 0x9F) || character.isSpace();
}

}  // namespace

std::optional<QUrl> BrowsableUrl(const QString& address) {
    if (address.isEmpty() || std::any_of(address.begin(), address.end(), IsBlankOrControl)) {
        return std::nullopt;
    }
    const QUrl url(address, QUrl::TolerantMode);
    const QString scheme = url.scheme();  // QUrl gives schemes in lower case
    if (!url.isValid() || (scheme != u"http" && scheme != u"https") || url.host().isEmpty()) {
        return std::nullopt;
    }
    return url;
}

}  // namespace tavrinel::app
