#include "core/string_table.h"

#include <gtest/gtest.h>

#include <string>

namespace lwf {
namespace {

// Deliberately unsorted: registration sorts the rows.
const StringEntry kEnglishApp[] = {
    {20, {"Invalid path!"}},
    {0, {"Quillo"}},
    {10, {"Executable Files (.EXE)\0*.EXE\0All Files (*.*)\0*.*\0"}},
    {kEndOfTable, {}},
};
const StringEntry kGermanApp[] = {{0, {"Quillo DE"}}, {kEndOfTable, {}}};

TEST(StringTable, ApplicationIdsSearchTheCurrentLanguageThenEnglish) {
  LwfStringTable table;
  table.RegisterApplicationTable(kEnglish, kEnglishApp);
  EXPECT_STREQ(table.Lookup(0, 0), "Quillo");
  EXPECT_STREQ(table.Lookup(20, 0), "Invalid path!");
  EXPECT_EQ(std::string(table.Lookup(10, 0), 24), std::string("Executable Files (.EXE)\0", 24));
  table.SetLanguage(kGerman);
  EXPECT_STREQ(table.Lookup(20, 0), "Invalid path!") << "no German table: English is used";
  table.RegisterApplicationTable(kGerman, kGermanApp);
  EXPECT_STREQ(table.Lookup(0, 0), "Quillo DE");
  EXPECT_EQ(table.Lookup(20, 0), nullptr) << "a German table without the id has no text";
}

TEST(StringTable, UnknownIdsIndexesAndTheEndMarkGiveNoText) {
  LwfStringTable table;
  table.RegisterApplicationTable(kEnglish, kEnglishApp);
  EXPECT_EQ(table.Lookup(5, 0), nullptr);
  EXPECT_EQ(table.Lookup(0, 1), nullptr);
  EXPECT_EQ(table.Lookup(0, 16), nullptr);
  EXPECT_EQ(table.Lookup(kEndOfTable, 0), nullptr);
}

TEST(StringTable, FrameworkIdsUseTheFrameworkTable) {
  LwfStringTable table;
  EXPECT_STREQ(table.Lookup(kTextInitError, 0), "Error initializing the application!\nError code 0x%08X.");
  EXPECT_STREQ(table.Lookup(kTextDataPath, 2), "Quit %s");
  EXPECT_STREQ(table.Lookup(kTextButtons, 4), "Yes");
  EXPECT_STREQ(table.Lookup(kTextButtons, 5), "No");
  EXPECT_STREQ(table.Lookup(kTextProductInfo, 0), "%s v%d.%d.%d");
  table.SetLanguage(kGerman);
  EXPECT_EQ(table.Lookup(kTextInitError, 0), nullptr) << "the German framework table is empty";
}

}  // namespace
}  // namespace lwf
