#include "favorites_editor.h"

#include <string>

#include "core/edit_list.h"
#include "core/message_box_style.h"
#include "core/option_text.h"
#include "dialog_state.h"
#include "list_box.h"
#include "lwf_app.h"
#include "lwf_dialog.h"
#include "lwf_message_box.h"
#include "options_program.h"
#include "options_strings.h"
#include "select_object_dialog.h"
#include "shell_item.h"
#include "subdialog_ids.h"

namespace quillo {
namespace {

// The lines being edited; each line's data word owns its list (or is the separator mark) until
// OK hands the lists to the table. Whatever is still owned is freed with the editor.
class FavoritesEditor {
 public:
  explicit FavoritesEditor(int capacity) : capacity_(capacity), lines_(static_cast<std::size_t>(capacity)) {}
  FavoritesEditor(const FavoritesEditor&) = delete;
  FavoritesEditor& operator=(const FavoritesEditor&) = delete;
  ~FavoritesEditor() {
    for (const EditLine& line : lines_.lines()) FreeData(line.data);
  }

  EditList& lines() { return lines_; }

  void Open();
  void Store();
  static void FreeData(std::intptr_t data) {
    if (data != kSeparatorData && data != 0) Program().allocator->Free(reinterpret_cast<void*>(data));
  }

 private:
  int capacity_;
  EditList lines_;
};

void FavoritesEditor::Open() {
  const FavoritesTable& table = Program().favorites;
  for (int i = 0; i < capacity_; ++i) {
    const FavoriteSlot& slot = table[i];
    if (slot.kind == FavoriteKind::kSeparator) {
      lines_.Append(kSeparatorLine, kSeparatorData);
    } else if (slot.kind == FavoriteKind::kList) {
      LPITEMIDLIST copy = CopyIdList(Program().allocator, slot.list);
      if (copy == nullptr) continue;
      char name[MAX_PATH];
      GetDisplayName(Program().desktop, copy, name, sizeof name, SHGDN_FORPARSING);
      lines_.Append(name, reinterpret_cast<std::intptr_t>(copy));
    }
  }
}

void FavoritesEditor::Store() {
  FavoritesTable& table = Program().favorites;
  table.ClearFirst(capacity_);
  int slot = 0;
  for (const EditLine& line : lines_.lines()) {
    if (line.data == kSeparatorData) {
      table.Put(slot++, FavoriteKind::kSeparator, nullptr);
    } else {
      table.Put(slot++, FavoriteKind::kList, reinterpret_cast<LPITEMIDLIST>(line.data));
    }
  }
  lines_ = EditList(static_cast<std::size_t>(capacity_));  // the table owns the lists now
}

HWND ListOf(HWND dialog) { return GetDlgItem(dialog, IDC_FAV_LIST); }

// The list box shows the lines with their data words, the given line selected.
void ShowLines(HWND dialog, FavoritesEditor& editor, int selected) {
  HWND list = ListOf(dialog);
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  SendMessageA(list, LB_RESETCONTENT, 0, 0);
  for (const EditLine& line : editor.lines().lines()) {
    const LRESULT index = SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.text.c_str()));
    if (index >= 0) SendMessageA(list, LB_SETITEMDATA, index, line.data);
  }
  SendMessageA(list, LB_SETCURSEL, selected, 0);
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
  FitHorizontalExtent(list);
}

// A new favourite (list taken over): its line is inserted after the selection, or the line that
// already names it is selected.
void InsertFavorite(HWND dialog, FavoritesEditor& editor, LPITEMIDLIST list) {
  char name[MAX_PATH];
  GetDisplayName(Program().desktop, list, name, sizeof name, SHGDN_FORPARSING);
  const EditList::Insertion insertion =
      editor.lines().InsertItem(ListBoxSelection(ListOf(dialog)), name, reinterpret_cast<std::intptr_t>(list));
  if (!insertion.inserted) FavoritesEditor::FreeData(reinterpret_cast<std::intptr_t>(list));
  if (insertion.index >= 0) ShowLines(dialog, editor, insertion.index);
}

