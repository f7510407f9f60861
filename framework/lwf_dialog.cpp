#include "lwf_dialog.h"

#include <string>
#include <vector>

#include "core/dialog_geometry.h"
#include "framework_window.h"
#include "lwf_app.h"

namespace lwf {
namespace {

Rect ToRect(const RECT& r) { return Rect{r.left, r.top, r.right, r.bottom}; }

bool HasButtonType(HWND control, LONG type) {
  char className[16];
  if (!GetClassNameA(control, className, sizeof className) || lstrcmpiA(className, "Button") != 0) {
    return false;
  }
  const LONG style = GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK;
  return style == type;
}

bool IsCheckBox(HWND control) {
  return HasButtonType(control, BS_CHECKBOX) || HasButtonType(control, BS_AUTOCHECKBOX);
}

// Rectangle of a child in the dialog's client coordinates.
RECT ChildRect(HWND dialog, HWND child) {
  RECT rect{};
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

int BlankWidth(HWND control) {
  HDC dc = GetDC(control);
  HGDIOBJ old = SelectObject(dc, App().fonts.normal != nullptr ? App().fonts.normal
                                                               : GetStockObject(DEFAULT_GUI_FONT));
  SIZE size{};
  GetTextExtentPoint32A(dc, " ", 1, &size);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  return size.cx;
}

// The check box gives its caption to the group and keeps a square of its own height.
void MoveCaptionToGroup(HWND check, const RECT& checkRect, HWND group) {
  char caption[MAX_PATH];
  GetWindowTextA(check, caption, sizeof caption);
  const int height = checkRect.bottom - checkRect.top;
  const std::string text = std::string(CaptionBlankCount(height, BlankWidth(group)), ' ') + caption;
  SetWindowTextA(group, text.c_str());
  SetWindowTextA(check, "");
  // The group no longer paints over the check box, which stays above it.
  SetWindowLongA(group, GWL_STYLE, GetWindowLongA(group, GWL_STYLE) | WS_CLIPSIBLINGS);
  SetWindowPos(check, HWND_TOP, 0, 0, height, height, SWP_NOMOVE | SWP_NOACTIVATE);
}

void PrepareGroups(HWND dialog) {
  std::vector<HWND> groups, checks;
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    if (HasButtonType(child, BS_GROUPBOX)) groups.push_back(child);
    if (IsCheckBox(child)) checks.push_back(child);
  }
  for (HWND group : groups) {
    if (App().fonts.semibold != nullptr) SendMessageA(group, WM_SETFONT, reinterpret_cast<WPARAM>(App().fonts.semibold), FALSE);
  }
  for (HWND check : checks) {
    const RECT checkRect = ChildRect(dialog, check);
    const POINT left{checkRect.left - 1, (checkRect.top + checkRect.bottom) / 2};
    for (HWND group : groups) {
      const RECT groupRect = ChildRect(dialog, group);
      if (PtInRect(&groupRect, left) && SitsOnGroupFrame(ToRect(checkRect), ToRect(groupRect))) {
        MoveCaptionToGroup(check, checkRect, group);
        break;
      }
    }
  }
}

void PlaceDialog(HWND dialog) {
  HWND parent = GetParent(dialog);
  RECT window{}, area{};
  GetWindowRect(dialog, &window);
  if (parent == nullptr || !GetWindowRect(parent, &area)) GetWindowRect(GetDesktopWindow(), &area);
  Rect placed = CenterOver(ToRect(window), ToRect(area));
  std::vector<Rect> monitors;
  for (const RECT& m : App().monitors) monitors.push_back(ToRect(m));
  const std::size_t index = ChooseMonitor(monitors.data(), monitors.size(), area.left, area.top);
  if (index < monitors.size()) placed = ClampIntoArea(placed, monitors[index]);
  const bool topmost = parent != nullptr && (GetWindowLongA(parent, GWL_EXSTYLE) & WS_EX_TOPMOST);
  SetWindowPos(dialog, topmost ? HWND_TOPMOST : nullptr, placed.left, placed.top, 0, 0,
               SWP_NOSIZE | SWP_NOACTIVATE | (topmost ? 0 : SWP_NOZORDER));
}

}  // namespace

INT_PTR RunDialog(HWND owner, int resourceId, DLGPROC procedure, LPARAM parameter) {
  if (owner != nullptr) SetForegroundWindow(owner);
  SendToFrameworkWindows(LWFM_MODAL, ++App().modalDepth, 0);
  const INT_PTR result = DialogBoxParamA(App().instance, MAKEINTRESOURCEA(resourceId), owner,
                                         procedure, parameter);
  SendToFrameworkWindows(LWFM_MODAL, --App().modalDepth, 0);
  return result;
}

void PrepareDialog(HWND dialog) {
  PrepareGroups(dialog);
  SetFocus(dialog);
  PlaceDialog(dialog);
}

}  // namespace lwf
