#include "settings/dsp/dsp_parameters_settings.h"

#include <variant>

#include "comm/operation_command.h"
#include "model/dsp_layout.h"
#include "model/parameter_access.h"
#include "settings/dsp/dsp_values.h"

namespace tw::settings {
namespace {

// The Basic Control number of the sound program in use.
constexpr int kProgramNumber = 4;

bool IsProgram(int program) { return program >= 0 && program < model::kSoundProgramCount; }

std::int32_t ValueIn(const model::ParameterImage& image, int number) {
  const auto value = model::GetParameter(image, number);
  const auto* integer = value ? std::get_if<std::int32_t>(&*value) : nullptr;
  return integer != nullptr ? *integer : 0;
}

class DspSettings final : public PageSettings {
 public:
  DspSettings() : PageSettings("DSP Parameters") {}

  std::vector<PageItem> ListItems(bool forFile, const SettingContext& context, int group) const override;
  // Any parameter 27..211; the sub-index is not used.
  ItemText DescribeItem(const model::ParameterImage& image, int number, int subIndex,
                        bool forReport) const override;
  // Only the display text of a value inside the parameter's range is taken.
  bool ParseItem(model::ParameterImage& image, int number, int subIndex, std::string_view text) const override;
  std::string RefusalReason(const model::ParameterImage&, int, int, std::string_view) const override { return {}; }
  // A value outside its parameter's range has no command.
  std::vector<std::string> Commands(const model::ParameterImage& image, int number, int subIndex,
                                    const SettingContext& context) const override;
  std::string DescribeRange(int number, int subIndex) const override;
  // Program by program. In Async Mode each program with something to send is switched on
  // first, since the receiver takes a program's parameters while that program is on.
  std::vector<SettingCommand> DownloadCommands(const model::ParameterImage& image, const model::SettingFilter& sends,
                                               const SettingContext& context) const override;
};

}  // namespace

std::vector<PageItem> DspSettings::ListItems(bool forFile, const SettingContext& context, int group) const {
  std::vector<PageItem> items;
  if (group == kAllGroups) {
    for (int program = 0; program < model::kSoundProgramCount; ++program) {
      for (const PageItem& item : ListItems(forFile, context, program)) items.push_back(item);
    }
    return items;
  }
  if (!IsProgram(group)) return items;
  for (const int number : forFile ? dsp::DspListOrder(group) : dsp::DspSendOrder(group)) items.push_back({number, -1});
  return items;
}

ItemText DspSettings::DescribeItem(const model::ParameterImage& image, int number, int, bool) const {
  const dsp::DspDescriptor* descriptor = dsp::FindDspDescriptor(number);
  if (descriptor == nullptr) return {};
  return {dsp::DspSectionName(*model::DspProgramOfNumber(number)), dsp::DspKey(number),
          dsp::DspValueText(*descriptor, ValueIn(image, number))};
}

bool DspSettings::ParseItem(model::ParameterImage& image, int number, int, std::string_view text) const {
  const dsp::DspDescriptor* descriptor = dsp::FindDspDescriptor(number);
  if (descriptor == nullptr) return false;
  const std::optional<std::int32_t> parsed = dsp::ParseDspValueText(*descriptor, text);
  return parsed && model::SetParameter(image, number, *parsed);
}

std::vector<std::string> DspSettings::Commands(const model::ParameterImage& image, int number, int,
                                                         const SettingContext&) const {
  std::string command = dsp::DspCommand(number, ValueIn(image, number));
  if (command.empty()) return {};
  return {std::move(command)};
}

std::vector<SettingCommand> DspSettings::DownloadCommands(const model::ParameterImage& image,
                                                          const model::SettingFilter& sends,
                                                          const SettingContext& context) const {
  std::vector<SettingCommand> commands;
  for (int program = 0; program < model::kSoundProgramCount; ++program) {
    std::vector<PageItem> items = ListItems(false, context, program);
    std::erase_if(items, [&](const PageItem& item) { return !model::Sends(sends, item.number, item.subIndex); });
    if (items.empty()) continue;  // nothing of this program is sent: no need to switch to it
    if (!context.realTime) {
      // The switch is built from a copy, so the image keeps its own program.
      comm::BasicBlock basic = image.basic;
      basic[kProgramNumber - 1] = program;
      std::string change = comm::BuildOperationCommand(basic, kProgramNumber);
      if (!change.empty()) commands.push_back({std::move(change), kProgramNumber});
    }
    for (const PageItem& item : items) AppendCommands(commands, image, item, context);
  }
  return commands;
}

std::string DspSettings::DescribeRange(int number, int) const {
  const dsp::DspDescriptor* descriptor = dsp::FindDspDescriptor(number);
  return descriptor != nullptr ? dsp::DspRangeText(*descriptor) : std::string();
}

const PageSettings& DspParametersSettings() {
  static const DspSettings settings;
  return settings;
}

}  // namespace tw::settings
