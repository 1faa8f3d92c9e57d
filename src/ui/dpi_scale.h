// Every window is designed at 96 dpi and shown at its own dpi: a designed
// length in pixels becomes value * dpi / 96, rounded to the nearest pixel as
// MulDiv rounds. At 96 dpi every length stays what it was designed.
#pragma once

namespace velm::ui {

inline constexpr int kDesignDpi = 96;

constexpr int ScaleToDpi(int value, int dpi) {
  const long long product = static_cast<long long>(value) * dpi;
  const long long half = kDesignDpi / 2;
  return static_cast<int>(product >= 0 ? (product + half) / kDesignDpi
                                       : -((-product + half) / kDesignDpi));
}

}  // namespace velm::ui
