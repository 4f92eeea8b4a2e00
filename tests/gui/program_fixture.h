#pragma once

// The desktop program as main() builds it, on the offscreen platform with the application
// on the virtual clock and the virtual receiver selected.

#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "comm/virtual_scheduler.h"
#include "emu/emulator_port.h"
#include "gui/desktop.h"
#include "gui/qt_dialog_host.h"
#include "gui/qt_ui_services.h"
#include "gui/startup.h"
#include "gui_test_support.h"
#include "session/workbench.h"

namespace tw::gui::test {

// The program as main() builds it, with the clock of a test and the virtual receiver
// selected; `arguments` are the command line the application sees.
struct Program {
  explicit Program(int startMode, int region = 1, std::vector<std::string> arguments = {},
                   const emu::EmulatorConfig& receiverConfig = {})
      : bench(session::WorkbenchSetup{scheduler,
                                    ui,
                                    dialogs,
                                    {folder.filePath("tunewright.ini").toStdString(), folder.path().toStdString()},
                                    {},
                                    receiverConfig,
                                    true}) {
    options.startMode = startMode;
    options.tunerRegion = region;
    DesktopStartupUi startup(dialogs, options);
    bool started = false;
    bench.Start(arguments, startup, [&](bool ok) { started = ok; });
    EXPECT_TRUE(started);
    desktop = std::make_unique<Desktop>(bench, ui, dialogs, true);
    window = &desktop->window();
    EXPECT_EQ(bench.view().portList().selectedText(), ui::kVirtualPortEntry);
    ShowAndWait(*window);
  }
  ~Program() {
    desktop.reset();
    bench.Shutdown();
    Flush();
  }

  QPushButton* button(const ui::Control& control) const {
    return qobject_cast<QPushButton*>(window->widgetFor(control));
  }
  QStringList menuTitles() const {
    QStringList titles;
    for (QMenu* menu : window->menus()) titles << menu->title();
    return titles;
  }
  QStringList items(int menu) const {
    QStringList texts;
    for (QAction* action : window->menus()[static_cast<std::size_t>(menu)]->actions()) {
      texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
    }
    return texts;
  }
  bool runUntil(const std::function<bool()>& done) { return scheduler.runUntil(done, 600000); }

  emu::EmulatorPort& receiver() { return bench.virtualPort(); }

  QTemporaryDir folder;
  comm::VirtualScheduler scheduler;
  QtUiServices ui;
  QtDialogHost dialogs;
  session::Workbench bench;
  DesktopOptions options;
  std::unique_ptr<Desktop> desktop;
  MainWindow* window = nullptr;
};

}  // namespace tw::gui::test
