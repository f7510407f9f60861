// The hyperlink control replacing a static of a window under Wine.
#include "hyperlink.h"

#include <gtest/gtest.h>

#include <string>

namespace lwf {
namespace {

class Parent {
 public:
  Parent() {
    window_ = CreateWindowExA(0, "STATIC", "parent", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr,
                              nullptr, nullptr);
  }
  ~Parent() { DestroyWindow(window_); }
  HWND AddStatic(int id, const char* text, DWORD style) {
    return CreateWindowExA(0, "STATIC", text, WS_CHILD | WS_VISIBLE | style, 10, 20, 150, 18, window_,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
  }
  HWND get() const { return window_; }

 private:
  HWND window_;
};

std::string ClassOf(HWND window) {
  char name[64] = "";
  GetClassNameA(window, name, sizeof name);
  return name;
}

std::string TextOf(HWND window) {
  char text[260] = "";
  GetWindowTextA(window, text, sizeof text);
  return text;
}

TEST(Hyperlink, ReplacesTheStaticInPlaceWithItsTextOrTheTarget) {
  Parent parent;
  ASSERT_NE(parent.get(), nullptr);
  parent.AddStatic(51010, "Vendor site", SS_CENTER);
  parent.AddStatic(51011, "", SS_LEFT);

  HWND link = AttachHyperlink(parent.get(), 51010, "https://www.larkwell.example/");
  ASSERT_NE(link, nullptr);
  EXPECT_EQ(GetDlgItem(parent.get(), 51010), link);
  EXPECT_EQ(ClassOf(link), "CHyperlinkWnd");
  EXPECT_EQ(TextOf(link), "Vendor site");
  RECT rect;
  GetWindowRect(link, &rect);
  MapWindowPoints(nullptr, parent.get(), reinterpret_cast<POINT*>(&rect), 2);
  EXPECT_EQ(rect.left, 10);
  EXPECT_EQ(rect.top, 20);
  EXPECT_EQ(rect.right - rect.left, 150);

  HWND bare = AttachHyperlink(parent.get(), 51011, "https://www.larkwell.example/");
  ASSERT_NE(bare, nullptr);
  EXPECT_EQ(TextOf(bare), "https://www.larkwell.example/");
  EXPECT_EQ(AttachHyperlink(parent.get(), 4711, "x"), nullptr) << "no such static";
}

}  // namespace
}  // namespace lwf
