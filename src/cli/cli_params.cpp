// tunewright-cli params: the parameter values of the factory settings (image 0, one
// "NUMBER<TAB>VALUE" line each) or of a configuration file (image 0 and each memory the file
// sets, one "IMAGE<TAB>NUMBER<TAB>VALUE" line each).

#include <iostream>
#include <memory>
#include <string>
#include <utility>
#include <vector>
#include <variant>

#include "cli/cli_commands.h"
#include "cli/cli_configuration.h"
#include "cli/cli_json.h"
#include "files/memory_sections.h"
#include "model/parameter_access.h"
#include "model/parameter_images.h"

namespace tw::cli {
namespace {

// One past the last parameter number that can name a value.
constexpr int kNumberEnd = 564;

// The images printed, by number: image 0 and the memories.
using NumberedImages = std::vector<std::pair<int, const model::ParameterImage*>>;

// Every parameter of `image` that holds a value, in number order.
template <typename Each>
void ForEachValue(const model::ParameterImage& image, Each each) {
  for (int number = 1; number < kNumberEnd; ++number) {
    if (const std::optional<model::ParameterValue> value = model::GetParameter(image, number)) each(number, *value);
  }
}

// "NUMBER<TAB>VALUE" lines, after the image's number and a tab when `numbered`.
void PrintText(const NumberedImages& images, bool numbered) {
  for (const auto& [index, image] : images) {
    const int imageNumber = index;  // a lambda may not capture a structured binding (clang 14)
    ForEachValue(*image, [&](int number, const model::ParameterValue& value) {
      if (numbered) std::cout << imageNumber << '\t';
      std::cout << number << '\t';
      if (const auto* text = std::get_if<std::string>(&value)) {
        std::cout << '"' << *text << '"';
      } else {
        std::cout << std::get<std::int32_t>(value);
      }
      std::cout << '\n';
    });
  }
}

void PrintJson(const NumberedImages& images) {
  Json list = Json::array();
  for (const auto& [index, image] : images) {
    Json parameters = Json::array();
    ForEachValue(*image, [&](int number, const model::ParameterValue& value) {
      Json entry = {{"number", number}};
      if (const auto* text = std::get_if<std::string>(&value)) {
        entry["value"] = *text;
      } else {
        entry["value"] = std::get<std::int32_t>(value);
      }
      parameters.push_back(std::move(entry));
    });
    list.push_back({{"image", index}, {"parameters", std::move(parameters)}});
  }
  PrintJsonResult("params", {{"images", std::move(list)}});
}

struct ParamsOptions {
  std::string file;
  bool defaults = false;
  int region = model::kDefaultTunerRegion;
  bool json = false;
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
  AddJsonOption(*command, options->json);
  AddExample(*command, "params living-room.qcf");
  command->callback([options, region, &exitStatus] {
    if (options->defaults == !options->file.empty()) {
      throw CliFailure{kExitBadInput,
                       "params needs --defaults or a file (tunewright-cli params --defaults | tunewright-cli "
                       "params FILE.qcf)"};
    }
    const bool regionGiven = region->count() > 0;
    if (regionGiven) CheckedRegion(options->region);
    // A file: image 0, then every memory that has a section in it; else the factory settings.
    OfflineConfiguration configuration(options->region);
    NumberedImages images;
    if (!options->file.empty()) {
      const files::Profile profile = ReadConfigurationFile(configuration, options->file);
      bool memorySet[files::kLastMemory + 1] = {};
      for (const std::string& section : profile.SectionNames()) memorySet[files::MemoryOfSection(section)] = true;
      memorySet[0] = true;
      for (int memory = 0; memory <= files::kLastMemory; ++memory) {
        if (memorySet[memory]) images.emplace_back(memory, configuration.images.Image(memory));
      }
    } else {
      configuration.images = model::ParameterImages();
      if (regionGiven) model::ResetTunerBlock(*configuration.images.Image(0), options->region);
      images.emplace_back(0, configuration.images.Image(0));
    }
    if (options->json) {
      PrintJson(images);
    } else {
      PrintText(images, !options->file.empty());
    }
    exitStatus = kExitOk;
  });
}

}  // namespace tw::cli
