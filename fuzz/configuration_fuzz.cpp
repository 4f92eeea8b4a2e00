// libFuzzer target: any bytes loaded as a ".qcf" configuration file into the factory
// settings of a tuner region (the first byte picks it), with every page of the sheet and
// the Basic Control group. Besides crashes and undefined behaviour it checks that
//  - an entry changes only what its own section names, and a setting whose key the file
//    holds ends showing the file's text;
//  - loading the same file again changes nothing;
//  - what was loaded, saved and loaded again gives the same settings and memo.
#include "files/profile.h"
#include "model/parameter_access.h"
#include "model/parameter_images.h"
#include "pages/file_invariants.h"
#include "settings/offline_configuration.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace {

using tw::files::Profile;

struct Configuration {
  explicit Configuration(int region) : workspace(region) {}
  tw::settings::OfflineConfiguration workspace;
};

bool SameSettings(const tw::model::ParameterImages& a, const tw::model::ParameterImages& b, bool withXm) {
  for (int i = 0; i < tw::model::kImageCount; ++i) {
    tw::model::ParameterImage left = *a.Image(i);
    tw::model::ParameterImage right = *b.Image(i);
    if (!withXm) right.xm = left.xm;
    if (!(left == right)) return false;
  }
  return true;
}

[[noreturn]] void Fail(const std::string& what) {
  std::fprintf(stderr, "configuration_fuzz: %s\n", what.c_str());
  __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const int region = data[0] % tw::model::kTunerRegionCount;
  const Profile file =
      Profile::Parse(std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1));

  Configuration loaded(region);
  const Profile before = loaded.workspace.KnownEntries();
  const tw::settings::ConfigurationCheck check = loaded.workspace.LoadChecked(file);
  for (const std::string& wrong : tw::test::ChangesNotMadeByTheFile(file, before, loaded.workspace.KnownEntries())) {
    Fail(wrong);
  }
  if (check.read > check.entries) Fail("more entries read than the file holds");

  Configuration again(region);
  again.workspace.Load(file);
  again.workspace.Load(file);
  if (!SameSettings(again.workspace.images, loaded.workspace.images, true) ||
      again.workspace.memo != loaded.workspace.memo) {
    Fail("reading the file a second time changed the settings");
  }

  Configuration reloaded(region);
  reloaded.workspace.Load(Profile::Parse(loaded.workspace.Save().Text()));
  // XM Set is saved for tuner region 1 only.
  if (!SameSettings(loaded.workspace.images, reloaded.workspace.images, region == 1) ||
      reloaded.workspace.memo != loaded.workspace.memo) {
    Fail("the settings read from the file, saved and read again, differ");
  }
  return 0;
}
