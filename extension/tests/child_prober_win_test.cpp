// The worker's child probes on the prober's thread: the same answers as the model's probe, and a
// stop request that ends the wait for a long probe at once instead of when the shell is done: a
// folder of files none of which is shown (only folders are, as with an empty extension list)
// is probed name by name to its end.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>

#include "folder_tree.h"
#include "menu/child_prober.h"
#include "model_context.h"
#include "options_record.h"
#include "shell_test_support.h"
#include "system_colors.h"

namespace quillo {
namespace {

using test::Tree;
using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The item model as the extension sets it up, with the default options or with files hidden;
// it lives as long as the process, as a prober's thread left running may need it after its test
// has ended.
ModelContext& Model(bool filesShown = true) {
  static OptionsRecord options[2];
  static ModelContext* contexts[2] = {};
  ModelContext*& context = contexts[filesShown ? 1 : 0];
  if (context == nullptr) {
    context = new ModelContext;
    OptionsRecord& chosen = options[filesShown ? 1 : 0];
    InitOptions(chosen, SystemColors{});
    if (!filesShown) chosen.includeExtensions[0] = '\0';
    context->options = &chosen;
    SHGetMalloc(&context->allocator);
  }
  return *context;
}

class ChildProberTest : public ::testing::Test {
 protected:
  void SetUp() override { CoInitializeEx(nullptr, COINIT_MULTITHREADED); }
  void TearDown() override { CoUninitialize(); }

  int Probe(ChildProber& prober, const std::string& path) {
    LPITEMIDLIST list = test::Parse(path);
    const int answer = prober.Probe(list, cancel, abort);
    CoTaskMemFree(list);
    return answer;
  }

  std::atomic<std::uint8_t> cancel{0};
  std::atomic<std::uint8_t> abort{0};
};

TEST_F(ChildProberTest, AnswersAsTheModelsProbe) {
  Tree tree;
  tree.Folder("full");
  tree.File("full\\a.txt", 1);
  tree.Folder("empty");
  ChildProber prober(Model());
  EXPECT_EQ(Probe(prober, tree.Path("full")), 1);
  EXPECT_EQ(Probe(prober, tree.Path("empty")), 0);
  EXPECT_EQ(Probe(prober, tree.Path("full")), 1);  // one prober, many probes
  abort = 1;
  EXPECT_EQ(Probe(prober, tree.Path("full")), -1);
}

TEST_F(ChildProberTest, AStopRequestEndsTheWaitForALongProbe) {
  Tree tree;
  tree.Folder("large");
  // The probe must last long enough to be stopped in the middle: files are added, 4,000 at a
  // time, until a whole probe takes more than 200 ms on this machine. A "desktop.ini" makes the
  // probe ask the shell for every name, the slow way.
  tree.File("large\\desktop.ini", 16);
  double whole = 0;
  int files = 0;
  while (whole <= 200.0 && files < 16000) {
    for (const int end = files + 4000; files < end; ++files) {
      char name[64];
      std::snprintf(name, sizeof name, "large\\file%05d.txt", files);
      HANDLE file = CreateFileA(tree.Path(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
      ASSERT_NE(file, INVALID_HANDLE_VALUE);
      CloseHandle(file);
    }
    const Clock::time_point start = Clock::now();
    {
      ChildProber prober(Model(false));
      ASSERT_EQ(Probe(prober, tree.Path("large")), 0);
    }
    whole = MsSince(start);
  }
  std::printf("a whole probe of %d files: %.0f ms\n", files, whole);
  ASSERT_GT(whole, 200.0) << "too short a probe to tell";

  ChildProber prober(Model(false));
  double requested = 0;
  const Clock::time_point start = Clock::now();
  std::thread stopper([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    requested = MsSince(start);
    abort = 1;
  });
  EXPECT_EQ(Probe(prober, tree.Path("large")), -1);
  const double ended = MsSince(start);
  stopper.join();
  std::printf("stop requested after %.0f ms, probe left after %.0f ms\n", requested, ended);
  EXPECT_LT(ended - requested, 100.0);
  EXPECT_LT(ended, whole / 2);
  EXPECT_EQ(Probe(prober, tree.Path("large")), -1);  // a prober that left a probe stays stopped
}

}  // namespace
}  // namespace quillo
