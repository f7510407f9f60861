#include "registry_script.h"

#include <gtest/gtest.h>

namespace quillo {
namespace {

TEST(RegistryScript, ExpandsVariables) {
  std::string out;
  ASSERT_TRUE(ExpandScriptVariables("a %MODULE% b %% %X%", {{"MODULE", "C:\\q.dll"}, {"X", "1"}}, out));
  EXPECT_EQ(out, "a C:\\q.dll b % 1");
  EXPECT_FALSE(ExpandScriptVariables("%UNKNOWN%", {}, out));
  EXPECT_FALSE(ExpandScriptVariables("100% sure", {}, out));
}

TEST(RegistryScript, ParsesKeysValuesAndRemovalFlags) {
  const char* text = R"(HKCR
{
  Quillo.QuilloExt = s 'QuilloExt Class'
  {
    CLSID = s '{1}'
  }
  NoRemove CLSID
  {
    ForceRemove '{1}' = s 'It''s'
    {
      InprocServer32 = s 'C:\dir\x.dll'
      {
        val ThreadingModel = s 'Apartment'
      }
      val AppID = s '{1}'
    }
  }
  NoRemove *
  {
    NoRemove ShellEx
  }
})";
  std::vector<ScriptKey> keys;
  ASSERT_TRUE(ParseRegistryScript(text, keys));
  ASSERT_EQ(keys.size(), 3u);
  EXPECT_EQ(keys[0].name, "Quillo.QuilloExt");
  EXPECT_EQ(keys[0].removal, KeyRemoval::kRemove);
  EXPECT_EQ(keys[0].defaultValue, "QuilloExt Class");
  ASSERT_EQ(keys[0].children.size(), 1u);
  EXPECT_EQ(keys[0].children[0].defaultValue, "{1}");

  const ScriptKey& clsid = keys[1].children.at(0);
  EXPECT_EQ(keys[1].removal, KeyRemoval::kNoRemove);
  EXPECT_FALSE(keys[1].defaultValue.has_value());
  EXPECT_EQ(clsid.name, "{1}");
  EXPECT_EQ(clsid.removal, KeyRemoval::kForceRemove);
  EXPECT_EQ(clsid.defaultValue, "It's");
  ASSERT_EQ(clsid.values.size(), 1u);
  EXPECT_EQ(clsid.values[0].first, "AppID");
  EXPECT_EQ(clsid.children.at(0).defaultValue, "C:\\dir\\x.dll");
  EXPECT_EQ(clsid.children[0].values.at(0).second, "Apartment");
  EXPECT_EQ(keys[2].name, "*");
  EXPECT_EQ(keys[2].children.at(0).children.size(), 0u);
}

TEST(RegistryScript, RejectsMalformedScripts) {
  std::vector<ScriptKey> keys;
  for (const char* bad : {"", "HKLM { a }", "HKCR { a = s 'x }", "HKCR { a = d '1' }",
                          "HKCR { a { }", "HKCR { val x = s 'y' }", "HKCR { a } extra",
                          "HKCR { NoRemove }", "HKCR { ( }"}) {
    EXPECT_FALSE(ParseRegistryScript(bad, keys)) << bad;
    EXPECT_TRUE(keys.empty());
  }
}

}  // namespace
}  // namespace quillo
