#include "gui/screenshots.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QPixmap>
#include <QRegularExpression>

#include "files/safe_file_writer.h"
#include "gui/dialog_window.h"
#include "gui/main_window.h"
#include "gui/page_navigator.h"
#include "gui/qt_dialog_host.h"
#include "gui/qt_ui_services.h"
#include "gui/system_memory_window.h"
#include "session/configuration_document.h"
#include "pages/system/memory_page.h"
#include "session/workbench.h"
#include "ui/dialogs/about_dlg.h"
#include "ui/dialogs/command_send_dlg.h"
#include "ui/dialogs/confirm_down_dlg.h"
#include "ui/dialogs/initialize_dlg.h"
#include "ui/dialogs/report_dlg.h"
#include "ui/dialogs/compare_dlg.h"
#include "settings/catalogue.h"
#include "settings/offline_configuration.h"
#include "ui/dialogs/start_mode_dlg.h"
#include "ui/dialogs/tuner_region_dlg.h"
#include "ui/dialogs/user_memo_dlg.h"

namespace tw::gui {
namespace {

QString FileName(const QString& text) {
  QString name = text.toLower();
  name.replace(QRegularExpression(QStringLiteral("[^a-z0-9]+")), QStringLiteral("-"));
  while (name.endsWith(QLatin1Char('-'))) name.chop(1);
  return name;
}

// Through the programs' one file writer, like every other file they write.
bool Save(QWidget& widget, const QDir& folder, const QString& name) {
  QApplication::processEvents();
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  if (!widget.grab().save(&buffer, "PNG")) return false;
  const QString path = folder.filePath(name + QStringLiteral(".png"));
  return static_cast<bool>(files::WriteFileAtomically(QFile::encodeName(path).toStdString(),
                                                      std::string_view(png.constData(), png.size())));
}

class Shooter {
 public:
  Shooter(QtDialogHost& host, const QDir& folder, QString prefix)
      : host_(host), folder_(folder), prefix_(std::move(prefix)) {}

  void window(QWidget& widget, const QString& name) { written_ += Save(widget, folder_, prefix_ + name) ? 1 : 0; }

  void dialog(ui::Dialog& dialog) {
    dialog.DoModal(host_);
    if (DialogWindow* window = host_.windowOf(dialog)) {
      window->adjustSize();
      written_ += Save(*window, folder_, prefix_ + QStringLiteral("dialog-") + FileName(window->windowTitle())) ? 1 : 0;
    }
    dialog.EndDialog(ui::kIdCancel);
  }

  int written() const { return written_; }

 private:
  QtDialogHost& host_;
  QDir folder_;
  QString prefix_;
  int written_ = 0;
};

}  // namespace

int WriteScreenshots(MainWindow& window, session::Workbench& bench, session::ConfigurationDocument& document,
                     QtUiServices& ui, QtDialogHost& dialogs, WindowSize size, const QString& folder) {
  QDir dir(folder);
  if (!dir.mkpath(QStringLiteral("."))) return 0;
  QString prefix = bench.app().isRealTime() ? QStringLiteral("realtime-") : QStringLiteral("async-");
  if (!size.empty()) {
    window.setWindowState(Qt::WindowNoState);
    window.resize(size.width, size.height);
    prefix += QStringLiteral("%1x%2-").arg(size.width).arg(size.height);
  }
  Shooter shoot(dialogs, dir, prefix);
  shoot.window(window, QStringLiteral("main"));
  pages::Sheet& sheet = bench.sheet();
  for (int i = 0; i < sheet.pageCount(); ++i) {
    sheet.setActive(i);
    shoot.window(window, QStringLiteral("page-%1-").arg(i + 1, 2, 10, QLatin1Char('0')) +
                             FileName(QString::fromStdString(sheet.pageCaption(i))));
  }
  bench.memoryPage().ShowWindow();
  SystemMemoryWindow& memory = window.systemMemoryWindow();
  memory.adjustSize();
  shoot.window(memory, QStringLiteral("window-system-memory"));
  memory.hide();

  // A search, and where choosing its first result leads.
  PageNavigator& navigator = window.navigator();
  navigator.search(QStringLiteral("SW"));
  shoot.window(window, QStringLiteral("search-sw"));
  navigator.choose(0);
  shoot.window(window, QStringLiteral("search-sw-chosen"));
  navigator.search(QString());

  comm::Link& link = bench.link();
  ui::AboutDialog about(bench.app().log().folder().string());
  shoot.dialog(about);
  ui::StartModeDialog startMode;
  shoot.dialog(startMode);
  ui::InitializeDialog initialize(link, ui);
  initialize.setRange(0, 508);
  initialize.setTargetNote(bench.view().virtualReceiverSelected() ? std::string(ui::kVirtualReceiverNote) : "");
  shoot.dialog(initialize);
  if (bench.app().isRealTime()) {
    // Compare with Receiver, as for a receiver someone changed in a few settings.
    settings::OfflineConfiguration file(1);
    model::ParameterImage receiver = *file.images.Image(0);
    const settings::PageSettings& levels = *settings::FindPageSettings("Speaker Level");
    for (const settings::PageItem& item : levels.ListItems(true, {})) {
      const std::string key = levels.DescribeItem(receiver, item.number, item.subIndex, false).key;
      if (key == "FL" || key == "SW") levels.ParseItem(receiver, item.number, item.subIndex, key == "FL" ? "1.5dB" : "-2.0dB");
    }
    receiver.basic[0] = 3;
    ui::CompareDialog compare("living-room.qcf",
                              settings::CompareCurrentSettings(receiver, *file.images.Image(0), file.Save(),
                                                               {{1, 0, 1, 1}, 1, true}));
    shoot.dialog(compare);
  } else {
    ui::TunerRegionDialog region(link);
    shoot.dialog(region);
    ui::CommandSendingDialog sending(link, ui);
    sending.setRange(0, 400);
    shoot.dialog(sending);
    ui::UserMemoDialog memo(document.userMemo());
    shoot.dialog(memo);
    ui::ReportDialog report([&document] { return document.BuildReport(); });
    shoot.dialog(report);
    ui::ConfirmDownloadDialog notice;
    shoot.dialog(notice);
  }
  return shoot.written();
}

}  // namespace tw::gui
