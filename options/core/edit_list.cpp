#include "edit_list.h"

#include <utility>

#include "core/text_compare.h"

namespace quillo {

const char kSeparatorLine[] = "--------------------------------";

bool EditList::Append(const std::string& text, std::intptr_t data) {
  if (Full()) return false;
  lines_.push_back(EditLine{text, data});
  return true;
}

int EditList::Find(const std::string& text) const {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (lwf::EqualsIgnoringCase(lines_[i].text.c_str(), text.c_str())) return static_cast<int>(i);
  }
  return -1;
}

int EditList::InsertAfter(int selected, EditLine line) {
  const int index = Valid(selected) ? selected + 1 : 0;
  lines_.insert(lines_.begin() + index, std::move(line));
  return index;
}

EditList::Insertion EditList::InsertItem(int selected, const std::string& text, std::intptr_t data) {
  const int existing = Find(text);
  if (existing >= 0) return {existing, false};
  if (Full()) return {-1, false};
  return {InsertAfter(selected, EditLine{text, data}), true};
}

int EditList::InsertSeparator(int selected) {
  if (Full()) return -1;
  return InsertAfter(selected, EditLine{kSeparatorLine, kSeparatorData});
}

int EditList::Remove(int selected, EditLine* removed) {
  if (!Valid(selected)) return -1;
  if (removed != nullptr) *removed = lines_[selected];
  lines_.erase(lines_.begin() + selected);
  return Valid(selected) ? selected : -1;
}

int EditList::MoveUp(int selected) {
  if (!Valid(selected)) return -1;
  if (selected == 0) return selected;
  std::swap(lines_[selected], lines_[selected - 1]);
  return selected - 1;
}

int EditList::MoveDown(int selected) {
  if (!Valid(selected)) return -1;
  if (!Valid(selected + 1)) return selected;
  std::swap(lines_[selected], lines_[selected + 1]);
  return selected + 1;
}

}  // namespace quillo