// The item named by a path; null when the shell cannot parse it.
LPITEMIDLIST ParsePath(HWND dialog, const char* path) {
  wchar_t wide[MAX_PATH];
  if (MultiByteToWideChar(CP_ACP, 0, path, -1, wide, MAX_PATH) == 0) return nullptr;
  LPITEMIDLIST parsed = nullptr;
  ULONG eaten = 0;
  if (Program().desktop == nullptr ||
      FAILED(Program().desktop->ParseDisplayName(dialog, nullptr, wide, &eaten, &parsed, nullptr)) ||
      parsed == nullptr) {
    return nullptr;
  }
  // The parser's list comes from the task allocator; the table's lists live on the shell's.
  LPITEMIDLIST list = CopyIdList(Program().allocator, parsed);
  CoTaskMemFree(parsed);
  return list;
}

void AddPath(HWND dialog, FavoritesEditor& editor) {
  char path[MAX_PATH] = "";
  GetDlgItemTextA(dialog, IDC_FAV_EDIT, path, sizeof path);
  if (path[0] == '\0' || editor.lines().Full()) return;
  LPITEMIDLIST list = ParsePath(dialog, path);
  if (list == nullptr) {
    lwf::LwfMessageBox(dialog, nullptr, lwf::Text(kStrInvalidPath), lwf::kMbIconError | lwf::kMbOk, IDC_FAV_EDIT);
    return;
  }
  InsertFavorite(dialog, editor, list);
}

void AddObject(HWND dialog, FavoritesEditor& editor) {
  if (editor.lines().Full()) return;
  char name[MAX_PATH] = "";
  LPITEMIDLIST list = nullptr;
  if (SelectShellObject(dialog, kSelectParsingName, name, &list) != IDOK || list == nullptr) return;
  InsertFavorite(dialog, editor, list);
}

void OnCommand(HWND dialog, FavoritesEditor& editor, int id, int code) {
  EditList& lines = editor.lines();
  const int selected = ListBoxSelection(ListOf(dialog));
  switch (id) {
    case IDC_FAV_LIST:
      if (code == LBN_SELCHANGE && selected >= 0) {
        SetDlgItemTextA(dialog, IDC_FAV_EDIT, ListBoxText(ListOf(dialog), selected).c_str());
      }
      break;
    case IDC_FAV_ADD_PATH:
      AddPath(dialog, editor);
      break;
    case IDC_FAV_ADD_OBJECT:
      AddObject(dialog, editor);
      break;
    case IDC_FAV_SEPARATOR: {
      const int index = lines.InsertSeparator(selected);
      if (index >= 0) ShowLines(dialog, editor, index);
      break;
    }
    case IDC_FAV_REMOVE: {
      if (selected < 0) break;
      EditLine removed{};
      const int next = lines.Remove(selected, &removed);
      FavoritesEditor::FreeData(removed.data);
      ShowLines(dialog, editor, next);
      break;
    }
    case IDC_FAV_UP:
    case IDC_FAV_DOWN:
      if (selected >= 0) ShowLines(dialog, editor, id == IDC_FAV_UP ? lines.MoveUp(selected) : lines.MoveDown(selected));
      break;
    case IDOK:
      editor.Store();
      EndDialog(dialog, IDOK);
      break;
    case IDCANCEL:
      EndDialog(dialog, IDCANCEL);
      break;
    default:
      break;
  }
}

INT_PTR CALLBACK FavoritesEditorProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  FavoritesEditor* editor = DialogState<FavoritesEditor>(dialog, message, lParam);
  if (editor == nullptr) return FALSE;
  if (HelpOnF1(message, kFavoritesHelpTopic)) return TRUE;
  switch (message) {
    case WM_INITDIALOG:
      lwf::PrepareDialog(dialog);
      editor->Open();
      ShowLines(dialog, *editor, -1);
      return FALSE;
    case WM_COMMAND:
      OnCommand(dialog, *editor, LOWORD(wParam), HIWORD(wParam));
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

INT_PTR RunFavoritesEditor(HWND owner) {
  // Without the shell's allocator and desktop no list can be copied, named or parsed.
  if (Program().allocator == nullptr || Program().desktop == nullptr) return IDCANCEL;
  FavoritesEditor editor(Clamp(Program().options.favoritesCount, 1, kFavoriteSlots));
  return lwf::RunDialog(owner, IDD_FAVORITES, FavoritesEditorProc, reinterpret_cast<LPARAM>(&editor));
}

}  // namespace quillo
