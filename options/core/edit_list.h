// The lines of the Favorites editor: a text and a data word per line, at most a capacity of
// lines, with the editor's insertion, removal and moving rules. Selections are line indexes,
// -1 for none.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace quillo {

// The line shown for a separator (32 hyphens) and the data word it carries.
extern const char kSeparatorLine[];
constexpr std::intptr_t kSeparatorData = -1;

struct EditLine {
  std::string text;
  std::intptr_t data;
};

class EditList {
 public:
  explicit EditList(std::size_t capacity) : capacity_(capacity) {}

  const std::vector<EditLine>& lines() const { return lines_; }
  bool Full() const { return lines_.size() >= capacity_; }

  // Adds a line at the end, as the editor does when it opens; false when full.
  bool Append(const std::string& text, std::intptr_t data);

  // Index of the line with exactly this text, letter case ignored; -1 when there is none.
  int Find(const std::string& text) const;

  // A new item after the selected line (at the top with no selection). When a line with its text
  // exists already, nothing is inserted and that line's index is returned with inserted false;
  // when the list is full the result is {-1, false}.
  struct Insertion {
    int index;
    bool inserted;
  };
  Insertion InsertItem(int selected, const std::string& text, std::intptr_t data);

  // A separator after the selected line; its index, or -1 when full. Separators are never merged.
  int InsertSeparator(int selected);

  // Removes the selected line into removed; returns the line that now has its index, or -1.
  int Remove(int selected, EditLine* removed);

  // Moves the selected line one place; returns its new index (unchanged at the ends, -1 with no
  // selection).
  int MoveUp(int selected);
  int MoveDown(int selected);

 private:
  bool Valid(int index) const { return index >= 0 && static_cast<std::size_t>(index) < lines_.size(); }
  int InsertAfter(int selected, EditLine line);

  std::size_t capacity_;
  std::vector<EditLine> lines_;
};

}  // namespace quillo
