#pragma once

#include "ui/controls/control.h"

#include <cstdint>

namespace tw::ui {

struct Rgb {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// A text that the program sets and the user only reads.
class StaticText : public Control {
 public:
  explicit StaticText(int id, std::string text = {}) : Control(id, std::move(text)) {}
  ControlKind kind() const override { return ControlKind::StaticText; }
};

// The value readout beside a slider: green digits on black.
class ValueLabel : public StaticText {
 public:
  static constexpr Rgb kTextColor{0, 250, 0};
  static constexpr Rgb kBackgroundColor{0, 0, 0};

  using StaticText::StaticText;
  ControlKind kind() const override { return ControlKind::ValueLabel; }
};

}  // namespace tw::ui
