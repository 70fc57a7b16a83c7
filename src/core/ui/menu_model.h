// A popup menu as plain data: what the bar's menus hold (captions, tags, images, check
// marks, sub-menus) and what their preparation changes. The Win32 menu control
// (win/ui/popup_menu.h) builds the real menu from it each time it opens.
//
// Boundary:
//   - Build a MenuModel once (for example BuildMainPMenu) and keep it; the OnPopup
//     preparations change it in place before every opening.
//   - Every item that can be chosen gets a command id (AssignCommandIds, also done by the
//     menu control); the chosen id leads back to the item (FindByCommand), and its Name and
//     Tag tell the caller which handler runs.
//   - Sub-menus read late (folder menus) set FillOnOpen: they hold one disabled "(空)"
//     placeholder until the menu control asks the caller to fill them on first opening.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace wendlix {

// The caption of the placeholder inside an empty or not yet filled sub-menu.
inline constexpr char kEmptySubMenuCaption[] = "(空)";

struct MenuItem {
  std::string Name;     // the design name ("Autohide1"); may be empty for generated items
  std::string Caption;  // UTF-8, "&" marks the accelerator, "&&" is a literal "&"
  int Tag = 0;
  int ImageIndex = -1;  // index into the menu's image list, -1 for none
  bool Checked = false;
  bool Enabled = true;
  bool Visible = true;
  bool RadioItem = false;  // a checked radio item shows a dot instead of a tick
  bool Separator = false;
  // A sub-menu whose items are read when it first opens; Filled says that happened.
  bool FillOnOpen = false;
  bool Filled = false;
  std::uint32_t CommandId = 0;  // 0 until assigned; never 0 for an item that can be chosen
  std::vector<MenuItem> Children;

  bool IsSubMenu() const { return !Children.empty() || FillOnOpen; }
  // An item that can be the result of a menu: not a separator, not a sub-menu.
  bool IsCommand() const { return !Separator && !IsSubMenu(); }
};

MenuItem MakeItem(std::string name, std::string caption, int tag = 0, int imageIndex = -1);
MenuItem MakeSeparator(std::string name = {});
MenuItem MakeSubMenu(std::string name, std::string caption, std::vector<MenuItem> children,
                     int imageIndex = -1);
// A sub-menu filled on first opening, holding the placeholder until then.
MenuItem MakeFillOnOpenSubMenu(std::string name, std::string caption, int tag = 0, int imageIndex = -1);
// Puts `item` back to unfilled: its children are dropped and the placeholder returns.
void ResetFillOnOpen(MenuItem& item);
// After a fill: an empty sub-menu gets the placeholder, so that it still opens.
void EnsureNotEmpty(MenuItem& item);

class MenuModel {
 public:
  MenuModel() = default;
  MenuModel(std::string title, std::vector<MenuItem> items)
      : Title(std::move(title)), Items(std::move(items)) {}

  std::string Title;  // the text of the title strip; empty for a menu without one
  std::vector<MenuItem> Items;

  // Depth-first, the first item of that design name; nullptr when there is none.
  MenuItem* Find(std::string_view name);
  const MenuItem* Find(std::string_view name) const;
  MenuItem* FindByCommand(std::uint32_t id);
  const MenuItem* FindByCommand(std::uint32_t id) const;

  // Gives every item that can be chosen and has no id yet a new one, unique in this model
  // (items filled in late get theirs this way). Ids stay below kMaxCommandId, clear of the
  // system's menu commands; an item beyond that keeps 0 and cannot be chosen.
  void AssignCommandIds();
  // Numbers every item afresh from 1, as the menu control does before each opening.
  void RenumberCommandIds();

  static constexpr std::uint32_t kMaxCommandId = 0x7000;

 private:
  std::uint32_t nextId_ = 1;
};

// The menu as text, for the bar's read-only query and for tests: one line per item, depth
// shown by two blanks per level: design name, a tab, the caption, a tab, and the flags that
// hold among C checked, D disabled, H hidden, R radio, S separator, M sub-menu, L filled late
// (not yet filled).
std::string DescribeMenu(const MenuModel& menu);

// The accelerator of a caption: the letter after a single "&", upper-cased for ASCII, as a
// Unicode code point; 0 when there is none.
char32_t AcceleratorOf(std::string_view caption);
// The caption as it is shown: single "&" removed, "&&" shown as "&".
std::string CaptionWithoutAccelerator(std::string_view caption);

// What a typed character does in an open menu whose items have these accelerators (0 for
// none, one entry per shown item in order): nothing (-1), or the item to act on. Like the
// system's own menus: exactly one match runs the item; several matches move the
// selection to the next one after `selected` (wrapping), without running it.
struct MenuCharResult {
  int Index = -1;
  bool Execute = false;
};
MenuCharResult MatchMenuChar(const std::vector<char32_t>& accelerators, char32_t typed, int selected);

}  // namespace wendlix
