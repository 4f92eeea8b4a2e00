#include "gui/navigation_keys.h"

#include <Qt>
#include <array>
#include <utility>

namespace tw::gui {
namespace {

constexpr std::array<std::pair<int, ui::Key>, 8> kKeys{{
    {Qt::Key_Left, ui::Key::Left},
    {Qt::Key_Up, ui::Key::Up},
    {Qt::Key_Right, ui::Key::Right},
    {Qt::Key_Down, ui::Key::Down},
    {Qt::Key_PageUp, ui::Key::PageUp},
    {Qt::Key_PageDown, ui::Key::PageDown},
    {Qt::Key_Home, ui::Key::Home},
    {Qt::Key_End, ui::Key::End},
}};

}  // namespace

std::optional<ui::Key> NavigationKey(int qtKey) {
  for (const auto& [code, key] : kKeys) {
    if (code == qtKey) return key;
  }
  return std::nullopt;
}

}  // namespace tw::gui
