// Which entries of a listing a menu level shows, at which menu positions, and where its columns
// break. FillLevel inserts exactly these items and the submenu worker walks exactly these.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace quillo {

// No menu level holds more items than this.
constexpr int kMaxLevelItems = 1024;

struct LevelLayoutInput {
  int firstEntry = 0;                   // display-order index the menu starts at
  std::span<const std::int32_t> order;  // the listing's display order (entry indexes)
  int itemsPerColumn = 1;
  bool multiColumn = false;
};

struct LevelItem {
  int orderIndex = 0;  // k: the display-order index shown
  int position = 0;    // i: the item's position in the level's popup, which starts empty
                       // (inserting by k, as a continuation menu may, appends to the same place)
  int entryIndex = 0;  // the entry the item shows, for its ItemId
  bool menuBarBreak = false;  // the item starts a further column
};

// The i-th item of the level (i from 0), or nothing when the level ends before it: at the end of
// the display order, after one column (ItemsPerColumn items) in single-column mode, after 1024
// items, or at an entry index an ItemId cannot name (the item would show another entry).
std::optional<LevelItem> LevelItemAt(const LevelLayoutInput& in, int i);

// The value stored in the parent entry's childState after filling `count` items (at most 127).
int ChildStateFromCount(int count);

// While a level is filled, whether to ask again if the user moved on (pointer off the entry, a
// mouse button down): before the first item, then once kMoveOnCheckMs have passed since the last
// question. Each question costs a round trip to the window system (under Wine a query of the X
// server, costlier than inserting the item), and its answer changes only as fast as a hand
// moves. `now` is a millisecond tick count; it may wrap around.
constexpr std::uint32_t kMoveOnCheckMs = 10;

class MoveOnCheck {
 public:
  bool Due(std::uint32_t now) {
    if (asked_ && now - last_ < kMoveOnCheckMs) return false;
    asked_ = true;
    last_ = now;
    return true;
  }

 private:
  bool asked_ = false;
  std::uint32_t last_ = 0;
};

}  // namespace quillo
