#pragma once

#include <QString>
#include <QUrl>
#include <optional>

namespace tavrinel::app {

// The landing address as a URL the desktop's opener may be given, or nullopt. The address
// comes from an untrusted server, so only an http or https URL with a host and without blanks
// or control characters passes; "file:", "javascript:", custom schemes, option-like texts such
// as "-x" and the empty text do not. The result is the parsed URL, never the raw text.
std::optional<QUrl> BrowsableUrl(const QString& address);

}  // namespace tavrinel::app
