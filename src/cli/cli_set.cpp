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
#include "pages/basic_control_page.h"
#include "pages/item_ranges.h"
#include "pages/page_registry.h"
#include "pages/value_advice.h"
#include "ui/page_link.h"
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

std::unique_ptr<pages::BasePage> MakeBasicControlPage(const pages::PageContext& context) {
  return std::make_unique<pages::BasicControlPage>(context);
}

// A page as `set` addresses it: by its caption, or, where the page's items form groups with
// a section each (DSP Parameters: one per sound program), by one group's section.
struct AddressedPage {
  std::unique_ptr<pages::BasePage> page;
  int group = pages::kAllGroups;
  std::string section;
};

struct GroupSection {
  int group;
  std::string section;
};

// The sections of a page's groups that differ from its caption; none for a page without groups.
std::vector<GroupSection> GroupSections(const pages::BasePage& page, const model::ParameterImage& image) {
  std::vector<GroupSection> sections;
  for (int group = 0; group < pages::kAllGroups; ++group) {
    const std::vector<pages::PageItem> items = page.ListItems(true, group);
    if (items.empty()) continue;
    std::string section = page.DescribeItem(image, items.front().number, items.front().subIndex, false).section;
    if (section == page.caption()) continue;
    const bool known = std::any_of(sections.begin(), sections.end(),
                                   [&](const GroupSection& s) { return s.section == section; });
    if (!known) sections.push_back({group, std::move(section)});
  }
  return sections;
}

// "Basic Control" (the main form's group) first, then every page that exists, by caption or
// by the section of one of its groups.
AddressedPage FindPage(std::string_view section, const pages::PageContext& context,
                       const model::ParameterImage& image) {
  const std::string wanted = Folded(section);
  if (wanted == Folded(pages::BasicControlPage::kCaption)) {
    return {MakeBasicControlPage(context), pages::kAllGroups, std::string(pages::BasicControlPage::kCaption)};
  }
  std::vector<std::string> available{std::string(pages::BasicControlPage::kCaption)};
  for (const pages::PageDescriptor& descriptor : pages::SheetPageDescriptors()) {
    if (descriptor.create == nullptr) continue;
    if (Folded(descriptor.caption) == wanted) {
      if (descriptor.presence == pages::Presence::AsyncOnly) {
        throw CliFailure{kExitBadInput, "\"" + std::string(descriptor.caption) +
                                            "\" is an offline setting: the receiver takes it only with a "
                                            "download (Async Mode); put it in a configuration file and run "
                                            "tunewright-cli download"};
      }
      return {descriptor.create(context), pages::kAllGroups, std::string(descriptor.caption)};
    }
    std::unique_ptr<pages::BasePage> page = descriptor.create(context);
    const std::vector<GroupSection> groups = GroupSections(*page, image);
    for (const GroupSection& group : groups) {
      if (Folded(group.section) == wanted) return {std::move(page), group.group, group.section};
    }
    if (groups.empty()) available.emplace_back(descriptor.caption);
    for (const GroupSection& group : groups) available.push_back(group.section);
  }
  throw CliFailure{kExitBadInput,
                   "no page \"" + std::string(section) + "\" can be set; pages: " + JoinQuoted(available)};
}

pages::PageItem FindItem(const AddressedPage& addressed, const model::ParameterImage& image,
                         std::string_view key) {
  const pages::BasePage& page = *addressed.page;
  std::vector<std::string> keys;
  for (const pages::PageItem& item : page.ListItems(true, addressed.group)) {
    const std::string itemKey = page.DescribeItem(image, item.number, item.subIndex, false).key;
    if (itemKey.empty()) continue;
    if (Folded(itemKey) == Folded(key)) return item;
    keys.push_back(itemKey);
  }
  if (keys.empty()) {
    std::vector<std::string> sections;
    for (const GroupSection& group : GroupSections(page, image)) sections.push_back(group.section);
    if (!sections.empty()) {
      throw CliFailure{kExitBadInput, "page \"" + page.caption() +
                                          "\" is set section by section; sections: " + JoinQuoted(sections)};
    }
  }
  throw CliFailure{kExitBadInput, "page \"" + addressed.section + "\" has no key \"" + std::string(key) +
                                      "\"; keys: " + JoinQuoted(keys)};
}

// The link as the page sees it in Real Time Mode: every command text is kept, and passed
// on to the live link when there is one. Without one, the page works on factory images.
class RecordingPageLink final : public ui::PageLink {
 public:
  explicit RecordingPageLink(ui::PageLink* live) : live_(live) {}

  comm::WorkingMode workingMode() const override { return comm::WorkingMode::RealTime; }
  bool isTransferDialogOpen() const override { return live_ != nullptr && live_->isTransferDialogOpen(); }
  int SendPacket(std::string_view text, int number) override {
    if (!text.empty()) frames.emplace_back(text);
    return live_ != nullptr ? live_->SendPacket(text, number) : 1;
  }
  model::ParameterImage* image(int index) override {
    return live_ != nullptr ? live_->image(index) : images_.Image(index);
  }
  const model::Capabilities& capabilities() const override {
    return live_ != nullptr ? live_->capabilities() : capabilities_;
  }
  int tunerRegion() const override { return live_ != nullptr ? live_->tunerRegion() : 1; }
  comm::LinkMode linkMode() const override { return live_ != nullptr ? live_->linkMode() : comm::LinkMode::Idle; }
  // What the receiver has, when there is no live link.
  void setCapabilities(const model::Capabilities& capabilities) { capabilities_ = capabilities; }

