#include "pages/input/input_dsp_page.h"

#include <algorithm>
#include <array>

#include "model/parameter_access.h"
#include "model/parameter_defaults.h"
#include "settings/basic/basic_lists.h"
#include "settings/input/input_dsp_settings.h"

namespace tw::pages {
namespace {

namespace basic = settings::basic;

using settings::input_dsp::IsEnhancer;
using settings::input_dsp::SelectorOf;

constexpr int kSettingCount = 29;
// The block keeps a program for every input, MULTI CH and one more beyond the page's twelve.
constexpr int kBlockInputs = 14;
// Basic Control block integers, counted from 0.
constexpr std::size_t kCurrentInput = 0;
constexpr std::size_t kCurrentProgram = 3;
constexpr std::size_t kCurrentEnhancer = 10;
constexpr std::size_t kCurrentSelector = 11;

// 24, 25 are the 2ch enhancer, 26, 27 the 7ch one.
bool SameEnhancer(std::int32_t a, std::int32_t b) {
  return IsEnhancer(a) && IsEnhancer(b) &&
         (a - basic::kFirstEnhancerProgram) / 2 == (b - basic::kFirstEnhancerProgram) / 2;
}

constexpr int kInputListId = 1530;
constexpr int kSelectorFrameId = 1531;
constexpr int kProgramButtonId = 1532;
constexpr int kStraightButtonId = 1533;
constexpr int kEnhancerButtonId = 1534;
constexpr int kProgramListId = 1535;
constexpr int kEnhancerListId = 1536;
constexpr int kDefaultId = 1537;

}  // namespace

InputDspPage::InputDspPage(const PageContext& context)
    : ItemPage(context, settings::InputDspSettings()),
      inputs_(kInputListId),
      selector_(kSelectorFrameId, "Sound",
                {{kProgramButtonId, "DSP Program"}, {kStraightButtonId, "Straight"}, {kEnhancerButtonId, "Music Enhancer"}}),
      programs_(kProgramListId),
      enhancers_(kEnhancerListId),
      default_(kDefaultId, "Default") {
  inputs_.setColumns({{"Input", 11}, {"Program", 18}});
  for (int i = 0; i < kInputCount; ++i) {
    const ChoiceItem& item = settings().Choice(NumberOf(i));
    inputs_.addRow({std::string(item.key), ""});
    Add(item);
    ShowInCell(item.number, inputs_, i, 1);
  }
  inputs_.onSelect = [this] { showSelected(); };
  selector_.onClicked = [this](int index) {
    switch (index) {
      case basic::kSelectorProgram:
        storeSetting(std::max(programs_.curSel(), 0));
        break;
      case basic::kSelectorStraight:
        storeSetting(basic::kStraightProgram);
        break;
      case basic::kSelectorEnhancer:
        storeSetting(basic::kFirstEnhancerProgram + std::max(enhancers_.curSel(), 0));
        break;
      default:
        break;
    }
  };
  programs_.onSelChange = [this] { storeSetting(programs_.curSel()); };
  enhancers_.onSelChange = [this] { storeSetting(basic::kFirstEnhancerProgram + enhancers_.curSel()); };
  default_.onClicked = [this] { resetToDefaults(); };
  SetLayout(ui::Row({ui::Item(inputs_),
                     ui::Column({ui::Item(selector_), ui::Item("Program", programs_),
                                 ui::Item("Enhancer", enhancers_), ui::Item(default_)})}));
}

void InputDspPage::InitControls() {
  ItemPage::InitControls();
  programs_.Fill(basic::kPrograms);
  enhancers_.Fill(basic::kEnhancers);
  inputs_.setSelectedRow(0);
}

int InputDspPage::selectedInput() const {
  const int row = inputs_.selectedRow();
  return row >= 0 && row < kInputCount ? row : -1;
}

void InputDspPage::RefreshAll() {
  ItemPage::RefreshAll();
  showSelected();
}

void InputDspPage::RefreshItem(int number, bool update) {
  ItemPage::RefreshItem(number, update);
  if (isActive() && hasWindow() && selectedInput() >= 0 && number == NumberOf(selectedInput())) showSelected();
}

void InputDspPage::UpdateControlStates() {
  programs_.setEnabled(selector_.selected() == basic::kSelectorProgram);
  enhancers_.setEnabled(selector_.selected() == basic::kSelectorEnhancer);
}

void InputDspPage::showSelected() {
  const int input = selectedInput();
  if (input < 0) return;
  const std::int32_t value = Value(NumberOf(input));
  selector_.setSelected(SelectorOf(value));
  if (value >= 0 && value < basic::kFirstEnhancerProgram) programs_.setCurSel(value);
  if (IsEnhancer(value)) enhancers_.setCurSel(value - basic::kFirstEnhancerProgram);
  UpdateControlStates();
}

void InputDspPage::storeSetting(std::int32_t value) {
  const int input = selectedInput();
  if (input < 0 || value < 0 || value >= kSettingCount) return;
  store(input, value);
  // The receiver has one 2ch and one 7ch enhancer setting for all inputs that use them.
  if (IsEnhancer(value)) {
    for (int other = 0; other < kInputCount; ++other) {
      const std::int32_t now = Value(NumberOf(other));
      if (other != input && now != value && SameEnhancer(now, value)) store(other, value);
    }
  }
  showSelected();
}

void InputDspPage::store(int input, std::int32_t value) {
  Store(NumberOf(input), value);
  ShowItem(NumberOf(input));
  followCurrentInput(input);
}

void InputDspPage::followCurrentInput(int input) {
  model::ParameterImage& image = pageImage();
  if (input < 0 || input >= kBlockInputs || image.basic[kCurrentInput] != input) return;
  const auto value = model::GetParameter(image, NumberOf(input));
  if (!value || !std::holds_alternative<std::int32_t>(*value)) return;
  const std::int32_t program = std::get<std::int32_t>(*value);
  image.basic[kCurrentProgram] = program;
  image.basic[kCurrentSelector] = SelectorOf(program);
  if (IsEnhancer(program)) image.basic[kCurrentEnhancer] = program - basic::kFirstEnhancerProgram;
  if (host() != nullptr) host()->RefreshProgramDisplay();
}

void InputDspPage::resetToDefaults() {
  ResetPage([](model::ParameterImage& image) { image.inputDsp = model::kInputDspDefaults; });
  // Every input the block keeps, MULTI CH included, may be the current one.
  followCurrentInput(pageImage().basic[kCurrentInput]);
}



}  // namespace tw::pages
