// The class identifier of CQuilloExt in this build (Quillo32 and Quillo64 differ).
#pragma once

#include <windows.h>

namespace quillo {

#ifdef _WIN64
constexpr CLSID kQuilloExtClassId = {0x5E2B7C14, 0x64D0, 0x4A6F,
                                     {0xB3, 0xC8, 0x1D, 0x92, 0xE0, 0x7F, 0x4A, 0x65}};
constexpr char kQuilloExtClassIdText[] = "{5E2B7C14-64D0-4A6F-B3C8-1D92E07F4A65}";
constexpr char kModuleFileName[] = "Quillo64.dll";
#else
constexpr CLSID kQuilloExtClassId = {0x5E2B7C14, 0x09D0, 0x4A6F,
                                     {0xB3, 0xC8, 0x1D, 0x92, 0xE0, 0x7F, 0x4A, 0x65}};
constexpr char kQuilloExtClassIdText[] = "{5E2B7C14-09D0-4A6F-B3C8-1D92E07F4A65}";
constexpr char kModuleFileName[] = "Quillo32.dll";
#endif
static_assert(sizeof kQuilloExtClassIdText == 39);

}  // namespace quillo
