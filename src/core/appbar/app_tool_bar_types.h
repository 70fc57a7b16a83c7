// The desktop-edge toolbar's enumerations, flag set and the values its properties start
// with. The edge numbers equal the shell's ABE_* values and go to it unchanged.
#pragma once
#include <array>
#include <cstdint>
#include <initializer_list>

#include "core/common/geometry.h"

namespace wendlix {

enum TAppToolBarEdge : int {
  abeLeft = 0,
  abeTop = 1,
  abeRight = 2,
  abeBottom = 3,
  abeUnknown = 4,
  abeFloat = 5,
};

enum TAppToolBarFlag : int {
  abfAllowLeft = 0,
  abfAllowTop = 1,
  abfAllowRight = 2,
  abfAllowBottom = 3,
  abfAllowFloat = 4,
};

enum TAppToolBarTaskEntry : int { abtShow = 0, abtHide = 1, abtFloatDependent = 2 };

constexpr bool IsDockingEdge(TAppToolBarEdge e) { return e >= abeLeft && e <= abeBottom; }
constexpr bool IsVerticalEdge(TAppToolBarEdge e) { return e == abeLeft || e == abeRight; }
constexpr bool IsHorizontalEdge(TAppToolBarEdge e) { return e == abeTop || e == abeBottom; }

// A set of TAppToolBarFlag held in one byte, bit n for flag n.
class TAppToolBarFlags {
 public:
  constexpr TAppToolBarFlags() = default;
  constexpr TAppToolBarFlags(std::initializer_list<TAppToolBarFlag> flags) {
    for (TAppToolBarFlag f : flags) bits_ |= Bit(f);
  }
  static constexpr TAppToolBarFlags FromBits(std::uint8_t bits) {
    TAppToolBarFlags f;
    f.bits_ = bits & 0x1F;
    return f;
  }
  static constexpr TAppToolBarFlags All() { return FromBits(0x1F); }
  constexpr bool Has(TAppToolBarFlag f) const { return (bits_ & Bit(f)) != 0; }
  constexpr bool AllowsEdge(TAppToolBarEdge e) const {
    return IsDockingEdge(e) && Has(static_cast<TAppToolBarFlag>(e));
  }
  constexpr bool AllowsAnyEdge() const { return (bits_ & 0x0F) != 0; }
  constexpr std::uint8_t Bits() const { return bits_; }
  friend constexpr bool operator==(const TAppToolBarFlags&, const TAppToolBarFlags&) = default;

 private:
  static constexpr std::uint8_t Bit(TAppToolBarFlag f) { return static_cast<std::uint8_t>(1u << f); }
  std::uint8_t bits_ = 0;
};

// Thickness per docking edge: width for left and right, height for top and bottom.
struct DockSizes {
  std::array<int, 4> size{25, 35, 35, 35};
  constexpr int operator[](TAppToolBarEdge e) const { return IsDockingEdge(e) ? size[e] : 0; }
  constexpr void Set(TAppToolBarEdge e, int value) {
    if (IsDockingEdge(e)) size[e] = value;
  }
  friend constexpr bool operator==(const DockSizes&, const DockSizes&) = default;
};

// The published properties with the values a new bar starts with.
struct AppToolBarProperties {
  TAppToolBarEdge Edge = abeFloat;
  bool AutoHide = false;
  bool AlwaysOnTop = true;
  TAppToolBarFlags Flags = TAppToolBarFlags::All();
  bool FullDragOn = true;
  int HorzSizeInc = 1;
  int VertSizeInc = 1;
  int MinHorzSize = 25;
  int MinVertSize = 25;
  int MinWidth = 100;
  int MinHeight = 52;
  int MaxWidth = 0;   // screen width at construction
  int MaxHeight = 0;  // screen height at construction
  TAppToolBarTaskEntry TaskEntry = abtFloatDependent;
  bool ActivateByMouseDown = false;
  int AutoHideInterval = 40;
  int ActiveDelay = 400;
};

inline AppToolBarProperties DefaultAppToolBarProperties(Size screen) {
  AppToolBarProperties p;
  p.MaxWidth = screen.cx;
  p.MaxHeight = screen.cy;
  return p;
}

constexpr Rect kInitialFloatRect{0, 0, 300, 400};
constexpr int kAutoHideTimerInitialInterval = 400;

// An edge number read from a settings file: only the four docking edges are stored there,
// anything else (a damaged file) docks at the right edge like a first start.
constexpr TAppToolBarEdge EdgeFromSetting(long long value) {
  return value >= abeLeft && value <= abeBottom ? static_cast<TAppToolBarEdge>(value) : abeRight;
}

// Any other integer as an edge: values outside the enumeration mean no edge.
constexpr TAppToolBarEdge EdgeFromInt(long long value) {
  return value >= abeLeft && value <= abeFloat ? static_cast<TAppToolBarEdge>(value) : abeUnknown;
}

}  // namespace wendlix
