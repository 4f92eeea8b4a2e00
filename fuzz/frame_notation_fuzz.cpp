// libFuzzer target: the frame notation of the command line and the logs. Any bytes written
// in the notation read back as exactly those bytes, and any text the notation accepts
// reads the same once written again.
#include "comm/frame_notation.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  const std::string written = tw::comm::ToNotation(bytes);
  for (const char c : written) {
    if (c < 0x20 || c > 0x7E) __builtin_trap();  // the notation is printable text
  }
  const auto read = tw::comm::FromNotation(written);
  if (!read || *read != bytes) __builtin_trap();

  if (const auto parsed = tw::comm::FromNotation(bytes)) {
    const auto again = tw::comm::FromNotation(tw::comm::ToNotation(*parsed));
    if (!again || *again != *parsed) __builtin_trap();
  }
  return 0;
}
