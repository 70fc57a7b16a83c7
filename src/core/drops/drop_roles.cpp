#include "core/drops/drop_roles.h"

#include "core/bar/panel_data.h"
#include "core/drops/url_drop.h"

namespace wendlix {
namespace {

DropChoice Take(const DropTargetRole& role, std::uint32_t effect) {
  return {role.Route, effect & role.Allowed};
}

void PutLittleEndian(std::string& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

std::uint32_t GetLittleEndian(std::string_view in) {
  std::uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v |= static_cast<std::uint32_t>(static_cast<unsigned char>(in[i])) << (8 * i);
  return v;
}

}  // namespace

const DropTargetRole& RoleOf(DropRoute route) {
  switch (route) {
    case DropRoute::kFiles: return DropFileTarget1;
    case DropRoute::kLink: return DropURLTarget1;
    case DropRoute::kButton: return DropBMPTarget1;
    default: return DropDummy1;
  }
}

DropChoice ChooseDrop(const DropPoint& at, const DragOffer& offer, const OwnDrag& own,
                      std::string_view dragSourceDir, std::uint32_t offered) {
  if (own.FilesOut) return {};
  if (offer.BarButton) {
    // Only the drag under way, within its group: a button has no meaning to other targets.
    if (!own.Button) return {};
    const OwnButtonDrag& moved = *own.Button;
    const bool onOther = at.GroupKind && !at.OnPanelBtn && at.Group == moved.Group && at.LaunchButton >= 0 &&
                         at.LaunchButton != moved.Button;
    return Take(DropBMPTarget1, onOther ? offered : deNone);
  }
  if (!at.GroupKind) return {};
  if (*at.GroupKind == gkShortcut && !offer.Files.empty()) {
    return Take(DropFileTarget1, FileDropEffect(dragSourceDir, offered));
  }
  if (offer.OffersLink() || !offer.Files.empty()) return Take(DropURLTarget1, offered);
  return {};
}

std::string ButtonDragBytes(const ButtonDragToken& token) {
  std::string bytes;
  PutLittleEndian(bytes, token.Process);
  PutLittleEndian(bytes, token.Serial);
  return bytes;
}

std::optional<ButtonDragToken> ParseButtonDragBytes(std::string_view bytes) {
  if (bytes.size() != 8) return std::nullopt;
  return ButtonDragToken{GetLittleEndian(bytes.substr(0, 4)), GetLittleEndian(bytes.substr(4))};
}

}  // namespace wendlix
