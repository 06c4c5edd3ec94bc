#pragma once
// Names each run of a parameterised test after its case's `name`.
#include <gtest/gtest.h>

#include <string>

struct CaseName {
    template <class Case>
    std::string operator()(const testing::TestParamInfo<Case>& run) const {
        return std::string(run.param.name);
    }
};
