#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "pages/base_page.h"
#include "settings/dsp/dsp_rows.h"
#include "pages/view_hooks.h"
#include "settings/dsp/dsp_parameters_settings.h"
#include "ui/controls/button.h"
#include "ui/controls/combo_box.h"
#include "ui/controls/list_box.h"
#include "ui/controls/list_view.h"
#include "ui/controls/step_slider.h"

namespace tw::pages {

namespace dsp = settings::dsp;

// DSP Parameters: the parameters (27..211) of the 24 sound programs. The page shows one
// program at a time, and of its surround rows those of one speaker layout (Dual, Tri,
// Quad); the selected row has a slider when its range suits one, and "Up" / "Down" step it.
// In Real Time Mode the program is the receiver's current one (the main view tells the
// page), so the program list is disabled there.
//
// Its items form one group per sound program: ListItems with a program 0..23 as the group
// gives that program's parameters (file order, or the order they are sent in), which is
// how the System Memory page takes the parameters of a memory's own program; the group
// that selects no particular group gives nothing. Files and reports hold one section per
// program ("DSP Parameters Hall in Munich"), and a download switches the receiver to each
// program before sending its parameters.
class DspParametersPage final : public BasePage, public ProgramFollower {
 public:

  explicit DspParametersPage(const PageContext& context);

  // The receiver's sound program changed (Real Time Mode); 0..23, anything else is ignored.
  void SetCurrentProgram(int program) override;

  void UpdateControlStates() override;
  // Real Time Mode: the program of the current image, when it is one of the 24; then the
  // lists, the value cells and the slider show the page's image.
  void RefreshAll() override;
  void RefreshItem(int number, bool update) override;

  // Selects the parameter's program (in Async Mode; in Real Time Mode only the receiver's
  // program is shown), a layout that lists it, and its row.
  ui::Control* BringIntoView(int number, int subIndex) override;

  int program() const { return program_; }
  int layout() const { return layout_; }
  // The parameter numbers listed for the shown program and layout, in row order.
  const dsp::DspNumbers& rows() const { return rows_; }
  // The selected row's parameter number, or 0.
  int selectedNumber() const;

  ui::ListCombo& programList() { return programList_; }
  ui::ListBox& layoutList() { return layoutList_; }
  // Two columns: the parameter's name and its value text.
  ui::ListView& parameterList() { return parameterList_; }
  ui::StepSlider& slider() { return slider_; }
  ui::Button& upButton() { return up_; }
  ui::Button& downButton() { return down_; }
  ui::Button& defaultButton() { return default_; }

 protected:
  void InitControls() override;

 private:
  std::int32_t value(int number) const;
  void store(int number, std::int32_t newValue);
  void showProgram();
  void showRows();
  void showRow(int row);
  void showSlider();
  void onProgramChosen();
  void onLayoutChosen();
  void onStep(int delta);
  void onSliderDraw();
  void onDefault();

  int program_ = 0;
  int layout_ = dsp::kLayoutDual;
  dsp::DspNumbers rows_;

  ui::ListCombo programList_;
  ui::ListBox layoutList_;
  ui::ListView parameterList_;
  ui::StepSlider slider_;
  ui::Button up_;
  ui::Button down_;
  ui::Button default_;
};

}  // namespace tw::pages
