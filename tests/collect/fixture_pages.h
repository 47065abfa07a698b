#pragma once

#include <fstream>
#include <sstream>
#include <string>

#include "text/charset_converter.h"

namespace tavrinel::testing {

// A fixture file's bytes; fails the calling test when the file is missing.
inline std::string ReadFixture(const std::string& relativePath) {
    std::ifstream in(std::string(TAVRINEL_FIXTURES_DIR) + "/" + relativePath, std::ios::binary);
    if (!in) {
        throw std::runtime_error("missing fixture " + relativePath);
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// A UTF-8 fixture page as the system's text, the way a run sees a fetched page.
inline text::Text ReadFixturePage(const std::string& relativePath) {
    return text::ConvertCharset(ReadFixture(relativePath));
}

}  // namespace tavrinel::testing
