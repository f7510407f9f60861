#include "wizard_rules.h"

#include "setup_error_code.h"

namespace quillo::setup {
namespace {

constexpr int kAnswerOk = 1;
constexpr int kAnswerCancel = 2;
constexpr int kAnswerNo = 7;

bool IsDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

}  // namespace

bool IsAbsoluteFolderPath(const char* path) {
  if (path[0] == '\\' && path[1] == '\\') return path[2] != '\0' && path[2] != '\\';
  return IsDriveLetter(path[0]) && path[1] == ':' && (path[2] == '\0' || path[2] == '\\');
}

bool HasEnoughFreeSpace(std::uint64_t freeBytes, int minFreeMb) {
  if (minFreeMb <= 0) return true;
  return freeBytes >= static_cast<std::uint64_t>(minFreeMb) * 1048576u;
}

ErrorOutcome OutcomeOfErrorAnswer(int code, int answer) {
  if (code == kTaskSchedulerFailed) return ErrorOutcome::kContinue;
  if (answer == kAnswerRetry) return ErrorOutcome::kRetry;
  if (answer == kAnswerOk || answer == kAnswerCancel || answer == kAnswerNo) {
    return ErrorOutcome::kEndSetup;
  }
  return ErrorOutcome::kContinue;
}

std::string WithControlLineBreaks(const std::string& text, bool backslashN) {
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (backslashN && text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n') {
      out += "\r\n";
      ++i;
    } else if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) {
      out += "\r\n";
    } else {
      out.push_back(text[i]);
    }
  }
  return out;
}

}  // namespace quillo::setup
