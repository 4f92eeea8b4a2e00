// tunewright-cli set [--dry-run] PAGE KEY VALUE: one setting of one page, with the page's
// own texts (as a configuration file holds them) and sent as that page sends an edit in
// Real Time Mode. --dry-run prints the frames without a receiver.

#include <algorithm>
#include <functional>
#include <iostream>
#include <memory>
#include <optional>

#include "cli/cli_commands.h"
#include "cli/cli_session.h"
#include "cli/cli_session_run.h"
#include "cli/cli_configuration.h"
#include "cli/cli_transcript.h"
#include "comm/link.h"
#include "comm/frame_notation.h"
#include "comm/link_constants.h"
#include "comm/link_observer.h"
#include "emu/emulator_options.h"
#include "model/parameter_access.h"
#include "settings/basic/basic_control_settings.h"
#include "settings/catalogue.h"
#include "ui/main_view_link.h"

namespace tw::cli {
namespace {

// A reply to a standard command that does not come within this time never comes.
constexpr int kReportWaitMs = 3000;

struct SetOptions {
  std::string page;
  std::string key;
  std::string value;
  bool dryRun = false;
  std::string port;
  bool emulator = false;
  std::vector<std::string> emulatorOptions;
  std::string transcript;
  bool force = false;
};

// Names compare as in configuration files: ASCII letter case and surrounding blanks ignored.
std::string Folded(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  const auto last = text.find_last_not_of(' ');
  std::string folded(first == std::string_view::npos ? std::string_view()
                                                     : text.substr(first, last - first + 1));
  std::transform(folded.begin(), folded.end(), folded.begin(),
                 [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; });
  return folded;
}

std::string JoinQuoted(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& name : names) text += (text.empty() ? "\"" : ", \"") + name + "\"";
  return text;
}

// The settings of a page as `set` addresses them: by the page's caption, or, where the
// page's items form groups with a section each (DSP Parameters: one per sound program), by
// one group's section.
struct AddressedPage {
  const settings::PageSettings* page = nullptr;
  int group = settings::kAllGroups;
  std::string section;
};

struct GroupSection {
  int group;
  std::string section;
};

// The sections of a page's groups that differ from its caption; none for a page without groups.
std::vector<GroupSection> GroupSections(const settings::PageSettings& page, const model::ParameterImage& image,
                                        const settings::SettingContext& context) {
  std::vector<GroupSection> sections;
  for (int group = 0; group < settings::kAllGroups; ++group) {
    const std::vector<settings::PageItem> items = page.ListItems(true, context, group);
    if (items.empty()) continue;
    std::string section = page.DescribeItem(image, items.front().number, items.front().subIndex, false).section;
    if (section == page.caption()) continue;
    const bool known = std::any_of(sections.begin(), sections.end(),
                                   [&](const GroupSection& s) { return s.section == section; });
    if (!known) sections.push_back({group, std::move(section)});
  }
  return sections;
}

// "Basic Control" (the main form's group) first, then every page, by caption or by the
// section of one of its groups.
AddressedPage FindPage(std::string_view section, const model::ParameterImage& image,
                       const settings::SettingContext& context) {
  const std::string wanted = Folded(section);
  const settings::PageSettings& basic = settings::BasicControlSettings();
  if (wanted == Folded(basic.caption())) return {&basic, settings::kAllGroups, basic.caption()};
  std::vector<std::string> available{basic.caption()};
  for (const settings::PageSettings* page : settings::Catalogue()) {
    if (Folded(page->caption()) == wanted) {
      if (page->presence() == settings::Presence::AsyncOnly) {
        throw CliFailure{kExitBadInput, "\"" + page->caption() +
                                            "\" is an offline setting: the receiver takes it only with a "
                                            "download (Async Mode); put it in a configuration file and run "
                                            "tunewright-cli download"};
      }
      return {page, settings::kAllGroups, page->caption()};
    }
    const std::vector<GroupSection> groups = GroupSections(*page, image, context);
    for (const GroupSection& group : groups) {
      if (Folded(group.section) == wanted) return {page, group.group, group.section};
    }
    if (groups.empty()) available.push_back(page->caption());
    for (const GroupSection& group : groups) available.push_back(group.section);
  }
  throw CliFailure{kExitBadInput,
                   "no page \"" + std::string(section) + "\" can be set; pages: " + JoinQuoted(available)};
}

settings::PageItem FindItem(const AddressedPage& addressed, const model::ParameterImage& image,
                            const settings::SettingContext& context, std::string_view key) {
  const settings::PageSettings& page = *addressed.page;
  if (addressed.group == settings::kAllGroups) {
    std::vector<std::string> sections;
    for (const GroupSection& group : GroupSections(page, image, context)) sections.push_back(group.section);
    if (!sections.empty()) {
      throw CliFailure{kExitBadInput, "page \"" + page.caption() +
                                          "\" is set section by section; sections: " + JoinQuoted(sections)};
    }
  }
  std::vector<std::string> keys;
  for (const settings::PageItem& item : page.ListItems(true, context, addressed.group)) {
    const std::string itemKey = page.DescribeItem(image, item.number, item.subIndex, false).key;
    if (itemKey.empty()) continue;
    if (Folded(itemKey) == Folded(key)) return item;
    keys.push_back(itemKey);
  }
  throw CliFailure{kExitBadInput, "page \"" + addressed.section + "\" has no key \"" + std::string(key) +
                                      "\"; keys: " + JoinQuoted(keys)};
}

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
  SettingEdit(const SetOptions& options, model::ParameterImage& editedImage, settings::SettingContext editContext)
      : image(editedImage),
        context(editContext),
        addressed(FindPage(options.page, image, context)),
        page(*addressed.page),
        item(FindItem(addressed, image, context, options.key)) {}

