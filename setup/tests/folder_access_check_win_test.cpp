// The folder access check: CheckFolderAccess.exe copied into the install folder, run as the
// desktop user (the owner of a stand-in "Progman" window), its verdict, and the copy removed.
#include "folder_access_check.h"
#include "setup_win_test_support.h"

namespace quillo::setup::test {
namespace {

LRESULT CALLBACK DesktopProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, msg, wParam, lParam);
}

// This process owns the desktop window, as Explorer would: its token is the desktop user's.
class DesktopStandIn {
 public:
  DesktopStandIn() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DesktopProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "Progman";
    RegisterClassA(&windowClass);
    window_ = CreateWindowExA(0, "Progman", "Program Manager", WS_POPUP, 0, 0, 1, 1, nullptr,
                              nullptr, GetModuleHandleA(nullptr), nullptr);
  }
  ~DesktopStandIn() {
    if (window_) DestroyWindow(window_);
  }
  DesktopStandIn(const DesktopStandIn&) = delete;
  DesktopStandIn& operator=(const DesktopStandIn&) = delete;
  bool ready() const { return window_ != nullptr; }

 private:
  HWND window_;
};

class FolderAccessCheck : public SetupStateTest {
 protected:
  void SetUp() override {
    SetupStateTest::SetUp();
    GetCurrentDirectoryA(sizeof previous_, previous_);
    setup::Setup().variables.Set("#INSTALLPATH#", (install.path() + "\\").c_str());
  }
  void TearDown() override { SetCurrentDirectoryA(previous_); }

  // The checker lies loose in the current directory, as beside an unpacked Setup.
  void ProvideChecker() {
    ASSERT_TRUE(
        CopyFileA(BuiltChecker().c_str(), (source / "CheckFolderAccess.exe").c_str(), FALSE))
        << BuiltChecker();
    SetCurrentDirectoryA(source.path().c_str());
  }

  ScratchFolder install{"access_install"};
  ScratchFolder source{"access_source"};
  ScratchFolder data{"access_data"};
  DesktopStandIn desktop;
  char previous_[MAX_PATH] = "";
};

TEST_F(FolderAccessCheck, WritableFolderPassesAndTheCheckerIsRemoved) {
  ASSERT_TRUE(desktop.ready());
  ProvideChecker();
  EXPECT_EQ(CheckFolderAccess(data.path().c_str()), kFolderWritable);
  EXPECT_FALSE(FileExists(install / "CheckFolderAccess.exe"));
  EXPECT_FALSE(FileExists(data / "test.tmp"));
}

TEST_F(FolderAccessCheck, MissingFolderIsNotWritable) {
  ASSERT_TRUE(desktop.ready());
  ProvideChecker();
  EXPECT_EQ(CheckFolderAccess((data / "no such folder").c_str()), kFolderNotWritable);
  EXPECT_FALSE(FileExists(install / "CheckFolderAccess.exe"));
}

TEST_F(FolderAccessCheck, WithoutCheckerTheCheckIsUnavailable) {
  SetCurrentDirectoryA(source.path().c_str());  // no loose checker, and this program has no payload
  EXPECT_EQ(CheckFolderAccess(data.path().c_str()), kFolderCheckUnavailable);
}

}  // namespace
}  // namespace quillo::setup::test
