#include "core/ui/menu_model.h"

#include "core/text/utf8.h"

namespace wendlix {
namespace {

// One walk for the const and the mutable model: `Items` is either vector type.
template <class Items, class Match>
auto FindWhere(Items& items, const Match& match) -> decltype(&items[0]) {
  for (auto& item : items) {
    if (match(item)) return &item;
    if (auto* found = FindWhere(item.Children, match)) return found;
  }
  return nullptr;
}

void Number(std::vector<MenuItem>& items, std::uint32_t& next, bool all) {
  for (MenuItem& item : items) {
    if (item.IsCommand()) {
      if (all || item.CommandId == 0) item.CommandId = next < MenuModel::kMaxCommandId ? next++ : 0;
    } else {
      item.CommandId = 0;
    }
    Number(item.Children, next, all);
  }
}

MenuItem Placeholder() {
  MenuItem p = MakeItem({}, kEmptySubMenuCaption);
  p.Enabled = false;
  return p;
}

}  // namespace

MenuItem MakeItem(std::string name, std::string caption, int tag, int imageIndex) {
  MenuItem item;
  item.Name = std::move(name);
  item.Caption = std::move(caption);
  item.Tag = tag;
  item.ImageIndex = imageIndex;
  return item;
}

MenuItem MakeSeparator(std::string name) {
  MenuItem item = MakeItem(std::move(name), "-");
  item.Separator = true;
  return item;
}

MenuItem MakeSubMenu(std::string name, std::string caption, std::vector<MenuItem> children, int imageIndex) {
  MenuItem item = MakeItem(std::move(name), std::move(caption), 0, imageIndex);
  item.Children = std::move(children);
  return item;
}

MenuItem MakeFillOnOpenSubMenu(std::string name, std::string caption, int tag, int imageIndex) {
  MenuItem item = MakeItem(std::move(name), std::move(caption), tag, imageIndex);
  item.FillOnOpen = true;
  ResetFillOnOpen(item);
  return item;
}

void ResetFillOnOpen(MenuItem& item) {
  item.Filled = false;
  item.Children.clear();
  item.Children.push_back(Placeholder());
}

void EnsureNotEmpty(MenuItem& item) {
  for (const MenuItem& child : item.Children)
    if (child.Visible) return;
  item.Children.push_back(Placeholder());
}

MenuItem* MenuModel::Find(std::string_view name) {
  return FindWhere(Items, [&](const MenuItem& i) { return i.Name == name; });
}
const MenuItem* MenuModel::Find(std::string_view name) const {
  return FindWhere(Items, [&](const MenuItem& i) { return i.Name == name; });
}

MenuItem* MenuModel::FindByCommand(std::uint32_t id) {
  return id == 0 ? nullptr : FindWhere(Items, [&](const MenuItem& i) { return i.CommandId == id; });
}
const MenuItem* MenuModel::FindByCommand(std::uint32_t id) const {
  return id == 0 ? nullptr : FindWhere(Items, [&](const MenuItem& i) { return i.CommandId == id; });
}

void MenuModel::AssignCommandIds() { Number(Items, nextId_, false); }

void MenuModel::RenumberCommandIds() {
  nextId_ = 1;
  Number(Items, nextId_, true);
}

namespace {

void Describe(const std::vector<MenuItem>& items, int depth, std::string& out) {
  for (const MenuItem& i : items) {
    out.append(static_cast<std::size_t>(depth) * 2, ' ');
    out += i.Name + '\t' + i.Caption + '\t';
    if (i.Checked) out += 'C';
    if (!i.Enabled) out += 'D';
    if (!i.Visible) out += 'H';
    if (i.RadioItem) out += 'R';
    if (i.Separator) out += 'S';
    if (i.IsSubMenu()) out += 'M';
    if (i.FillOnOpen && !i.Filled) out += 'L';
    out += '\n';
    Describe(i.Children, depth + 1, out);
  }
}

}  // namespace

std::string DescribeMenu(const MenuModel& menu) {
  std::string out = menu.Title + '\n';
  Describe(menu.Items, 1, out);
  return out;
}

char32_t AcceleratorOf(std::string_view caption) {
  for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] == '&') {
      ++i;
      continue;
    }
    std::size_t pos = i + 1;
    const char32_t c = ReadUtf8(caption, pos);
    return c >= U'a' && c <= U'z' ? c - U'a' + U'A' : c;
  }
  return 0;
}

std::string CaptionWithoutAccelerator(std::string_view caption) {
  std::string out;
  out.reserve(caption.size());
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] != '&') {
      out += caption[i];
    } else if (i + 1 < caption.size() && caption[i + 1] == '&') {
      out += '&';
      ++i;
    }
  }
  return out;
}

MenuCharResult MatchMenuChar(const std::vector<char32_t>& accelerators, char32_t typed, int selected) {
  if (typed >= U'a' && typed <= U'z') typed = typed - U'a' + U'A';
  const int n = static_cast<int>(accelerators.size());
  if (typed == 0 || n == 0) return {};
  int matches = 0, first = -1, next = -1;
  for (int i = 0; i < n; ++i) {
    if (accelerators[i] != typed) continue;
    ++matches;
    if (first < 0) first = i;
    if (next < 0 && i > selected) next = i;
  }
  if (matches == 0) return {};
  if (matches == 1) return {first, true};
  return {next >= 0 ? next : first, false};
}

}  // namespace wendlix
