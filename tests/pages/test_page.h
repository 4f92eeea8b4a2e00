#pragma once

// A page of the framework's kinds (two radio groups, a list, two level sliders, a reset
// button) on real parameter numbers, to exercise the page rules as a page family uses them.

#include <array>
#include <string_view>

#include "pages/item_page.h"
#include "pages/radio_buttons.h"
#include "ui/controls/button.h"
#include "ui/controls/group_box.h"

namespace tw::test {

namespace test_page {
inline constexpr std::array<std::string_view, 2> kFrontTexts = {"Small", "Large"};
inline constexpr std::array<std::string_view, 2> kFrontCodes = {"1", "0"};
inline constexpr std::array<std::string_view, 3> kCenterTexts = {"None", "Small", "Large"};
inline constexpr std::array<std::string_view, 3> kCenterCodes = {"2", "1", "0"};
inline constexpr std::array<std::string_view, 3> kModeTexts = {"Off", "On", "Auto"};
inline constexpr std::array<std::string_view, 3> kModeCodes = {"00", "05", "06"};

inline std::string LevelData(std::int32_t v) { return pages::Hex((v + 200) / 5, 2, pages::HexCase::Lower); }

inline constexpr pages::ChoiceItem kFront{427, "Front", kFrontTexts, "2710", kFrontCodes};
inline constexpr pages::ChoiceItem kCenter{428, "Center", kCenterTexts, "2700", kCenterCodes};
inline constexpr pages::ChoiceItem kMode{517,          "Mode",     kModeTexts,
                                         "2008010030", kModeCodes, pages::CommandFrame::ExtendedLower};
inline constexpr pages::LevelItem kFl{268, "FL", -100, 100, 5, "dB", "241", LevelData};
inline constexpr pages::LevelItem kFr{269, "FR", -100, 100, 5, "dB", "240", LevelData};
}  // namespace test_page

class TestPage final : public pages::ItemPage {
 public:
  explicit TestPage(const pages::PageContext& context) : ItemPage(context, "Test Page") {
    using namespace test_page;
    Bind(kFront, front);
    Bind(kCenter, center);
    Bind(kMode, mode);
    Bind(kFl, fl, &flLabel);
    Bind(kFr, fr, &frLabel);
    SetSendOrder({269, 268, 427, 428, 517});
    reset.onClicked = [this] {
      ResetPage([](model::ParameterImage& image) {
        image.speakerLevel[8] = 0;  // FL
        image.speakerLevel[9] = 0;  // FR
        image.speakerSet[0] = 1;    // Front Large
      });
    };
    SetLayout(ui::Column({ui::Group(box, {ui::Item(front), ui::Item(center)}), ui::Item("Mode", mode),
                          ui::Row({ui::Item(fl), ui::Item(flLabel), ui::Item(fr), ui::Item(frLabel)}),
                          ui::Item(reset)}));
  }

  // Center "Large" asks first; Cancel falls back to the first button.
  bool ConfirmChoice(int number, int index) override {
    return number != 428 || index != 2 || ui::AskOkCancel(ui(), ui::msg::kFactoryReset);
  }
  // "Auto" needs Front Large.
  bool AcceptChoice(int number, std::int32_t value, std::int32_t) override {
    return number != 517 || value != 2 || Value(427) == 1;
  }
  std::string LabelText(const pages::LevelItem& item, std::int32_t value) const override {
    return " " + item.Text(value);
  }
  void UpdateControlStates() override { ++controlStateUpdates; }

  using ItemPage::Value;

  ui::GroupBox box{1100, "Speakers"};
  ui::RadioGroup front{1101, "Front", {{1102, "Small"}, {1103, "Large"}}};
  ui::RadioGroup center{1104, "Center", pages::Buttons(test_page::kCenter, 1105)};
  ui::ListCombo mode{1108};
  ui::LevelSlider fl{1109};
  ui::ValueLabel flLabel{1110};
  ui::LevelSlider fr{1111};
  ui::ValueLabel frLabel{1112};
  ui::Button reset{1113, "Default"};
  int controlStateUpdates = 0;
};

}  // namespace tw::test
