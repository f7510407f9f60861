// How long a slow medium is left alone before it is enumerated: (50 - menuDelay / 10) rounds of
// 10 ms, none when that is not positive.
#pragma once

#include <cstdint>

namespace quillo {

constexpr std::int32_t kSlowMediaRoundMs = 10;

constexpr std::int32_t SlowMediaWaitRounds(std::int32_t menuDelay) {
  const std::int32_t rounds = 50 - menuDelay / 10;
  return rounds > 0 ? rounds : 0;
}

}  // namespace quillo
