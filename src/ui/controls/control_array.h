#pragma once

#include <array>
#include <cstddef>
#include <utility>

namespace tw::ui {

// N controls of one kind with consecutive ids from `firstId` (controls cannot be copied, so
// an array of them is built in place).
template <class Control, std::size_t N>
std::array<Control, N> MakeControls(int firstId) {
  return [firstId]<std::size_t... I>(std::index_sequence<I...>) {
    return std::array<Control, N>{Control(firstId + static_cast<int>(I))...};
  }(std::make_index_sequence<N>{});
}

}  // namespace tw::ui
