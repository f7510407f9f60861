#include "core/exclude_objects.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace quillo {
namespace {

using Names = std::vector<std::string>;

TEST(ObjectList, ReadsNamesUpToTheEmptyOneAndNeverPastTheField) {
  const char field[] = "Trash\0C:\\Temp\0\0stale\0";
  EXPECT_EQ(ReadObjectList(field, sizeof field), (Names{"Trash", "C:\\Temp"}));
  const char unterminated[6] = {'a', 0, 'b', 'c', 'd', 'e'};
  EXPECT_EQ(ReadObjectList(unterminated, sizeof unterminated), (Names{"a"}));
  EXPECT_EQ(ReadObjectList(field, 0), Names{});
  EXPECT_EQ(ReadObjectList(nullptr, 8), Names{});
}

TEST(ObjectList, WritesWhatFitsWithAllTerminators) {
  char field[12];
  std::memset(field, 'x', sizeof field);
  EXPECT_EQ(ObjectListBytes({"abc", "de"}), 8u);
  EXPECT_EQ(WriteObjectList({"abc", "de"}, field, sizeof field), 2u);
  EXPECT_EQ(std::string(field, 8), std::string("abc\0de\0\0", 8));
  EXPECT_EQ(field[11], '\0') << "the rest of the field is cleared";

  // 4 + 5 + 1 = 10 bytes fill a 10-byte field exactly; the next name does not fit.
  char exact[10];
  EXPECT_EQ(WriteObjectList({"abc", "defg", "h"}, exact, sizeof exact), 2u);
  EXPECT_EQ(ReadObjectList(exact, sizeof exact), (Names{"abc", "defg"}));
  EXPECT_EQ(exact[9], '\0');

  EXPECT_EQ(WriteObjectList({"", "a"}, field, sizeof field), 1u) << "an empty name would end the list";
  EXPECT_EQ(ReadObjectList(field, sizeof field), (Names{"a"}));
}

}  // namespace
}  // namespace quillo
