#include "core/crc32.h"

#include <gtest/gtest.h>

namespace lwf {
namespace {

TEST(Crc32, MatchesTheStandardCheckValues) {
  EXPECT_EQ(Crc32("123456789", 9), 0xCBF43926u);
  EXPECT_EQ(Crc32("", 0), 0u);
  EXPECT_EQ(Crc32("The quick brown fox jumps over the lazy dog", 43), 0x414FA339u);
}

TEST(Crc32, InstanceKeysSeparateProducts) {
  EXPECT_EQ(InstanceKey("Quillo"), Crc32("Quillo", 6));
  EXPECT_NE(InstanceKey("Quillo"), InstanceKey("quillo"));
  EXPECT_NE(InstanceKey("Quillo"), InstanceKey("Quill0"));
  EXPECT_EQ(InstanceKey(nullptr), 0u);
}

}  // namespace
}  // namespace lwf
