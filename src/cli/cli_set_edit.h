#pragma once

// tunewright-cli set, as far as the settings catalogue answers it: the page and key a user
// names, the value parsed, and the frames the page sends for it in Real Time Mode. Nothing
// here needs a receiver, a page or a window.

#include <string>
#include <string_view>
#include <vector>

#include "cli/cli_target.h"
#include "model/command_table.h"
#include "model/parameter_images.h"
#include "settings/page_settings.h"

namespace tw::cli {

struct SetOptions {
  std::string page;
  std::string key;
  std::string value;
  bool dryRun = false;
  ReceiverTarget target;
};

// The settings of a page as `set` addresses them: by the page's caption, or, where the
// page's items form groups with a section each (DSP Parameters: one per sound program), by
// one group's section.
struct AddressedPage {
  const settings::PageSettings* page = nullptr;
  int group = settings::kAllGroups;
  std::string section;
};

// A receiver's state for an edit without one: the factory settings of tuner region 1, in
// Real Time Mode, with what `capabilities` says the receiver has.
struct OfflineReceiver {
  explicit OfflineReceiver(const model::Capabilities& capabilities = {}) : context{capabilities, 1, true} {}
  model::ParameterImages images{1};
  settings::SettingContext context;
};

// One setting of one page's settings: the value parsed into `image`, its commands as the
// page sends an edit in Real Time Mode.
struct SettingEdit {
  SettingEdit(const SetOptions& options, model::ParameterImage& editedImage, settings::SettingContext editContext);

  // Throws with the page's current text, why it refuses the value, and what the setting
  // takes where the page can say, when the page does not accept the value.
  void parse(const std::string& value);
  bool available() const { return page.IsAvailable(item.number, context); }
  std::vector<std::string> commands() const {
    if (!available()) return {};
    return page.Commands(image, item.number, item.subIndex, context);
  }
  std::string key() const { return page.DescribeItem(image, item.number, item.subIndex, false).key; }
  const std::string& section() const { return addressed.section; }
  // The item's value as its page writes it (also for items with one value per record).
  std::string valueText() const { return page.DescribeItem(image, item.number, item.subIndex, false).value; }
  // Why the item sends nothing, in words, or `otherwise`.
  std::string silence(std::string_view otherwise) const {
    const std::string why = page.SilenceReason(image, item.number, item.subIndex);
    return key() + " on page \"" + section() + "\" sends nothing: " + (why.empty() ? std::string(otherwise) : why);
  }
  // What the page has to say about the value it took (one that the receiver may refuse).
  void printAdvice() const;

  model::ParameterImage& image;
  settings::SettingContext context;
  AddressedPage addressed;
  const settings::PageSettings& page;
  settings::PageItem item;
};

// The parts of the receiver an edit needs that `live` lacks ("Zone 3", "XM"): the edit is
// tried offline on a receiver that has everything, then without each missing part in turn.
// Empty when the edit sends nothing for another reason.
std::vector<std::string> MissingParts(const SetOptions& options, const model::Capabilities& live);

// What `set` takes as PAGE, and the keys of one (none for a PAGE it does not take): for
// completion on the command line.
std::vector<std::string> SettablePages();
std::vector<std::string> SettableKeys(std::string_view page);

// Each frame on a line of its own, in frame notation.
void PrintFrames(const std::vector<std::string>& frames);

// set --dry-run: the frames of the edit, printed, without a receiver.
int RunDryRun(const SetOptions& options);

}  // namespace tw::cli
