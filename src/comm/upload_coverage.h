#pragma once

#include "model/setting_key.h"

namespace tw::comm {

// The current settings an upload can read from a receiver that has every zone and XM: what
// the answers to its current-settings reads and the reports of the status frame can fill.
// Every other setting of a page or of the Basic Control group is the program's own value;
// the receiver never tells it.
const model::SettingKeys& UploadReadableSettings();

// Whether a page item (number and sub-index, as the pages name it) is among them.
bool IsReadByUpload(int number, int subIndex);

}  // namespace tw::comm
