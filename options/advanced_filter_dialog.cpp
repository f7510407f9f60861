#include "advanced_filter_dialog.h"

#include <string>
#include <vector>

#include "core/bounded_text.h"
#include "core/exclude_objects.h"
#include "core/message_box_style.h"
#include "core/option_text.h"
#include "dialog_state.h"
#include "edit_object_dialog.h"
#include "list_box.h"
#include "lwf_app.h"
#include "lwf_dialog.h"
#include "lwf_message_box.h"
#include "options_program.h"
#include "options_strings.h"
#include "select_object_dialog.h"
#include "subdialog_ids.h"

namespace quillo {
namespace {

struct AdvancedFilter {
  OptionsRecord saved;  // the record as it was when the dialog opened
  bool enabling = false;
};

HWND ObjectsOf(HWND dialog) { return GetDlgItem(dialog, IDC_FILTER_OBJECTS); }

// Edit and Remove are enabled exactly while a line is selected.
void UpdateButtons(HWND dialog, AdvancedFilter& filter) {
  if (filter.enabling) return;
  filter.enabling = true;
  const BOOL selected = ListBoxSelection(ObjectsOf(dialog)) >= 0;
  for (int id : {IDC_FILTER_EDIT, IDC_FILTER_REMOVE}) {
    HWND button = GetDlgItem(dialog, id);
    if (button != nullptr && IsWindowEnabled(button) != selected) EnableWindow(button, selected);
  }
  filter.enabling = false;
}

// Whether the names, with name added and the line at replaced (or -1) left out, fit the field.
bool Fits(HWND dialog, const std::string& name, int replaced) {
  std::vector<std::string> names = ListBoxTexts(ObjectsOf(dialog));
  if (replaced >= 0 && static_cast<std::size_t>(replaced) < names.size()) names.erase(names.begin() + replaced);
  names.push_back(name);
  if (ObjectListBytes(names) <= sizeof(OptionsRecord::excludeObjects)) return true;
  lwf::LwfMessageBox(dialog, nullptr, lwf::Text(kStrObjectListFull), lwf::kMbIconExclamation | lwf::kMbOk, 0);
  return false;
}

int FindName(HWND dialog, const char* name) {
  const LRESULT index = SendMessageA(ObjectsOf(dialog), LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                     reinterpret_cast<LPARAM>(name));
  return index == LB_ERR ? -1 : static_cast<int>(index);
}

void AddName(HWND dialog, const char* name) {
  const LRESULT index = SendMessageA(ObjectsOf(dialog), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
  if (index >= 0) SendMessageA(ObjectsOf(dialog), LB_SETCURSEL, index, 0);
}

void Initialize(HWND dialog) {
  lwf::PrepareDialog(dialog);
  const OptionsRecord& o = Program().options;
  char text[kDialogTextSize];
  ExtensionListToText(o.excludeExtensions, sizeof o.excludeExtensions, text, sizeof text);
  SetDlgItemTextA(dialog, IDC_FILTER_EXTENSIONS, text);
  for (const std::string& name : ReadObjectList(o.excludeObjects, sizeof o.excludeObjects)) {
    SendMessageA(ObjectsOf(dialog), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
  }
}

void AddObject(HWND dialog) {
  char name[MAX_PATH] = "";
  if (SelectShellObject(dialog, kSelectDisplayName, name, nullptr) != IDOK) return;
  const int existing = FindName(dialog, name);
  if (existing >= 0) {
    SendMessageA(ObjectsOf(dialog), LB_SETCURSEL, existing, 0);
  } else if (Fits(dialog, name, -1)) {
    AddName(dialog, name);
  }
}

void EditSelected(HWND dialog) {
  const int selected = ListBoxSelection(ObjectsOf(dialog));
  char name[MAX_PATH] = "";
  if (selected >= 0) lwf::CopyText(name, sizeof name, ListBoxText(ObjectsOf(dialog), selected).c_str());
  if (EditObject(dialog, name) != IDOK || name[0] == '\0' || !Fits(dialog, name, selected)) return;
  if (selected >= 0) SendMessageA(ObjectsOf(dialog), LB_DELETESTRING, selected, 0);
  AddName(dialog, name);
}

void StoreAndClose(HWND dialog) {
  OptionsRecord& o = Program().options;
  char text[kDialogTextSize] = "";
  GetDlgItemTextA(dialog, IDC_FILTER_EXTENSIONS, text, sizeof text);
  TextToExtensionList(text, o.excludeExtensions, sizeof o.excludeExtensions);
  WriteObjectList(ListBoxTexts(ObjectsOf(dialog)), o.excludeObjects, sizeof o.excludeObjects);
  EndDialog(dialog, IDOK);
}

void OnCommand(HWND dialog, AdvancedFilter& filter, int id, int code) {
  switch (id) {
    case IDC_FILTER_ADD:
      AddObject(dialog);
      break;
    case IDC_FILTER_EDIT:
      EditSelected(dialog);
      break;
    case IDC_FILTER_OBJECTS:
      if (code == LBN_DBLCLK) EditSelected(dialog);
      break;
    case IDC_FILTER_REMOVE: {
      const int selected = ListBoxSelection(ObjectsOf(dialog));
      if (selected >= 0) SendMessageA(ObjectsOf(dialog), LB_DELETESTRING, selected, 0);
      break;
    }
    case IDOK:
      StoreAndClose(dialog);
      break;
    case IDCANCEL:
      Program().options = filter.saved;
      EndDialog(dialog, IDCANCEL);
      break;
    default:
      break;
  }
}

INT_PTR CALLBACK AdvancedFilterProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  AdvancedFilter* filter = DialogState<AdvancedFilter>(dialog, message, lParam);
  if (filter == nullptr) return FALSE;
  if (HelpOnF1(message, kOptionsHelpTopic)) return TRUE;
  UpdateButtons(dialog, *filter);
  switch (message) {
    case WM_INITDIALOG:
      Initialize(dialog);
      UpdateButtons(dialog, *filter);
      return FALSE;
    case WM_COMMAND:
      OnCommand(dialog, *filter, LOWORD(wParam), HIWORD(wParam));
      UpdateButtons(dialog, *filter);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

INT_PTR RunAdvancedFilter(HWND owner) {
  AdvancedFilter filter{Program().options};
  return lwf::RunDialog(owner, IDD_ADVANCED_FILTER, AdvancedFilterProc, reinterpret_cast<LPARAM>(&filter));
}

}  // namespace quillo