  // Throws with the page's current text, why it refuses the value, and what the setting
  // takes where the page can say, when the page does not accept the value.
  void parse(const std::string& value) {
    if (page.ParseItem(image, item.number, item.subIndex, value)) return;
    const settings::ItemText now = page.DescribeItem(image, item.number, item.subIndex, false);
    std::string message = "\"" + value + "\" is not a value of " + now.key + " on page \"" + now.section +
                          "\" (it holds \"" + now.value + "\")";
    const std::string reason = page.RefusalReason(image, item.number, item.subIndex, value);
    if (!reason.empty()) message += "; " + reason;
    const std::string range = page.DescribeRange(item.number, item.subIndex);
    if (!range.empty()) message += "; values: " + range;
    throw CliFailure{kExitBadInput, message};
  }
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
  void printAdvice() const {
    const std::string note = page.AdviceOn(image, item.number, item.subIndex, context);
    if (!note.empty()) std::cerr << "tunewright-cli: note: " << note << '\n';
  }

  model::ParameterImage& image;
  settings::SettingContext context;
  AddressedPage addressed;
  const settings::PageSettings& page;
  settings::PageItem item;
};

// The parts of the receiver an edit needs that `live` lacks ("Zone 3", "XM"): the edit is
// tried offline on a receiver that has everything, then without each missing part in turn.
// Empty when the edit sends nothing for another reason.
std::vector<std::string> MissingParts(const SetOptions& options, const model::Capabilities& live) {
  struct Part {
    int model::Capabilities::*has;
    const char* name;
  };
  constexpr Part kParts[] = {{&model::Capabilities::zone2, "Zone 2"},
                             {&model::Capabilities::zone3, "Zone 3"},
                             {&model::Capabilities::xm, "XM"}};
  auto sends = [&options](const model::Capabilities& capabilities) {
    OfflineReceiver offline(capabilities);
    SettingEdit edit(options, *offline.images.Image(0), offline.context);
    if (!edit.page.ParseItem(edit.image, edit.item.number, edit.item.subIndex, options.value)) return false;
    return !edit.commands().empty();
  };
  model::Capabilities everything = live;
  for (const Part& part : kParts) everything.*part.has = 1;
  std::vector<std::string> missing;
  if (!sends(everything)) return missing;
  for (const Part& part : kParts) {
    if (live.*part.has != 0) continue;
    model::Capabilities without = everything;
    without.*part.has = 0;
    if (!sends(without)) missing.emplace_back(part.name);
  }
  return missing;
}

