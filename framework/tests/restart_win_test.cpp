// The restart request: what it records and that it ends the message loop.
#include "restart.h"

#include <shlobj.h>

#include <gtest/gtest.h>

#include "core/bounded_text.h"
#include "lwf_app.h"

namespace lwf {
namespace {

bool TakeQuitMessage() {
  MSG quit;
  return PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
}

TEST(Restart, RecordsKindArgumentsAndBroadcastAndPostsQuit) {
  App().windowsVersion = 610;
  CopyText(App().commandLine, sizeof App().commandLine, "-AUTOSTART \"C:\\a b\"");
  RequestRestart(kRestartElevated, "-SAVEASADMIN", true);
  EXPECT_TRUE(TakeQuitMessage());
  EXPECT_EQ(App().restart.kind, kRestartElevated);
  EXPECT_STREQ(App().restart.arguments, "-SAVEASADMIN");
  EXPECT_TRUE(App().restart.broadcast);

  RequestRestart(kRestartAsBefore, nullptr, false);
  EXPECT_TRUE(TakeQuitMessage());
  // Wine runs every program with the administrator's elevated token (IsUserAnAdmin is 1): a
  // restart "as before" must keep those rights rather than start a plain process.
  EXPECT_TRUE(IsUserAnAdmin());
  EXPECT_EQ(App().restart.kind, kRestartElevated);
  EXPECT_STREQ(App().restart.arguments, "-AUTOSTART \"C:\\a b\"") << "the program's own command line";
  EXPECT_FALSE(App().restart.broadcast);
  App().restart = RestartRequest{};
}

TEST(Restart, SystemsBeforeVistaCountAsElevated) {
  App().windowsVersion = 520;
  EXPECT_TRUE(IsElevated());
  App().windowsVersion = 0;
}

}  // namespace
}  // namespace lwf
