#pragma once

#include "settings/page_settings.h"
#include "settings/setting_items.h"

namespace tw::pages {

// The pages bind controls to the catalogue's items under the same names.
using settings::BalanceText;
using settings::ChoiceItem;
using settings::CommandBuild;
using settings::CommandFrame;
using settings::Hex;
using settings::HexCase;
using settings::ItemKey;
using settings::ItemText;
using settings::kAllGroups;
using settings::LevelEncoder;
using settings::LevelItem;
using settings::MakeCommand;
using settings::Needs;
using settings::PageItem;
using settings::PlainText;
using settings::ReadText;
using settings::ReadValue;
using settings::Records;
using settings::Satisfied;
using settings::Spaced;
using settings::TenthsDbText;
using settings::TextItem;
using settings::ValueFormat;
using settings::ValueParse;
using settings::VolumeText;
using settings::WholeDbText;
using settings::WriteValue;

}  // namespace tw::pages
