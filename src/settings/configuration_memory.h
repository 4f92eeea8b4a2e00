#pragma once

#include <map>
#include <string>
#include <vector>

#include "files/memory_sections.h"
#include "files/profile.h"
#include "model/parameter_image.h"
#include <span>

#include "settings/basic/basic_control_settings.h"
#include "settings/catalogue.h"
#include "settings/page_settings.h"

namespace tw::settings {

// One parameter of a System Memory group with the settings of the page that owns it (the
// Basic Control group's for 1..14).
struct MemoryItem {
  const PageSettings* page = nullptr;
  PageItem item;
};

// The System Memory groups: which parameters each of the four keeps, for the file, the
// report, the download and the System Memory window's copies. The groups name parameter
// numbers; each is described, parsed and sent by the settings of whichever page owns it
// (the Basic Control group's for 1..14). Numbers no page of `pages` owns are absent.
class MemoryGroups {
 public:
  explicit MemoryGroups(ContextSource context, std::span<const PageSettings* const> pages = Catalogue(),
                        const PageSettings* basic = &BasicControlSettings())
      : context_(std::move(context)), pages_(pages), basic_(basic) {}

  // The group's items for `memoryImage`, in file order. The System group lists the DSP
  // parameters of the sound program stored in that image only, and a memory's volume trims
  // only where the image knows them. `forSending` takes a whole page's items in the order
  // the page sends them (and without items that only files know).
  std::vector<MemoryItem> Items(files::MemoryCategory category, const model::ParameterImage& memoryImage,
                                bool forSending = false) const;

  // Texts of one item of `image`; empty texts when its owner is absent.
  ItemText Describe(const MemoryItem& item, const model::ParameterImage& image, bool forReport) const;

  // Each item under "<category> Memory n <section>".
  void Save(files::MemoryCategory category, int memory, const model::ParameterImage& image,
            files::Profile& profile) const;
  // Non-empty entries are parsed into `image`; anything else leaves it unchanged. The DSP
  // parameters are those of the sound program as read from the same file, so that a memory
  // and its program's parameters load together.
  void Load(files::MemoryCategory category, int memory, model::ParameterImage& image,
            const files::Profile& profile) const;
  // The item lines of the group for `image`, under the plain sections.
  std::string Report(files::MemoryCategory category, const model::ParameterImage& image) const;

  // Copies the group's parameters of `from` into `to` and nothing else (the DSP parameters
  // of the sound program stored in `from`): every value the file holds and every value the
  // memory's download sends. Trims `from` knows become known to `to`.
  void Copy(files::MemoryCategory category, const model::ParameterImage& from, model::ParameterImage& to) const;

 private:
  // `held`: leave out an entry whose values `image` does not hold as its own (a memory's
  // trims never read or filed); reading a file asks for every entry.
  std::vector<MemoryItem> entryItems(std::size_t entry, files::MemoryCategory category,
                                     const model::ParameterImage& image, bool forSending = false,
                                     bool held = true) const;
  // The page that owns a number of first..last, or null.
  const PageSettings* ownerOf(int first, int last) const;
  bool parse(const MemoryItem& item, model::ParameterImage& image, std::string_view text) const;

  ContextSource context_;
  std::span<const PageSettings* const> pages_;
  const PageSettings* basic_;
  // Owners by the first number of a group entry.
  mutable std::map<int, const PageSettings*> owners_;
};

}  // namespace tw::settings
