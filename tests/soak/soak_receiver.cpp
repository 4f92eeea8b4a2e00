// What the virtual receiver holds, read as the tool reads it, and where an image differs.

#include "comm/protocol.h"
#include "model/command_table.h"
#include "model/decode.h"
#include "model/decode_apply.h"
#include "soak.h"

namespace tw::soak {

// Reads on a copy, so that nothing the reads might do reaches the receiver in use.
void ReadEverything(emu::VirtualReceiver receiver, model::ParameterImage& image) {
  comm::ExpandStatusFrame(comm::StatusData(receiver.statusFrame()), [&](const std::string& report) {
    model::Apply(image, model::Decode(report), model::kLinkIdle);
  });
  for (int row = 0; row < model::kRowCount; ++row) {
    const char* request = model::kCommandTable[static_cast<std::size_t>(row)].request;
    if (request[0] != comm::DC4) continue;
    for (const std::string& answer : receiver.handleFrame(comm::CompleteExtended(request))) {
      model::Apply(image, model::Decode(answer), model::kLinkIdle);
    }
  }
}

// The image agrees when reading the receiver into it changes nothing.
std::string DisagreementWithReceiver(const model::ParameterImage& image, const emu::VirtualReceiver& receiver) {
  model::ParameterImage read = image;
  ReadEverything(receiver, read);
  return read == image ? std::string() : Differences(image.index, image, read);
}

}  // namespace tw::soak
