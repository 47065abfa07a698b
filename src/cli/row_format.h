#pragma once

#include <string>

#include "collect/result_row.h"

namespace tavrinel::cli {

// One row as one line of UTF-8 (without the line end): Id, title, landing URL and domain
// separated by TAB; TAB, CR, LF and backslash inside a cell become \t, \r, \n and \\.
std::string FormatRowAsTsv(const collect::ResultRow& row);

// One row as a JSON object with the keys id, title, landingUrl and domain (UTF-8).
std::string FormatRowAsJson(const collect::ResultRow& row);

}  // namespace tavrinel::cli
