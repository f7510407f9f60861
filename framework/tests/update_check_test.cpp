// The version file and the stored check state: what counts as a version, as new, as due and as
// announced before.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "core/update_check_state.h"
#include "core/version_file.h"

namespace lwf {
namespace {

const int kOwn[3] = {5, 3, 3};

TEST(VersionFile, ReadsThreeNumbersLikeScanf) {
  EXPECT_EQ(ParseVersionFile("5.3.4"), (VersionNumbers{5, 3, 4}));
  EXPECT_EQ(ParseVersionFile(" \r\n6.0.12 (2026-01-01)\r\nnotes"), (VersionNumbers{6, 0, 12}));
  EXPECT_EQ(ParseVersionFile("5. 3.\t4"), (VersionNumbers{5, 3, 4}));
  EXPECT_EQ(ParseVersionFile("-1.+2.3"), (VersionNumbers{-1, 2, 3}));
  for (const char* bad : {"", "5.3", "5.3.", "5..3.4", "v5.3.4", "5,3,4", "5 .3.4", "99999999999.1.1", "5.3.x"}) {
    EXPECT_FALSE(ParseVersionFile(bad)) << bad;
  }
}

TEST(VersionFile, AnyDifferenceIsANewVersion) {
  EXPECT_FALSE(IsNewVersion({5, 3, 3}, kOwn));
  EXPECT_TRUE(IsNewVersion({5, 3, 2}, kOwn)) << "a lower build counts too";
  EXPECT_TRUE(IsNewVersion({5, 4, 3}, kOwn));
  EXPECT_TRUE(IsNewVersion({4, 3, 3}, kOwn));
}

TEST(UpdateCheckState, OnceADayUnlessSwitchedOff) {
  UpdateCheckState state{};
  EXPECT_TRUE(AutomaticCheckDue(state, 1'700'000'000)) << "never checked";
  RecordCheck(state, "5.3.4", 1'700'000'000);
  EXPECT_FALSE(AutomaticCheckDue(state, 1'700'000'000 + kCheckInterval));
  EXPECT_TRUE(AutomaticCheckDue(state, 1'700'000'000 + kCheckInterval + 1));
  EXPECT_FALSE(AutomaticCheckDue(state, 1'600'000'000)) << "a clock set back waits";
  ChooseAutomaticCheck(state, false);
  EXPECT_EQ(state.lastCheck, kAutomaticCheckOff);
  EXPECT_FALSE(AutomaticCheckDue(state, 2'000'000'000));
  RecordCheck(state, "5.3.5", 1'800'000'000);
  EXPECT_EQ(state.lastCheck, kAutomaticCheckOff) << "a manual check keeps the choice";
  EXPECT_STREQ(state.versionText, "5.3.5");
  ChooseAutomaticCheck(state, true);
  EXPECT_EQ(state.lastCheck, 0) << "switched on again: the next trigger checks at once";
  state.lastCheck = 1234;
  ChooseAutomaticCheck(state, true);
  EXPECT_EQ(state.lastCheck, 1234);
}

TEST(UpdateCheckState, DamagedTimeInTheFileStillDecides) {
  // A "(LWF)UpdateCheck" whose time lies before any real clock: the check is due, and working
  // that out must not overflow (found by fuzzing; the sanitizers stop the test on overflow).
  UpdateCheckState state{};
  state.lastCheck = INT64_MIN;
  EXPECT_TRUE(AutomaticCheckDue(state, 1'700'000'000));
  state.lastCheck = -100'000;
  EXPECT_TRUE(AutomaticCheckDue(state, 0));
  state.lastCheck = INT64_MAX;
  EXPECT_FALSE(AutomaticCheckDue(state, 1'700'000'000)) << "a time in the future waits";
}

TEST(UpdateCheckState, StoredTextDecidesTheAnnouncement) {
  UpdateCheckState state;
  std::memset(&state, 0x7F, sizeof state);  // a stored text without terminator stays in bounds
  EXPECT_FALSE(AlreadyAnnounced(state, "5.3.4"));
  const std::string longText(400, '9');
  RecordCheck(state, longText, 5);
  EXPECT_EQ(std::string(state.versionText), std::string(259, '9'));
  EXPECT_EQ(state.versionText[263], '\0');
  EXPECT_TRUE(AlreadyAnnounced(state, longText)) << "compared as stored, cut to 259";
  RecordCheck(state, std::string("5.3.4\n\0tail", 11), 5);
  EXPECT_STREQ(state.versionText, "5.3.4\n");
  EXPECT_TRUE(AlreadyAnnounced(state, "5.3.4\n"));
  EXPECT_FALSE(AlreadyAnnounced(state, "5.3.4"));
  EXPECT_FALSE(AlreadyAnnounced(state, "5.3.5\n"));
}

}  // namespace
}  // namespace lwf
