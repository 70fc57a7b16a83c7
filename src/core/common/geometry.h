// Plain screen geometry for docking and auto-hide: points, sizes and the Windows-style
// half-open rectangle (right and bottom lie outside it, as with PtInRect).
#pragma once
namespace wendlix {

struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  constexpr int Width() const { return right - left; }
  constexpr int Height() const { return bottom - top; }
  friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

struct Point {
  int x = 0, y = 0;
  friend constexpr bool operator==(const Point&, const Point&) = default;
};

struct Size {
  int cx = 0, cy = 0;
  friend constexpr bool operator==(const Size&, const Size&) = default;
};

constexpr Rect MakeRect(int left, int top, int width, int height) {
  return Rect{left, top, left + width, top + height};
}

constexpr bool Contains(const Rect& r, Point p) {
  return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

// Grows (or, with negative amounts, shrinks) every side, as InflateRect does.
constexpr Rect Inflate(const Rect& r, int dx, int dy) {
  return Rect{r.left - dx, r.top - dy, r.right + dx, r.bottom + dy};
}

}  // namespace wendlix
