#pragma once

#include "app/qamp_tool_app.h"
#include "gui/qamp_tool_doc.h"
#include "gui/view_wiring.h"
#include "pages/sheet.h"
#include "ui/basic_control/basic_control_group.h"
#include "ui/main_view.h"
#include "ui/page_link.h"

namespace tw::gui {

// Everything behind the main window once the working mode is chosen: the pages and their
// sheet, the Basic Control group, the main view and the document, wired together. It holds
// no Qt, so tests can run it on the virtual clock with the real widgets on top.
class DesktopSession {
 public:
  DesktopSession(app::CQAmpToolApp& app, ui::UiServices& ui, ui::DialogHost& dialogs,
                 ui::CQAmpToolView::Options options, ConfigurationFiles* files = nullptr);
  ~DesktopSession();
  DesktopSession(const DesktopSession&) = delete;
  DesktopSession& operator=(const DesktopSession&) = delete;

  app::CQAmpToolApp& app() { return app_; }
  ui::CQAmpToolView& view() { return view_; }
  pages::Sheet& sheet() { return sheet_; }
  SheetViewAdapter& sheetView() { return sheetView_; }
  ui::BasicControlGroup& basic() { return basic_; }
  CQAmpToolDoc& document() { return document_; }

  // Selects the built-in virtual receiver in the port list (the demo); false when the list
  // does not offer it.
  bool selectVirtualReceiver();

 private:
  app::CQAmpToolApp& app_;
  ui::CommPageLink pageLink_;
  pages::Sheet sheet_;
  SheetViewAdapter sheetView_;
  BasicGroupAdapter basicView_;
  ui::BasicControlGroup basic_;
  ui::CQAmpToolView view_;
  CQAmpToolDoc document_;
};

}  // namespace tw::gui
