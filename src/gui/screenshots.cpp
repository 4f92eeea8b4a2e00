#include "gui/screenshots.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QRegularExpression>

#include "gui/dialog_window.h"
#include "gui/main_window.h"
#include "gui/qt_dialog_host.h"
#include "gui/system_memory_window.h"
#include "pages/qamp_tool_doc.h"
#include "pages/system/memory_page.h"
#include "pages/workbench.h"
#include "ui/dialogs/about_dlg.h"
#include "ui/dialogs/confirm_down_dlg.h"
#include "ui/dialogs/report_dlg.h"
#include "ui/dialogs/user_memo_dlg.h"

namespace tw::gui {
namespace {

QString FileName(const QString& text) {
  QString name = text.toLower();
  name.replace(QRegularExpression(QStringLiteral("[^a-z0-9]+")), QStringLiteral("-"));
  return name;
}

bool Save(QWidget& widget, const QDir& folder, const QString& name) {
  QApplication::processEvents();
  return widget.grab().save(folder.filePath(name + QStringLiteral(".png")));
}

bool SaveDialog(ui::Dialog& dialog, QtDialogHost& host, const QDir& folder, const QString& prefix) {
  dialog.DoModal(host);
  bool saved = false;
  if (DialogWindow* window = host.windowOf(dialog)) {
    window->adjustSize();
    saved = Save(*window, folder, prefix + QStringLiteral("dialog-") + FileName(window->windowTitle()));
  }
  dialog.EndDialog(ui::kIdCancel);
  return saved;
}

}  // namespace

int WriteScreenshots(MainWindow& window, pages::Workbench& bench, pages::CQAmpToolDoc& document,
                     QtDialogHost& dialogs, const QString& folder) {
  QDir dir(folder);
  if (!dir.mkpath(QStringLiteral("."))) return 0;
  const QString prefix = bench.app().isRealTime() ? QStringLiteral("realtime-") : QStringLiteral("async-");
  int written = Save(window, dir, prefix + QStringLiteral("main")) ? 1 : 0;
  pages::SheetView& sheet = bench.sheetView();
  for (int i = 0; i < sheet.pageCount(); ++i) {
    sheet.setActive(i);
    const QString name = QStringLiteral("%1page-%2").arg(prefix).arg(i + 1, 2, 10, QLatin1Char('0'));
    if (Save(window, dir, name + QLatin1Char('-') + FileName(QString::fromStdString(sheet.pageCaption(i))))) {
      ++written;
    }
  }
  bench.memoryPage().ShowWindow();
  SystemMemoryWindow& memory = window.systemMemoryWindow();
  memory.adjustSize();
  written += Save(memory, dir, prefix + QStringLiteral("window-system-memory")) ? 1 : 0;
  memory.hide();
  ui::CAboutDlg about;
  written += SaveDialog(about, dialogs, dir, prefix) ? 1 : 0;
  if (!bench.app().isRealTime()) {
    ui::CUserMemoDlg memo(document.userMemo());
    written += SaveDialog(memo, dialogs, dir, prefix) ? 1 : 0;
    ui::CReportDlg report([&document] { return document.BuildReport(); });
    written += SaveDialog(report, dialogs, dir, prefix) ? 1 : 0;
    ui::CConfirmDownDlg notice;
    written += SaveDialog(notice, dialogs, dir, prefix) ? 1 : 0;
  }
  return written;
}

}  // namespace tw::gui
