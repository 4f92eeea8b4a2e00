#include "ui/page_link.h"

#include "comm/link.h"

namespace tw::ui {

comm::WorkingMode CommPageLink::workingMode() const { return link_.workingMode(); }

bool CommPageLink::isTransferDialogOpen() const {
  return link_.isConnecting() || link_.isSendingCommands();
}

int CommPageLink::SendPacket(std::string_view text, int number) { return link_.SendPacket(text, number); }

model::ParameterImage* CommPageLink::image(int index) { return link_.images().Image(index); }

const model::Capabilities& CommPageLink::capabilities() const { return link_.capabilities(); }

int CommPageLink::tunerRegion() const { return link_.tunerRegion(); }

comm::LinkMode CommPageLink::linkMode() const { return link_.linkMode(); }

}  // namespace tw::ui
