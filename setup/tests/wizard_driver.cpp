// Drives Setup's wizard from outside as a user would: finds the wizard frame by its title and
// the page that shows a control, clicks buttons, types folders, answers message boxes and checks
// what the controls show. Usage: setup_wizard_driver <command> [arguments] ... ; the first
// failing command ends the run with exit code 1 and a message on stdout.
//   page <frame title> <control id> <timeout ms>   wait for the page holding the control
//   click <id> | settext <id> <text> | print-text <id>
//   expect-text <id> <text> | expect-check <id> 0|1 | expect-visible <id> 0|1
//   message <title> <text part> <button id> <timeout ms>   answer a message box
//   gone <timeout ms>                              wait until the frame has closed
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr int kMessageTextId = 0xFFFF;  // the text of a message box

bool IsDialog(HWND window) {
  char className[16] = "";
  return GetClassNameA(window, className, sizeof className) &&
         std::strcmp(className, "#32770") == 0;
}

std::string TextOf(HWND window) {
  char text[2048] = "";
  SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_NORMAL,
                      5000, nullptr);
  return text;
}

struct PageSearch {
  int controlId;
  HWND page;
};

BOOL CALLBACK FindPage(HWND child, LPARAM data) {
  auto* search = reinterpret_cast<PageSearch*>(data);
  if (IsDialog(child) && IsWindowVisible(child) && GetDlgItem(child, search->controlId)) {
    search->page = child;
    return FALSE;
  }
  return TRUE;
}

struct BoxSearch {
  const char* title;
  const char* part;
  HWND box;
};

BOOL CALLBACK FindBox(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<BoxSearch*>(data);
  HWND text = GetDlgItem(window, kMessageTextId);
  if (IsDialog(window) && IsWindowVisible(window) && text && TextOf(window) == search->title &&
      TextOf(text).find(search->part) != std::string::npos) {
    search->box = window;
    return FALSE;
  }
  return TRUE;
}

class Driver {
 public:
  bool Run(int argc, char** argv) {
    for (int i = 1; i < argc;) {
      const std::string command = argv[i++];
      const int count = ArgumentCount(command);
      if (count < 0) return Fail("unknown command " + command);
      if (i + count > argc) return Fail("too few arguments for " + command);
      std::printf("%s\n", command.c_str());
      if (!Step(command, argv + i)) return false;
      i += count;
    }
    return true;
  }

 private:
  static int ArgumentCount(const std::string& c) {
    if (c == "click" || c == "print-text" || c == "gone") return 1;
    if (c == "settext" || c == "expect-text" || c == "expect-check" || c == "expect-visible") {
      return 2;
    }
    if (c == "page") return 3;
    if (c == "message") return 4;
    return -1;
  }

  static bool Fail(const std::string& why) {
    std::printf("FAIL: %s\n", why.c_str());
    return false;
  }

  bool FindPageOf(const char* title, int controlId, int timeout) {
    for (int waited = 0; waited <= timeout; waited += 100) {
      frame_ = FindWindowA("#32770", title);
      PageSearch search{controlId, nullptr};
      if (frame_) EnumChildWindows(frame_, FindPage, reinterpret_cast<LPARAM>(&search));
      if (search.page) {
        page_ = search.page;
        return true;
      }
      Sleep(100);
    }
    return Fail(std::string("no page with control ") + std::to_string(controlId) + " in \"" +
                title + "\"");
  }

  static bool Answer(const char* title, const char* part, int button, int timeout) {
    for (int waited = 0; waited <= timeout; waited += 100) {
      BoxSearch search{title, part, nullptr};
      EnumWindows(FindBox, reinterpret_cast<LPARAM>(&search));
      if (search.box) {
        HWND answer = GetDlgItem(search.box, button);
        if (answer == nullptr) return Fail("the message has no button " + std::to_string(button));
        return PostMessageA(answer, BM_CLICK, 0, 0) || Fail("click failed");
      }
      Sleep(100);
    }
    return Fail(std::string("no message \"") + title + "\" saying \"" + part + "\"");
  }

  bool Gone(int timeout) {
    for (int waited = 0; waited <= timeout; waited += 100) {
      if (!IsWindow(frame_)) return true;
      Sleep(100);
    }
    return Fail("the wizard is still open");
  }

  bool Step(const std::string& c, char** a) {
    if (c == "page") return FindPageOf(a[0], std::atoi(a[1]), std::atoi(a[2]));
    if (c == "message") return Answer(a[0], a[1], std::atoi(a[2]), std::atoi(a[3]));
    if (c == "gone") return Gone(std::atoi(a[0]));
    if (page_ == nullptr) return Fail("no page found yet");
    HWND control = GetDlgItem(page_, std::atoi(a[0]));
    if (control == nullptr) return Fail(std::string("no control ") + a[0]);
    if (c == "click") return PostMessageA(control, BM_CLICK, 0, 0) || Fail("click failed");
    if (c == "settext") {
      SendMessageTimeoutA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(a[1]), SMTO_NORMAL, 5000,
                          nullptr);
      return true;
    }
    if (c == "print-text") {
      std::printf("text: %s\n", TextOf(control).c_str());
      return true;
    }
    if (c == "expect-text")
      return TextOf(control) == a[1] || Fail("text is \"" + TextOf(control) + "\"");
    if (c == "expect-check") {
      const bool checked = SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
      return checked == (std::atoi(a[1]) != 0) || Fail(checked ? "checked" : "not checked");
    }
    const bool visible = IsWindowVisible(control);
    return visible == (std::atoi(a[1]) != 0) || Fail(visible ? "visible" : "hidden");
  }

  HWND frame_ = nullptr;
  HWND page_ = nullptr;
};

}  // namespace

int main(int argc, char** argv) {
  setvbuf(stdout, nullptr, _IONBF, 0);
  return Driver().Run(argc, argv) ? 0 : 1;
}
