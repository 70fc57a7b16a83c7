#include "core/find/find_box_model.h"

#include <algorithm>

#include "core/text/utf8.h"

namespace wendlix {
namespace {

bool IsControl(char32_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }

const char* StatusName(FindBoxStatus s) {
  switch (s) {
    case FindBoxStatus::kRows: return "rows";
    case FindBoxStatus::kNoButtons: return "no-buttons";
    case FindBoxStatus::kEmptyQuery: return "empty-query";
    case FindBoxStatus::kNoMatch: return "no-match";
  }
  return "";
}

}  // namespace

FindBoxModel::FindBoxModel(std::vector<FindCandidate> candidates, int visibleRows)
    : candidates_(std::move(candidates)),
      index_(MakeFindIndex(candidates_)),
      visibleRows_(std::max(visibleRows, 1)) {}

void FindBoxModel::Add(std::vector<FindCandidate> more) {
  if (more.empty()) return;
  candidates_.reserve(candidates_.size() + more.size());
  for (FindCandidate& c : more) {
    index_.Add(c.Name);
    candidates_.push_back(std::move(c));
  }
  if (!query_.empty()) Find();
}

void FindBoxModel::Type(std::string_view utf8) {
  const std::size_t before = query_.size();
  for (std::size_t pos = 0; pos < utf8.size();) {
    const char32_t c = ReadUtf8(utf8, pos);
    if (!IsControl(c)) AppendUtf8(query_, c);
  }
  if (query_.size() != before) Find();
}

FindBoxAction FindBoxModel::Key(FindBoxKey key) {
  const std::size_t count = hits_.size();
  const std::size_t page = static_cast<std::size_t>(visibleRows_);
  switch (key) {
    case FindBoxKey::kEscape: return {FindBoxAction::Kind::kClose};
    case FindBoxKey::kBackspace:
      if (!query_.empty()) {
        std::size_t end = query_.size() - 1;
        while (end > 0 && (static_cast<unsigned char>(query_[end]) & 0xC0) == 0x80) --end;
        query_.resize(end);
        Find();
      }
      return {};
    case FindBoxKey::kEnter:
      if (selected_) return {FindBoxAction::Kind::kLaunch, hits_[*selected_].Name};
      return {};
    default: break;
  }
  if (!selected_) return {};
  const std::size_t at = *selected_;
  switch (key) {
    case FindBoxKey::kUp: Select(at > 0 ? at - 1 : 0); break;
    case FindBoxKey::kDown: Select(std::min(at + 1, count - 1)); break;
    case FindBoxKey::kPageUp: Select(at > page ? at - page : 0); break;
    case FindBoxKey::kPageDown: Select(std::min(at + page, count - 1)); break;
    case FindBoxKey::kHome: Select(0); break;
    case FindBoxKey::kEnd: Select(count - 1); break;
    default: break;
  }
  return {};
}

bool FindBoxModel::Hover(int row) {
  if (row < 0 || row >= visibleRows_) return false;
  const std::size_t at = top_ + static_cast<std::size_t>(row);
  if (at >= hits_.size() || selected_ == at) return false;
  selected_ = at;
  return true;
}

FindBoxAction FindBoxModel::Click(int row) {
  Hover(row);
  if (row < 0 || row >= visibleRows_ || top_ + static_cast<std::size_t>(row) >= hits_.size()) return {};
  return {FindBoxAction::Kind::kLaunch, hits_[*selected_].Name};
}

bool FindBoxModel::Scroll(int rows) {
  const std::size_t before = top_;
  if (rows < 0) {
    const std::size_t up = static_cast<std::size_t>(-static_cast<long long>(rows));
    top_ = top_ > up ? top_ - up : 0;
  } else {
    top_ += static_cast<std::size_t>(rows);
    ClampTop();
  }
  return top_ != before;
}

void FindBoxModel::SetVisibleRows(int rows) {
  visibleRows_ = std::max(rows, 1);
  ClampTop();
  if (selected_) Select(*selected_);
}

FindBoxStatus FindBoxModel::Status() const {
  if (candidates_.empty()) return FindBoxStatus::kNoButtons;
  if (query_.empty()) return FindBoxStatus::kEmptyQuery;
  return hits_.empty() ? FindBoxStatus::kNoMatch : FindBoxStatus::kRows;
}

void FindBoxModel::Find() {
  const std::optional<std::size_t> kept =
      selected_ ? std::optional<std::size_t>(hits_[*selected_].Name) : std::nullopt;
  FindCandidates(index_, candidates_, query_, hits_);
  selected_.reset();
  if (kept) {
    const auto same =
        std::find_if(hits_.begin(), hits_.end(), [&](const FindHit& h) { return h.Name == *kept; });
    if (same != hits_.end()) {
      ClampTop();
      Select(static_cast<std::size_t>(same - hits_.begin()));
      return;
    }
  }
  top_ = 0;
  if (!hits_.empty()) selected_ = 0;
}

void FindBoxModel::Select(std::size_t row) {
  selected_ = row;
  const std::size_t page = static_cast<std::size_t>(visibleRows_);
  if (row < top_) top_ = row;
  if (row >= top_ + page) top_ = row + 1 - page;
}

void FindBoxModel::ClampTop() {
  const std::size_t page = static_cast<std::size_t>(visibleRows_);
  top_ = std::min(top_, hits_.size() > page ? hits_.size() - page : 0);
}

std::string FindBoxModel::Describe() const {
  std::string out = "query\t" + query_ + "\nstatus\t" + StatusName(Status()) + "\ncount\t" +
                    std::to_string(hits_.size()) + "\t" + std::to_string(top_) + "\t" +
                    (selected_ ? std::to_string(*selected_) : std::string("-1")) + "\n";
  const std::size_t end = std::min(hits_.size(), top_ + static_cast<std::size_t>(visibleRows_));
  for (std::size_t row = top_; row < end; ++row) {
    const FindCandidate& c = candidates_[hits_[row].Name];
    out += "row\t" + std::to_string(row) + "\t" + std::to_string(hits_[row].Name) + "\t" +
           (selected_ == row ? "1" : "0") + "\t" + c.Name + "\t" + c.GroupTitle + "\n";
  }
  return out;
}

}  // namespace wendlix
