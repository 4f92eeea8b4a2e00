#pragma once

namespace tw::ui {
class DialogHost;
}

namespace tw::pages {

// What a page may ask of the window around it, beyond its own controls. The main window
// gives one to every page; pages built without a window (the command-line tool, tests of a
// single page) get none and must do without.
class PageHost {
 public:
  virtual ~PageHost() = default;
  // The main form shows the current sound program again (a page changed it in the image).
  virtual void RefreshProgramDisplay() = 0;
  // Every page and the Basic Control group show the current image again.
  virtual void RefreshAllPages() = 0;
  // Real Time Mode: read the receiver's whole state again, as Reload does (no question).
  virtual void ReloadConfiguration() = 0;
  // Where a page opens a modal dialog of its own.
  virtual ui::DialogHost& dialogs() = 0;
};

}  // namespace tw::pages
