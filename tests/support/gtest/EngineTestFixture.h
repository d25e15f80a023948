#pragma once

#include "tests/support/EngineFixture.h"

#include <gtest/gtest.h>

namespace corvellan::test
{

// The shared engine fixture as a GoogleTest fixture; only one engine may
// exist at a time (see EngineFixture).
class EngineTestFixture : public ::testing::Test, protected EngineFixture
{
protected:
    EngineTestFixture() = default;
    explicit EngineTestFixture(Options options) : EngineFixture(options) {}
};

} // namespace corvellan::test
