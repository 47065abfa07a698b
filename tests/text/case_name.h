#pragma once

#include <gtest/gtest.h>

#include <string>

namespace tavrinel::text::testing_support {

// Names each TEST_P case after the name field of its table row.
struct CaseName {
    template <typename Case>
    std::string operator()(const testing::TestParamInfo<Case>& row) const {
        return row.param.name;
    }
};

}  // namespace tavrinel::text::testing_support
