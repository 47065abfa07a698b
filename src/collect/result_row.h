#pragma once

#include "text/text_types.h"

namespace tavrinel::collect {

// Column indices of the results list, in display order.
enum ResultColumn : int {
    kIdColumn = 0,
    kTitleColumn = 1,
    kLandingUrlColumn = 2,
    kDomainColumn = 3
};
inline constexpr int kResultColumnCount = 4;

// One row of the results list, all four cells in the system's text.
// id is never empty; an empty landingUrl always comes with an empty domain.
struct ResultRow {
    text::Text id;
    text::Text title;
    text::Text landingUrl;
    text::Text domain;

    friend bool operator==(const ResultRow&, const ResultRow&) = default;
};

// The cell of a row at a column index, or nullptr for a column that does not exist.
template <class Row>  // ResultRow or const ResultRow
auto* CellOf(Row& row, int column) {
    using CellPointer = decltype(&row.id);
    switch (column) {
        case kIdColumn:
            return &row.id;
        case kTitleColumn:
            return &row.title;
        case kLandingUrlColumn:
            return &row.landingUrl;
        case kDomainColumn:
            return &row.domain;
        default:
            return CellPointer{nullptr};
    }
}

}  // namespace tavrinel::collect
