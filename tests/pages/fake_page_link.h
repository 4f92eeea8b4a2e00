#pragma once

// A PageLink that records what pages hand to the link, for page tests without a serial line.

#include <string>
#include <utility>
#include <vector>

#include "model/parameter_images.h"
#include "ui/page_link.h"

namespace tw::test {

struct Sent {
  std::string text;
  int number = 0;
  friend bool operator==(const Sent&, const Sent&) = default;
};

class FakePageLink final : public ui::PageLink {
 public:
  explicit FakePageLink(comm::WorkingMode workingMode = comm::WorkingMode::RealTime) : mode(workingMode) {}

  comm::WorkingMode workingMode() const override { return mode; }
  bool isTransferDialogOpen() const override { return dialogOpen; }
  int SendPacket(std::string_view text, int number) override {
    sent.push_back({std::string(text), number});
    return 1;
  }
  model::ParameterImage* image(int index) override { return images.Image(index); }
  const model::Capabilities& capabilities() const override { return caps; }
  int tunerRegion() const override { return region; }
  comm::LinkMode linkMode() const override { return mode == comm::WorkingMode::RealTime ? comm::LinkMode::RealTime : comm::LinkMode::Idle; }

  // The command texts sent, without the batch starts.
  std::vector<std::string> commands() const {
    std::vector<std::string> out;
    for (const Sent& s : sent) {
      if (!s.text.empty()) out.push_back(s.text);
    }
    return out;
  }
  int batchStarts() const {
    int n = 0;
    for (const Sent& s : sent) n += s.text.empty() && s.number == 564;
    return n;
  }

  comm::WorkingMode mode;
  bool dialogOpen = false;
  int region = 1;
  model::Capabilities caps;
  model::ParameterImages images;
  std::vector<Sent> sent;
};

inline std::string Stx(std::string_view body) { return "\x02" + std::string(body) + "\x03"; }

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
