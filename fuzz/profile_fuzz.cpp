// libFuzzer target: the profile (INI) reader and writer. The input is a file's bytes,
// followed by names and a value to write into it. Whatever the bytes, what the profile
// holds in memory is what its saved text reads back as, and that text is stable.
#include "files/profile.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

using tw::files::Profile;

// A marker no file can hold as a value (reads cut at a NUL), so a missing key is told apart.
constexpr std::string_view kMissing = "\x01missing";

void CheckSameReading(const Profile& inMemory, const Profile& reread) {
  if (reread.SectionNames() != inMemory.SectionNames()) __builtin_trap();
  for (const std::string& section : inMemory.SectionNames()) {
    if (reread.KeyNames(section) != inMemory.KeyNames(section)) __builtin_trap();
    for (const std::string& key : inMemory.KeyNames(section)) {
      if (!inMemory.HasKey(section, key)) __builtin_trap();
      if (reread.GetString(section, key, kMissing, std::string::npos) !=
          inMemory.GetString(section, key, kMissing, std::string::npos)) {
        __builtin_trap();
      }
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const std::string section = input.ConsumeRandomLengthString(64);
  const std::string key = input.ConsumeRandomLengthString(64);
  const std::string value = input.ConsumeRandomLengthString(300);
  const std::string file = input.ConsumeRemainingBytesAsString();

  Profile profile = Profile::Parse(file);
  const std::string text = profile.Text();
  const Profile reread = Profile::Parse(text);
  if (reread.Text() != text) __builtin_trap();
  CheckSameReading(profile, reread);

  // A write is read back the same from memory and from the saved text.
  profile.WriteString(section, key, value);
  const Profile written = Profile::Parse(profile.Text());
  CheckSameReading(profile, written);
  if (written.GetString(section, key, kMissing, std::string::npos) !=
      profile.GetString(section, key, kMissing, std::string::npos)) {
    __builtin_trap();
  }
  return 0;
}
