#pragma once

// One speaker page on a recording link, active with its window, as the sheet leaves it.

#include <string>
#include <string_view>

#include "model/parameter_access.h"
#include "model/parameter_defaults.h"
#include "pages/fake_page_link.h"
#include "ui/scripted_ui_services.h"

namespace tw::test {

template <class Page>
struct SpeakerFixture {
  explicit SpeakerFixture(comm::WorkingMode mode = comm::WorkingMode::RealTime)
      : link(mode), page({link, ui}) {
    page.setActive(true);
    page.OnSetActive();
  }
  model::ParameterImage& image() { return *link.images.Image(0); }

  FakePageLink link;
  ui::ScriptedUiServices ui;
  Page page;
};

// The frame of an extended command with a lower-case checksum, computed here on its own.
inline std::string Dc4Lower(std::string_view body) {
  unsigned sum = 0;
  for (char c : body) sum += static_cast<unsigned char>(c);
  static constexpr char kDigits[] = "0123456789abcdef";
  return "\x14" + std::string(body) + kDigits[(sum >> 4) & 0xF] + kDigits[sum & 0xF] + "\x03";
}

// The same with an upper-case checksum.
inline std::string Dc4Upper(std::string_view body) {
  unsigned sum = 0;
  for (char c : body) sum += static_cast<unsigned char>(c);
  static constexpr char kDigits[] = "0123456789ABCDEF";
  return "\x14" + std::string(body) + kDigits[(sum >> 4) & 0xF] + kDigits[sum & 0xF] + "\x03";
}

}  // namespace tw::test
