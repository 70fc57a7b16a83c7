// The buttons page's list: each row's caption, value and image in one entry, with the
// selection. Adding, removing and moving act on the entry as a whole, so the captions
// (BtnNames), the values (BtnValues) and the rows can never drift apart.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace wendlix {

struct ButtonEntry {
  std::string Name;   // the row's caption, the key in the button section
  std::string Value;  // kind 0: file name in the group folder; kinds 1, 2: the address
  int ImageIndex = 0;
  bool operator==(const ButtonEntry&) const = default;
};

// What an operation did to the rows, so that a list view can follow without rebuilding.
struct RowChange {
  enum class Kind : std::uint8_t { kNone, kRebuilt, kAppended, kReplaced, kRemoved, kSwapped, kMoved };
  Kind What = Kind::kNone;
  std::size_t From = 0;  // kReplaced, kRemoved: the row; kSwapped, kMoved: the row that moved
  std::size_t To = 0;    // kSwapped, kMoved: where it went
  bool operator==(const RowChange&) const = default;
};

class ButtonEntries {
 public:
  ButtonEntries() = default;
  explicit ButtonEntries(std::vector<ButtonEntry> entries) : entries_(std::move(entries)) {}

  const std::vector<ButtonEntry>& Entries() const { return entries_; }
  std::size_t Count() const { return entries_.size(); }
  bool Empty() const { return entries_.empty(); }
  const ButtonEntry& operator[](std::size_t i) const { return entries_[i]; }
  std::vector<std::string> BtnValues() const;

  std::optional<std::size_t> Selected() const { return selected_; }
  // A row past the end selects nothing.
  void Select(std::optional<std::size_t> row);

  // Replaces every entry; nothing is selected afterwards.
  void Assign(std::vector<ButtonEntry> entries);
  // Appends without changing the selection.
  void Append(ButtonEntry entry);
  void Replace(std::size_t row, ButtonEntry entry);
  // Removes a row; the same index stays selected, or the last row when it was the last,
  // or nothing when the list is now empty. False for a row past the end.
  bool Remove(std::size_t row);

  // Moves by one place exist only inside the list, so a repeating button stops at an end.
  bool CanMoveUp() const { return selected_ && *selected_ > 0; }
  bool CanMoveDown() const { return selected_ && *selected_ + 1 < entries_.size(); }
  // The selected entry changes place with its neighbour and stays selected.
  bool MoveUp();
  bool MoveDown();

  // A drag of the selected row onto another row.
  bool CanDrop(std::size_t target) const;
  // The selected entry goes to `target`, those between shift one place toward where it
  // was; `target` is selected afterwards.
  bool Drop(std::size_t target);

 private:
  std::vector<ButtonEntry> entries_;
  std::optional<std::size_t> selected_;
};

}  // namespace wendlix
