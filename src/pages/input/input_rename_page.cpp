#include "pages/input/input_rename_page.h"

#include "model/parameter_access.h"
#include "model/parameter_defaults.h"
#include "settings/input/input_rename_settings.h"
#include "ui/ui_services.h"

namespace tw::pages {
namespace {

constexpr std::string_view kNameRefused =
    "A name holds up to eight characters of plain ASCII: letters, digits, blanks and punctuation.\n"
    "The name was not changed.";

constexpr int kListId = 1500;
constexpr int kEditId = 1501;
constexpr int kEnterId = 1502;
constexpr int kDefaultId = 1503;

std::string WithoutTrailingBlanks(std::string text) {
  text.erase(text.find_last_not_of(' ') + 1);
  return text;
}

}  // namespace

InputRenamePage::InputRenamePage(const PageContext& context)
    : ItemPage(context, settings::InputRenameSettings()),
      names_(kListId),
      edit_(kEditId, kNameLength),
      enter_(kEnterId, "Enter"),
      default_(kDefaultId, "Default") {
  names_.setColumns({{"Input", 10}, {"Name", 10}});
  for (int i = 0; i < kInputCount; ++i) {
    const TextItem& name = settings().Text(kFirstNumber + i);
    names_.addRow({std::string(name.key), ""});
    Add(name);
    ShowInCell(name.number, names_, i, 1);
  }
  names_.onSelect = [this] { onInputSelected(); };
  names_.onActivate = [this] { onInputSelected(); };
  enter_.onClicked = [this] { onEnter(); };
  default_.onClicked = [this] {
    ResetPage([](model::ParameterImage& image) { model::WriteInputNameDefaults(image.inputNames); });
  };
  SetLayout(ui::Row({ui::Item(names_),
                     ui::Column({ui::Item("New name", edit_), ui::Row({ui::Item(enter_), ui::Item(default_)})})}));
}

std::optional<std::string> InputRenamePage::PaddedName(std::string_view text) {
  return settings::input_rename::PaddedName(text);
}

void InputRenamePage::InitControls() {
  ItemPage::InitControls();
  names_.setSelectedRow(0);
  onInputSelected();
}

// A name the receiver lacks (XM without the XM tuner) cannot be entered, as any other item
// the receiver lacks.
void InputRenamePage::UpdateControlStates() {
  const int row = names_.selectedRow();
  const bool available = row >= 0 && row < kInputCount && IsItemAvailable(kFirstNumber + row);
  edit_.setEnabled(available);
  enter_.setEnabled(available);
}

void InputRenamePage::onInputSelected() {
  UpdateControlStates();
  const int row = names_.selectedRow();
  if (row < 0 || row >= kInputCount) return;
  edit_.setText(WithoutTrailingBlanks(TextValue(kFirstNumber + row)));
}

void InputRenamePage::onEnter() {
  const int row = names_.selectedRow();
  if (row < 0 || row >= kInputCount || !IsItemAvailable(kFirstNumber + row)) return;
  const auto name = PaddedName(edit_.text());
  if (!name) {
    ui().messageBox(kNameRefused, ui::kApplicationTitle, ui::MessageIcon::Stop, ui::MessageButtons::Ok);
    return;
  }
  const int number = kFirstNumber + row;
  model::SetParameterText(pageImage(), number, *name);
  ShowItem(number);
  SendItem(number);
}

}  // namespace tw::pages
