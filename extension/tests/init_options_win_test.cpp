#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "colors.h"
#include "options_record.h"
#include "system_colors.h"

namespace quillo {
namespace {

using InitOptionsFn = void(WINAPI*)(OptionsRecord*);

// GetProcAddress returns a generic function pointer; go through void* to the real type.
template <typename Fn>
Fn Export(HMODULE module, const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

class ExtensionModule : public ::testing::Test {
 protected:
  void SetUp() override {
    module_ = LoadLibraryA(QUILLO_EXTENSION_PATH);
    ASSERT_NE(module_, nullptr) << QUILLO_EXTENSION_PATH << " error " << GetLastError();
  }
  void TearDown() override {
    if (module_) FreeLibrary(module_);
  }
  HMODULE module_ = nullptr;
};

#ifndef _WIN64
void Put32(std::vector<std::uint8_t>& b, std::size_t at, std::int32_t v) { std::memcpy(&b[at], &v, 4); }
void Put16(std::vector<std::uint8_t>& b, std::size_t at, std::uint16_t v) { std::memcpy(&b[at], &v, 2); }

// The defaults written out offset by offset, independently of the record's declaration.
std::vector<std::uint8_t> ExpectedDefaults() {
  std::vector<std::uint8_t> b(2516, 0);
  Put32(b, 0x000, -1);
  Put16(b, 0x008, 10);
  Put16(b, 0x00A, 1);
  b[0x010] = '*';
  Put32(b, 0x618, 1);
  for (std::size_t at : {0x82C, 0x834, 0x83C, 0x844, 0x84C, 0x854, 0x970}) Put32(b, at, 1);
  Put32(b, 0x838, 16);
  Put32(b, 0x858, 16);
  Put32(b, 0x860, -1);
  const DWORD menu = GetSysColor(COLOR_MENU), highlight = GetSysColor(COLOR_HIGHLIGHT);
  const DWORD colors[10] = {menu,
                            highlight,
                            ShadeColor(menu, 0, 0.05, 0),
                            ShadeColor(highlight, 0, 0.1, 0),
                            menu,
                            ShadeColor(highlight, 0, 0.2, 0),
                            GetSysColor(COLOR_MENUTEXT),
                            GetSysColor(COLOR_HIGHLIGHTTEXT),
                            GetSysColor(COLOR_3DDKSHADOW),
                            GetSysColor(COLOR_HIGHLIGHTTEXT)};
  for (int pair = 0; pair < 5; ++pair) {
    Put32(b, 0x97C + 16 * pair + 8, static_cast<std::int32_t>(colors[2 * pair]));
    Put32(b, 0x97C + 16 * pair + 12, static_cast<std::int32_t>(colors[2 * pair + 1]));
  }
  return b;
}

TEST_F(ExtensionModule, InitOptionsWritesTheDefaultsByteForByte) {
  auto init = Export<InitOptionsFn>(module_, "InitOptions");
  ASSERT_NE(init, nullptr);
  std::vector<std::uint8_t> record(2516, 0);
  init(reinterpret_cast<OptionsRecord*>(record.data()));
  const std::vector<std::uint8_t> expected = ExpectedDefaults();
  for (std::size_t i = 0; i < record.size(); ++i) {
    ASSERT_EQ(record[i], expected[i]) << "first difference at offset 0x" << std::hex << i;
  }
  // The reserved words are left as passed, whatever they hold.
  std::memset(record.data(), 0x5C, record.size());
  init(reinterpret_cast<OptionsRecord*>(record.data()));
  for (std::size_t at : {0x004, 0x620, 0x864}) {
    EXPECT_EQ(record[at], 0x5C);
    EXPECT_EQ(record[at + 3], 0x5C);
  }
  EXPECT_EQ(record[0x9CC], 0);  // the trailing reserved bytes are written as zero
}
#else
TEST_F(ExtensionModule, SixtyFourBitBuildDoesNotExportInitOptions) {
  EXPECT_EQ(GetProcAddress(module_, "InitOptions"), nullptr);
  EXPECT_NE(GetProcAddress(module_, "DllGetClassObject"), nullptr);
}
#endif

TEST_F(ExtensionModule, StaysLoaded) {
  using CanUnloadFn = HRESULT(WINAPI*)();
  auto canUnload = Export<CanUnloadFn>(module_, "DllCanUnloadNow");
  ASSERT_NE(canUnload, nullptr);
  EXPECT_EQ(canUnload(), S_FALSE);
}

}  // namespace
}  // namespace quillo