void PrintFrames(const std::vector<std::string>& frames) {
  for (const std::string& frame : frames) std::cout << comm::ToNotation(frame) << '\n';
}

int RunDryRun(const SetOptions& options) {
  OfflineReceiver offline;
  SettingEdit edit(options, *offline.images.Image(0), offline.context);
  edit.parse(options.value);
  edit.printAdvice();
  const std::vector<std::string> frames = edit.commands();
  if (frames.empty()) throw CliFailure{kExitBadInput, edit.silence("it is sent with the page's other settings")};
  PrintFrames(frames);
  return kExitOk;
}

// Connects as Real Time Mode does, sends the edit, and waits for the receiver's answer:
// the end of the command list for extended commands, the report of the same parameter for
// standard ones.
class SetSession final : public LinkSession {
 public:
  SetSession(const SetOptions& options, comm::Link& link, comm::Scheduler& scheduler)
      : LinkSession(scheduler), options_(options), link_(link) {
    // Page and key are checked before connecting; the value needs the receiver's state.
    OfflineReceiver offline;
    SettingEdit check(options, *offline.images.Image(0), offline.context);
  }

  const std::vector<std::string>& frames() const { return frames_; }

  void CommandsFinished(comm::ListResult result) override {
    if (!sending_) return;
    // A refused write is read back (guard), so the image then holds what the receiver kept.
    if (result == comm::ListResult::Completed) return checkValue();
    fail(kExitLinkFailed, "the receiver did not acknowledge " + comm::ToNotation(frames().back()));
  }
  void RefreshActiveItems(const std::vector<int>& numbers) override { reported(numbers); }
  void RefreshBasicItem(int number, bool) override { reported({number}); }

 private:
  void send() override {
    try {
      const settings::SettingContext context{link_.capabilities(), link_.tunerRegion(), true};
      edit_ = std::make_unique<SettingEdit>(options_, *link_.images().Image(0), context);
      edit_->parse(options_.value);
      edit_->printAdvice();
      expected_ = edit_->valueText();
    } catch (const CliFailure& failure) {
      return fail(failure.status, failure.message);
    }
    sending_ = true;
    // As a page sends an edit: the item's commands, then the start of the batch.
    if (edit_->available()) {
      for (const std::string& frame : edit_->commands()) {
        frames_.push_back(frame);
        link_.SendPacket(frame, edit_->item.number);
      }
      link_.SendPacket("", comm::kNoParameter);
    }
    if (frames().empty()) {
      const std::vector<std::string> missing = MissingParts(options_, link_.capabilities());
      if (!missing.empty()) {
        std::string parts;
        for (const std::string& part : missing) parts += (parts.empty() ? "" : " and no ") + part;
        return fail(kExitLinkFailed, "the receiver has no " + parts + ", so " + edit_->key() + " on page \"" +
                                         edit_->section() + "\" cannot be sent to it");
      }
      return fail(kExitBadInput, edit_->silence("it has no command of its own"));
    }
    if (!link_.isSendingCommands()) {
      scheduler_.callAfter(kReportWaitMs, [this] {
        if (!sawReport_) fail(kExitLinkFailed, "the receiver did not answer " + comm::ToNotation(frames().back()));
        checkValue();
      });
    }
  }

  // A report of the same setting may still answer a command the connection sent before this
  // edit (the start-up read ends by sending Input and DSP Program), so only a report of the
  // new value ends the wait early; otherwise the value is judged when the wait is over.
  void reported(const std::vector<int>& numbers) {
    if (!sending_ || link_.isSendingCommands() || edit_ == nullptr) return;
    if (std::find(numbers.begin(), numbers.end(), edit_->item.number) == numbers.end()) return;
    sawReport_ = true;
    if (edit_->valueText() == expected_) end();
  }

