#pragma once

#include <QDialog>

namespace tw::pages {
class SystemMemoryPage;
}

namespace tw::gui {

class FormWidget;

// The System Memory window: a modeless window beside the main window that shows the System
// Memory page whenever the page asks for it (the main form's System Memory button). Closing
// it only hides it; the page keeps its selections for the next time.
class SystemMemoryWindow final : public QDialog {
 public:
  SystemMemoryWindow(pages::SystemMemoryPage& page, QWidget* parent);
  ~SystemMemoryWindow() override;

  FormWidget& formWidget() const { return *form_; }

 protected:
  void hideEvent(QHideEvent* event) override;

 private:
  void present();

  pages::SystemMemoryPage& page_;
  FormWidget* form_;
};

}  // namespace tw::gui
