#include "gui/system_memory_window.h"

#include <QVBoxLayout>

#include "gui/form_widget.h"
#include "gui/qt_text.h"
#include "pages/system/memory_page.h"

namespace tw::gui {

SystemMemoryWindow::SystemMemoryWindow(pages::SystemMemoryPage& page, QWidget* parent)
    : QDialog(parent), page_(page), form_(new FormWidget(page.form(), this)) {
  setObjectName(QStringLiteral("systemMemoryWindow"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(form_);
  setWindowTitle(ToQt(page.caption()));
  setModal(false);
  page_.onShowWindow = [this] { present(); };
  if (page_.isWindowShown()) present();
}

SystemMemoryWindow::~SystemMemoryWindow() {
  page_.onShowWindow = nullptr;
  form_->detach();
}

void SystemMemoryWindow::present() {
  show();
  raise();
  activateWindow();
}

void SystemMemoryWindow::hideEvent(QHideEvent* event) {
  page_.HideWindow();
  QDialog::hideEvent(event);
}

}  // namespace tw::gui
