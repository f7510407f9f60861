#include "options_dialog.h"

#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "advanced_filter_dialog.h"
#include "colors_dialog.h"
#include "core/bounded_text.h"
#include "core/message_box_style.h"
#include "core/option_text.h"
#include "favorites_editor.h"
#include "file_dialog.h"
#include "framework_data_file.h"
#include "lwf_app.h"
#include "lwf_dialog.h"
#include "lwf_help.h"
#include "lwf_message_box.h"
#include "options_persistence.h"
#include "options_program.h"
#include "options_strings.h"
#include "product_info_dialog.h"
#include "select_object_dialog.h"

namespace quillo {
namespace {

constexpr int kApplyButton = 3;
constexpr char kRecentFile[] = "MRU";

// A check box that writes a 32-bit field as soon as it changes, and the controls it enables.
struct CheckBinding {
  int id;
  std::int32_t OptionsRecord::*field;
  std::initializer_list<int> enables;
};

const CheckBinding kChecks[] = {
    {IDC_MULTICOLUMN, &OptionsRecord::multiColumn, {}},
    {IDC_SUB_OPEN_AREA, &OptionsRecord::subOpenArea,
     {IDC_SUB_OPEN_WIDTH_LABEL, IDC_SUB_OPEN_WIDTH, IDC_SUB_OPEN_SPIN, IDC_SUB_OPEN_PIXELS_LABEL}},
    {IDC_INCLUDE_HIDDEN, &OptionsRecord::includeHidden, {IDC_INCLUDE_SUPER_HIDDEN}},
    {IDC_INCLUDE_SUPER_HIDDEN, &OptionsRecord::includeSuperHidden, {}},
    {IDC_SIZE_START_DISABLED, &OptionsRecord::sizeInfoStartDisabled, {}},
    {IDC_DRAG_FOLDERS_ONLY, &OptionsRecord::dragFoldersOnly, {}},
    {IDC_DRAG_OPEN_TARGET, &OptionsRecord::dragOpenTarget, {}},
    {IDC_DRAG_MOVE_TO_PARENT, &OptionsRecord::dragMoveToParent, {}},
    {IDC_DRAG_DELETE_EMPTY, &OptionsRecord::dragDeleteEmptyFolder, {}},
    {IDC_FAVORITES_ENABLED, &OptionsRecord::favoritesEnabled,
     {IDC_FAVORITES_SHOW_LABEL, IDC_FAVORITES_COUNT, IDC_FAVORITES_SPIN, IDC_FAVORITES_ITEMS_LABEL,
      IDC_FAVORITES_EDIT}},
    {IDC_RECENT_ENABLED, &OptionsRecord::recentEnabled,
     {IDC_RECENT_SHOW_LABEL, IDC_RECENT_COUNT, IDC_RECENT_SPIN, IDC_RECENT_ITEMS_LABEL,
      IDC_RECENT_SORTED, IDC_RECENT_CLEAR, IDC_RECENT_CLEAR_AT_LOGON}},
    {IDC_RECENT_SORTED, &OptionsRecord::recentSorted, {}},
    {IDC_RECENT_CLEAR_AT_LOGON, &OptionsRecord::recentClearAtLogon, {}},
};

// The four radios in the order of menuPosition 0 ... 3.
const int kPositionRadios[] = {IDC_POSITION_DEFAULT, IDC_POSITION_NEAR_MOUSE, IDC_POSITION_TOP,
                               IDC_POSITION_BOTTOM};

const char* const kSizeUnits[] = {"KB", "MB", "GB", "Adaptive"};

OptionsRecord& Options() { return Program().options; }

const CheckBinding* FindCheck(int id) {
  for (const CheckBinding& binding : kChecks) {
    if (binding.id == id) return &binding;
  }
  return nullptr;
}

void ApplyEnabling(HWND dialog, const CheckBinding& binding, bool on) {
  for (int id : binding.enables) EnableWindow(GetDlgItem(dialog, id), on);
}

// Sets a check box from its field and enables its group.
void ShowCheck(HWND dialog, int id) {
  const CheckBinding* binding = FindCheck(id);
  const bool on = Options().*(binding->field) != 0;
  CheckDlgButton(dialog, id, on ? BST_CHECKED : BST_UNCHECKED);
  ApplyEnabling(dialog, *binding, on);
}

void OnCheckClicked(HWND dialog, const CheckBinding& binding) {
  const bool on = IsDlgButtonChecked(dialog, binding.id) == BST_CHECKED;
  Options().*(binding.field) = on ? 1 : 0;
  ApplyEnabling(dialog, binding, on);
}

// Shows a fixed-size text field of the record (which need not hold a terminator).
template <std::size_t N>
void ShowTextField(HWND dialog, int id, const char (&field)[N]) {
  char text[N + 1];
  CopyBoundedText(text, sizeof text, field, N);
  SetDlgItemTextA(dialog, id, text);
}

template <std::size_t N>
void ReadTextField(HWND dialog, int id, char (&field)[N]) {
  char text[kDialogTextSize] = "";
  GetDlgItemTextA(dialog, id, text, sizeof text);
  std::memset(field, 0, N);
  lwf::CopyText(field, N, text);
}

void ShowNumber(HWND dialog, int id, int value) {
  char text[16];
  std::snprintf(text, sizeof text, "%d", value);
  SetDlgItemTextA(dialog, id, text);
}

// The number in an edit box, or previous when the text does not start with one.
int ReadNumber(HWND dialog, int id, int previous) {
  char text[kDialogTextSize] = "";
  GetDlgItemTextA(dialog, id, text, sizeof text);
  return ParseNumber(text).value_or(previous);
}

void SetSpinRange(HWND dialog, int id, int low, int high) {
  SendDlgItemMessageA(dialog, id, UDM_SETRANGE32, static_cast<WPARAM>(low), high);
}

void ShowExtensions(HWND dialog) {
  char text[kDialogTextSize];
  ExtensionListToText(Options().includeExtensions, sizeof Options().includeExtensions, text, sizeof text);
  SetDlgItemTextA(dialog, IDC_INCLUDE_EXTENSIONS, text);
}

// Any WM_HSCROLL: the delay from its trackbar with its label, and the tool-tip speed.
void OnTrackbarMoved(HWND dialog) {
  Options().menuDelay = static_cast<int>(SendDlgItemMessageA(dialog, IDC_MENU_DELAY, TBM_GETPOS, 0, 0));
  char label[64];
  FormatDelayLabel(Options().menuDelay, label, sizeof label);
  SetDlgItemTextA(dialog, IDC_MENU_DELAY_LABEL, label);
  Options().toolTipSpeed =
      static_cast<std::uint16_t>(SendDlgItemMessageA(dialog, IDC_TOOLTIP_SPEED, TBM_GETPOS, 0, 0));
}

void ShowProductLines(HWND dialog) {
  char line[MAX_PATH];
  const auto& app = lwf::App();
  std::snprintf(line, sizeof line, "%s V%d.%d.%d", app.productName, app.version[0], app.version[1],
                app.version[2]);
  SetDlgItemTextA(dialog, IDC_PRODUCT_LINE, line);
  SetDlgItemTextA(dialog, IDC_MAKER_LINE, lwf::Text(lwf::kTextProductInfo, 1));
  if (app.fonts.boldInterface != nullptr) {
    for (int id : {IDC_PRODUCT_LINE, IDC_MAKER_LINE}) {
      SendDlgItemMessageA(dialog, id, WM_SETFONT, reinterpret_cast<WPARAM>(app.fonts.boldInterface), FALSE);
    }
  }
}

void Initialize(HWND dialog) {
  OptionsRecord& o = Options();
  lwf::PrepareDialog(dialog);
  Program().dialog = dialog;
  ShowProductLines(dialog);
  for (int i = 0; i < 4; ++i) {
    CheckDlgButton(dialog, kPositionRadios[i], o.menuPosition == i ? BST_CHECKED : BST_UNCHECKED);
  }
  CheckDlgButton(dialog, IDC_TOOLTIPS, o.toolTipsEnabled != 0 ? BST_CHECKED : BST_UNCHECKED);
  ShowCheck(dialog, IDC_MULTICOLUMN);
  SendDlgItemMessageA(dialog, IDC_INCLUDE_EXTENSIONS, EM_LIMITTEXT, 259, 0);
  ShowExtensions(dialog);
  SendDlgItemMessageA(dialog, IDC_MENU_DELAY, TBM_SETRANGE, FALSE, MAKELPARAM(0, 1000));
  SendDlgItemMessageA(dialog, IDC_MENU_DELAY, TBM_SETPOS, TRUE, o.menuDelay);
  SendDlgItemMessageA(dialog, IDC_TOOLTIP_SPEED, TBM_SETRANGE, FALSE, MAKELPARAM(1, 20));
  SendDlgItemMessageA(dialog, IDC_TOOLTIP_SPEED, TBM_SETPOS, TRUE, o.toolTipSpeed);
  SendMessageA(dialog, WM_HSCROLL, 0, 0);
  ShowTextField(dialog, IDC_START_MENU_FOLDER, o.startMenuFolder);
  for (int id : {IDC_DRAG_FOLDERS_ONLY, IDC_DRAG_OPEN_TARGET, IDC_DRAG_MOVE_TO_PARENT, IDC_DRAG_DELETE_EMPTY,
                 IDC_RECENT_ENABLED, IDC_RECENT_SORTED, IDC_RECENT_CLEAR_AT_LOGON}) {
    ShowCheck(dialog, id);
  }
  ShowNumber(dialog, IDC_RECENT_COUNT, o.recentCount);
  SetSpinRange(dialog, IDC_RECENT_SPIN, 1, 64);
  ShowCheck(dialog, IDC_FAVORITES_ENABLED);
  ShowNumber(dialog, IDC_FAVORITES_COUNT, o.favoritesCount);
  SetSpinRange(dialog, IDC_FAVORITES_SPIN, 1, 64);
  ShowCheck(dialog, IDC_SUB_OPEN_AREA);
  ShowNumber(dialog, IDC_SUB_OPEN_WIDTH, o.subOpenAreaWidth);
  SetSpinRange(dialog, IDC_SUB_OPEN_SPIN, 16, 100);
  ShowNumber(dialog, IDC_ITEM_HEIGHT, o.itemHeightAdd);
  SetSpinRange(dialog, IDC_ITEM_HEIGHT_SPIN, -100, 100);
  ShowCheck(dialog, IDC_SIZE_START_DISABLED);
  for (const char* unit : kSizeUnits) {
    SendDlgItemMessageA(dialog, IDC_SIZE_UNITS, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(unit));
  }
  SendDlgItemMessageA(dialog, IDC_SIZE_UNITS, CB_SETCURSEL, o.sizeUnits, 0);
  ShowCheck(dialog, IDC_INCLUDE_HIDDEN);
  ShowCheck(dialog, IDC_INCLUDE_SUPER_HIDDEN);
  ShowTextField(dialog, IDC_UNKNOWN_COMMAND, o.unknownTypeCommand);
  ShowTextField(dialog, IDC_FILE_MANAGER, o.alternateFileManager);
  SetForegroundWindow(dialog);
}

// OK and Apply: the text fields back into the record, then the save of that mode.
void ReadBackAndSave(HWND dialog, int mode) {
  OptionsRecord& o = Options();
  const LRESULT unit = SendDlgItemMessageA(dialog, IDC_SIZE_UNITS, CB_GETCURSEL, 0, 0);
  if (unit != CB_ERR) o.sizeUnits = static_cast<int>(unit);
  char text[kDialogTextSize] = "";
  GetDlgItemTextA(dialog, IDC_INCLUDE_EXTENSIONS, text, sizeof text);
  o.includeAllExtensions = TextToExtensionList(text, o.includeExtensions, sizeof o.includeExtensions) ? 1 : 0;
  ReadTextField(dialog, IDC_UNKNOWN_COMMAND, o.unknownTypeCommand);
  ReadTextField(dialog, IDC_START_MENU_FOLDER, o.startMenuFolder);
  ReadTextField(dialog, IDC_FILE_MANAGER, o.alternateFileManager);
  o.recentCount = Clamp(ReadNumber(dialog, IDC_RECENT_COUNT, o.recentCount), 1, 64);
  o.favoritesCount = Clamp(ReadNumber(dialog, IDC_FAVORITES_COUNT, o.favoritesCount), 1, 64);
  SaveFavorites();
  o.subOpenAreaWidth = Clamp(ReadNumber(dialog, IDC_SUB_OPEN_WIDTH, o.subOpenAreaWidth), 16, 1024);
  o.itemHeightAdd = ReadNumber(dialog, IDC_ITEM_HEIGHT, o.itemHeightAdd);
  SaveOptions(mode);
}

// After Apply the dialog shows what was stored: clamped counts and the command Windows kept.
void ShowStoredFields(HWND dialog) {
  const OptionsRecord& o = Options();
  ShowNumber(dialog, IDC_RECENT_COUNT, o.recentCount);
  ShowNumber(dialog, IDC_FAVORITES_COUNT, o.favoritesCount);
  ShowNumber(dialog, IDC_SUB_OPEN_WIDTH, o.subOpenAreaWidth);
  ShowTextField(dialog, IDC_UNKNOWN_COMMAND, o.unknownTypeCommand);
}

// The program picker; returns the chosen file or null.
const char* PickProgram(HWND dialog, int editId) {
  char current[kDialogTextSize] = "";
  GetDlgItemTextA(dialog, editId, current, sizeof current);
  return lwf::FileDialog(lwf::FileDialogKind::kOpen, lwf::Text(kStrProgramFilter), current);
}

template <std::size_t N>
void PickProgramInto(HWND dialog, int editId, const char* format, char (&field)[N]) {
  const char* program = PickProgram(dialog, editId);
  if (program == nullptr) return;
  std::memset(field, 0, N);
  std::snprintf(field, N, format, program);
  ShowTextField(dialog, editId, field);
}

void ShowOptionsHelp() { lwf::ShowHelp(ManualName(), kOptionsHelpTopic); }

void OnCommand(HWND dialog, int id) {
  OptionsRecord& o = Options();
  if (const CheckBinding* binding = FindCheck(id)) {
    OnCheckClicked(dialog, *binding);
    return;
  }
  for (int i = 0; i < 4; ++i) {
    if (id == kPositionRadios[i] && IsDlgButtonChecked(dialog, id) == BST_CHECKED) o.menuPosition = i;
  }
  switch (id) {
    case IDC_TOOLTIPS:
      o.toolTipsEnabled = IsDlgButtonChecked(dialog, id) == BST_CHECKED ? 1 : 0;
      break;
    case IDOK:
      ReadBackAndSave(dialog, kSaveOk);
      EndDialog(dialog, IDOK);
      break;
    case kApplyButton:
      ReadBackAndSave(dialog, kSaveApply);
      ShowStoredFields(dialog);
      break;
    case IDCANCEL:
      EndDialog(dialog, IDCANCEL);
      break;
    case IDC_HELP_BUTTON:
      ShowOptionsHelp();
      break;
    case IDC_ABOUT:
      lwf::ShowProductInformation(dialog);
      break;
    case IDC_RECENT_CLEAR:
      lwf::DeleteData(kRecentFile, true);
      break;
    case IDC_FAVORITES_EDIT:
      // The editor's capacity is the count in the dialog.
      o.favoritesCount = Clamp(ReadNumber(dialog, IDC_FAVORITES_COUNT, o.favoritesCount), 1, 64);
      RunFavoritesEditor(dialog);
      break;
    case IDC_COLORS_EDIT:
      RunColorsDialog(dialog);
      break;
    case IDC_FILTER_MORE:
      RunAdvancedFilter(dialog);
      break;
    case IDC_START_MENU_BROWSE:
      if (SelectShellObject(dialog, kSelectParsingName, o.startMenuFolder, nullptr) == IDOK) {
        ShowTextField(dialog, IDC_START_MENU_FOLDER, o.startMenuFolder);
      }
      break;
    case IDC_FILE_MANAGER_BROWSE:
      PickProgramInto(dialog, IDC_FILE_MANAGER, "\"%s\"", o.alternateFileManager);
      break;
    case IDC_UNKNOWN_BROWSE:
      PickProgramInto(dialog, IDC_UNKNOWN_COMMAND, "\"%s\" \"%%1\"", o.unknownTypeCommand);
      break;
    default:
      break;
  }
}

}  // namespace

INT_PTR CALLBACK OptionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      Initialize(dialog);
      return FALSE;  // the focus was set by the preparation
    case WM_HSCROLL:
      OnTrackbarMoved(dialog);
      return TRUE;
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED) OnCommand(dialog, LOWORD(wParam));
      return TRUE;
    case WM_HELP:
      ShowOptionsHelp();
      return TRUE;
    case WM_CLOSE:
      EndDialog(dialog, IDCANCEL);
      return TRUE;
    case WM_DESTROY:
      Program().dialog = nullptr;
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace quillo