  void checkValue() {
    if (edit_->valueText() == expected_) return end();
    const settings::ItemText now =
        edit_->page.DescribeItem(edit_->image, edit_->item.number, edit_->item.subIndex, false);
    fail(kExitLinkFailed, "the receiver kept " + now.key + " at " + now.value);
  }

  const SetOptions& options_;
  comm::Link& link_;
  std::vector<std::string> frames_;
  std::unique_ptr<SettingEdit> edit_;
  std::string expected_;
  bool sending_ = false;
  bool sawReport_ = false;
};

int SetWith(const SetOptions& options, comm::SerialPort& port, comm::Scheduler& scheduler,
            const std::string& device, const std::function<void(SetSession&)>& run) {
  comm::Link link(port, scheduler, comm::WorkingMode::RealTime);
  SetSession session(options, link, scheduler);
  link.setObserver(&session);
  link.Open(comm::PortChoice::Fixed(device));
  run(session);
  link.setObserver(nullptr);
  link.Close();
  if (!session.ended()) throw CliFailure{kExitLinkFailed, std::string(ui::LinkMessageText(comm::LinkMessage::InitFailed))};
  if (session.failure()) throw *session.failure();
  PrintFrames(session.frames());
  return kExitOk;
}

int RunSet(const SetOptions& options) {
  if (options.dryRun) return RunDryRun(options);
  const TransferTarget target{options.port, options.emulator, options.emulatorOptions, options.transcript,
                              {},           options.force};
  constexpr std::int64_t kLimitMs = 60 * 60 * 1000;
  return RunSession<SetSession>(target, kLimitMs, [&](auto& port, auto& scheduler, const std::string& device, auto wait) {
    return SetWith(options, port, scheduler, device, wait);
  });
}

}  // namespace

void registerSet(CLI::App& parent, int& exitStatus) {
  auto options = std::make_shared<SetOptions>();
  CLI::App* command = parent.add_subcommand(
      "set",
      "Set one setting of one page, as the page sends an edit in Real Time Mode, and print the frames");
  command->add_option("PAGE", options->page,
                      "page caption, e.g. \"Speaker Level\"; a sound program's parameters go by the "
                      "program's section, e.g. \"DSP Parameters Hall in Munich\"")
      ->required();
  command->add_option("KEY", options->key, "the setting's key as in a configuration file, e.g. FL")
      ->required();
  command->add_option("VALUE", options->value, "the value text as in a configuration file, e.g. 10.0dB")
      ->required();
  auto* dryRun =
      command->add_flag("--dry-run", options->dryRun, "print the frames only; no receiver is needed");
  auto* port =
      command->add_option("--port", options->port, "serial device of the receiver, e.g. /dev/ttyUSB0");
  auto* emulator = command->add_flag("--emulator", options->emulator, "use the in-process virtual receiver");
  port->excludes(emulator);
  dryRun->excludes(port)->excludes(emulator);
  command
      ->add_option("--emulator-option", options->emulatorOptions,
                   "KEY=VALUE setting of the virtual receiver (repeatable)\n" + emu::EmulatorOptionHelp())
      ->needs(emulator);
  AddTranscriptOption(*command, options->transcript, emulator, options->force);
  command->footer(
      "DSP parameters: every command carries its sound program's code, so in Real Time Mode a "
      "parameter of a program other than the receiver's current one is still sent with its own "
      "program code; the receiver stores it for that program and stays on its current program.");
  command->callback([options, &exitStatus] {
    if (!options->dryRun && options->port.empty() && !options->emulator) {
      throw CliFailure{kExitBadInput, "set needs --port DEVICE, --emulator or --dry-run (see set --help)"};
    }
    CheckTranscriptPath(options->transcript, OutputOptions(options->force));
    exitStatus = RunSet(*options);
  });
}

}  // namespace tw::cli
