#include "gui/desktop_session.h"

namespace tw::gui {

DesktopSession::DesktopSession(app::CQAmpToolApp& app, ui::UiServices& ui, ui::DialogHost& dialogs,
                               ui::CQAmpToolView::Options options, ConfigurationFiles* files)
    : app_(app),
      pageLink_(app.link()),
      sheet_(pages::PageContext{pageLink_, ui, 0}),
      sheetView_(sheet_, app.link()),
      basicView_(sheet_, app.link()),
      basic_(pageLink_, ui, &basicView_),
      view_(app, ui, dialogs, std::move(options)),
      document_(view_, ui, dialogs, files) {
  basicView_.attach(basic_);
  view_.attachSheet(&sheetView_);
  view_.attachBasicGroup(&basicView_);
  // The sheet's pages exist before the first update, as the frame creates them first.
  sheet_.Create();
  view_.OnInitialUpdate();
}

DesktopSession::~DesktopSession() = default;

bool DesktopSession::selectVirtualReceiver() {
  ui::CListCombo& ports = view_.portList();
  const int index = ports.findStringExact(ui::kVirtualPortEntry);
  if (index < 0) return false;
  ports.setCurSel(index);
  return true;
}

}  // namespace tw::gui
