// Drives Quillo's dialogs from outside as a user would: finds the dialog, clicks its buttons,
// types into its edit boxes, moves its trackbars and checks what the controls show.
// Usage: options_driver <command> [arguments] ... ; the first failing command ends the run
// with exit code 1 and a message on stdout.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "core/crc32.h"

namespace {

constexpr char kTitle[] = "Quillo";
constexpr UINT kSendTimeout = 10000;

struct Search {
  const char* title;
  int childId;
  HWND found;
  int count;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<Search*>(data);
  char className[16], title[64];
  if (!IsWindowVisible(window) || !GetClassNameA(window, className, sizeof className) ||
      std::strcmp(className, "#32770") != 0 || !GetWindowTextA(window, title, sizeof title) ||
      std::strcmp(title, search->title) != 0 || GetDlgItem(window, search->childId) == nullptr) {
    return TRUE;
  }
  if (search->found == nullptr) search->found = window;
  ++search->count;
  return TRUE;
}

Search FindDialogs(const char* title, int childId) {
  Search search{title, childId, nullptr, 0};
  EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&search));
  return search;
}

// "\n" in an argument stands for a line feed.
std::string Unescape(const char* text) {
  std::string out;
  for (const char* p = text; *p != '\0'; ++p) {
    if (p[0] == '\\' && p[1] == 'n') {
      out.push_back('\n');
      ++p;
    } else {
      out.push_back(*p);
    }
  }
  return out;
}

class Driver {
 public:
  bool Run(int argc, char** argv) {
    for (int i = 1; i < argc;) {
      const std::string command = argv[i++];
      const int need = ArgumentCount(command);
      if (need < 0 || i + need > argc) return Fail("bad command line at " + command);
      if (!Step(command, argv + i)) return false;
      i += need;
    }
    return true;
  }

 private:
  static int ArgumentCount(const std::string& c) {
    if (c == "sleep" || c == "gone" || c == "click" || c == "click-async") return 1;
    if (c == "close" || c == "expect-foreground" || c == "minimize" || c == "expect-restored" || c == "expect-minimized") {
      return 0;
    }
    if (c == "broadcast") return 2;
    if (c == "timer") return 3;
    if (c == "send") return 1;
    if (c == "find-title" || c == "find-window" || c == "no-window" || c == "wait-text") return 3;
    if (c == "choose-menu-item") return 2;
    if (c == "find" || c == "expect-check" || c == "expect-enabled" || c == "settext" ||
        c == "expect-text" || c == "track" || c == "expect-count" || c == "expect-lines" ||
        c == "select-line" || c == "dblclick-line" || c == "expect-selection" || c == "type") {
      return 2;
    }
    if (c == "mouse-click" || c == "select-root" || c == "dialog-click") return 1;
    return -1;
  }

  bool Fail(const std::string& message) {
    std::printf("FAIL: %s\n", message.c_str());
    return false;
  }

  HWND Control(const char* id) { return GetDlgItem(target_, std::atoi(id)); }

