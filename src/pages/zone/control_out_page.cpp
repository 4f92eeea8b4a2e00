#include "pages/zone/control_out_page.h"

#include "settings/zone/control_out_items.h"

namespace tw::pages {
namespace {

namespace control_out = settings::control_out;

using control_out::kColumnNames;
using control_out::Trigger;
using control_out::Triggers;

constexpr int kFirstControlId = 1700;
constexpr int kIdsPerOutput = 200;
constexpr int kFirstPairId = 10;  // within an output's ids; three ids a pair
constexpr int kIdsPerPair = 3;

constexpr std::array<std::string_view, 2> kOutputCaptions = {"CONTROL OUT1", "CONTROL OUT2"};

}  // namespace

ControlOutPage::OutputControls::OutputControls(int firstId, std::string caption)
    : box(firstId, std::move(caption)),
      triggerControl(firstId + 1),
      headers{ui::StaticText(firstId + 2, std::string(kColumnNames[0])),
              ui::StaticText(firstId + 3, std::string(kColumnNames[1])),
              ui::StaticText(firstId + 4, std::string(kColumnNames[2]))},
      allHigh(firstId + 5, "All High"),
      allLow(firstId + 6, "All Low") {}

ControlOutPage::ControlOutPage(const PageContext& context)
    : ItemPage(context, settings::ControlOutSettings()),
      outputs_{OutputControls(kFirstControlId, std::string(kOutputCaptions[0])),
               OutputControls(kFirstControlId + kIdsPerOutput, std::string(kOutputCaptions[1]))} {
  std::vector<ui::LayoutNode> groups;
  for (int output = 0; output < control_out::kOutputCount; ++output) {
    OutputControls& c = controls(output);
    const int firstId = kFirstControlId + kIdsPerOutput * output;
    Bind(control_out::TriggerControl(output), c.triggerControl);
    int pairs = 0;

    std::vector<ui::LayoutNode> content = {
        ui::Item("Trigger Control", c.triggerControl),
        ui::Row({ui::Item(c.headers[0]), ui::Item(c.headers[1]), ui::Item(c.headers[2])})};
    std::vector<ui::LayoutNode> row;
    int currentRow = -1;
    for (const Trigger& trigger : Triggers(output)) {
      ui::RadioGroup& pair = MakeRadios(trigger.item.number, firstId + kFirstPairId + kIdsPerPair * pairs++, "");
      if (trigger.row != currentRow && !row.empty()) content.push_back(ui::Row(std::move(row)));
      if (trigger.row != currentRow) {
        row = {};
        row.push_back(ui::Item(std::string(control_out::kRowNames[static_cast<std::size_t>(trigger.row)]), pair));
      } else {
        row.push_back(ui::Item(pair));
      }
      currentRow = trigger.row;
    }
    content.push_back(ui::Row(std::move(row)));
    content.push_back(ui::Row({ui::Item(c.allHigh), ui::Item(c.allLow)}));
    c.allHigh.onClicked = [this, output] { setAll(output, control_out::kHigh); };
    c.allLow.onClicked = [this, output] { setAll(output, control_out::kLow); };
    groups.push_back(ui::Group(c.box, std::move(content)));
  }
  SetLayout(ui::Row(std::move(groups)));
}

void ControlOutPage::setAll(int output, std::int32_t value) {
  control_out::SetAllTriggers(pageImage(), output, value, link().capabilities());
  RefreshAll();
  std::vector<PageItem> items;
  for (const Trigger& trigger : Triggers(output)) items.push_back({trigger.item.number, -1});
  SendItems(items);
}

}  // namespace tw::pages
