#pragma once

// A PageLink that records what pages hand to the link, for page tests without a serial line.

#include <string>
#include <utility>
#include <vector>

#include "model/parameter_images.h"
#include "support/frames.h"
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

}  // namespace tw::test