  std::vector<std::string> frames;

 private:
  ui::PageLink* live_;
  model::ParameterImages images_;
  model::Capabilities capabilities_;
};

// One setting on one page: the page is built on `link`, the value parsed into image 0.
struct PageEdit {
  PageEdit(const SetOptions& options, ui::PageLink& link)
      : image(*link.image(0)),
        addressed(FindPage(options.page, {link, ui, 0}, image)),
        page(*addressed.page),
        item(FindItem(addressed, image, options.key)) {}

  // Throws with the page's current text, why it refuses the value, and what the setting
  // takes where the page can say, when the page does not accept the value.
  void parse(const std::string& value) {
    if (page.ParseItem(image, item.number, item.subIndex, value)) return;
    const pages::ItemText now = page.DescribeItem(image, item.number, item.subIndex, false);
    std::string message = "\"" + value + "\" is not a value of " + now.key + " on page \"" + now.section +
                          "\" (it holds \"" + now.value + "\")";
    const std::string reason = page.RefusalReason(image, item.number, item.subIndex, value);
    if (!reason.empty()) message += "; " + reason;
    if (const auto* ranges = dynamic_cast<const pages::ItemRangeSource*>(&page)) {
      const std::string range = ranges->DescribeRange(item.number, item.subIndex);
      if (!range.empty()) message += "; values: " + range;
    }
    throw CliFailure{kExitBadInput, message};
  }
  std::string key() const { return page.DescribeItem(image, item.number, item.subIndex, false).key; }
  const std::string& section() const { return addressed.section; }
  // The item's value as its page writes it (also for items with one value per record).
  std::string valueText() const { return page.DescribeItem(image, item.number, item.subIndex, false).value; }
  // What the page has to say about the value it took (one that the receiver may refuse).
  void printAdvice() const {
    const auto* advice = dynamic_cast<const pages::ValueAdvice*>(&page);
    const std::string note = advice != nullptr ? advice->AdviceOn(image, item.number, item.subIndex) : "";
    if (!note.empty()) std::cerr << "tunewright-cli: note: " << note << '\n';
  }

  CliUiServices ui{false};  // a page that asks for confirmation gets Cancel
  model::ParameterImage& image;
  AddressedPage addressed;
  pages::BasePage& page;
  pages::PageItem item;
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
    RecordingPageLink offline(nullptr);
    offline.setCapabilities(capabilities);
    PageEdit edit(options, offline);
    if (!edit.page.ParseItem(edit.image, edit.item.number, edit.item.subIndex, options.value)) return false;
    edit.page.QueueItem(edit.image, edit.item.number, edit.item.subIndex);
    return !offline.frames.empty();
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
  RecordingPageLink link(nullptr);
  PageEdit edit(options, link);
  edit.parse(options.value);
  edit.printAdvice();
  edit.page.QueueItem(edit.image, edit.item.number, edit.item.subIndex);
  if (link.frames.empty()) {
    const std::string why = edit.page.SilenceReason(edit.image, edit.item.number, edit.item.subIndex);
    throw CliFailure{kExitBadInput, edit.key() + " on page \"" + edit.section() + "\" sends nothing: " +
                                        (why.empty() ? "it is sent with the page's other settings" : why)};
  }
  PrintFrames(link.frames);
  return kExitOk;
}

// Connects as Real Time Mode does, sends the edit, and waits for the receiver's answer:
// the end of the command list for extended commands, the report of the same parameter for
// standard ones.
class SetSession final : public LinkSession {
 public:
  SetSession(const SetOptions& options, comm::Link& link, comm::Scheduler& scheduler)
      : LinkSession(scheduler), options_(options), link_(link), live_(link), recorder_(&live_) {
    // Page and key are checked before connecting; the value needs the receiver's state.
    RecordingPageLink offline(nullptr);
    PageEdit check(options, offline);
  }

  const std::vector<std::string>& frames() const { return recorder_.frames; }

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
      edit_ = std::make_unique<PageEdit>(options_, recorder_);
      edit_->parse(options_.value);
      edit_->printAdvice();
      expected_ = edit_->valueText();
    } catch (const CliFailure& failure) {
      return fail(failure.status, failure.message);
    }
    sending_ = true;
    edit_->page.SendItem(edit_->item.number, edit_->item.subIndex);
    if (frames().empty()) {
      const std::vector<std::string> missing = MissingParts(options_, link_.capabilities());
      if (!missing.empty()) {
        std::string parts;
        for (const std::string& part : missing) parts += (parts.empty() ? "" : " and no ") + part;
        return fail(kExitLinkFailed, "the receiver has no " + parts + ", so " + edit_->key() + " on page \"" +
                                         edit_->section() + "\" cannot be sent to it");
      }
      const std::string why = edit_->page.SilenceReason(edit_->image, edit_->item.number, edit_->item.subIndex);
      return fail(kExitBadInput, edit_->key() + " on page \"" + edit_->section() + "\" sends nothing: " +
                                     (why.empty() ? "it has no command of its own" : why));
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
    const pages::ItemText now =
        edit_->page.DescribeItem(edit_->image, edit_->item.number, edit_->item.subIndex, false);
    fail(kExitLinkFailed, "the receiver kept " + now.key + " at " + now.value);
  }


  const SetOptions& options_;
  comm::Link& link_;
  ui::CommPageLink live_;
  RecordingPageLink recorder_;
  std::unique_ptr<PageEdit> edit_;
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
