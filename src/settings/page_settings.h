#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "files/profile.h"
#include "model/command_table.h"
#include "model/parameter_image.h"
#include "model/setting_key.h"
#include "settings/setting_items.h"

namespace tw::settings {

// One item of a page: a parameter number and, where one number stands for a row of
// values, a sub-index (-1 for a parameter with a single element).
struct PageItem {
  int number = 0;
  int subIndex = -1;
  friend bool operator==(const PageItem&, const PageItem&) = default;
};

// A framed command and the parameter number it is sent for.
struct SettingCommand {
  std::string text;
  int number = 0;
  friend bool operator==(const SettingCommand&, const SettingCommand&) = default;
};

// The file and report texts of one item. An item that is not the page's has three empty
// texts; an item with an empty key takes no line in a file or a report.
struct ItemText {
  std::string section;
  std::string key;
  std::string value;
};

// A visitor of one lambda per kind of item (std::visit over PageSettings::Item).
template <class... Ts>
struct Overloaded : Ts... {
  using Ts::operator()...;
};
// Spelled out for compilers without aggregate deduction (clang before 17).
template <typename... Ts>
Overloaded(Ts...) -> Overloaded<Ts...>;

// The group argument that selects no particular group (pages without groups ignore it).
inline constexpr int kAllGroups = 24;

// When a page is shown as a tab of the sheet. Whether files and reports hold it follows
// from it too (InFileAndReport).
enum class Presence {
  Always,
  AsyncOnly,         // Input DSP
  RealTimeOrRegion1  // XM Set: shown in Real Time Mode, or when the tuner region is 1
};

// Whether a page is a tab of the sheet for this working mode and tuner region.
bool IsShown(Presence presence, bool realTime, int tunerRegion);
// Files and reports hold XM Set only for tuner region 1 (a file is read whatever it holds).
inline bool InFileAndReport(Presence presence, int tunerRegion) {
  return presence != Presence::RealTimeOrRegion1 || tunerRegion == 1;
}

// What the rules of a page may depend on besides the image: the connected receiver's
// options, the tuner region and the working mode.
struct SettingContext {
  model::Capabilities capabilities;
  int tunerRegion = 0;
  bool realTime = false;
};

// Asked whenever a walk over the settings needs the context (it changes as a receiver
// connects or the region changes).
using ContextSource = std::function<SettingContext()>;

using AnyItem = std::variant<ChoiceItem, LevelItem, TextItem>;
// The number, and the records (none for a text), of any kind of item.
int ItemNumber(const AnyItem& item);
const Records* ItemRecords(const AnyItem& item);

// Every setting of one page as data, with the page's rules for files, reports and
// downloads; no control and no link. Items keep the order they were added in (the file
// order), items with records record by record.
class PageSettings {
 public:
  using Item = AnyItem;

  explicit PageSettings(std::string caption, Presence presence = Presence::Always)
      : caption_(std::move(caption)), presence_(presence) {}
  virtual ~PageSettings() = default;

  // The page's caption, also its section in files and reports.
  const std::string& caption() const { return caption_; }
  Presence presence() const { return presence_; }

  // `ignoreCase`: a file text matches an entry whatever its letter case (a list's entries).
  void Add(const ChoiceItem& item, bool ignoreCase = false);
  void Add(const LevelItem& item);
  void Add(const TextItem& item);
  // The order in which a download sends the items, when it differs from the file order.
  void SetSendOrder(std::vector<int> numbers) { sendOrder_ = std::move(numbers); }

  // The item of `number`, or null when the page has none.
  const Item* Find(int number) const;
  // The item of `number`, of the kind the caller binds; throws when the page has no such item.
  const ChoiceItem& Choice(int number) const { return std::get<ChoiceItem>(item(number)); }
  const LevelItem& Level(int number) const { return std::get<LevelItem>(item(number)); }
  const TextItem& Text(int number) const { return std::get<TextItem>(item(number)); }
  const Records* RecordsOf(int number) const;
  // Whether the receiver has the item (its Needs); numbers the page lacks are available.
  bool IsAvailable(int number, const SettingContext& context) const;

  // Items in file order, record by record for items with records; for sending, the send
  // order when one was set. IsListed may leave items out.
  virtual std::vector<PageItem> ListItems(bool forFile, const SettingContext& context, int group = kAllGroups) const;
  virtual ItemText DescribeItem(const model::ParameterImage& image, int number, int subIndex,
                                bool forReport) const;
  // True when the text was one of the item's allowed values, Accepts it, and it is now stored.
  virtual bool ParseItem(model::ParameterImage& image, int number, int subIndex, std::string_view text) const;
  // Whether the page takes `value` for the item in `image`, beyond the item's own values
  // (a pair the receiver forbids, say). All values by default.
  virtual bool Accepts(const model::ParameterImage& /*image*/, int /*number*/, int /*subIndex*/,
                       std::int32_t /*value*/) const {
    return true;
  }
  // What a file's items settle together before each is read on its own (nothing by default).
  virtual void BeforeLoad(model::ParameterImage& /*image*/, const files::Profile& /*profile*/) const {}
  // The item's allowed values: "allowed: "A", "B"" for a list; the first values, then the
  // last, for a range; the length for a text.
  virtual std::string RefusalReason(const model::ParameterImage& image, int number, int subIndex,
                                    std::string_view text) const;
  // What values the item takes, where its allowed values say too little ("-6dB .. 3dB").
  virtual std::string DescribeRange(int /*number*/, int /*subIndex*/) const { return {}; }
  // Why the item sends nothing with `image` as it stands (a setting it depends on); empty
  // when there is nothing to say.
  virtual std::string SilenceReason(const model::ParameterImage& /*image*/, int /*number*/, int /*subIndex*/) const {
    return {};
  }
  // What to tell a user about a value the item took that the receiver may refuse; empty
  // when there is nothing to say.
  virtual std::string AdviceOn(const model::ParameterImage& /*image*/, int /*number*/, int /*subIndex*/,
                               const SettingContext& /*context*/) const {
    return {};
  }
  // The framed commands that send the item's value in `image`; none for an item the
  // receiver lacks or that sends nothing.
  virtual std::vector<std::string> Commands(const model::ParameterImage& image, int number, int subIndex,
                                            const SettingContext& context) const;
  // Every command that puts the page's settings of `image` on the receiver: the items
  // listed for sending that the receiver has and `sends` lets through, in send order. A
  // download sends this for every page; a page's reset in Real Time Mode for its own.
  virtual std::vector<SettingCommand> DownloadCommands(const model::ParameterImage& image,
                                                       const model::SettingFilter& sends,
                                                       const SettingContext& context) const;

 protected:
  // Appends the commands of `item` when the receiver has it (DownloadCommands' step).
  void AppendCommands(std::vector<SettingCommand>& commands, const model::ParameterImage& image,
                      const PageItem& item, const SettingContext& context) const;
  // Whether ListItems gives `item` (all items by default).
  virtual bool IsListed(const PageItem& /*item*/, bool /*forFile*/, const SettingContext& /*context*/) const {
    return true;
  }

 private:
  struct Entry {
    Item item;
    bool ignoreCase = false;
    int number() const { return ItemNumber(item); }
    const Records* records() const { return ItemRecords(item); }
  };
  const Entry* find(int number) const;
  const Item& item(int number) const;

  std::string caption_;
  Presence presence_;
  std::vector<Entry> entries_;
  std::vector<int> sendOrder_;
};

}  // namespace tw::settings
