#include "colors_dialog.h"

#include <commctrl.h>
#include <commdlg.h>

#include "dialog_state.h"
#include "lwf_dialog.h"
#include "options_program.h"
#include "subdialog_ids.h"

namespace quillo {
namespace {

// One colour of the record with the check box and swatch of each state.
struct ColorEntry {
  ColorPair OptionsRecord::*pair;
  int unselectedCheck, unselectedSwatch, selectedCheck, selectedSwatch;
};

const ColorEntry kColorEntries[] = {
    {&OptionsRecord::backgroundColors, IDC_COL_BACKGROUND_CHECK, IDC_COL_BACKGROUND, IDC_COL_SEL_BACKGROUND_CHECK,
     IDC_COL_SEL_BACKGROUND},
    {&OptionsRecord::sizeBackgroundColors, IDC_COL_SIZE_BACKGROUND_CHECK, IDC_COL_SIZE_BACKGROUND,
     IDC_COL_SEL_SIZE_BACKGROUND_CHECK, IDC_COL_SEL_SIZE_BACKGROUND},
    {&OptionsRecord::subOpenAreaColors, IDC_COL_SUB_OPEN_CHECK, IDC_COL_SUB_OPEN, IDC_COL_SEL_SUB_OPEN_CHECK,
     IDC_COL_SEL_SUB_OPEN},
    {&OptionsRecord::textColors, IDC_COL_TEXT_CHECK, IDC_COL_TEXT, IDC_COL_SEL_TEXT_CHECK, IDC_COL_SEL_TEXT},
    {&OptionsRecord::sizeTextColors, IDC_COL_SIZE_TEXT_CHECK, IDC_COL_SIZE_TEXT, IDC_COL_SEL_SIZE_TEXT_CHECK,
     IDC_COL_SEL_SIZE_TEXT},
};

constexpr UINT_PTR kSwatchSubclass = 1;

void PaintSwatch(HWND swatch, const ColorRef* color) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(swatch, &paint);
  RECT area;
  GetClientRect(swatch, &area);
  HBRUSH fill = color != nullptr ? CreateSolidBrush(*color) : GetSysColorBrush(COLOR_BTNFACE);
  FillRect(dc, &area, fill);
  if (color != nullptr) DeleteObject(fill);
  FrameRect(dc, &area, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
  EndPaint(swatch, &paint);
}

// The system colour chooser over the swatch's colour; on OK the swatch shows the new colour and
// tells the dialog.
void ChooseSwatchColor(HWND swatch, ColorRef* color) {
  if (color == nullptr) return;
  CHOOSECOLORA choice{};
  choice.lStructSize = sizeof choice;
  choice.hwndOwner = GetParent(swatch);
  choice.rgbResult = *color;
  choice.lpCustColors = Program().customColors;
  choice.Flags = CC_RGBINIT | CC_FULLOPEN | CC_ANYCOLOR;
  if (!ChooseColorA(&choice)) return;
  *color = choice.rgbResult;
  InvalidateRect(swatch, nullptr, TRUE);
  SendMessageA(GetParent(swatch), WM_COMMAND, GetDlgCtrlID(swatch), reinterpret_cast<LPARAM>(swatch));
}

// A swatch's own procedure; data points at its colour in the dialog's copy of the record.
LRESULT CALLBACK SwatchProc(HWND swatch, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
  auto* color = reinterpret_cast<ColorRef*>(data);
  switch (message) {
    case WM_PAINT:
      PaintSwatch(swatch, color);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_LBUTTONDOWN:
      ChooseSwatchColor(swatch, color);
      return 0;
    case WM_NCDESTROY:
      RemoveWindowSubclass(swatch, SwatchProc, kSwatchSubclass);
      break;
    default:
      break;
  }
  return DefSubclassProc(swatch, message, wParam, lParam);
}

void AttachSwatch(HWND dialog, int id, ColorRef* color) {
  SetWindowSubclass(GetDlgItem(dialog, id), SwatchProc, kSwatchSubclass, reinterpret_cast<DWORD_PTR>(color));
}

void SetCheck(HWND dialog, int id, std::int32_t flag) { CheckDlgButton(dialog, id, flag != 0 ? BST_CHECKED : BST_UNCHECKED); }

std::int32_t CheckState(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED ? 1 : 0; }

void Initialize(HWND dialog, OptionsRecord& copy) {
  lwf::PrepareDialog(dialog);
  for (const ColorEntry& entry : kColorEntries) {
    ColorPair& pair = copy.*entry.pair;
    SetCheck(dialog, entry.unselectedCheck, pair.customUnselected);
    SetCheck(dialog, entry.selectedCheck, pair.customSelected);
    AttachSwatch(dialog, entry.unselectedSwatch, &pair.unselected);
    AttachSwatch(dialog, entry.selectedSwatch, &pair.selected);
  }
}

void StoreAndClose(HWND dialog, OptionsRecord& copy) {
  for (const ColorEntry& entry : kColorEntries) {
    ColorPair& pair = copy.*entry.pair;
    pair.customUnselected = CheckState(dialog, entry.unselectedCheck);
    pair.customSelected = CheckState(dialog, entry.selectedCheck);
  }
  Program().options = copy;
  EndDialog(dialog, IDOK);
}

INT_PTR CALLBACK ColorsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  OptionsRecord* copy = DialogState<OptionsRecord>(dialog, message, lParam);
  if (copy == nullptr) return FALSE;
  switch (message) {
    case WM_INITDIALOG:
      Initialize(dialog, *copy);
      return FALSE;
    case WM_COMMAND:
      // The swatches' own notifications need nothing more.
      if (LOWORD(wParam) == IDOK) StoreAndClose(dialog, *copy);
      if (LOWORD(wParam) == IDCANCEL) EndDialog(dialog, IDCANCEL);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

INT_PTR RunColorsDialog(HWND owner) {
  OptionsRecord copy = Program().options;
  return lwf::RunDialog(owner, IDD_COLORS, ColorsProc, reinterpret_cast<LPARAM>(&copy));
}

}  // namespace quillo