  std::string TextOf(HWND control) {
    char text[1100] = "";
    SendMessageTimeoutA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_NORMAL,
                        kSendTimeout, nullptr);
    return text;
  }

  // The lines of a list box joined with "|".
  std::string ListLines(HWND list) {
    DWORD_PTR count = 0;
    SendMessageTimeoutA(list, LB_GETCOUNT, 0, 0, SMTO_NORMAL, kSendTimeout, &count);
    std::string lines;
    for (int i = 0; i < static_cast<int>(count); ++i) {
      // Wine carries LB_GETTEXT between processes in its wide form only.
      wchar_t wide[1100] = L"";
      SendMessageTimeoutW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(wide), SMTO_NORMAL, kSendTimeout, nullptr);
      char text[1100] = "";
      WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr);
      if (i > 0) lines += '|';
      lines += text;
    }
    return lines;
  }

  bool Find(const char* title, int childId, int timeout) {
    for (int waited = 0; waited <= timeout; waited += 100) {
      const Search search = FindDialogs(title, childId);
      if (search.found != nullptr) {
        target_ = search.found;
        return true;
      }
      Sleep(100);
    }
    return Fail("no dialog \"" + std::string(title) + "\" with control " + std::to_string(childId));
  }

  // Any top-level window of a class and title, such as the help viewer.
  bool FindWindowOf(const char* className, const char* title, int timeout) {
    for (int waited = 0; waited <= timeout; waited += 100) {
      target_ = FindWindowA(className, title);
      if (target_ != nullptr) return true;
      Sleep(100);
    }
    return Fail(std::string("no window of class ") + className + " titled " + title);
  }

  // Chooses the item at index (from 0) of the open popup menu with the arrow and Enter keys.
  bool ChooseMenuItem(int index, int timeout) {
    for (int waited = 0; waited <= timeout; waited += 100) {
      HWND menu = FindWindowA("#32768", nullptr);
      if (menu != nullptr && IsWindowVisible(menu)) {
        for (int i = 0; i <= index; ++i) PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
        return true;
      }
      Sleep(100);
    }
    return Fail("no popup menu is open");
  }

  // Waits until no top-level window of the class and title is left (an instance has ended).
  bool NoWindowOf(const char* className, const char* title, int timeout) {
    for (int waited = 0; waited <= timeout; waited += 100) {
      if (FindWindowA(className, title) == nullptr) return true;
      Sleep(100);
    }
    return Fail(std::string("a window of class ") + className + " titled " + title + " is still there");
  }

  bool Gone(int timeout) {
    for (int waited = 0; waited <= timeout; waited += 100) {
      if (!IsWindow(target_)) return true;
      Sleep(100);
    }
    return Fail("the dialog is still open");
  }

  // One arrow key from the neighbouring position, so the trackbar itself tells its dialog.
  bool Track(HWND trackbar, int position) {
    const int low = static_cast<int>(SendMessageA(trackbar, TBM_GETRANGEMIN, 0, 0));
    const bool fromBelow = position > low;
    SendMessageA(trackbar, TBM_SETPOS, TRUE, fromBelow ? position - 1 : position + 1);
    const WPARAM key = fromBelow ? VK_RIGHT : VK_LEFT;
    SendMessageTimeoutA(trackbar, WM_KEYDOWN, key, 1, SMTO_NORMAL, kSendTimeout, nullptr);
    SendMessageTimeoutA(trackbar, WM_KEYUP, key, 0xC0000001, SMTO_NORMAL, kSendTimeout, nullptr);
    const int now = static_cast<int>(SendMessageA(trackbar, TBM_GETPOS, 0, 0));
    return now == position || Fail("trackbar at " + std::to_string(now));
  }

  bool Step(const std::string& c, char** a) {
    std::printf("%s", c.c_str());
    for (int k = 0; k < ArgumentCount(c); ++k) std::printf(" [%s]", a[k]);
    std::printf("\n");
    if (c == "sleep") {
      Sleep(std::atoi(a[0]));
      return true;
    }
    if (c == "find") return Find(kTitle, std::atoi(a[0]), std::atoi(a[1]));
    if (c == "find-title") return Find(a[0], std::atoi(a[1]), std::atoi(a[2]));
    if (c == "find-window") return FindWindowOf(a[0], a[1], std::atoi(a[2]));
    if (c == "choose-menu-item") return ChooseMenuItem(std::atoi(a[0]), std::atoi(a[1]));
    if (c == "no-window") return NoWindowOf(a[0], a[1], std::atoi(a[2]));
    if (c == "broadcast") {
      // The framework's control message as another instance of a product would send it.
      const UINT control = RegisterWindowMessageA("LWFMSG_LWFCONTROL");
      const WPARAM message = std::strtoul(a[0], nullptr, 0);
      return PostMessageA(HWND_BROADCAST, control, message, lwf::InstanceKey(a[1])) || Fail("broadcast failed");
    }
    if (c == "timer") {
      // A window's timer made to fire `count` times at once: the program's clock, run fast.
      HWND window = FindWindowA(a[0], nullptr);
      if (window == nullptr) return Fail(std::string("no window of class ") + a[0]);
      for (int i = std::atoi(a[2]); i > 0; --i) {
        if (!PostMessageA(window, WM_TIMER, std::strtoul(a[1], nullptr, 0), 0)) return Fail("timer not posted");
      }
      return true;
    }
    if (c == "expect-count") {
      const int count = FindDialogs(kTitle, std::atoi(a[0])).count;
      return count == std::atoi(a[1]) || Fail(std::to_string(count) + " dialogs");
    }
    if (target_ == nullptr) return Fail("no dialog found yet");
    if (c == "gone") return Gone(std::atoi(a[0]));
    if (c == "expect-foreground") {
      return GetForegroundWindow() == target_ || Fail("the dialog is not the foreground window");
    }
    if (c == "minimize") {
      ShowWindow(target_, SW_MINIMIZE);
      return IsIconic(target_) || Fail("not minimised");
    }
    if (c == "expect-restored") {
      return (IsWindowVisible(target_) && !IsIconic(target_)) || Fail("the dialog is minimised or hidden");
    }
    if (c == "send") {
      DWORD_PTR result = 0;
      const UINT message = std::strtoul(a[0], nullptr, 0);
      return SendMessageTimeoutA(target_, message, 0, 0, SMTO_NORMAL, kSendTimeout, &result) || Fail("send failed");
    }
    if (c == "close") {
      PostMessageA(target_, WM_CLOSE, 0, 0);
      return Gone(10000);
    }
    if (c == "expect-minimized") return IsIconic(target_) || Fail("the dialog is not minimised");
    HWND control = Control(a[0]);
    if (control == nullptr) return Fail(std::string("no control ") + a[0]);
    if (c == "click") {
      DWORD_PTR result = 0;
      SendMessageTimeoutA(control, BM_CLICK, 0, 0, SMTO_NORMAL, kSendTimeout, &result);
      return true;
    }
    if (c == "click-async") return PostMessageA(control, BM_CLICK, 0, 0) || Fail("post failed");
    if (c == "expect-check") {
      const LRESULT state = SendMessageA(control, BM_GETCHECK, 0, 0);
      return state == std::atoi(a[1]) || Fail("check state " + std::to_string(state));
    }
    if (c == "expect-enabled") {
      const bool enabled = IsWindowEnabled(control) != FALSE;
      return enabled == (std::atoi(a[1]) != 0) || Fail(enabled ? "enabled" : "disabled");
    }
    if (c == "settext") {
      const std::string text = Unescape(a[1]);
      SendMessageTimeoutA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_NORMAL,
                          kSendTimeout, nullptr);
      return TextOf(control) == text || Fail("text not taken");
    }
    if (c == "wait-text") {
      // For texts another thread of the program sets a while later.
      std::string text;
      for (int waited = 0; waited <= std::atoi(a[2]); waited += 100) {
        if ((text = TextOf(control)) == Unescape(a[1])) return true;
        Sleep(100);
      }
      return Fail("text is \"" + text + "\"");
    }
    if (c == "expect-text") {
      const std::string text = TextOf(control);
      return text == Unescape(a[1]) || Fail("text is \"" + text + "\"");
    }
    if (c == "track") return Track(control, std::atoi(a[1]));
    if (c == "expect-lines") {
      const std::string lines = ListLines(control);
      return lines == a[1] || Fail("lines are \"" + lines + "\"");
    }
    if (c == "select-line" || c == "dblclick-line") {
      // The list box tells its dialog as it does when the user clicks the line.
      SendMessageTimeoutA(control, LB_SETCURSEL, std::atoi(a[1]), 0, SMTO_NORMAL, kSendTimeout, nullptr);
      const WORD code = c == "select-line" ? LBN_SELCHANGE : LBN_DBLCLK;
      return PostMessageA(target_, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code),
                          reinterpret_cast<LPARAM>(control)) ||
             Fail("post failed");
    }
    if (c == "expect-selection") {
      const LRESULT selected = SendMessageA(control, LB_GETCURSEL, 0, 0);
      return selected == std::atoi(a[1]) || Fail("selected line " + std::to_string(selected));
    }
    if (c == "type") {
      // Characters as typed into the focused control (a tree view finds items by them).
      for (const char* p = a[1]; *p != '\0'; ++p) PostMessageA(control, WM_CHAR, static_cast<unsigned char>(*p), 1);
      return true;
    }
    if (c == "select-root") {
      // The first item of a tree view selected, as a click on it does; the tree tells its dialog.
      const LPARAM root = SendMessageA(control, TVM_GETNEXTITEM, TVGN_ROOT, 0);
      DWORD_PTR done = 0;
      SendMessageTimeoutA(control, TVM_SELECTITEM, TVGN_CARET, root, SMTO_NORMAL, kSendTimeout, &done);
      return (root != 0 && done != 0) || Fail("no tree item selected");
    }
    if (c == "dialog-click") {
      // A click on the dialog itself, just inside the control's top-left corner (for areas that
      // the dialog paints and hit-tests on its own).
      RECT area{};
      GetWindowRect(control, &area);
      MapWindowPoints(nullptr, target_, reinterpret_cast<POINT*>(&area), 2);
      const LPARAM at = MAKELPARAM(area.left + 3, area.top + 3);
      PostMessageA(target_, WM_LBUTTONDOWN, MK_LBUTTON, at);
      return PostMessageA(target_, WM_LBUTTONUP, 0, at) || Fail("post failed");
    }
    if (c == "mouse-click") {
      PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
      return PostMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(2, 2)) || Fail("post failed");
    }
    return Fail("unknown command " + c);
  }

  HWND target_ = nullptr;
};

}  // namespace

int main(int argc, char** argv) {
  setvbuf(stdout, nullptr, _IONBF, 0);
  Driver driver;
  return driver.Run(argc, argv) ? 0 : 1;
}
