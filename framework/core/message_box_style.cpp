#include "message_box_style.h"

namespace lwf {
namespace {

MessageIcon IconOf(std::uint32_t style) {
  if (style & kMbIconError) return MessageIcon::kError;
  if (style & kMbIconExclamation) return MessageIcon::kExclamation;
  if (style & kMbIconInformation) return MessageIcon::kInformation;
  if (style & kMbIconQuestion) return MessageIcon::kQuestion;
  return MessageIcon::kNone;
}

std::vector<MessageButton> ButtonsOf(std::uint32_t style) {
  const MessageButton ok{kIdOk, 0}, cancel{kIdCancel, 1}, yes{kIdYes, 4}, no{kIdNo, 5};
  if (style & kMbYesNoCancel) return {yes, no, cancel};
  if (style & kMbYesNo) return {yes, no};
  if (style & kMbOkCancel) return {ok, cancel};
  return {ok};
}

}  // namespace

MessageBoxLayout DecodeMessageBoxStyle(std::uint32_t style) {
  MessageBoxLayout layout{IconOf(style), ButtonsOf(style), 0};
  layout.defaultButton = layout.buttons.front().id;
  const struct {
    std::uint32_t bit;
    int id;
  } defaults[] = {{kMbDefaultOk, kIdOk}, {kMbDefaultCancel, kIdCancel}, {kMbDefaultYes, kIdYes}, {kMbDefaultNo, kIdNo}};
  for (const auto& d : defaults) {
    if (!(style & d.bit)) continue;
    for (const auto& button : layout.buttons) {
      if (button.id == d.id) layout.defaultButton = d.id;
    }
  }
  return layout;
}

std::vector<std::string> SplitLines(const char* text) {
  std::vector<std::string> lines(1);
  for (const char* p = text == nullptr ? "" : text; *p != '\0'; ++p) {
    if (*p == '\n') {
      lines.emplace_back();
    } else if (*p != '\r') {
      lines.back().push_back(*p);
    }
  }
  return lines;
}

}  // namespace lwf
