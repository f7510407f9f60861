// "(LWF)UpdateCheck": the version text last downloaded and the time of the last successful check,
// and the rules built on them (the once-a-day automatic check, the announcement of a version).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace lwf {

constexpr std::size_t kVersionTextSize = 264;
constexpr std::size_t kMaxVersionText = 259;
constexpr std::int64_t kAutomaticCheckOff = -1;
constexpr std::int64_t kCheckInterval = 86400;  // seconds

#pragma pack(push, 1)
struct UpdateCheckState {
  char versionText[kVersionTextSize];  // NUL-terminated, at most 259 characters
  std::int64_t lastCheck;              // seconds since 1970; -1: automatic check switched off
};
#pragma pack(pop)

static_assert(sizeof(UpdateCheckState) == 272);
static_assert(offsetof(UpdateCheckState, lastCheck) == 264);

// The automatic check runs when it is on and more than a day has passed since the last one; a
// stored time in the future (a clock set back) waits as well.
bool AutomaticCheckDue(const UpdateCheckState& state, std::int64_t now);

// The body as text: up to its first zero byte, at most 259 characters.
std::string_view VersionText(std::string_view body);

// A version found by an automatic check is announced unless the same text was announced before.
bool AlreadyAnnounced(const UpdateCheckState& state, std::string_view text);

// Stores the downloaded text (cut to 259 characters, the rest zero) and the time of the check;
// a switched-off automatic check stays switched off.
void RecordCheck(UpdateCheckState& state, std::string_view text, std::int64_t now);

// The "Automatic update check" choice: switched off stores -1; switched on from off stores 0 so
// that the next automatic trigger checks at once; otherwise the time stays.
void ChooseAutomaticCheck(UpdateCheckState& state, bool on);

}  // namespace lwf
