#include "settings/input/io_assign_settings.h"

#include <array>

namespace tw::settings {
namespace {

using io_assign::IsAllowed;
using io_assign::kConnectorCount;
using io_assign::kFirstNumber;
using io_assign::kInputCount;

// The inputs a connector can belong to, in the order of the stored index, and their codes.
constexpr std::array<std::string_view, kInputCount> kInputs = {
    "PHONO", "CD",   "TUNER",    "CD-R",       "MD/TAPE", "DVD",     "DTV",
    "CBL/SAT", "VCR1", "DVR/VCR2", "V-AUX/DOCK", "XM",      "MULTI CH"};
constexpr std::array<std::string_view, kInputCount> kInputCodes = {
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
constexpr std::array<Connector, kConnectorCount> kConnectors = {{
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
  const int connector = number - kFirstNumber;
  return connector >= 0 && connector < kConnectorCount ? connector : -1;
}

const Connector& ConnectorAt(int connector) { return kConnectors[static_cast<std::size_t>(connector)]; }

// The address, the assigned input's code and a lower-case checksum; nothing for a pair the
// receiver does not allow.
std::vector<std::string> AssignCommand(const model::ParameterImage& image, int number, int /*subIndex*/) {
  const int connector = ConnectorOf(number);
  if (connector < 0) return {};
  const std::int32_t input = image.ioAssign[static_cast<std::size_t>(connector)];
  if (!IsAllowed(connector, input)) return {};
  return {MakeCommand(CommandFrame::ExtendedLower,
                      std::string(ConnectorAt(connector).address) +
                          std::string(kInputCodes[static_cast<std::size_t>(input)]))};
}

class IoAssign final : public PageSettings {
 public:
  IoAssign() : PageSettings("I/O Assign") {
    for (int i = 0; i < kConnectorCount; ++i) {
      Add(ChoiceItem{
          .number = kFirstNumber + i, .key = ConnectorAt(i).fileKey, .texts = kInputs, .build = AssignCommand});
    }
  }

  ItemText DescribeItem(const model::ParameterImage& image, int number, int subIndex,
                        bool forReport) const override {
    ItemText text = PageSettings::DescribeItem(image, number, subIndex, forReport);
    if (forReport && !text.key.empty()) text.key = std::string(ConnectorAt(ConnectorOf(number)).listName);
    return text;
  }

  bool Accepts(const model::ParameterImage& /*image*/, int number, int /*subIndex*/,
               std::int32_t value) const override {
    return IsAllowed(ConnectorOf(number), value);
  }

  // The inputs the connector takes; for a forbidden pair, that the connector cannot take it.
  std::string RefusalReason(const model::ParameterImage& /*image*/, int number, int /*subIndex*/,
                            std::string_view text) const override {
    const int connector = ConnectorOf(number);
    if (connector < 0) return {};
    std::string allowed;
    for (int input = 0; input < kInputCount; ++input) {
      if (!IsAllowed(connector, input)) continue;
      allowed += (allowed.empty() ? "\"" : ", \"") + std::string(kInputs[static_cast<std::size_t>(input)]) + "\"";
    }
    const std::string reason = "allowed: " + allowed;
    if (!Choice(number).Parse(text, false)) return reason;
    return std::string(text) + " cannot be assigned to this connector; " + reason;
  }
};

}  // namespace

bool io_assign::IsAllowed(int connector, int input) {
  if (connector < 0 || connector >= kConnectorCount || input < 0 || input >= kInputCount) return false;
  return ConnectorAt(connector).allowed[static_cast<std::size_t>(input)] == '1';
}

std::string_view io_assign::ListName(int connector) { return ConnectorAt(connector).listName; }

const PageSettings& IoAssignSettings() {
  static const IoAssign settings;
  return settings;
}

}  // namespace tw::settings
