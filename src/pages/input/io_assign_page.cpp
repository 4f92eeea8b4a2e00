#include "pages/input/io_assign_page.h"

#include "model/parameter_defaults.h"
#include "settings/input/io_assign_settings.h"

namespace tw::pages {
namespace {

constexpr int kConnectorListId = 1510;
constexpr int kInputListId = 1511;
constexpr int kSelectId = 1512;
constexpr int kDefaultId = 1513;

}  // namespace

IoAssignPage::IoAssignPage(const PageContext& context)
    : ItemPage(context, settings::IoAssignSettings()),
      connectors_(kConnectorListId),
      inputs_(kInputListId),
      select_(kSelectId, "Select"),
      default_(kDefaultId, "Default") {
  connectors_.setColumns({{"Connector", 20}, {"Input", 11}});
  for (int i = 0; i < kConnectorCount; ++i) {
    const ChoiceItem& item = settings().Choice(kFirstNumber + i);
    connectors_.addRow({std::string(settings::io_assign::ListName(i)), ""});
    Add(item);
    ShowInCell(item.number, connectors_, i, 1);
  }
  connectors_.onSelect = [this] { UpdateControlStates(); };
  inputs_.onSelChange = [this] { UpdateControlStates(); };
  select_.onClicked = [this] { OnSelect(); };
  default_.onClicked = [this] {
    ResetPage([](model::ParameterImage& image) { image.ioAssign = model::kIoAssignDefaults; });
  };
  SetLayout(ui::Row({ui::Item(connectors_), ui::Column({ui::Item("Input", inputs_), ui::Item(select_)}),
                     ui::Item(default_)}));
}

bool IoAssignPage::IsAllowed(int connector, int input) {
  return settings::io_assign::IsAllowed(connector, input);
}

void IoAssignPage::InitControls() {
  ItemPage::InitControls();
  inputs_.resetContent();
  for (std::string_view input : settings().Choice(kFirstNumber).texts) inputs_.addString(std::string(input));
  connectors_.setSelectedRow(0);
}

void IoAssignPage::UpdateControlStates() {
  select_.setEnabled(IsAllowed(connectors_.selectedRow(), inputs_.curSel()));
}

void IoAssignPage::OnSelect() {
  const int connector = connectors_.selectedRow();
  const int input = inputs_.curSel();
  if (connector < 0 || connector >= kConnectorCount || input < 0 || input >= kInputCount) return;
  if (!IsAllowed(connector, input)) {
    ui().beep();
    return;
  }
  const int number = kFirstNumber + connector;
  Store(number, input);
  ShowItem(number);
  SendItem(number);
}

}  // namespace tw::pages
