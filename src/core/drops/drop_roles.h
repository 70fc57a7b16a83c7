// The bar's drop roles: what each accepts, which effects it allows and whether it shows the
// drag image, and which role (and effect) a drag takes at a point of the bar.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/drops/file_drop_effect.h"

namespace wendlix {

struct DragOffer;

// What a drop at a point does.
enum class DropRoute : std::uint8_t { kNone, kFiles, kLink, kButton };

struct DropTargetRole {
  DropRoute Route = DropRoute::kNone;
  std::uint32_t Allowed = deNone;  // the effects the role may answer
  bool DataOnEnter = false;        // reads the drag's data when it enters
  bool DragImage = false;          // shows the drag image over it
};

// Files into a shortcut group's folder as links.
inline constexpr DropTargetRole DropFileTarget1{DropRoute::kFiles, deLink, true, true};
// A web link into a web group.
inline constexpr DropTargetRole DropURLTarget1{DropRoute::kLink, deLink, true, false};
// A launch button of the bar moved within its group.
inline constexpr DropTargetRole DropBMPTarget1{DropRoute::kButton, deMove, true, true};
// Takes nothing; draws drag images over the whole bar.
inline constexpr DropTargetRole DropDummy1{DropRoute::kNone, deNone, false, true};

const DropTargetRole& RoleOf(DropRoute route);

struct DropChoice {
  DropRoute Route = DropRoute::kNone;
  std::uint32_t Effect = deNone;
  bool operator==(const DropChoice&) const = default;
};

// What lies under a point of the bar.
struct DropPoint {
  std::optional<std::uint16_t> GroupKind{};  // the group the point concerns; none away from groups
  int Group = -1;
  bool OnPanelBtn = false;  // the group's button in PanelBtn rather than its band
  int LaunchButton = -1;    // the visible launch button of that group under the point
};

// The bar's own launch-button drag under way.
struct OwnButtonDrag {
  int Group = -1;
  int Button = -1;
};

// The bar's own drag under way, if any.
struct OwnDrag {
  std::optional<OwnButtonDrag> Button{};  // a launch button moved within its group (its token matched)
  bool FilesOut = false;                  // a launch button's file dragged out with Ctrl
};

// The role and effect of a drag at `at`. A launch button moves only within the bar's own drag,
// onto another launch button of its group; a button format that is not the drag under way
// (another program's, or one that ended) drops nothing, nor does a button's file dragged out
// (a link to it would be a link to a link). Files go into a shortcut group (its band or its
// PanelBtn button) under the file rules, with `dragSourceDir` as recorded on enter; over other
// groups files and links take the link role, whose boxes say what went wrong. Away from groups
// nothing drops. The effect is what the role allows of `offered`.
DropChoice ChooseDrop(const DropPoint& at, const DragOffer& offer, const OwnDrag& own,
                      std::string_view dragSourceDir, std::uint32_t offered);

// The token a button drag carries, telling the bar's own drag (this process, this drag) from
// any other: eight bytes, process id and drag number, little-endian.
struct ButtonDragToken {
  std::uint32_t Process = 0;
  std::uint32_t Serial = 0;
  bool operator==(const ButtonDragToken&) const = default;
};
std::string ButtonDragBytes(const ButtonDragToken& token);
// Exactly eight bytes give a token; anything else none.
std::optional<ButtonDragToken> ParseButtonDragBytes(std::string_view bytes);

}  // namespace wendlix
