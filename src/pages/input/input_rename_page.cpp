#include "pages/input/input_rename_page.h"

#include <algorithm>
#include <array>

#include "model/parameter_access.h"
#include "model/parameter_defaults.h"
#include "ui/ui_services.h"

namespace tw::pages {
namespace {

// The inputs in block order, each with the code its name command carries.
struct NamedInput {
  std::string_view key;
  std::string_view code;
};
constexpr std::array<NamedInput, CInputSetUp::kInputCount> kInputs = {{
    {"PHONO", "00"},
    {"CD", "01"},
    {"TUNER", "02"},
    {"CD-R", "03"},
    {"MD/TAPE", "04"},
    {"DVD", "05"},
    {"DTV", "06"},
    {"CBL/SAT", "07"},
    {"VCR1", "09"},
    {"DVR/VCR2", "0A"},
    {"V-AUX", "0C"},
    {"XM", "0E"},
    {"DOCK", "20"},
    {"MULTI CH", "10"},
}};

constexpr int kXmInput = 11;

// The name command: address, the input's code, the length "08", the eight characters.
std::vector<std::string> NameCommand(const model::ParameterImage& image, int number, int /*subIndex*/) {
  const int index = number - CInputSetUp::kFirstNumber;
  if (index < 0 || index >= CInputSetUp::kInputCount) return {};
  const auto name = CInputSetUp::PaddedName(ReadText(image, number).value_or(""));
  if (!name) return {};
  const std::string body = "201101110" + std::string(kInputs[static_cast<std::size_t>(index)].code) + "08" + *name;
  return {MakeCommand(CommandFrame::ExtendedUpper, body)};
}

// Files write each name between quotes, which the reader takes off when both are there. A
// value that begins with a quote and holds an odd number of them lost its closing quote: it
// was cut short, and is no name.
std::optional<std::string> NameFromFile(std::string_view text) {
  if (!text.empty() && text.front() == '"' && std::count(text.begin(), text.end(), '"') % 2 != 0) return std::nullopt;
  return CInputSetUp::PaddedName(text);
}

constexpr TextItem Name(int index) {
  return {.number = CInputSetUp::kFirstNumber + index,
          .key = kInputs[static_cast<std::size_t>(index)].key,
          .maxLength = CInputSetUp::kNameLength,
          .parse = NameFromFile,
          .build = NameCommand,
          // The receiver has no XM name without the XM tuner: it refuses the command.
          .needs = index == kXmInput ? Needs::Xm : Needs::Nothing};
}

constexpr auto kNames = [] {
  std::array<TextItem, CInputSetUp::kInputCount> items{};
  for (int i = 0; i < CInputSetUp::kInputCount; ++i) items[static_cast<std::size_t>(i)] = Name(i);
  return items;
}();

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

CInputSetUp::CInputSetUp(const PageContext& context)
    : CItemPage(context, std::string(kCaption), kTemplateId),
      names_(kListId),
      edit_(kEditId, kNameLength),
      enter_(kEnterId, "Enter"),
      default_(kDefaultId, "Default") {
  names_.setColumns({{"Input", 10}, {"Name", 10}});
  for (int i = 0; i < kInputCount; ++i) {
    names_.addRow({std::string(kInputs[static_cast<std::size_t>(i)].key), ""});
    Add(kNames[static_cast<std::size_t>(i)]);
    ShowInCell(kNames[static_cast<std::size_t>(i)].number, names_, i, 1);
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

std::optional<std::string> CInputSetUp::PaddedName(std::string_view text) {
  // Blanks past the eighth character carry nothing; anything else there would be lost.
  while (text.size() > kNameLength && text.back() == ' ') text.remove_suffix(1);
  const bool printable = std::all_of(text.begin(), text.end(), [](char c) { return c >= 0x20 && c <= 0x7E; });
  if (!printable || text.size() > kNameLength) return std::nullopt;
  std::string name(text);
  name.resize(kNameLength, ' ');
  return name;
}

std::string CInputSetUp::RefusalReason(const model::ParameterImage& /*image*/, int /*number*/, int /*subIndex*/,
                                      std::string_view /*text*/) const {
  return "allowed: up to eight characters of plain ASCII";
}

void CInputSetUp::InitControls() {
  CItemPage::InitControls();
  names_.setSelectedRow(0);
  onInputSelected();
}

ItemText CInputSetUp::DescribeItem(const model::ParameterImage& image, int number, int subIndex,
                                   bool forReport) const {
  ItemText text = CItemPage::DescribeItem(image, number, subIndex, forReport);
  if (!text.key.empty()) text.value = "\"" + text.value + "\"";
  return text;
}

// A name the receiver lacks (XM without the XM tuner) cannot be entered, as any other item
// the receiver lacks.
void CInputSetUp::UpdateControlStates() {
  const int row = names_.selectedRow();
  const bool available = row >= 0 && row < kInputCount && IsItemAvailable(kFirstNumber + row);
  edit_.setEnabled(available);
  enter_.setEnabled(available);
}

void CInputSetUp::onInputSelected() {
  UpdateControlStates();
  const int row = names_.selectedRow();
  if (row < 0 || row >= kInputCount) return;
  edit_.setText(WithoutTrailingBlanks(TextValue(kFirstNumber + row)));
}

void CInputSetUp::onEnter() {
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
