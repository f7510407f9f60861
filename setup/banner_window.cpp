#include "banner_window.h"

#include <memory>

#include "setup_state.h"
#include "wizard_control.h"

namespace quillo::setup {
namespace {

constexpr char kBannerClass[] = "CBannerWnd";
constexpr int kImageSize = 48;

struct BannerText {
  char text[MAX_PATH];
  RECT rect;  // in banner coordinates
};

struct Banner {
  Banner() = default;
  Banner(const Banner&) = delete;
  Banner& operator=(const Banner&) = delete;
  ~Banner() {
    if (icon) DestroyIcon(icon);
  }
  BannerText title{};
  BannerText subtitle{};
  HICON icon = nullptr;
};

// The 48 x 48 image of an icon group of the program's resources, or null.
HICON IconOfGroup(int group) {
  HINSTANCE instance = Setup().instance;
  HRSRC groupInfo = FindResourceA(instance, MAKEINTRESOURCEA(group), MAKEINTRESOURCEA(14));
  HGLOBAL groupData = groupInfo ? LoadResource(instance, groupInfo) : nullptr;
  auto* directory = groupData ? static_cast<BYTE*>(LockResource(groupData)) : nullptr;
  if (directory == nullptr) return nullptr;
  const int id =
      LookupIconIdFromDirectoryEx(directory, TRUE, kImageSize, kImageSize, LR_DEFAULTCOLOR);
  HRSRC iconInfo =
      id ? FindResourceA(instance, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(3)) : nullptr;
  HGLOBAL iconData = iconInfo ? LoadResource(instance, iconInfo) : nullptr;
  auto* bits = iconData ? static_cast<BYTE*>(LockResource(iconData)) : nullptr;
  if (bits == nullptr) return nullptr;
  return CreateIconFromResourceEx(bits, SizeofResource(instance, iconInfo), TRUE, 0x00030000,
                                  kImageSize, kImageSize, LR_DEFAULTCOLOR);
}

void DrawLine(HDC dc, const BannerText& line, HFONT font) {
  if (font == nullptr) return;
  const HGDIOBJ old = SelectObject(dc, font);
  RECT rect = line.rect;
  DrawTextA(dc, line.text, -1, &rect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  SelectObject(dc, old);
}

void Paint(HWND window, const Banner& banner) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  RECT client;
  GetClientRect(window, &client);
  FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  DrawLine(dc, banner.title, Setup().titleFont);
  DrawLine(dc, banner.subtitle, Setup().messageFont);
  if (banner.icon) {
    const int width = client.right, height = client.bottom;
    DrawIconEx(dc, width - (height - kImageSize) / 2 - kImageSize, (height - kImageSize) / 2,
               banner.icon, kImageSize, kImageSize, 0, nullptr, DI_NORMAL);
  }
  EndPaint(window, &paint);
}

LRESULT CALLBACK BannerProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  const Banner* banner = ControlData<Banner>(window);
  switch (msg) {
    case WM_PAINT:
      if (banner) {
        Paint(window, *banner);
        return 0;
      }
      break;
    case WM_ERASEBKGND:
      return 1;
    case WM_NCDESTROY:
      FreeControlData<Banner>(window);
      break;
    default:
      break;
  }
  return DefWindowProcA(window, msg, wParam, lParam);
}

RECT ChildRect(HWND page, HWND child) {
  RECT rect;
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

// Takes over the text and the position (relative to `origin`) of a static, and destroys it.
void TakeText(HWND page, int id, POINT origin, BannerText& line) {
  HWND text = GetDlgItem(page, id);
  if (text == nullptr) return;
  GetWindowTextA(text, line.text, sizeof line.text);
  line.rect = ChildRect(page, text);
  OffsetRect(&line.rect, -origin.x, -origin.y);
  DestroyWindow(text);
}

}  // namespace

void ReplaceWithBanner(HWND page, int placeholderId, int titleId, int subtitleId, int iconGroup) {
  HWND placeholder = GetDlgItem(page, placeholderId);
  if (placeholder == nullptr) return;
  if (!RegisterControlClass(kBannerClass, BannerProc, LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)),
                            nullptr)) {
    return;
  }
  const RECT area = ChildRect(page, placeholder);
  DestroyWindow(placeholder);
  auto banner = std::make_unique<Banner>();
  const POINT origin{area.left, area.top};
  TakeText(page, titleId, origin, banner->title);
  TakeText(page, subtitleId, origin, banner->subtitle);
  banner->icon = IconOfGroup(iconGroup);
  CreateControl(kBannerClass, page, placeholderId, area, std::move(banner));
}

}  // namespace quillo::setup
