#pragma once

#include <optional>
#include <string_view>

#include "text/text_types.h"

namespace tavrinel::text {

// Name of the system's own charset; "GBK" in a charset argument means these bytes (GB18030).
inline constexpr std::string_view kSystemCharset = "GB18030";

// Re-encodes bytes from fromCharset to toCharset ("" means "UTF-8" and "GBK" respectively).
// Charset names are those of iconv; "GBK", "CP936" and "GB2312" all mean the system's GB18030.
// An input sequence that is invalid in fromCharset becomes U+FFFD in the output rather than
// ending the conversion. skipBytes drops that many leading bytes of the result.
// Returns an empty buffer for empty input or an unknown charset name.
ByteBuffer ConvertCharset(std::string_view bytes, std::string_view fromCharset = {},
                          std::string_view toCharset = {},
                          std::optional<std::size_t> skipBytes = std::nullopt);

// UTF-8 to the system's text; used for the program's own literals and for user input.
Text Utf8ToSystem(std::string_view utf8);

// The system's text to UTF-8, for showing and writing text outside the engine.
std::string SystemToUtf8(std::string_view text);

}  // namespace tavrinel::text
