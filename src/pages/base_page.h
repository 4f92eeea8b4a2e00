#pragma once

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "files/profile.h"
#include "pages/page_host.h"
#include "settings/page_settings.h"
#include "model/parameter_image.h"
#include "model/setting_key.h"
#include "ui/controls/layout.h"
#include "ui/page_link.h"
#include "ui/ui_services.h"

namespace tw::pages {

// What every page is constructed with: the link, the user-interface services, and the
// image whose blocks the page edits (0, the current settings, for every sheet page).
struct PageContext {
  ui::PageLink& link;
  ui::UiServices& ui;
  int imageIndex = 0;
  PageHost* host = nullptr;  // the main window; null without one
};

using settings::ItemText;
using settings::kAllGroups;
using settings::PageItem;

// The contract between a settings page and the rest of the program: the link queues a
// download through QueueAll, the view refreshes pages from the image, and an edit is
// stored at once and sent only in Real Time Mode (SendItem). Files, reports and the System
// Memory groups read the page's settings in the catalogue, not the page.
//
// The operations that take an image touch only that image, never the page's controls.
class BasePage {
 public:
  // A page over settings of the catalogue: its caption is theirs.
  BasePage(const PageContext& context, const settings::PageSettings& settings);
  // A page without settings of its own (the System Memory window), or one that names them
  // later (setSettings).
  BasePage(const PageContext& context, std::string caption);
  virtual ~BasePage() = default;
  BasePage(const BasePage&) = delete;
  BasePage& operator=(const BasePage&) = delete;

  // The page's window text, also its section in files and reports.
  const std::string& caption() const { return caption_; }
  // The settings the page shows; a page without settings throws.
  const settings::PageSettings& settings() const;
  bool hasSettings() const { return settings_ != nullptr; }
  // Its items in file order (or the order they are sent in), in the link's context.
  std::vector<PageItem> ListItems(bool forFile, int group = kAllGroups) const;
  // The layout a renderer draws (every page declares one in its constructor; until then
  // an empty column).
  ui::Form& form() { return *form_; }
  const ui::Form& form() const { return *form_; }

  // --- window events (the sheet and the renderer call these) ---
  // First activation: the page fills its lists, sets up its sliders and shows its values.
  void OnInitDialog();
  // Every activation shows the image again; the first one also creates the window.
  void OnSetActive();
  void OnKillActive();
  // A navigation key while `focused` has the focus; true when it must not reach the
  // control. Arrow keys are always consumed, so they never change a value on a page.
  bool PreTranslateKey(ui::Control& focused, ui::Key key);

  bool hasWindow() const { return hasWindow_; }
  bool isActive() const { return active_; }
  void setActive(bool active) { active_ = active; }

  // --- the fifteen page operations ---
  virtual void UpdateAvailability() {}
  virtual void UpdateControlStates() {}
  virtual void RestoreFocus() {}
  // Items whose needs the receiver does not meet are unavailable; other numbers are.
  virtual bool IsItemAvailable(int number) const;
  virtual void RefreshAll() {}
  virtual void RefreshItem(int /*number*/, bool /*update*/) {}
  // Queues the page's settings of `image` as a download sends them (its settings'
  // DownloadCommands); a page's reset sends the same in Real Time Mode.
  void QueueAll(const model::ParameterImage& image, const model::SettingFilter& sends = {});
  // The item's commands from its settings; nothing for an unavailable item.
  virtual void QueueItem(const model::ParameterImage& image, int number, int subIndex);
  // The sub-index of the element of `number` that `command` was built for, where the item
  // has several (one per record); -1 otherwise.
  virtual int SubIndexOfCommand(int /*number*/, std::string_view /*command*/) const { return -1; }
  // Brings the item into view where the page shows one program or record at a time (the
  // page selects it) and returns the control that now edits it; null when the page shows
  // every item at once.
  virtual ui::Control* BringIntoView(int /*number*/, int /*subIndex*/) { return nullptr; }
  // Sends one parameter from the page's own image now, in Real Time Mode only and only when
  // the receiver has it: wait cursor, QueueItem, batch start. In Async Mode the value waits
  // for the next download.
  virtual void SendItem(int number, int subIndex = -1);

 protected:
  // The page's part of OnInitDialog: fill lists and set up sliders (RefreshAll follows).
  virtual void InitControls() {}

  void SetLayout(ui::LayoutNode root);
  // For a page that builds its settings after the page itself.
  void setSettings(const settings::PageSettings& settings) { settings_ = &settings; }

  ui::PageLink& link() const { return link_; }
  ui::UiServices& ui() const { return ui_; }
  // The image the page was constructed for; its controls show this image.
  model::ParameterImage& pageImage() const { return image_; }
  bool isRealTime() const { return link_.isRealTime(); }
  // What the link is doing: idle, Real Time connection, upload or download.
  comm::LinkMode linkMode() const { return link_.linkMode(); }
  // The main window's services; null when the page has no main window.
  PageHost* host() const { return host_; }
  // Slider repaints store their value only while no transfer dialog is open.
  bool mayStoreSliderValue() const { return !link_.isTransferDialogOpen(); }

  // Queues one command text with its parameter number (an empty text queues nothing, so
  // that it never starts a batch by mistake).
  void Queue(std::string_view command, int number) const;
  // Starts the batch of what was queued.
  void SendBatchStart() const;

  // A page-wide reset ("Default", "Flat"): write the defaults into the page's image,
  // RefreshAll, and in Real Time Mode queue the whole page and start the batch.
  void ResetPage(const std::function<void(model::ParameterImage&)>& writeDefaults);
  // A reset of part of the page ("Flat" of one group): in Real Time Mode only, the available
  // items among `items` are queued in that order from the page's image, then the batch
  // starts. The caller has stored and shown the new values.
  void SendItems(std::span<const PageItem> items);

 private:
  ui::PageLink& link_;
  ui::UiServices& ui_;
  PageHost* host_;
  model::ParameterImage& image_;
  std::string caption_;
  const settings::PageSettings* settings_ = nullptr;
  std::unique_ptr<ui::Form> form_;
  bool hasWindow_ = false;
  bool active_ = false;
};

}  // namespace tw::pages
