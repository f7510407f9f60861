// The framework's state layouts, message box style word and dialog geometry rules.
#include <gtest/gtest.h>

#include "core/app_state.h"
#include "core/dialog_geometry.h"
#include "core/message_box_style.h"

namespace lwf {
namespace {

TEST(AppState, AnOlderVersionSetsTheNewVersionFlagOnce) {
  AppState state = DefaultAppState();
  state.stateVersion = 0;
  state.stateWord = 3;
  EXPECT_TRUE(AdoptAppState(state, 1));
  EXPECT_EQ(state.stateVersion, 1u);
  EXPECT_EQ(state.stateWord, 0u);
  EXPECT_FALSE(AdoptAppState(state, 1)) << "the stored version was updated";
  state.stateWord = 1;
  AdoptAppState(state, 1);
  EXPECT_EQ(state.stateWord, 1u);
}

TEST(MessageBoxStyle, DecodesIconButtonsAndDefault) {
  MessageBoxLayout error = DecodeMessageBoxStyle(kMbIconError | kMbOk);
  EXPECT_EQ(error.icon, MessageIcon::kError);
  ASSERT_EQ(error.buttons.size(), 1u);
  EXPECT_EQ(error.buttons[0].id, kIdOk);
  EXPECT_EQ(error.defaultButton, kIdOk);

  MessageBoxLayout question = DecodeMessageBoxStyle(kMbIconQuestion | kMbYesNoCancel | kMbDefaultNo);
  EXPECT_EQ(question.icon, MessageIcon::kQuestion);
  ASSERT_EQ(question.buttons.size(), 3u);
  EXPECT_EQ(question.buttons[0].id, kIdYes);
  EXPECT_EQ(question.buttons[0].captionIndex, 4);
  EXPECT_EQ(question.buttons[2].id, kIdCancel);
  EXPECT_EQ(question.defaultButton, kIdNo);

  EXPECT_EQ(DecodeMessageBoxStyle(kMbOk | kMbDefaultNo).defaultButton, kIdOk)
      << "a default naming an absent button is ignored";
  EXPECT_EQ(DecodeMessageBoxStyle(0).icon, MessageIcon::kNone);
  EXPECT_EQ(SplitLines("Error initializing the application!\nError code 0x00000001.").size(), 2u);
  EXPECT_EQ(SplitLines("").size(), 1u);
}

TEST(DialogGeometry, CheckBoxOnTheUpperFrameOfAGroup) {
  const Rect group{10, 100, 210, 200};
  EXPECT_TRUE(SitsOnGroupFrame(Rect{18, 96, 120, 106}, group));
  EXPECT_TRUE(SitsOnGroupFrame(Rect{40, 104, 120, 114}, group)) << "left edge within 3 heights";
  EXPECT_FALSE(SitsOnGroupFrame(Rect{41, 100, 120, 110}, group)) << "too far right";
  EXPECT_FALSE(SitsOnGroupFrame(Rect{18, 120, 120, 130}, group)) << "inside the group";
  EXPECT_FALSE(SitsOnGroupFrame(Rect{5, 100, 120, 110}, group)) << "left of the group";
  EXPECT_EQ(CaptionBlankCount(13, 3), 6);
  EXPECT_EQ(CaptionBlankCount(12, 3), 5);
}

TEST(DialogGeometry, MonitorForAPoint) {
  const Rect one[] = {{0, 0, 1024, 768}};
  EXPECT_EQ(ChooseMonitor(one, 1, 5000, 5000), 0u) << "one monitor is used as is";
  const Rect two[] = {{0, 0, 1024, 768}, {1024, 0, 2048, 768}};
  EXPECT_EQ(ChooseMonitor(two, 2, 1500, 10), 1u);
  EXPECT_EQ(ChooseMonitor(two, 2, 2100, 800), 1u) << "nearest corner";
  EXPECT_EQ(ChooseMonitor(two, 2, -50, -50), 0u);
  EXPECT_EQ(ChooseMonitor(two, 0, 0, 0), 0u);
  const Rect clamped = ClampIntoArea(Rect{900, 700, 1100, 800}, one[0]);
  EXPECT_EQ(clamped.left, 824);
  EXPECT_EQ(clamped.top, 668);
}

}  // namespace
}  // namespace lwf
