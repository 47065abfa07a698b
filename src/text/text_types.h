#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace tavrinel::text {

// A text of the system: bytes in GB18030, the superset of GBK (code page 936). For every
// character GBK has, the bytes are GBK's; characters GBK lacks take GB18030's four-byte form
// (lead, digit, lead, digit), so nothing is lost. Searching reads such a form as one character;
// every other byte of 0x80 or above begins a two-byte character.
// Texts hold no NUL byte and are owned by value; the empty text means "no result".
using Text = std::string;

// Raw bytes as they travel over the network or to a file (page bodies, response bodies).
using ByteBuffer = std::string;

// Ordered list of texts; callers address items 1-based in loops, 0-based in C++.
using TextList = std::vector<Text>;

// A 1-based byte position in a text; -1 means "not found".
using Position = std::ptrdiff_t;

inline constexpr Position kNotFound = -1;

}  // namespace tavrinel::text
