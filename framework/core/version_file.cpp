#include "core/version_file.h"

#include <cctype>
#include <climits>

namespace lwf {
namespace {

// One "%d" at `at`: leading white space, an optional sign, at least one digit.
std::optional<int> ReadNumber(std::string_view text, std::size_t& at) {
  while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at]))) ++at;
  bool negative = false;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
  const std::size_t first = at;
  long long value = 0;
  for (; at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])); ++at) {
    value = value * 10 + (text[at] - '0');
    if (value > INT_MAX) return std::nullopt;
  }
  if (at == first) return std::nullopt;
  return static_cast<int>(negative ? -value : value);
}

}  // namespace

std::optional<VersionNumbers> ParseVersionFile(std::string_view text) {
  VersionNumbers numbers{};
  std::size_t at = 0;
  for (std::size_t i = 0; i < numbers.size(); ++i) {
    if (i > 0 && (at >= text.size() || text[at++] != '.')) return std::nullopt;
    const std::optional<int> number = ReadNumber(text, at);
    if (!number) return std::nullopt;
    numbers[i] = *number;
  }
  return numbers;
}

bool IsNewVersion(const VersionNumbers& published, const int (&own)[3]) {
  for (std::size_t i = 0; i < published.size(); ++i) {
    if (published[i] != own[i]) return true;
  }
  return false;
}

}  // namespace lwf
