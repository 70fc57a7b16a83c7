// Web links dropped onto the bar: what a drag offers turned into an address and a title, and
// what a link dropped on a group does to that group and to the group file.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wendlix {

class IniFile;
struct GroupPanel;

// What a drag offers, read from it as plain data. Text is UTF-8; the byte fields are the
// bytes as the drag or the disk holds them (code page 936 unless a byte-order mark says
// otherwise).
struct DragOffer {
  std::vector<std::string> Files{};             // the dropped file list, in order
  std::optional<std::string> FirstFileBytes{};  // the first file's start when it ends in ".url"
  std::optional<std::string> UniformResourceLocator{};
  std::optional<std::string> Text{};            // plain text
  std::optional<std::string> FileContents{};    // the first item's bytes
  std::optional<std::string> DescriptorName{};  // the first name of the "FileGroupDescriptor"
  std::optional<std::string> BarButton{};       // the token of a launch button dragged on the bar

  // Something a web group could take: an address format, text, file contents, a ".url"
  // file first in the list, or a file descriptor.
  bool OffersLink() const;
};

// The most of the address that file contents other than an Internet shortcut give.
inline constexpr std::size_t kMaxContentsAddress = 250;

struct DroppedLink {
  std::string URL;
  std::string Title;
  bool operator==(const DroppedLink&) const = default;
};

// The address from the first source the drag offers (address format, plain text, file
// contents read as an Internet shortcut, else from their 24th character, a ".url" file first
// in the list), outer blanks trimmed; the title from the file descriptor's first name or the
// ".url" file's name, less a ".url" extension, else the address.
DroppedLink ReadDroppedLink(const DragOffer& offer);

// The address an Internet shortcut's bytes hold: the "URL" key of its [InternetShortcut]
// section, wherever that stands, read as the profile functions read it; empty without one.
std::string InternetShortcutAddress(std::string_view bytes);

inline constexpr char kUrlDropCaption[] = "乱拖....";
inline constexpr char kNotWebGroupText[] = "你不能将文件拖入该收藏夹！";
inline constexpr char kNoAddressText[] =
    "你不能将该文件拖入网址收藏夹！\r\r请试着将该文件拖入快捷按钮图标工具栏!";
inline constexpr char kBadAddressText[] = "该网址含有控制字符（如换行），不能加入网址收藏夹！";
inline constexpr char kUnstorableLinkText[] =
    "该网址或它的名称含有分组文件无法保存的字符，不能加入网址收藏夹！";
inline constexpr char kLinkNotSavedCaption[] = "保存失败";
std::string LinkNotSavedText(std::string_view path);

struct UrlDropStep {
  enum class Kind : std::uint8_t {
    kNothing,      // no group under the point
    kNotWebGroup,  // info box, after the bar has slid out
    kNoAddress,    // info box
    kBadAddress,   // error box
    kAdd,          // Key = URL goes into the group
  };
  Kind What = Kind::kNothing;
  std::string Text{}, Caption{};  // the box
  std::string Key{}, URL{};       // kAdd
  bool operator==(const UrlDropStep&) const = default;
};

// What a link dropped on a group of kind `groupKind` (none away from groups) does.
UrlDropStep DecideUrlDrop(std::optional<std::uint16_t> groupKind, const DroppedLink& link);

// The button name a title gives as a key of the group file: control characters become
// blanks, outer blanks go, "=" and a leading "[" or ";" take their full-width forms (＝ ［ ；)
// and a character code page 936 lacks becomes "?", as the file would read it back. An empty
// result takes the address, made storable the same way.
std::string LinkKey(std::string_view title, std::string_view url);

// An address the group file can hold and a browser can open: no control characters.
bool IsStorableAddress(std::string_view url);

struct LinkStored {
  bool Ok = true;
  bool Added = false;         // false: the group already held this address under Name
  std::string Name;           // the key that holds the address
  std::string Text, Caption;  // the error box when not Ok
};

// Writes the link into the group's button section of `gpf` and saves the file once. A name
// that is taken keeps its address: the link is named `key` + "(1)", "(2)"... instead, and
// nothing at all is written when the name (or a numbered one) already holds this address.
// A group that was filled has its current buttons written first (an order changed on the
// bar is kept) and is refilled from the file, so it shows what a restart would show; a group
// not filled (collapsed into PanelBtn) only gains the key. Nothing changes on the bar when
// the file refuses the text or cannot be saved.
LinkStored StoreDroppedLink(GroupPanel& panel, IniFile& gpf, const std::string& key, const std::string& url);

}  // namespace wendlix
