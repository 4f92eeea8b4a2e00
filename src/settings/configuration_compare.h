#pragma once

// The settings in which a receiver's current settings differ from a configuration, and the
// commands that send only those: what "Compare with Receiver" lists and "Apply" sends.

#include <vector>

#include "files/profile.h"
#include "model/parameter_image.h"
#include "settings/page_settings.h"

namespace tw::settings {

struct SettingDifference {
  const PageSettings* page = nullptr;  // the Basic Control group's or a sheet page's settings
  PageItem item;
  std::string section;
  std::string key;
  std::string receiverValue;
  std::string fileValue;
  std::string fileText;  // the entry as the file writes it, as a file is read
  // The receiver has no such setting (no Zone 3, no XM): listed apart, never sent.
  bool receiverLacks = false;
};

// The current settings (image 0) in which `receiver` and `configured` differ, for the
// settings the file `held` names (a setting the file does not hold is no difference) and the
// receiver reports (not an offline page's, not one it never tells), in file order.
// `receiverContext` tells which settings the receiver has.
std::vector<SettingDifference> CompareCurrentSettings(const model::ParameterImage& receiver,
                                                      const model::ParameterImage& configured,
                                                      const files::Profile& held,
                                                      const SettingContext& receiverContext);

// The difference's setting as `image` holds it, in the file's words.
std::string ValueIn(const SettingDifference& difference, const model::ParameterImage& image);

// The receiver's settings with the `chosen` differences (those it has) taken from the file:
// what it holds once they are applied; and those the pages refuse beside the receiver's
// other settings (an amplifier pair the receiver forbids), with why.
struct AppliedSettings {
  model::ParameterImage image;
  struct Refusal {
    const SettingDifference* difference;
    std::string reason;
  };
  std::vector<Refusal> refused;
};
AppliedSettings ApplySettings(const model::ParameterImage& receiver, const std::vector<SettingDifference>& chosen,
                              const SettingContext& context);

// The commands of the `chosen` differences the receiver has, each as its page sends the
// setting, in the order a download sends them (the sheet pages, then the Basic Control
// group), so that a setting that another depends on goes first.
std::vector<SettingCommand> ApplyCommands(const model::ParameterImage& applied,
                                          const std::vector<SettingDifference>& chosen,
                                          const SettingContext& context);

}  // namespace tw::settings
