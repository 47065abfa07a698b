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

}  // namespace tavrinel::collect
