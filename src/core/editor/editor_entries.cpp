#include "core/editor/editor_entries.h"

#include <algorithm>
#include <utility>

namespace wendlix {

std::vector<std::string> ButtonEntries::BtnValues() const {
  std::vector<std::string> values;
  values.reserve(entries_.size());
  for (const ButtonEntry& e : entries_) values.push_back(e.Value);
  return values;
}

void ButtonEntries::Select(std::optional<std::size_t> row) {
  selected_ = row && *row < entries_.size() ? row : std::nullopt;
}

void ButtonEntries::Assign(std::vector<ButtonEntry> entries) {
  entries_ = std::move(entries);
  selected_.reset();
}

void ButtonEntries::Append(ButtonEntry entry) { entries_.push_back(std::move(entry)); }

void ButtonEntries::Replace(std::size_t row, ButtonEntry entry) {
  if (row < entries_.size()) entries_[row] = std::move(entry);
}

bool ButtonEntries::Remove(std::size_t row) {
  if (row >= entries_.size()) return false;
  entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(row));
  if (entries_.empty())
    selected_.reset();
  else
    selected_ = std::min(row, entries_.size() - 1);
  return true;
}

bool ButtonEntries::MoveUp() {
  if (!CanMoveUp()) return false;
  std::swap(entries_[*selected_], entries_[*selected_ - 1]);
  --*selected_;
  return true;
}

bool ButtonEntries::MoveDown() {
  if (!CanMoveDown()) return false;
  std::swap(entries_[*selected_], entries_[*selected_ + 1]);
  ++*selected_;
  return true;
}

bool ButtonEntries::CanDrop(std::size_t target) const {
  return selected_ && target < entries_.size() && target != *selected_;
}

bool ButtonEntries::Drop(std::size_t target) {
  if (!CanDrop(target)) return false;
  const auto from = entries_.begin() + static_cast<std::ptrdiff_t>(*selected_);
  const auto to = entries_.begin() + static_cast<std::ptrdiff_t>(target);
  if (from < to)
    std::rotate(from, from + 1, to + 1);
  else
    std::rotate(to, from, from + 1);
  selected_ = target;
  return true;
}

}  // namespace wendlix
