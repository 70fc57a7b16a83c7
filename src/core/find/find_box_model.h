// What the find box holds and how keys and the mouse change it: the query, the buttons it
// finds (best first), the chosen row and the first row shown. Every keystroke matches the
// query against an index built once when the box opens; nothing is read from disk.
//
// The chosen row follows its button when the list is found again after a keystroke, and
// goes to the first row when that button is no longer found. Up and Down stop at the ends
// of the list, as the arrows stop at the bar's ends; PageUp and PageDown move a page.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/find/find_match.h"
#include "core/find/find_rank.h"

namespace wendlix {

enum class FindBoxKey { kUp, kDown, kPageUp, kPageDown, kHome, kEnd, kEnter, kEscape, kBackspace };

// What the owner is asked to do after a key or a click.
struct FindBoxAction {
  enum class Kind { kNone, kLaunch, kClose } What = Kind::kNone;
  std::size_t Candidate = 0;  // kLaunch: index into the candidates
  friend bool operator==(const FindBoxAction&, const FindBoxAction&) = default;
};

// What the list area shows when it shows no row.
enum class FindBoxStatus { kRows, kNoButtons, kEmptyQuery, kNoMatch };

class FindBoxModel {
 public:
  FindBoxModel() = default;
  FindBoxModel(std::vector<FindCandidate> candidates, int visibleRows);

  // More buttons, found from now on; the chosen row keeps its button.
  void Add(std::vector<FindCandidate> more);
  // Appends typed text; control characters are left out.
  void Type(std::string_view utf8);
  FindBoxAction Key(FindBoxKey key);
  // The mouse over row `row` of the page shown (0 is the top row shown); false when that
  // changed nothing.
  bool Hover(int row);
  FindBoxAction Click(int row);
  // The wheel: moves the page by `rows` (down when positive), not the chosen row.
  bool Scroll(int rows);
  void SetVisibleRows(int rows);

  const std::string& Query() const { return query_; }
  const std::vector<FindCandidate>& Candidates() const { return candidates_; }
  std::size_t RowCount() const { return hits_.size(); }
  // The candidate shown in list row `row` (0 is the best match).
  std::size_t CandidateAt(std::size_t row) const { return hits_[row].Name; }
  std::optional<std::size_t> Selected() const { return selected_; }
  std::size_t Top() const { return top_; }
  int VisibleRows() const { return visibleRows_; }
  FindBoxStatus Status() const;

  // One line per fact, tab-separated, for tests and tools:
  //   query    <text>
  //   status   rows|no-buttons|empty-query|no-match
  //   count    <rows found> <first row shown> <chosen row, -1 for none>
  //   row      <list row> <candidate> <chosen 0|1> <name> <group title>   (the rows shown)
  std::string Describe() const;

 private:
  void Find();
  void Select(std::size_t row);
  void ClampTop();

  std::vector<FindCandidate> candidates_;
  FindIndex index_;
  std::string query_;
  std::vector<FindHit> hits_;
  std::optional<std::size_t> selected_;
  std::size_t top_ = 0;
  int visibleRows_ = 1;
};

}  // namespace wendlix
