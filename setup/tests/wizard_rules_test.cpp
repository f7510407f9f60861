// The wizard's folder, disk-space and error-answer rules, and line breaks for its controls.
#include "wizard_rules.h"

#include <gtest/gtest.h>

namespace quillo::setup {
namespace {

TEST(WizardRulesTest, OnlyDriveAndNetworkPathsAreAbsolute) {
  for (const char* path : {"C:\\Program Files\\Quillo", "d:\\", "Z:", "\\\\server\\share\\Q"}) {
    EXPECT_TRUE(IsAbsoluteFolderPath(path)) << path;
  }
  for (const char* path : {"Quillo", "Program Files\\Quillo", "\\Program Files", "C:Quillo", "\\\\",
                           "\\\\\\x", "1:\\x", ""}) {
    EXPECT_FALSE(IsAbsoluteFolderPath(path)) << path;
  }
}

TEST(WizardRulesTest, FreeSpaceIsComparedInWholeMegabytesWithoutOverflow) {
  EXPECT_FALSE(HasEnoughFreeSpace(512 * 1024, 1));
  EXPECT_TRUE(HasEnoughFreeSpace(1024 * 1024, 1));
  EXPECT_TRUE(HasEnoughFreeSpace(0, 0));
  EXPECT_TRUE(HasEnoughFreeSpace(0, -1));  // an undefined minimum counts as none
  // 5,000 MB do not fit in 32 bits of bytes: a 4.5 GB drive is still too small.
  EXPECT_FALSE(HasEnoughFreeSpace(4500ull * 1048576, 5000));
  EXPECT_TRUE(HasEnoughFreeSpace(5000ull * 1048576, 5000));
}

TEST(WizardRulesTest, AnswersToErrorMessages) {
  constexpr int kOk = 1, kCancel = 2, kRetry = 4, kNo = 7, kYes = 6;
  EXPECT_EQ(OutcomeOfErrorAnswer(8, kRetry), ErrorOutcome::kRetry);
  EXPECT_EQ(OutcomeOfErrorAnswer(8, kCancel), ErrorOutcome::kEndSetup);
  EXPECT_EQ(OutcomeOfErrorAnswer(9, kOk), ErrorOutcome::kEndSetup);
  EXPECT_EQ(OutcomeOfErrorAnswer(1, kNo), ErrorOutcome::kEndSetup);
  EXPECT_EQ(OutcomeOfErrorAnswer(1, kYes), ErrorOutcome::kContinue);
  // The Task Scheduler message informs only: even OK goes on with the installation.
  EXPECT_EQ(OutcomeOfErrorAnswer(33, kOk), ErrorOutcome::kContinue);
  EXPECT_EQ(OutcomeOfErrorAnswer(33, kRetry), ErrorOutcome::kContinue);
}

TEST(WizardRulesTest, LineBreaksForMultiLineControls) {
  EXPECT_EQ(WithControlLineBreaks("a\\nb", true), "a\r\nb");
  EXPECT_EQ(WithControlLineBreaks("one\ntwo\r\nthree\n", true), "one\r\ntwo\r\nthree\r\n");
  EXPECT_EQ(WithControlLineBreaks("C:\\new\\x\\", true), "C:\r\new\\x\\");
  // An agreement file keeps its backslashes: only its bare line feeds change.
  EXPECT_EQ(WithControlLineBreaks("C:\\new\nend", false), "C:\\new\r\nend");
  EXPECT_EQ(WithControlLineBreaks("", false), "");
}

}  // namespace
}  // namespace quillo::setup
