#include "global_initialisation.h"

#include <cstdio>
#include <cstring>

#include "data_file.h"
#include "menu/tool_tip_window.h"
#include "model_binding.h"
#include "setup_info.h"
#include "extension_state.h"
#include "shell_item.h"
#include "system_colors.h"
#include "system_version.h"

namespace quillo {
namespace {

constexpr int kModuleIconId = 1;

void ResetOptionsToDefaults(ExtensionState& state) {
  state.Options = OptionsRecord{};
  InitOptions(state.Options, ReadSystemColors());
}

void SetOptionsProgramPath(ExtensionState& state) {
  const int written = std::snprintf(state.OptionsProgramPath, sizeof state.OptionsProgramPath,
                                    "%s\\%s.exe", state.Folders.installFolder, kProductName);
  // A cut path would name another program.
  if (written < 0 || static_cast<std::size_t>(written) >= sizeof state.OptionsProgramPath) {
    state.OptionsProgramPath[0] = '\0';
  }
}

// The small-icon sized picture of the root entry: the module icon on the menu colour.
void CreateRootItemBitmap(ExtensionState& state) {
  const int cx = GetSystemMetrics(SM_CXSMICON), cy = GetSystemMetrics(SM_CYSMICON);
  ScreenDC screen;
  MemoryDC dc(CreateCompatibleDC(screen.get()));
  BitmapHandle bitmap(CreateCompatibleBitmap(screen.get(), cx, cy));
  if (!dc || !bitmap) return;
  {
    SelectedObject selected(dc.get(), bitmap.get());
    RECT all{0, 0, cx, cy};
    FillRect(dc.get(), &all, GetSysColorBrush(COLOR_MENU));
    HICON icon = static_cast<HICON>(LoadImageA(state.ModuleInstance, MAKEINTRESOURCEA(kModuleIconId),
                                               IMAGE_ICON, cx, cy, LR_DEFAULTCOLOR));
    if (icon) {
      DrawIconEx(dc.get(), 0, 0, icon, cx, cy, 0, nullptr, DI_NORMAL);
      DestroyIcon(icon);
    }
  }
  state.RootItemBitmap = std::move(bitmap);
}

void CreateFonts(ExtensionState& state) {
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof metrics;  // with the padded-border width
  if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
    metrics = NONCLIENTMETRICSA{};
  }
  state.StatusFont.reset(CreateFontIndirectA(&metrics.lfStatusFont));
  state.MenuFont.reset(CreateFontIndirectA(&metrics.lfMenuFont));
}

void GetSystemImageList(ExtensionState& state) {
  SHFILEINFOA info{};
  state.SystemImageList = reinterpret_cast<HIMAGELIST>(
      SHGetFileInfoA("C:\\", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
  int width = 0, height = 0;
  if (state.SystemImageList) ImageList_GetIconSize(state.SystemImageList, &width, &height);
  state.FontFacts.iconWidth = width;
  state.FontFacts.iconHeight = height;
}

void RegisterMessages(ExtensionState& state) {
  state.LButtonMsg = RegisterWindowMessageA("Quillo_LButtonMsg");
  state.RButtonMsg = RegisterWindowMessageA("Quillo_RButtonMsg");
  state.CursorMsg = RegisterWindowMessageA("Quillo_CursorMsg");
}

bool AcquireShellObjects(ExtensionState& state) {
  state.DesktopFolder.Reset();
  if (!state.Allocator.Acquire()) return false;
  return SUCCEEDED(SHGetDesktopFolder(&state.DesktopFolder));
}

void ReadOptionsFile(ExtensionState& state) {
  OptionsRecord file;
  const std::size_t read =
      ReadDataFile(state.Folders.dataFolder, "Options", kNoIndex, &file, sizeof file);
  ApplyOptionsBytes(state.Options, reinterpret_cast<const std::uint8_t*>(&file), read);
}

void ComputeMetrics(ExtensionState& state) {
  const char* sample = SizeColumnSample(state.Options.sizeUnits);
  SIZE extent{};
  ScreenDC screen;
  if (screen.get() && state.MenuFont) {
    SelectedObject font(screen.get(), state.MenuFont.get());
    GetTextExtentPoint32A(screen.get(), sample, static_cast<int>(std::strlen(sample)), &extent);
  }
  state.FontFacts.sizeColumnWidth = extent.cx;
  state.FontFacts.textHeight = extent.cy;
  // ItemsPerColumn follows with the monitor the menu opens on, at each Initialize.
  state.Metrics = ComputeMenuMetrics(state.FontFacts, state.Options.itemHeightAdd, 0);
  if (state.Options.subOpenAreaWidth == -1) state.Options.subOpenAreaWidth = state.Metrics.ItemHeight;
}

void FillSpecialFolderTable(ExtensionState& state) {
  for (SpecialFolder& row : state.SpecialFolderTable) {
    row.parsingName[0] = '\0';
    LPITEMIDLIST list = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, row.csidl, &list)) || list == nullptr) continue;
    OwnedIdList owned(ListAllocator(), list);
    GetDisplayName(Desktop(), list, row.parsingName, sizeof row.parsingName, SHGDN_FORPARSING);
  }
  char* startMenuFolder = state.Options.startMenuFolder;
  if (startMenuFolder[0] == '\0') {
    static_assert(sizeof state.Options.startMenuFolder == sizeof state.SpecialFolderTable[0].parsingName);
    std::memcpy(startMenuFolder, state.SpecialFolderTable[0].parsingName, kPathSize);
  }
}

}  // namespace

bool RunGlobalInitialisation(ExtensionState& state) {
  ResetOptionsToDefaults(state);
  state.WindowsVersionCode = WindowsVersionCode(VersionReading::kExtensionAndSetup);
  state.Installed = ResolveFolders(kProductName, kSetupInfoView, state.Folders);
  if (!state.Installed) return false;

  SetOptionsProgramPath(state);
  CreateRootItemBitmap(state);
  CreateFonts(state);
  GetSystemImageList(state);
  RegisterMessages(state);
  RegisterToolTipClass(state.ModuleInstance);
  if (!AcquireShellObjects(state)) {
    // Without the shell allocator and desktop folder no item can be named; stay out.
    state.Installed = false;
    return false;
  }
  ReadOptionsFile(state);
  PrepareItemModel(state);
  ComputeMetrics(state);
  FillSpecialFolderTable(state);
  return true;
}

}  // namespace quillo
