#pragma once

#include <array>
#include <string_view>

namespace tw::model {

inline constexpr int kTunerTextCount = 41;  // presets A1..E8, then the current frequency
inline constexpr int kTunerCurrentText = 40;

using TunerTable = std::array<std::string_view, kTunerTextCount>;

namespace tuner_detail {

using EightFrequencies = std::array<std::string_view, 8>;

// Pages A, C and E hold the FM row, pages B and D the AM row; the current frequency is
// the first FM preset.
constexpr TunerTable MakeRegionTable(const EightFrequencies& fm, const EightFrequencies& am) {
  TunerTable table{};
  for (int page = 0; page < 5; ++page) {
    const EightFrequencies& row = page % 2 == 0 ? fm : am;
    for (int preset = 0; preset < 8; ++preset) table[page * 8 + preset] = row[preset];
  }
  table[kTunerCurrentText] = fm[0];
  return table;
}

}  // namespace tuner_detail

// Factory tuner presets of each tuner region 0..3.
inline constexpr std::array<TunerTable, 4> kTunerRegionTables = {
    // 0: AM9 / FM100 (Japan)
    tuner_detail::MakeRegionTable(
        {"076.00", "083.00", "084.00", "086.00", "090.00", "078.00", "088.00", "082.10"},
        {"000630", "001080", "001440", "000531", "001611", "000900", "001350", "001404"}),
    // 1: AM10 / FM200 (USA, Canada)
    tuner_detail::MakeRegionTable(
        {"087.50", "090.10", "095.10", "098.10", "107.90", "088.10", "106.10", "107.90"},
        {"000630", "001080", "001440", "000530", "001710", "000900", "001350", "001400"}),
    // 2: AM9 / FM50 (EU, Asia)
    tuner_detail::MakeRegionTable(
        {"087.50", "090.10", "095.10", "098.10", "108.00", "088.10", "106.10", "108.00"},
        {"000630", "001080", "001440", "000531", "001611", "000900", "001350", "001404"}),
    // 3: AM10 / FM100 (Other)
    tuner_detail::MakeRegionTable(
        {"087.50", "090.10", "095.10", "098.10", "108.00", "088.10", "106.10", "108.00"},
        {"000630", "001080", "001440", "000530", "001710", "000900", "001350", "001400"}),
};

}  // namespace tw::model
