#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "model/dsp_layout.h"
#include "settings/dsp/dsp_descriptors.h"

// Which of a sound program's parameters the page lists for each surround layout, and in
// which order the list shows them and the commands send them.
namespace tw::settings::dsp {

// ---- surround layouts -------------------------------------------------------------------------
// The entries of the page's layout list.
enum DspLayout : int { kLayoutDual = 0, kLayoutTri = 1, kLayoutQuad = 2 };
inline constexpr std::array<std::string_view, 3> kDspLayoutNames = {"Dual", "Tri", "Quad"};

// Which layout's speakers a row belongs to.
enum class DspVariant { All, Dual, TriAndQuad, QuadOnly };

constexpr DspVariant VariantOfKind(int kind) {
  switch (kind) {
    case kDualNumber:
    case kDualTenths:
      return DspVariant::Dual;
    case kTriQuadNumber:
    case kTriQuadTenths:
      return DspVariant::TriAndQuad;
    case kQuadOnlyNumber:
    case kQuadOnlyTenths:
      return DspVariant::QuadOnly;
    default:
      return DspVariant::All;
  }
}

// What the file and report keys of a variant's rows begin with.
constexpr std::string_view DspLayoutPrefix(int kind) {
  switch (VariantOfKind(kind)) {
    case DspVariant::Dual:
      return "Dual ";
    case DspVariant::TriAndQuad:
      return "Tri & Quad ";
    case DspVariant::QuadOnly:
      return "Quad Only ";
    case DspVariant::All:
      break;
  }
  return "";
}

// Whether a row of `kind` is listed while `layout` is selected.
constexpr bool IsShownInLayout(int kind, int layout) {
  switch (VariantOfKind(kind)) {
    case DspVariant::Dual:
      return layout == kLayoutDual;
    case DspVariant::TriAndQuad:
      return layout == kLayoutTri || layout == kLayoutQuad;
    case DspVariant::QuadOnly:
      return layout == kLayoutQuad;
    case DspVariant::All:
      break;
  }
  return true;
}

// ---- orders of a program's parameters ---------------------------------------------------------
inline constexpr int kMaxDspNumbersPerProgram = 12;

// A short list of parameter numbers, held by value. Iterate it directly (not through a
// view of a temporary), so that `for (int n : DspListOrder(p))` is safe.
struct DspNumbers {
  std::array<std::int16_t, kMaxDspNumbersPerProgram> numbers{};
  int count = 0;
  constexpr void push(int number) {
    numbers[static_cast<std::size_t>(count++)] = static_cast<std::int16_t>(number);
  }
  constexpr const std::int16_t* begin() const { return numbers.data(); }
  constexpr const std::int16_t* end() const { return numbers.data() + count; }
  constexpr std::size_t size() const { return static_cast<std::size_t>(count); }
};

// The page's list order of program 0..23 (empty for any other): the order of the program's
// slots in the DSP block, which is also the order in which the receiver is read.
constexpr DspNumbers DspListOrder(int program) {
  DspNumbers list;
  if (program < 0 || program >= model::kSoundProgramCount) return list;
  const model::DspProgramLayout& layout = model::kDspLayout[static_cast<std::size_t>(program)];
  for (int position = 0; position < layout.slotCount; ++position) {
    for (int i = 0; i < layout.numberCount; ++i) {
      if (layout.slotOfNumber[static_cast<std::size_t>(i)] == position) list.push(layout.firstNumber + i);
    }
  }
  return list;
}

// The rows listed for `layout`, in list order.
constexpr DspNumbers DspRowsOfLayout(int program, int layout) {
  DspNumbers rows;
  for (const int number : DspListOrder(program)) {
    if (IsShownInLayout(FindDspDescriptor(number)->kind, layout)) rows.push(number);
  }
  return rows;
}

// The order in which a program's parameters are sent. A program with rows for all three
// layouts sends them interleaved: the first row of each layout (two-surround,
// three/four-surround, surround-back), then the second of each, and so on; everything
// else goes in list order.
constexpr DspNumbers DspSendOrder(int program) {
  const DspNumbers list = DspListOrder(program);
  std::array<DspNumbers, 3> byLayout{};
  for (const int number : list) {
    const DspVariant variant = VariantOfKind(FindDspDescriptor(number)->kind);
    if (variant != DspVariant::All) byLayout[static_cast<std::size_t>(variant) - 1].push(number);
  }
  const bool interleaved = byLayout[0].count > 0 && byLayout[1].count > 0 && byLayout[2].count > 0;
  if (!interleaved) return list;
  DspNumbers order;
  bool layoutRowsPlaced = false;
  for (const int number : list) {
    if (VariantOfKind(FindDspDescriptor(number)->kind) == DspVariant::All) {
      order.push(number);
    } else if (!layoutRowsPlaced) {
      layoutRowsPlaced = true;
      for (int k = 0; k < kMaxDspNumbersPerProgram; ++k) {
        for (const DspNumbers& rows : byLayout) {
          if (k < rows.count) order.push(rows.numbers[static_cast<std::size_t>(k)]);
        }
      }
    }
  }
  return order;
}

}  // namespace tw::settings::dsp
