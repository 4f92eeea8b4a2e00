#include "pages/input/io_assign_page.h"

#include <array>

#include "model/parameter_defaults.h"

namespace tw::pages {
namespace {

// The inputs a connector can belong to, in the order of the stored index, and their codes.
constexpr std::array<std::string_view, CIOAssign::kInputCount> kInputs = {
    "PHONO", "CD",   "TUNER",    "CD-R",       "MD/TAPE", "DVD",     "DTV",
    "CBL/SAT", "VCR1", "DVR/VCR2", "V-AUX/DOCK", "XM",      "MULTI CH"};
constexpr std::array<std::string_view, CIOAssign::kInputCount> kInputCodes = {
    "00", "01", "02", "03", "04", "05", "06", "07", "09", "0A", "0C", "0E", "10"};

// Which inputs each kind of connector takes, one character per input in list order.
constexpr std::string_view kVideoInputs = "0000011111100";    // component and HDMI
constexpr std::string_view kCoaxialInputs = "1101111111101";
constexpr std::string_view kOpticalInInputs = "1101111111001";
constexpr std::string_view kOpticalOutInputs = "1101111111100";

struct Connector {
  std::string_view listName;  // as the list shows it, and the report key
  std::string_view fileKey;   // brackets as parentheses, no indent
  std::string_view address;
  std::string_view allowed;
};

// In number order (254..267). The HDMI names are indented to line up with the bracketed ones.
constexpr std::array<Connector, CIOAssign::kConnectorCount> kConnectors = {{
    {"[A] Component IN 1", "(A) Component IN 1", "2008010130", kVideoInputs},
    {"[B] Component IN 2", "(B) Component IN 2", "2008010131", kVideoInputs},
    {"[C] Component IN 3", "(C) Component IN 3", "2008010132", kVideoInputs},
    {"(1) Coaxial IN 1", "(1) Coaxial IN 1", "2008010100", kCoaxialInputs},
    {"(2) Coaxial IN 2", "(2) Coaxial IN 2", "2008010101", kCoaxialInputs},
    {"(3) Coaxial IN 3", "(3) Coaxial IN 3", "2008010102", kCoaxialInputs},
    {"(4) Optical IN 1", "(4) Optical IN 1", "2008010120", kOpticalInInputs},
    {"(5) Optical IN 2", "(5) Optical IN 2", "2008010121", kOpticalInInputs},
    {"(6) Optical IN 3", "(6) Optical IN 3", "2008010122", kOpticalInInputs},
    {"(7) Optical IN 4", "(7) Optical IN 4", "2008010123", kOpticalInInputs},
    {"(8) Optical OUT 1", "(8) Optical OUT 1", "2008010110", kOpticalOutInputs},
    {"(9) Optical OUT 2", "(9) Optical OUT 2", "2008010111", kOpticalOutInputs},
    {"    HDMI IN 1", "HDMI IN 1", "2008010160", kVideoInputs},
    {"    HDMI IN 2", "HDMI IN 2", "2008010161", kVideoInputs},
}};

int ConnectorOf(int number) {
  const int connector = number - CIOAssign::kFirstNumber;
  return connector >= 0 && connector < CIOAssign::kConnectorCount ? connector : -1;
}

const Connector& ConnectorAt(int connector) { return kConnectors[static_cast<std::size_t>(connector)]; }

// The address, the assigned input's code and a lower-case checksum; nothing for a pair the
// receiver does not allow.
std::vector<std::string> AssignCommand(const model::ParameterImage& image, int number, int /*subIndex*/) {
  const int connector = ConnectorOf(number);
  if (connector < 0) return {};
  const std::int32_t input = image.ioAssign[static_cast<std::size_t>(connector)];
  if (!CIOAssign::IsAllowed(connector, input)) return {};
  return {MakeCommand(CommandFrame::ExtendedLower,
                      std::string(ConnectorAt(connector).address) +
                          std::string(kInputCodes[static_cast<std::size_t>(input)]))};
}

constexpr auto kItems = [] {
  std::array<ChoiceItem, CIOAssign::kConnectorCount> items{};
  for (int i = 0; i < CIOAssign::kConnectorCount; ++i) {
    items[static_cast<std::size_t>(i)] = {.number = CIOAssign::kFirstNumber + i,
                                          .key = kConnectors[static_cast<std::size_t>(i)].fileKey,
                                          .texts = kInputs,
                                          .build = AssignCommand};
  }
  return items;
}();

constexpr int kConnectorListId = 1510;
constexpr int kInputListId = 1511;
constexpr int kSelectId = 1512;
constexpr int kDefaultId = 1513;

}  // namespace

CIOAssign::CIOAssign(const PageContext& context)
    : CItemPage(context, std::string(kCaption), kTemplateId),
      connectors_(kConnectorListId),
      inputs_(kInputListId),
      select_(kSelectId, "Select"),
      default_(kDefaultId, "Default") {
  connectors_.setColumns({{"Connector", 20}, {"Input", 11}});
  for (int i = 0; i < kConnectorCount; ++i) {
    const ChoiceItem& item = kItems[static_cast<std::size_t>(i)];
    connectors_.addRow({std::string(ConnectorAt(i).listName), ""});
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

bool CIOAssign::IsAllowed(int connector, int input) {
  if (connector < 0 || connector >= kConnectorCount || input < 0 || input >= kInputCount) return false;
  return ConnectorAt(connector).allowed[static_cast<std::size_t>(input)] == '1';
}

void CIOAssign::InitControls() {
  CItemPage::InitControls();
  inputs_.resetContent();
  for (std::string_view input : kInputs) inputs_.addString(std::string(input));
  connectors_.setSelectedRow(0);
}

ItemText CIOAssign::DescribeItem(const model::ParameterImage& image, int number, int subIndex,
                                 bool forReport) const {
  ItemText text = CItemPage::DescribeItem(image, number, subIndex, forReport);
  if (forReport && !text.key.empty()) text.key = std::string(ConnectorAt(ConnectorOf(number)).listName);
  return text;
}

bool CIOAssign::ParseItem(model::ParameterImage& image, int number, int subIndex, std::string_view text) {
  const int connector = ConnectorOf(number);
  if (connector < 0) return false;
  const auto input = kItems[static_cast<std::size_t>(connector)].Parse(text, false);
  if (!input || !IsAllowed(connector, *input)) return false;
  return CItemPage::ParseItem(image, number, subIndex, text);
}

std::string CIOAssign::RefusalReason(const model::ParameterImage& /*image*/, int number, int /*subIndex*/,
                                    std::string_view text) const {
  const int connector = ConnectorOf(number);
  if (connector < 0) return {};
  std::string allowed;
  for (int input = 0; input < kInputCount; ++input) {
    if (!IsAllowed(connector, input)) continue;
    allowed += (allowed.empty() ? "\"" : ", \"") + std::string(kInputs[static_cast<std::size_t>(input)]) + "\"";
  }
  const std::string reason = "allowed: " + allowed;
  if (!kItems[static_cast<std::size_t>(connector)].Parse(text, false)) return reason;
  return std::string(text) + " cannot be assigned to this connector; " + reason;
}

void CIOAssign::UpdateControlStates() {
  select_.setEnabled(IsAllowed(connectors_.selectedRow(), inputs_.curSel()));
}

void CIOAssign::OnSelect() {
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
