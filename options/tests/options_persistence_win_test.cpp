// LoadOptions and SaveOptions against Wine's registry and file system.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <utility>

#include "core/bounded_text.h"
#include "lwf_app.h"
#include "options_persistence.h"
#include "options_program.h"
#include "restart.h"
#include "system_settings.h"
#include "win_handle.h"
#include "win_test_support.h"

namespace quillo {
namespace {

using test::FileExists;
using test::ReadText;
using test::ScratchFolder;
using test::WriteText;

constexpr char kDesktop[] = "Control Panel\\Desktop";
constexpr char kAdvanced[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
constexpr char kCommand[] = "Unknown\\shell\\open\\command";

// A registry value kept before a test and put back afterwards.
class SavedValue {
 public:
  SavedValue(HKEY root, const char* path, const char* name) : root_(root), path_(path), name_(name ? name : "") {
    bytes_ = Get(root, path, name, &type_);
  }
  ~SavedValue() {
    if (bytes_) {
      Set(root_, path_.c_str(), Name(), type_, *bytes_);
    } else {
      RegDeleteKeyValueA(root_, path_.c_str(), Name());
    }
  }
  static std::optional<std::string> Get(HKEY root, const char* path, const char* name, DWORD* type = nullptr) {
    char data[1024];
    DWORD size = sizeof data, kind = 0;
    if (RegGetValueA(root, path, name, RRF_RT_ANY, &kind, data, &size) != ERROR_SUCCESS) return std::nullopt;
    if (type != nullptr) *type = kind;
    return std::string(data, size);
  }
  static void Set(HKEY root, const char* path, const char* name, DWORD type, const std::string& data) {
    RegSetKeyValueA(root, path, name, type, data.data(), static_cast<DWORD>(data.size()));
  }

 private:
  const char* Name() const { return name_.empty() ? nullptr : name_.c_str(); }
  HKEY root_;
  std::string path_, name_;
  DWORD type_ = REG_SZ;
  std::optional<std::string> bytes_;
};

std::string Sz(const char* text) { return std::string(text) + '\0'; }

std::optional<std::string> CommandValue() { return SavedValue::Get(HKEY_CLASSES_ROOT, kCommand, nullptr); }

void SetCommandValue(const char* text) { SavedValue::Set(HKEY_CLASSES_ROOT, kCommand, nullptr, REG_SZ, Sz(text)); }

bool KeyExists(const char* path) {
  RegKey key;
  return RegOpenKeyExA(HKEY_CLASSES_ROOT, path, 0, KEY_READ, key.receive()) == ERROR_SUCCESS;
}

class Persistence : public ::testing::Test {
 protected:
  void SetUp() override {
    lwf::CopyText(lwf::App().dataFolder, sizeof lwf::App().dataFolder, scratch_.path().c_str());
    lwf::App().windowsVersion = 610;
    ASSERT_TRUE(SUCCEEDED(SHGetMalloc(&Program().allocator)));
    Program().favorites.SetAllocator(Program().allocator);
    InitOptions(Program().options, SystemColors{});
    Program().favorites.Clear();
  }
  void TearDown() override {
    Program().favorites.Clear();
    Program().allocator->Release();
    Program().allocator = nullptr;
  }
  void StoreOptionsFile() {
    WriteText(scratch_ / "Options.lcf",
              std::string(reinterpret_cast<const char*>(&Program().options), sizeof(OptionsRecord)));
  }
  OptionsRecord StoredOptions() {
    OptionsRecord record{};
    const std::string bytes = ReadText(scratch_ / "Options.lcf");
    EXPECT_EQ(bytes.size(), sizeof record);
    std::memcpy(&record, bytes.data(), std::min(bytes.size(), sizeof record));
    return record;
  }

  ScratchFolder scratch_{"persist"};
  SavedValue delay_{HKEY_CURRENT_USER, kDesktop, "MenuShowDelay"};
  SavedValue hidden_{HKEY_CURRENT_USER, kAdvanced, "Hidden"};
  SavedValue command_{HKEY_CLASSES_ROOT, kCommand, nullptr};
};

TEST_F(Persistence, MenuShowDelayReplacesTheStoredDelay) {
  RegDeleteKeyValueA(HKEY_CURRENT_USER, kDesktop, "MenuShowDelay");
  Program().options.menuDelay = 5;
  StoreOptionsFile();
  LoadOptions();
  EXPECT_EQ(Program().options.menuDelay, 1000) << "absent value";
  SaveOptions(kSavePlain);
  EXPECT_EQ(SavedValue::Get(HKEY_CURRENT_USER, kDesktop, "MenuShowDelay"), Sz("1000"));
  EXPECT_EQ(StoredOptions().menuDelay, 1000);

  SavedValue::Set(HKEY_CURRENT_USER, kDesktop, "MenuShowDelay", REG_SZ, Sz("250"));
  LoadOptions();
  EXPECT_EQ(Program().options.menuDelay, 250);
  // Parsed as a plain integer: no digits give 0, digits before other text count.
  for (const auto& [text, delay] : {std::pair{"slow", 0}, std::pair{"", 0}, std::pair{"40ms", 40}}) {
    SavedValue::Set(HKEY_CURRENT_USER, kDesktop, "MenuShowDelay", REG_SZ, Sz(text));
    LoadOptions();
    EXPECT_EQ(Program().options.menuDelay, delay) << text;
  }
  // Read within its buffer: a value of 300 characters gives its first digits.
  SavedValue::Set(HKEY_CURRENT_USER, kDesktop, "MenuShowDelay", REG_SZ, Sz(("12" + std::string(298, ' ')).c_str()));
  LoadOptions();
  EXPECT_EQ(Program().options.menuDelay, 12);
}

TEST_F(Persistence, ALongUnknownTypeCommandIsReadWithinItsBuffer) {
  // What Windows keeps is read back after a write that may have been refused: a command longer
  // than the record's field gives its first 259 characters, not an empty text.
  const std::string longCommand = "\"C:\\" + std::string(300, 'x') + ".exe\" \"%1\"";
  SetCommandValue(longCommand.c_str());
  char read[kPathSize];
  ASSERT_TRUE(ReadUnknownTypeCommand(read, sizeof read));
  EXPECT_EQ(std::string(read), longCommand.substr(0, kPathSize - 1));
}

TEST_F(Persistence, HiddenIsReadOnlyWhileTheRecordHoldsMinusOne) {
  const struct {
    std::optional<DWORD> hidden;
    int expected;
  } cases[] = {{2, 0}, {1, 1}, {std::nullopt, 1}, {0, 1}};
  for (const auto& c : cases) {
    if (c.hidden) {
      RegSetKeyValueA(HKEY_CURRENT_USER, kAdvanced, "Hidden", REG_DWORD, &*c.hidden, sizeof(DWORD));
    } else {
      RegDeleteKeyValueA(HKEY_CURRENT_USER, kAdvanced, "Hidden");
    }
    Program().options.includeHidden = -1;
    StoreOptionsFile();
    LoadOptions();
    EXPECT_EQ(Program().options.includeHidden, c.expected) << (c.hidden ? static_cast<int>(*c.hidden) : -1);
  }
  SaveOptions(kSavePlain);
  const DWORD two = 2;
  RegSetKeyValueA(HKEY_CURRENT_USER, kAdvanced, "Hidden", REG_DWORD, &two, sizeof two);
  LoadOptions();
  EXPECT_EQ(Program().options.includeHidden, 1) << "once saved, Hidden is not read again";
}

TEST_F(Persistence, UnknownTypeCommandDifferingOnlyInCaseIsNotWritten) {
  SetCommandValue("\"C:\\Tools\\View.exe\" \"%1\"");
  lwf::CopyText(Program().options.unknownTypeCommand, kPathSize, "\"c:\\tools\\VIEW.EXE\" \"%1\"");
  SaveOptions(kSaveApply);
  EXPECT_EQ(CommandValue(), Sz("\"C:\\Tools\\View.exe\" \"%1\""));
  EXPECT_STREQ(Program().options.unknownTypeCommand, "\"c:\\tools\\VIEW.EXE\" \"%1\"");
  EXPECT_EQ(lwf::App().restart.kind, lwf::kRestartNone);
}

TEST_F(Persistence, UnknownTypeCommandIsWrittenAndReadBack) {
  RegDeleteKeyA(HKEY_CLASSES_ROOT, kCommand);
  lwf::CopyText(Program().options.unknownTypeCommand, kPathSize, "\"C:\\Tools\\Edit.exe\" \"%1\"");
  SaveOptions(kSavePlain);
  EXPECT_EQ(CommandValue(), Sz("\"C:\\Tools\\Edit.exe\" \"%1\""));
  EXPECT_EQ(SavedValue::Get(HKEY_CLASSES_ROOT, "Unknown\\shell", nullptr), Sz(""));
  EXPECT_STREQ(StoredOptions().unknownTypeCommand, "\"C:\\Tools\\Edit.exe\" \"%1\"");

  // An empty command removes the command and open keys and leaves "Unknown\shell".
  Program().options.unknownTypeCommand[0] = '\0';
  SaveOptions(kSavePlain);
  EXPECT_FALSE(KeyExists(kCommand));
  EXPECT_FALSE(KeyExists("Unknown\\shell\\open"));
  EXPECT_TRUE(KeyExists("Unknown\\shell"));
}

TEST_F(Persistence, ApplyWithoutElevationRestartsElevatedInsteadOfWriting) {
  SetCommandValue("\"C:\\Old.exe\" \"%1\"");
  lwf::CopyText(Program().options.unknownTypeCommand, kPathSize, "\"C:\\New.exe\" \"%1\"");
  lwf::App().restart = lwf::RestartRequest{};
  const bool elevated = lwf::IsElevated();
  SaveOptions(kSaveOk);
  MSG quit;
  const bool quitPosted = PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
  if (elevated) {
    EXPECT_EQ(CommandValue(), Sz("\"C:\\New.exe\" \"%1\""));
    EXPECT_FALSE(quitPosted);
  } else {
    EXPECT_EQ(CommandValue(), Sz("\"C:\\Old.exe\" \"%1\""));
    EXPECT_TRUE(quitPosted);
    EXPECT_EQ(lwf::App().restart.kind, lwf::kRestartElevated);
    EXPECT_STREQ(lwf::App().restart.arguments, "-SAVEASADMIN");
    EXPECT_TRUE(lwf::App().restart.broadcast);
  }
  lwf::App().restart = lwf::RestartRequest{};
}

const std::string kFolderA("\x06\x00" "abcd" "\x00\x00", 8);
const std::string kFolderB("\x05\x00" "xyz" "\x04\x00" "pq" "\x00\x00", 11);
const std::string kSeparator("\xFF\xFF\xFF\xFF", 4);

TEST_F(Persistence, FavouritesWithASeparatorAndALoweredCount) {
  WriteText(scratch_ / "FAV0.lcf", kFolderA + "junk");
  WriteText(scratch_ / "FAV1.lcf", kSeparator);
  WriteText(scratch_ / "FAV2.lcf", kFolderB);
  Program().options.favoritesCount = 3;
  StoreOptionsFile();
  LoadOptions();
  SaveOptions(kSavePlain);
  EXPECT_EQ(ReadText(scratch_ / "FAV0.lcf"), kFolderA) << "written with the list's exact length";
  EXPECT_EQ(ReadText(scratch_ / "FAV1.lcf"), kSeparator);
  EXPECT_EQ(ReadText(scratch_ / "FAV2.lcf"), kFolderB);

  Program().options.favoritesCount = 2;
  SaveOptions(kSavePlain);
  EXPECT_TRUE(FileExists(scratch_ / "FAV1.lcf"));
  EXPECT_FALSE(FileExists(scratch_ / "FAV2.lcf"));
}

TEST_F(Persistence, DisabledFavouritesSurviveASave) {
  WriteText(scratch_ / "FAV0.lcf", kFolderA);
  WriteText(scratch_ / "FAV1.lcf", kFolderB);
  Program().options.favoritesEnabled = 0;
  Program().options.favoritesCount = 16;
  StoreOptionsFile();
  LoadOptions();
  SaveOptions(kSavePlain);
  EXPECT_EQ(ReadText(scratch_ / "FAV0.lcf"), kFolderA);
  EXPECT_EQ(ReadText(scratch_ / "FAV1.lcf"), kFolderB);
}

TEST_F(Persistence, AnEmptyFavouriteEndsTheList) {
  WriteText(scratch_ / "FAV0.lcf", kFolderA);
  WriteText(scratch_ / "FAV1.lcf", "");
  WriteText(scratch_ / "FAV2.lcf", kFolderB);
  StoreOptionsFile();
  LoadOptions();
  SaveOptions(kSavePlain);
  EXPECT_EQ(ReadText(scratch_ / "FAV0.lcf"), kFolderA);
  EXPECT_FALSE(FileExists(scratch_ / "FAV1.lcf"));
  EXPECT_FALSE(FileExists(scratch_ / "FAV2.lcf"));
}

// Loading stops at the first missing file, so a slot without a favourite must not leave a gap in
// the numbering: the favourites after it would be lost at the next load.
TEST_F(Persistence, DamagedOrEmptiedSlotsLeaveNoGapInTheFiles) {
  WriteText(scratch_ / "FAV0.lcf", kFolderA);
  WriteText(scratch_ / "FAV1.lcf", std::string("\x09\x00" "AB", 4));  // an entry running past the end
  WriteText(scratch_ / "FAV2.lcf", kSeparator);
  WriteText(scratch_ / "FAV3.lcf", kFolderB);
  Program().options.favoritesCount = 4;
  StoreOptionsFile();
  LoadOptions();
  EXPECT_EQ(Program().favorites[1].kind, FavoriteKind::kEmpty) << "damaged bytes never reach the shell";
  SaveOptions(kSavePlain);
  EXPECT_EQ(ReadText(scratch_ / "FAV0.lcf"), kFolderA);
  EXPECT_EQ(ReadText(scratch_ / "FAV1.lcf"), kSeparator);
  EXPECT_EQ(ReadText(scratch_ / "FAV2.lcf"), kFolderB);
  EXPECT_FALSE(FileExists(scratch_ / "FAV3.lcf"));

  // The editor's OK: the first slots emptied, then filled from its lines.
  FavoritesTable& table = Program().favorites;
  LPITEMIDLIST kept = table[3].list;
  ASSERT_NE(kept, nullptr);
  table.ClearFirst(3);
  EXPECT_EQ(table[0].kind, FavoriteKind::kEmpty);
  EXPECT_EQ(table[2].kind, FavoriteKind::kEmpty);
  EXPECT_EQ(table[3].list, kept) << "slots after the cleared ones stay";
  table.Put(1, FavoriteKind::kSeparator, nullptr);
  SaveOptions(kSavePlain);
  EXPECT_EQ(ReadText(scratch_ / "FAV0.lcf"), kSeparator);
  EXPECT_EQ(ReadText(scratch_ / "FAV1.lcf"), kFolderB);
  EXPECT_FALSE(FileExists(scratch_ / "FAV2.lcf"));
}

}  // namespace
}  // namespace quillo
