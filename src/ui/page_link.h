#pragma once

#include <string_view>

#include "comm/link_constants.h"
#include "model/command_table.h"
#include "model/parameter_image.h"
#include "settings/page_settings.h"

namespace tw::comm {
class Link;
}

namespace tw::ui {

// What the settings pages and the Basic Control group need from the link: the working mode,
// whether a transfer dialog is open, the images and capabilities, and SendPacket. Narrow on
// purpose, so that a page can be driven in a test without a serial line.
class PageLink {
 public:
  virtual ~PageLink() = default;

  virtual comm::WorkingMode workingMode() const = 0;
  // The Initialize or the Command Sending dialog is open: slider repaints then must not
  // write the value being shown back into the image.
  virtual bool isTransferDialogOpen() const = 0;
  // Hands one command to the link (written at once or queued, as the link decides); the
  // empty text with comm::kNoParameter starts the batch.
  virtual int SendPacket(std::string_view text, int number) = 0;
  // Image 0..6 (0 the current settings, 1..6 System Memory 1..6); null outside.
  virtual model::ParameterImage* image(int index) = 0;
  virtual const model::Capabilities& capabilities() const = 0;
  virtual int tunerRegion() const = 0;
  // What the link is doing.
  virtual comm::LinkMode linkMode() const = 0;

  bool isRealTime() const { return workingMode() == comm::WorkingMode::RealTime; }
  // What the settings' rules see: the receiver's options, the tuner region, the mode.
  settings::SettingContext settingContext() const { return {capabilities(), tunerRegion(), isRealTime()}; }
};

// The production PageLink: the one Link.
class CommPageLink final : public PageLink {
 public:
  explicit CommPageLink(comm::Link& link) : link_(link) {}

  comm::WorkingMode workingMode() const override;
  bool isTransferDialogOpen() const override;
  int SendPacket(std::string_view text, int number) override;
  model::ParameterImage* image(int index) override;
  const model::Capabilities& capabilities() const override;
  int tunerRegion() const override;
  comm::LinkMode linkMode() const override;

 private:
  comm::Link& link_;
};

}  // namespace tw::ui
