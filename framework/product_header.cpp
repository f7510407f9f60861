#include "product_header.h"

#include <cstdio>
#include <initializer_list>

#include "framework_dialog_ids.h"
#include "framework_window.h"
#include "hyperlink.h"
#include "lwf_app.h"

namespace lwf {

void ShowProductHeader(HWND dialog, const char* lineFormat) {
  const LwfApp& app = App();
  char line[MAX_PATH];
  std::snprintf(line, sizeof line, lineFormat, app.productName, app.version[0], app.version[1], app.version[2]);
  SetDlgItemTextA(dialog, IDC_LWF_PRODUCT_LINE, line);
  SetDlgItemTextA(dialog, IDC_LWF_MAKER, Text(kTextProductInfo, 1));
  AttachHyperlink(dialog, IDC_LWF_VENDOR_LINK, Text(kTextProductInfo, 2));
  for (int id : {IDC_LWF_ICON, IDC_LWF_ICON2}) {
    SendDlgItemMessageA(dialog, id, STM_SETICON, reinterpret_cast<WPARAM>(app.programIcon), 0);
  }
  UseSemibold(dialog, {IDC_LWF_PRODUCT_LINE});
}

void ShowHelpTopic() { ForwardToMainWindow(LWFM_HELP, 0, reinterpret_cast<LPARAM>("About")); }

void UseSemibold(HWND dialog, std::initializer_list<int> ids) {
  for (int id : ids) SendDlgItemMessageA(dialog, id, WM_SETFONT, reinterpret_cast<WPARAM>(App().fonts.semibold), FALSE);
}

}  // namespace lwf
