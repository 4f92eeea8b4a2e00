#pragma once

// What the input page tests share: one page on a recording link (SpeakerFixture serves any
// page), extended frames with either checksum case computed here on their own, and
// integer values of an image.

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "pages/speaker_fixture.h"

namespace tw::test {

template <class Page>
using PageFixture = SpeakerFixture<Page>;

inline std::int32_t IntegerOf(const model::ParameterImage& image, int number) {
  const auto value = model::GetParameter(image, number);
  return value && std::holds_alternative<std::int32_t>(*value) ? std::get<std::int32_t>(*value) : -9999;
}

inline std::string TextOf(const model::ParameterImage& image, int number) {
  const auto value = model::GetParameter(image, number);
  return value && std::holds_alternative<std::string>(*value) ? std::get<std::string>(*value) : "<none>";
}

// The fourteen inputs with a name, in number order (240..253), and the code of each.
struct NamedInputCase {
  std::string key;
  std::string code;
};
inline const std::vector<NamedInputCase> kNamedInputs = {
    {"PHONO", "00"}, {"CD", "01"},   {"TUNER", "02"},    {"CD-R", "03"},  {"MD/TAPE", "04"},
    {"DVD", "05"},   {"DTV", "06"},  {"CBL/SAT", "07"},  {"VCR1", "09"},  {"DVR/VCR2", "0A"},
    {"V-AUX", "0C"}, {"XM", "0E"},   {"DOCK", "20"},     {"MULTI CH", "10"}};

}  // namespace tw::test
