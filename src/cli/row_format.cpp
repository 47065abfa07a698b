#include "cli/row_format.h"

#include <cstdio>

#include "text/charset_converter.h"

namespace tavrinel::cli {
namespace {

std::string EscapeTsvCell(std::string_view cell) {
    std::string escaped;
    escaped.reserve(cell.size());
    for (const char c : cell) {
        switch (c) {
            case '\t':
                escaped += "\\t";
                break;
            case '\r':
                escaped += "\\r";
                break;
            case '\n':
                escaped += "\\n";
                break;
            case '\\':
                escaped += "\\\\";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

std::string JsonString(std::string_view utf8) {
    std::string json = "\"";
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
            case '"':
                json += "\\\"";
                break;
            case '\\':
                json += "\\\\";
                break;
            case '\n':
                json += "\\n";
                break;
            case '\r':
                json += "\\r";
                break;
            case '\t':
                json += "\\t";
                break;
            default:
                if (byte < 0x20 || byte == 0x7F) {
                    char escape[8];
                    std::snprintf(escape, sizeof escape, "\\u%04x", byte);
                    json += escape;
                } else {
                    json += c;
                }
        }
    }
    return json + "\"";
}

}  // namespace

std::string FormatRowAsTsv(const collect::ResultRow& row) {
    return EscapeTsvCell(text::SystemToUtf8(row.id)) + '\t' +
           EscapeTsvCell(text::SystemToUtf8(row.title)) + '\t' +
           EscapeTsvCell(text::SystemToUtf8(row.landingUrl)) + '\t' +
           EscapeTsvCell(text::SystemToUtf8(row.domain));
}

std::string FormatRowAsJson(const collect::ResultRow& row) {
    return "{\"id\":" + JsonString(text::SystemToUtf8(row.id)) +
           ",\"title\":" + JsonString(text::SystemToUtf8(row.title)) +
           ",\"landingUrl\":" + JsonString(text::SystemToUtf8(row.landingUrl)) +
           ",\"domain\":" + JsonString(text::SystemToUtf8(row.domain)) + "}";
}

}  // namespace tavrinel::cli
