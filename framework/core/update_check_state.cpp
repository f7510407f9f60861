#include "core/update_check_state.h"

#include <algorithm>
#include <cstring>

namespace lwf {
namespace {

std::string_view StoredText(const UpdateCheckState& state) {
  const char* end = std::find(state.versionText, state.versionText + kMaxVersionText, '\0');
  return std::string_view(state.versionText, static_cast<std::size_t>(end - state.versionText));
}

}  // namespace

bool AutomaticCheckDue(const UpdateCheckState& state, std::int64_t now) {
  if (state.lastCheck == kAutomaticCheckOff || now < state.lastCheck) return false;
  // The stored time comes from a file: far in the past, the signed difference would overflow.
  return static_cast<std::uint64_t>(now) - static_cast<std::uint64_t>(state.lastCheck) >
         static_cast<std::uint64_t>(kCheckInterval);
}

std::string_view VersionText(std::string_view body) {
  const std::size_t end = std::min(body.find('\0'), kMaxVersionText);
  return body.substr(0, end);
}

bool AlreadyAnnounced(const UpdateCheckState& state, std::string_view text) {
  return StoredText(state) == VersionText(text);
}

void RecordCheck(UpdateCheckState& state, std::string_view text, std::int64_t now) {
  const std::string_view stored = VersionText(text);
  std::memset(state.versionText, 0, sizeof state.versionText);
  std::memcpy(state.versionText, stored.data(), stored.size());
  // A manual check must not switch the automatic one back on.
  if (state.lastCheck != kAutomaticCheckOff) state.lastCheck = now;
}

void ChooseAutomaticCheck(UpdateCheckState& state, bool on) {
  if (!on) {
    state.lastCheck = kAutomaticCheckOff;
  } else if (state.lastCheck == kAutomaticCheckOff) {
    state.lastCheck = 0;
  }
}

}  // namespace lwf
