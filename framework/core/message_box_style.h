// The style word of LwfMessageBox decoded into what the dialog shows.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lwf {

enum MessageBoxStyle : std::uint32_t {
  kMbIconError = 0x1,
  kMbIconExclamation = 0x2,
  kMbIconInformation = 0x4,
  kMbIconQuestion = 0x8,
  kMbOk = 0x10,
  kMbOkCancel = 0x20,
  kMbYesNo = 0x40,
  kMbYesNoCancel = 0x80,
  kMbBoldFirstLine = 0x100,
  kMbDefaultOk = 0x200,
  kMbDefaultCancel = 0x400,
  kMbDefaultYes = 0x800,
  kMbDefaultNo = 0x1000,
  kMbClassIcon2 = 0x2000,
};

enum ButtonId : int { kIdOk = 1, kIdCancel = 2, kIdYes = 6, kIdNo = 7 };

enum class MessageIcon { kNone, kError, kExclamation, kInformation, kQuestion };

struct MessageButton {
  int id;
  int captionIndex;  // index into framework text 0xF200
};

struct MessageBoxLayout {
  MessageIcon icon;
  std::vector<MessageButton> buttons;
  int defaultButton;
};

// Icons follow the lowest set bit of 0x000F; buttons default to OK alone; the default button is
// the one named by 0x1E00 when present, else the first.
MessageBoxLayout DecodeMessageBoxStyle(std::uint32_t style);

// The text split at line feeds.
std::vector<std::string> SplitLines(const char* text);

}  // namespace lwf
