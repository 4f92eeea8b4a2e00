// tunewright-cli params: the parameter values of image 0, one "NUMBER<TAB>VALUE" line each.

#include "cli/cli_commands.h"
#include "model/parameter_access.h"
#include "model/parameter_images.h"

#include <iostream>
#include <memory>
#include <string>
#include <variant>

namespace tw::cli {
namespace {

// One past the last parameter number that can name a value.
constexpr int kNumberEnd = 564;

void PrintParameters(const model::ParameterImage& image, std::ostream& out) {
  for (int number = 1; number < kNumberEnd; ++number) {
    const std::optional<model::ParameterValue> value = model::GetParameter(image, number);
    if (!value) continue;
    out << number << '\t';
    if (const auto* text = std::get_if<std::string>(&*value)) {
      out << '"' << *text << '"';
    } else {
      out << std::get<std::int32_t>(*value);
    }
    out << '\n';
  }
}

struct ParamsOptions {
  bool defaults = false;
  int region = model::kDefaultTunerRegion;
};

}  // namespace

void registerParams(CLI::App& parent, int& exitStatus) {
  auto options = std::make_shared<ParamsOptions>();
  CLI::App* command =
      parent.add_subcommand("params", "Print parameter values: NUMBER<TAB>VALUE, texts in quotes");
  command->add_flag("--defaults", options->defaults,
                    "the factory defaults of the current settings (image 0)");
  CLI::Option* region = command->add_option(
      "--region", options->region,
      "tuner region whose presets the tuner block gets: 0 Japan, 1 USA/Canada, 2 EU/Asia, 3 Other");
  command->callback([options, region, &exitStatus] {
    if (!options->defaults)
      throw CliFailure{kExitBadInput, "params needs --defaults (tunewright-cli params --defaults)"};
    const bool regionGiven = region->count() > 0;
    if (regionGiven && (options->region < 0 || options->region >= model::kTunerRegionCount)) {
      throw CliFailure{kExitBadInput,
                       "--region must be 0, 1, 2 or 3, not " + std::to_string(options->region)};
    }
    model::ParameterImages images;
    if (regionGiven) model::ResetTunerBlock(*images.Image(0), options->region);
    PrintParameters(*images.Image(0), std::cout);
    exitStatus = kExitOk;
  });
}

}  // namespace tw::cli
