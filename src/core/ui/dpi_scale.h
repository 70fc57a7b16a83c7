// Sizes at the bar's DPI. Every pixel size the bar is designed with is a size at 96 DPI
// (100 %); on a monitor of another DPI it is scaled by dpi / 96, rounded as MulDiv rounds.
// Stored sizes stay in 96-DPI units, so a settings file moves between machines unchanged.
#pragma once

namespace wendlix {

inline constexpr int kBaseDpi = 96;
// A DPI outside this range is a bad answer from the system, not a monitor.
inline constexpr int kMinDpi = 48;
inline constexpr int kMaxDpi = 960;

// The DPI to work with: 96 for zero or a negative answer, else clamped to the range.
int ValidDpi(int dpi);

// `px` 96-DPI pixels at `dpi`, rounded half away from zero (as MulDiv). A positive size
// never scales to 0, so a one-pixel line or margin stays visible.
int ScalePx(int px, int dpi);
// The 96-DPI size of `px` pixels at `dpi`, for storing; rounded the same way.
int UnscalePx(int px, int dpi);

// The scale of one monitor, passed into the layout functions. The default is 96 DPI,
// where every size is its designed value.
class DpiScale {
 public:
  constexpr DpiScale() = default;
  explicit DpiScale(int dpi) : dpi_(ValidDpi(dpi)) {}

  int Dpi() const { return dpi_; }
  int operator()(int px) const { return ScalePx(px, dpi_); }
  int Unscale(int px) const { return UnscalePx(px, dpi_); }
  friend bool operator==(const DpiScale&, const DpiScale&) = default;

 private:
  int dpi_ = kBaseDpi;
};

}  // namespace wendlix
