#include "setup_info_record.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace quillo {
namespace {

std::string Compose(const SetupInfoRecord& r, const char* user = "alice",
                    const char* appData = "C:\\Users\\alice\\AppData\\Roaming") {
  char out[260];
  if (!ComposeDataFolder(r, user, appData, "Quillo", out, sizeof out)) return "<none>";
  return out;
}

TEST(SetupInfoRecord, DataFolderInUserProfile) {
  SetupInfoRecord r{};
  EXPECT_EQ(Compose(r), "C:\\Users\\alice\\AppData\\Roaming\\Larkwell\\Quillo");
  EXPECT_EQ(Compose(r, "alice", ""), "\\Larkwell\\Quillo");  // no application-data folder
}

TEST(SetupInfoRecord, CustomAndPerUserDataFolder) {
  SetupInfoRecord r{};
  r.customDataFolder = 1;
  std::strcpy(r.customDataPath, "D:\\Cfg");
  EXPECT_EQ(Compose(r), "D:\\Cfg");
  r.perUserDataFolder = 1;
  EXPECT_EQ(Compose(r), "D:\\Cfg\\alice");
}

TEST(SetupInfoRecord, UnterminatedFieldIsReadWithinItsBounds) {
  SetupInfoRecord r{};
  r.customDataFolder = 1;
  std::memset(r.customDataPath, 'x', sizeof r.customDataPath);  // no NUL before the next field
  std::memset(r.reserved540, 'y', sizeof r.reserved540);
  EXPECT_EQ(Compose(r), "<none>");  // 260 characters do not fit with a terminator
  char field[4] = {'a', 'b', 'c', 'd'};
  char out[16];
  CopyBoundedText(out, sizeof out, field, sizeof field);
  EXPECT_STREQ(out, "abcd");
  CopyBoundedText(out, 3, field, sizeof field);
  EXPECT_STREQ(out, "ab");
}

}  // namespace
}  // namespace quillo
