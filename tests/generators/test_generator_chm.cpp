#include "app/settings.h"
#include "generators/generator_chm.h"
#include "tests/generators/generator_test_util.h"

#include <gtest/gtest.h>

namespace {

TEST(Placeholder, Nothing) {}

}  // namespace
