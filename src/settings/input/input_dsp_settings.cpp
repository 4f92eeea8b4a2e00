#include "settings/input/input_dsp_settings.h"

#include <array>

#include "comm/operation_command.h"
#include "model/parameter_access.h"
#include "settings/basic/basic_lists.h"

namespace tw::settings {

bool input_dsp::IsEnhancer(std::int32_t value) {
  return value >= basic::kFirstEnhancerProgram && value < basic::kStraightProgram;
}

int input_dsp::SelectorOf(std::int32_t value) {
  if (value == basic::kStraightProgram) return basic::kSelectorStraight;
  return IsEnhancer(value) ? basic::kSelectorEnhancer : basic::kSelectorProgram;
}

namespace {

using input_dsp::kInputCount;
using input_dsp::NumberOf;

constexpr int kSettingCount = 29;

// The settings in value order: the sound programs, the enhancers, Straight.
constexpr auto kSettingNames = [] {
  std::array<std::string_view, kSettingCount> names{};
  std::size_t next = 0;
  for (std::string_view program : basic::kPrograms) names[next++] = program;
  for (std::string_view enhancer : basic::kEnhancers) names[next++] = enhancer;
  names[next] = basic::kStraight;
  return names;
}();
static_assert(basic::kPrograms.size() + basic::kEnhancers.size() + 1 == kSettingCount);

constexpr int kXmInput = 11;
// The Basic Control items the receiver takes an input's program with.
constexpr int kInputItem = 1;
constexpr int kProgramItem = 4;
constexpr std::size_t kCurrentInput = 0;
constexpr std::size_t kCurrentProgram = 3;

// Selects the input, then gives it its program: the main form's commands for a copy of
// the Basic Control block with this input and program as the current ones.
std::vector<std::string> ProgramCommands(const model::ParameterImage& image, int number, int /*subIndex*/) {
  const int input = (number - input_dsp::kFirstNumber) / 2;
  const auto value = model::GetParameter(image, number);
  if (input < 0 || input >= kInputCount || !value || !std::holds_alternative<std::int32_t>(*value)) return {};
  comm::BasicBlock block = image.basic;
  block[kCurrentInput] = input;
  block[kCurrentProgram] = std::get<std::int32_t>(*value);
  std::string select = comm::BuildOperationCommand(block, kInputItem);
  std::string program = comm::BuildOperationCommand(block, kProgramItem);
  if (select.empty() || program.empty()) return {};
  return {std::move(select), std::move(program)};
}

constexpr auto kItems = [] {
  std::array<ChoiceItem, kInputCount> items{};
  for (int i = 0; i < kInputCount; ++i) {
    items[static_cast<std::size_t>(i)] = {.number = NumberOf(i),
                                          .key = basic::kInputs[static_cast<std::size_t>(i)],
                                          .texts = kSettingNames,
                                          // Selecting the XM input needs the XM tuner.
                                          .needs = i == kXmInput ? Needs::Xm : Needs::Nothing,
                                          .build = ProgramCommands};
  }
  return items;
}();

class InputDsp final : public PageSettings {
 public:
  InputDsp() : PageSettings("Input DSP", Presence::AsyncOnly) {
    for (const ChoiceItem& item : kItems) Add(item, true);
  }

  std::vector<std::string> Commands(const model::ParameterImage& image, int number, int subIndex,
                                    const SettingContext& context) const override {
    if (context.realTime) return {};
    return PageSettings::Commands(image, number, subIndex, context);
  }
};

}  // namespace

const PageSettings& InputDspSettings() {
  static const InputDsp settings;
  return settings;
}

}  // namespace tw::settings
