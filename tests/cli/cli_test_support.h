#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tavrinel::testing {

// Lines of a text without their line ends; no empty last line.
inline std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end == std::string::npos ? end : end - start));
        if (end == std::string::npos) {
            break;
        }
        start = end + 1;
    }
    return lines;
}

}  // namespace tavrinel::testing
