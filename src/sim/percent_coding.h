#pragma once

#include <string>
#include <string_view>

namespace tavrinel::sim {

// Bytes with every "%XY" (two hex digits, either case) replaced by the byte it names; with
// plusIsSpace, "+" becomes a blank as in form-encoded queries. A "%" not followed by two hex
// digits stays as it is. PercentDecode("%E4%B8%AD+a", true) == "中 a".
std::string PercentDecode(std::string_view encoded, bool plusIsSpace = true);

// Every byte as "%" and two upper-case hex digits, except ASCII letters, digits, "-" and ".",
// the form in which the collector sends a keyword. PercentEncode("中 a") == "%E4%B8%AD%20a".
std::string PercentEncode(std::string_view bytes);

}  // namespace tavrinel::sim
