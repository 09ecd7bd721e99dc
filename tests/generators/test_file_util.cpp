#include "generators/file_util.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

namespace {

TEST(FileUtil, WritesAndReadsBytesExactly) {
    testing_support::TempDir dir;
    std::string bytes;
    for (int i = 0; i < 5000; ++i) {
        bytes += static_cast<char>(i % 256);  // NULs included, more than one 1023-byte chunk
    }
    WriteWholeFile(dir.File("f"), bytes);
    EXPECT_EQ(ReadWholeFile(dir.File("f")), bytes);
    WriteWholeFile(dir.File("f"), "short");
    EXPECT_EQ(ReadWholeFile(dir.File("f")), "short");  // truncated, not overwritten in place
}

TEST(FileUtil, FailsSilently) {
    testing_support::TempDir dir;
    EXPECT_EQ(ReadWholeFile(dir.File("missing")), "");
    WriteWholeFile(dir.File("no/such/folder/f"), "x");
    EXPECT_EQ(ReadWholeFile(dir.File("no/such/folder/f")), "");
}

}  // namespace
