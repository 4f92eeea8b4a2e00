// tunewright-cli params: the parameter values of the factory settings (image 0, one
// "NUMBER<TAB>VALUE" line each) or of a configuration file (image 0 and each memory the file
// sets, one "IMAGE<TAB>NUMBER<TAB>VALUE" line each).

#include <iostream>
#include <memory>
#include <string>
#include <variant>

#include "cli/cli_commands.h"
#include "cli/cli_configuration.h"
#include "files/memory_sections.h"
#include "model/parameter_access.h"
#include "model/parameter_images.h"

namespace tw::cli {
namespace {

// One past the last parameter number that can name a value.
constexpr int kNumberEnd = 564;

// `prefix` goes before each line (the image number and a tab, or nothing).
void PrintParameters(const model::ParameterImage& image, std::ostream& out, const std::string& prefix = "") {
  for (int number = 1; number < kNumberEnd; ++number) {
    const std::optional<model::ParameterValue> value = model::GetParameter(image, number);
    if (!value) continue;
    out << prefix << number << '\t';
    if (const auto* text = std::get_if<std::string>(&*value)) {
      out << '"' << *text << '"';
    } else {
      out << std::get<std::int32_t>(*value);
    }
    out << '\n';
  }
}

// Image 0, then every memory that has a section in the file.
void PrintFileParameters(const std::string& path, int region, std::ostream& out) {
  OfflineConfiguration configuration(region);
  const files::Profile profile = ReadConfigurationFile(configuration, path);
  bool memorySet[files::kLastMemory + 1] = {};
  for (const std::string& section : profile.SectionNames()) memorySet[files::MemoryOfSection(section)] = true;
  PrintParameters(*configuration.images.Image(0), out, "0\t");
  for (int memory = files::kFirstMemory; memory <= files::kLastMemory; ++memory) {
    if (memorySet[memory])
      PrintParameters(*configuration.images.Image(memory), out, std::to_string(memory) + "\t");
  }
}

struct ParamsOptions {
  std::string file;
  bool defaults = false;
  int region = model::kDefaultTunerRegion;
};

}  // namespace

void registerParams(CLI::App& parent, int& exitStatus) {
  auto options = std::make_shared<ParamsOptions>();
  CLI::App* command = parent.add_subcommand(
      "params",
      "Print parameter values: NUMBER<TAB>VALUE for --defaults, IMAGE<TAB>NUMBER<TAB>VALUE for a "
      "file (image 0 and each memory it sets); texts in quotes");
  command->add_option("FILE", options->file, "configuration file (.qcf)");
  command->add_flag("--defaults", options->defaults,
                    "the factory defaults of the current settings (image 0)");
  CLI::Option* region = command->add_option(
      "--region", options->region,
      "tuner region whose presets the tuner block gets: 0 Japan, 1 USA/Canada, 2 EU/Asia, 3 Other");
  AddExample(*command, "params living-room.qcf");
  command->callback([options, region, &exitStatus] {
    if (options->defaults == !options->file.empty()) {
      throw CliFailure{kExitBadInput,
                       "params needs --defaults or a file (tunewright-cli params --defaults | tunewright-cli "
                       "params FILE.qcf)"};
    }
    const bool regionGiven = region->count() > 0;
    if (regionGiven) CheckedRegion(options->region);
    if (!options->file.empty()) {
      PrintFileParameters(options->file, options->region, std::cout);
      exitStatus = kExitOk;
      return;
    }
    model::ParameterImages images;
    if (regionGiven) model::ResetTunerBlock(*images.Image(0), options->region);
    PrintParameters(*images.Image(0), std::cout);
    exitStatus = kExitOk;
  });
}

}  // namespace tw::cli
