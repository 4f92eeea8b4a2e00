#include "pages/dsp/dsp_parameters_page.h"

#include <algorithm>
#include <variant>

#include "model/dsp_layout.h"
#include "model/parameter_access.h"
#include "settings/dsp/dsp_parameters_settings.h"
#include "settings/dsp/dsp_values.h"

namespace tw::pages {
namespace {

constexpr int kProgramListId = 1600;
constexpr int kLayoutListId = 1601;
constexpr int kParameterListId = 1602;
constexpr int kSliderId = 1603;
constexpr int kUpId = 1604;
constexpr int kDownId = 1605;
constexpr int kDefaultId = 1606;

// The Basic Control number of the sound program, whose command switches the receiver.
constexpr int kProgramNumber = 4;
constexpr int kValueColumn = 1;

bool IsProgram(int program) { return program >= 0 && program < model::kSoundProgramCount; }

std::int32_t ValueIn(const model::ParameterImage& image, int number) {
  const auto value = model::GetParameter(image, number);
  const auto* integer = value ? std::get_if<std::int32_t>(&*value) : nullptr;
  return integer != nullptr ? *integer : 0;
}

}  // namespace

DspParametersPage::DspParametersPage(const PageContext& context)
    : BasePage(context, settings::DspParametersSettings()),
      programList_(kProgramListId),
      layoutList_(kLayoutListId),
      parameterList_(kParameterListId),
      slider_(kSliderId),
      up_(kUpId, "Up"),
      down_(kDownId, "Down"),
      default_(kDefaultId, "Default") {
  // The page opens on the image's own program; Async Mode then goes its own way.
  if (const int current = pageImage().basic[kProgramNumber - 1]; IsProgram(current)) program_ = current;
  programList_.onSelChange = [this] { onProgramChosen(); };
  layoutList_.onSelChange = [this] { onLayoutChosen(); };
  parameterList_.onSelect = [this] {
    showSlider();
    UpdateControlStates();
  };
  slider_.onDragged = [this] { onSliderDraw(); };
  slider_.onReleased = [this] {
    if (const int number = selectedNumber(); number != 0) SendItem(number);
  };
  up_.onClicked = [this] { onStep(+1); };
  down_.onClicked = [this] { onStep(-1); };
  default_.onClicked = [this] { onDefault(); };
  // The choices and the editing controls on the left, the program's rows beside them.
  SetLayout(ui::Row({ui::Column({ui::Item("Program", programList_), ui::Item("Layout", layoutList_),
                                 ui::Row({ui::Item(down_), ui::Item(up_)}), ui::Item(slider_), ui::Item(default_)}),
                     ui::Item(parameterList_)}));
}

void DspParametersPage::InitControls() {
  programList_.resetContent();
  for (int program = 0; program < model::kSoundProgramCount; ++program)
    programList_.addString(std::string(dsp::DspProgramName(program)), program);
  layoutList_.resetContent();
  for (const std::string_view name : dsp::kDspLayoutNames) layoutList_.addString(std::string(name));
  parameterList_.setColumns({{"Parameter", 0}, {"Value", 0}});
  slider_.setVisible(false);
  slider_.setEnabled(false);
}

// ---- what the page shows ----------------------------------------------------------------------

std::int32_t DspParametersPage::value(int number) const { return ValueIn(pageImage(), number); }

void DspParametersPage::store(int number, std::int32_t newValue) { model::SetParameter(pageImage(), number, newValue); }

int DspParametersPage::selectedNumber() const {
  const int row = parameterList_.selectedRow();
  return row >= 0 && row < rows_.count ? rows_.numbers[static_cast<std::size_t>(row)] : 0;
}

void DspParametersPage::SetCurrentProgram(int program) {
  if (!IsProgram(program)) return;
  program_ = program;
  if (hasWindow()) showProgram();
}

void DspParametersPage::UpdateControlStates() {
  programList_.setEnabled(!isRealTime());
  const bool rowSelected = selectedNumber() != 0;
  up_.setEnabled(rowSelected);
  down_.setEnabled(rowSelected);
}

void DspParametersPage::RefreshAll() {
  if (const int current = pageImage().basic[kProgramNumber - 1]; isRealTime() && IsProgram(current)) {
    program_ = current;
  }
  showProgram();
}

void DspParametersPage::RefreshItem(int number, bool update) {
  if (!isActive() || !hasWindow()) return;
  const auto found = std::find(rows_.begin(), rows_.end(), number);
  if (found != rows_.end()) {
    const int row = static_cast<int>(found - rows_.begin());
    showRow(row);
    if (row == parameterList_.selectedRow()) showSlider();
  }
  if (update) UpdateControlStates();
}

void DspParametersPage::showProgram() {
  programList_.selectData(program_);
  layoutList_.setCurSel(layout_);
  showRows();
}

// The program's rows of the shown layout; the selected parameter stays selected while it
// is still listed.
void DspParametersPage::showRows() {
  const int kept = selectedNumber();
  rows_ = dsp::DspRowsOfLayout(program_, layout_);
  parameterList_.clear();
  int selected = -1;
  for (const int number : rows_) {
    if (number == kept) selected = parameterList_.rowCount();
    parameterList_.addRow({std::string(dsp::FindDspDescriptor(number)->name), {}});
    showRow(parameterList_.rowCount() - 1);
  }
  parameterList_.setSelectedRow(selected);
  showSlider();
  UpdateControlStates();
}

void DspParametersPage::showRow(int row) {
  const int number = rows_.numbers[static_cast<std::size_t>(row)];
  parameterList_.setCell(row, kValueColumn, dsp::DspValueText(*dsp::FindDspDescriptor(number), value(number)));
}

// One slider serves every row whose range suits one; other rows hide it.
void DspParametersPage::showSlider() {
  const int number = selectedNumber();
  const dsp::DspDescriptor* descriptor = number != 0 ? dsp::FindDspDescriptor(number) : nullptr;
  const bool shown = descriptor != nullptr && descriptor->slider != 0;
  if (shown) slider_.Setup(descriptor->min, descriptor->max, 1, value(number));
  slider_.setVisible(shown);
  slider_.setEnabled(shown);
}

// ---- the user's edits ---------------------------------------------------------------------------

void DspParametersPage::onProgramChosen() {
  const auto program = static_cast<int>(programList_.itemData(programList_.curSel()));
  if (!IsProgram(program)) return;
  program_ = program;
  showRows();
}

void DspParametersPage::onLayoutChosen() {
  const int layout = layoutList_.curSel();
  if (layout < 0) return;
  layout_ = layout;
  showRows();
}

void DspParametersPage::onStep(int delta) {
  const int number = selectedNumber();
  if (number == 0) return;
  const dsp::DspDescriptor& descriptor = *dsp::FindDspDescriptor(number);
  const std::int32_t next = value(number) + delta;
  if (next < descriptor.min || next > descriptor.max) return;
  store(number, next);
  showRow(parameterList_.selectedRow());
  if (descriptor.slider != 0) slider_.SetValue(next);
  SendItem(number);
}

void DspParametersPage::onSliderDraw() {
  const int number = selectedNumber();
  if (number == 0 || !mayStoreSliderValue()) return;
  const dsp::DspDescriptor& descriptor = *dsp::FindDspDescriptor(number);
  store(number, std::clamp<std::int32_t>(slider_.GetValue(), descriptor.min, descriptor.max));
  showRow(parameterList_.selectedRow());
}

// "Default" resets the program on show only: the other programs keep their settings.
void DspParametersPage::onDefault() {
  model::WriteDspProgramDefaults(pageImage(), program_);
  showRows();
  const std::vector<PageItem> items = ListItems(false, program_);
  SendItems(items);
}

ui::Control* DspParametersPage::BringIntoView(int number, int /*subIndex*/) {
  const std::optional<int> program = model::DspProgramOfNumber(number);
  if (!program || (isRealTime() && *program != program_)) return nullptr;
  program_ = *program;
  for (const int layout : {layout_, int{dsp::kLayoutDual}, int{dsp::kLayoutTri}, int{dsp::kLayoutQuad}}) {
    const dsp::DspNumbers rows = dsp::DspRowsOfLayout(program_, layout);
    const auto found = std::find(rows.begin(), rows.end(), number);
    if (found == rows.end()) continue;
    layout_ = layout;
    showProgram();
    parameterList_.setSelectedRow(static_cast<int>(found - rows.begin()));
    showSlider();
    UpdateControlStates();
    return &parameterList_;
  }
  return nullptr;
}

}  // namespace tw::pages
