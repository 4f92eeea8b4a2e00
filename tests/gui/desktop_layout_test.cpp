// The window as a user sees it on a laptop screen: every page whole without scrolling, the
// channel strips lined up, the pages listed by family, the search that takes the user to a
// setting, the virtual receiver marked, the placement kept.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTest>
#include <QTreeWidget>
#include <algorithm>
#include <fstream>
#include <map>
#include <set>
#include <string_view>

#include "gui/focus_highlight.h"
#include "gui/form_widget.h"
#include "gui/main_window.h"
#include "gui/mnemonics.h"
#include "gui/page_navigator.h"
#include "gui/window_placement.h"
#include "pages/dsp/dsp_parameters_page.h"
#include "program_fixture.h"

using namespace tw;
using namespace tw::gui;
using namespace tw::gui::test;

namespace {

// The client area of a maximised window on a 1366x768 screen, less a panel and a title bar.
constexpr QSize kLaptopWindow(1366, 700);

void Settle(QWidget& window) {
  for (int i = 0; i < 3; ++i) {
    Flush();
    if (window.layout() != nullptr) window.layout()->activate();
  }
}

bool Scrolls(const QScrollArea& scroll) {
  return scroll.verticalScrollBar()->maximum() > 0 || scroll.horizontalScrollBar()->maximum() > 0;
}

QPoint CenterIn(const QWidget& widget, const QWidget& window) {
  return widget.mapTo(&window, widget.rect().center());
}

// Where a page sits in the sheet, which depends on the working mode and the tuner region.
int PageIndex(Program& desktop, std::string_view caption) {
  const auto& tabs = desktop.bench.sheet().tabs();
  const auto found = std::find_if(tabs.begin(), tabs.end(), [&](const auto* page) { return page->caption() == caption; });
  return found == tabs.end() ? -1 : static_cast<int>(found - tabs.begin());
}

}  // namespace

TEST(DesktopLayout, EveryPageIsWholeWithoutScrollingInALaptopSizedWindow) {
  for (const int mode : {app::kStartModeAsync, app::kStartModeRealTime}) {
    Program desktop(mode);
    MainWindow& window = *desktop.window;
    window.resize(kLaptopWindow);
    Settle(window);
    ASSERT_EQ(window.size(), kLaptopWindow);
    ASSERT_GT(window.pageCount(), 0);
    for (int page = 0; page < window.pageCount(); ++page) {
      desktop.bench.sheet().setActive(page);
      Settle(window);
      const QScrollArea* scroll = window.pageScroll(page);
      ASSERT_NE(scroll, nullptr);
      EXPECT_TRUE(scroll->isVisible());
      EXPECT_FALSE(Scrolls(*scroll)) << desktop.bench.sheet().pageCaption(page) << " needs "
                                     << scroll->widget()->minimumSizeHint().width() << "x"
                                     << scroll->widget()->minimumSizeHint().height() << " and has "
                                     << scroll->viewport()->width() << "x" << scroll->viewport()->height();
    }
    // The Basic Control panel beside the pages is whole as well.
    auto* panel = qobject_cast<QScrollArea*>(window.findChild<QWidget*>("basicControlPanel")->parentWidget()->parentWidget());
    ASSERT_NE(panel, nullptr);
    EXPECT_FALSE(Scrolls(*panel));
  }
}

TEST(DesktopLayout, ChannelCaptionsSlidersAndValuesLineUpAndButtonsKeepTheirSize) {
  Program desktop(app::kStartModeAsync);
  MainWindow& window = *desktop.window;
  window.resize(kLaptopWindow);
  const int speakerLevel = PageIndex(desktop, "Speaker Level");
  desktop.bench.sheet().setActive(speakerLevel);
  Settle(window);
  FormWidget* page = window.pageForm(speakerLevel);
  ASSERT_NE(page, nullptr);
  std::vector<ControlBinding*> sliders;
  std::vector<QWidget*> values;
  QPushButton* reset = nullptr;
  for (ControlBinding* binding : page->bindings()) {
    switch (binding->control().kind()) {
      case ui::ControlKind::LevelSlider:
        sliders.push_back(binding);
        break;
      case ui::ControlKind::ValueLabel:
        values.push_back(binding->widget());
        break;
      case ui::ControlKind::Button:
        reset = qobject_cast<QPushButton*>(binding->widget());
        break;
      default:
        break;
    }
  }
  ASSERT_EQ(sliders.size(), 10u);
  ASSERT_EQ(values.size(), 10u);
  ASSERT_NE(reset, nullptr);
  for (std::size_t i = 0; i < sliders.size(); ++i) {
    QWidget* slider = sliders[i]->widget();
    ASSERT_EQ(sliders[i]->companions().size(), 1u);
    auto* caption = qobject_cast<QLabel*>(sliders[i]->companions()[0]);
    ASSERT_NE(caption, nullptr);
    const QPoint sliderAt = CenterIn(*slider, window);
    const QPoint captionAt = CenterIn(*caption, window);
    const QPoint valueAt = CenterIn(*values[i], window);
    // Caption above, value below, in the slider's own column...
    EXPECT_LT(caption->mapTo(&window, QPoint(0, caption->height())).y(), slider->mapTo(&window, QPoint()).y() + 1);
    EXPECT_GT(valueAt.y(), sliderAt.y());
    EXPECT_NEAR(captionAt.x(), sliderAt.x(), 2);
    EXPECT_NEAR(valueAt.x(), sliderAt.x(), 2);
    // ...and level with every other channel's.
    const QWidget* first = sliders[0]->companions()[0];
    EXPECT_EQ(CenterIn(*caption, window).y(), CenterIn(*first, window).y());
    EXPECT_EQ(valueAt.y(), CenterIn(*values[0], window).y());
    EXPECT_EQ(slider->height(), sliders[0]->widget()->height());
  }
  // "Default" is as wide as its text needs, not as wide as the page.
  EXPECT_EQ(reset->width(), reset->sizeHint().width());
}

TEST(DesktopLayout, PagesAreListedByFamilyInSheetOrder) {
  Program desktop(app::kStartModeAsync);
  QTreeWidget& tree = desktop.window->navigator().pageTree();
  ASSERT_GE(tree.topLevelItemCount(), 1);
  QStringList families;
  for (int i = 0; i < tree.topLevelItemCount(); ++i) families << tree.topLevelItem(i)->text(0);
  EXPECT_EQ(families.first(), "Speakers");
  QTreeWidgetItem* speakers = tree.topLevelItem(0);
  QStringList pages;
  for (int i = 0; i < speakers->childCount(); ++i) pages << speakers->child(i)->text(0);
  EXPECT_EQ(pages, (QStringList{"Speaker Level", "Speaker Distance", "Speaker Set"}));
  EXPECT_FALSE(speakers->flags() & Qt::ItemIsSelectable);  // a family is a heading, not a page

  // Choosing a page in the list shows it and makes it the sheet's active page.
  const int index = PageIndex(desktop, "Speaker Set");
  tree.setCurrentItem(speakers->child(2));
  EXPECT_EQ(desktop.bench.sheet().activeIndex(), index);
  EXPECT_EQ(desktop.window->pageStack().currentIndex(), index);
}

TEST(DesktopSearch, FindsMainVolumeAndTakesTheFocusThereWithAHighlight) {
  Program desktop(app::kStartModeAsync);
  MainWindow& window = *desktop.window;
  PageNavigator& navigator = window.navigator();
  QTest::keyClick(&window, Qt::Key_F, Qt::ControlModifier);
  EXPECT_TRUE(navigator.searchField().hasFocus());
  QTest::keyClicks(&navigator.searchField(), "main vol");
  ASSERT_FALSE(navigator.matches().empty());
  EXPECT_EQ(navigator.results().item(0)->text(), "Main Volume: -40.0dB");
  EXPECT_TRUE(navigator.results().isVisible());
  EXPECT_FALSE(navigator.pageTree().isVisible());

  QTest::keyClick(&navigator.searchField(), Qt::Key_Return);
  QWidget* slider = window.widgetFor(desktop.bench.basicControls().volume);
  ASSERT_NE(slider, nullptr);
  EXPECT_TRUE(slider->hasFocus());
  EXPECT_TRUE(window.highlight().isShowing());
  EXPECT_EQ(window.highlight().target(), slider);
  EXPECT_EQ(window.highlight().timer().interval(), FocusHighlight::kDurationMs);
  EXPECT_TRUE(window.highlight().timer().isActive());  // it goes by itself
  window.highlight().finish();
  EXPECT_FALSE(window.highlight().isShowing());

  // Esc in the field gives the page list back.
  navigator.searchField().setFocus();
  QTest::keyClick(&navigator.searchField(), Qt::Key_Escape);
  EXPECT_TRUE(navigator.searchField().text().isEmpty());
  EXPECT_TRUE(navigator.pageTree().isVisible());
}

TEST(DesktopSearch, ChoosingAPageSettingShowsItsPageAndFocusesItsControl) {
  Program desktop(app::kStartModeRealTime);
  MainWindow& window = *desktop.window;
  PageNavigator& navigator = window.navigator();
  desktop.bench.sheet().setActive(2);
  navigator.search("SW");
  ASSERT_GE(navigator.matches().size(), 2u);
  EXPECT_EQ(navigator.matches()[1].place, "Speaker Distance");
  navigator.choose(1);
  const int distance = navigator.matches()[1].tab;
  EXPECT_EQ(desktop.bench.sheet().activeIndex(), distance);
  EXPECT_EQ(window.pageStack().currentIndex(), distance);
  QWidget* focused = QApplication::focusWidget();
  ASSERT_NE(focused, nullptr);
  EXPECT_EQ(focused, window.widgetFor(*navigator.matches()[1].control));

  // A radio group takes the focus on its checked button.
  navigator.search("SW Phase");
  ASSERT_FALSE(navigator.matches().empty());
  navigator.choose(0);
  auto* radio = qobject_cast<QAbstractButton*>(QApplication::focusWidget());
  ASSERT_NE(radio, nullptr);
  EXPECT_TRUE(radio->isChecked());
  EXPECT_EQ(radio->text().remove('&'), "Normal");

  navigator.search("nothing of the kind");
  EXPECT_TRUE(navigator.matches().empty());
  ASSERT_EQ(navigator.results().count(), 1);
  EXPECT_EQ(navigator.results().item(0)->text(), "No setting found");
}

TEST(DesktopSearch, ASoundProgramsParameterIsShownWithItsProgramAndRowSelected) {
  Program desktop(app::kStartModeAsync);
  MainWindow& window = *desktop.window;
  PageNavigator& navigator = window.navigator();
  navigator.search("Hall in Vienna");
  ASSERT_FALSE(navigator.matches().empty());
  const pages::SettingMatch match = navigator.matches()[0];
  EXPECT_EQ(match.place, "DSP Parameters Hall in Vienna");
  navigator.choose(0);
  EXPECT_EQ(desktop.bench.sheet().activeIndex(), match.tab);
  auto& page = dynamic_cast<pages::DspParametersPage&>(*desktop.bench.sheet().tabs()[static_cast<std::size_t>(match.tab)]);
  EXPECT_EQ(page.program(), 1);
  EXPECT_EQ(page.selectedNumber(), match.number);
  EXPECT_EQ(QApplication::focusWidget(), window.widgetFor(page.parameterList()));
}

TEST(DesktopWindow, TheVirtualReceiverIsMarkedInTheStatusBarOnlyWhileSelected) {
  Program desktop(app::kStartModeRealTime);
  MainWindow& window = *desktop.window;
  EXPECT_TRUE(window.virtualReceiverMark().isVisible());
  EXPECT_TRUE(window.windowTitle().endsWith("(virtual receiver)"));
  // With nothing selected there is no port in use, and no mark.
  desktop.bench.view().portList().setCurSel(-1);
  desktop.bench.view().PortSelected();
  EXPECT_FALSE(window.virtualReceiverMark().isVisible());
  EXPECT_EQ(window.windowTitle(), "Real Time Mode - Tunewright for N4400 ver1.02");
}

TEST(DesktopWindow, FileCommandsHaveTheirShortcutsAndEveryAltLetterIsUsedOnce) {
  Program desktop(app::kStartModeAsync);
  MainWindow& window = *desktop.window;
  std::map<QString, QKeySequence> shortcuts;
  for (QMenu* menu : window.menus()) {
    for (QAction* action : menu->actions()) shortcuts[action->text()] = action->shortcut();
  }
  EXPECT_EQ(shortcuts["&Open..."], QKeySequence(QKeySequence::Open));
  EXPECT_EQ(shortcuts["&Save"], QKeySequence(QKeySequence::Save));
  EXPECT_EQ(shortcuts["&Print..."], QKeySequence(QKeySequence::Print));

  // The bar and the panel share one set of letters, none of the menus' (Alt+F, T, H).
  std::set<QChar> letters;
  std::vector<QWidget*> marked;
  for (QWidget* root : std::initializer_list<QWidget*>{&window.connectionBar(), window.basicPanel()}) {
    for (QWidget* widget : root->findChildren<QWidget*>()) {
      QString text;
      if (auto* button = qobject_cast<QAbstractButton*>(widget)) text = button->text();
      if (auto* label = qobject_cast<QLabel*>(widget); label != nullptr && label->buddy() != nullptr) text = label->text();
      const qsizetype at = text.indexOf('&');
      if (at < 0 || at + 1 >= text.size()) continue;
      const QChar letter = text[at + 1].toLower();
      EXPECT_TRUE(letters.insert(letter).second) << "Alt+" << QString(letter).toStdString() << " twice";
      EXPECT_FALSE(QString("fth").contains(letter)) << text.toStdString();
    }
  }
  EXPECT_GE(letters.size(), 6u);  // Upload, Download, the panel's lists and buttons
}

TEST(Mnemonics, AWordsFirstFreeLetterIsMarkedAndAMarkedTextKeepsItsOwn) {
  QWidget root;
  auto* open = new QPushButton("Open", &root);
  auto* other = new QPushButton("Open", &root);
  auto* mine = new QPushButton("E&xit", &root);
  auto* amp = new QPushButton("R & D", &root);
  const QString used = AssignMnemonics(&root, "f");
  EXPECT_EQ(open->text(), "&Open");
  EXPECT_EQ(other->text(), "Open");  // no free first letter of a word: no mark inside one
  EXPECT_EQ(mine->text(), "E&xit");
  EXPECT_EQ(amp->text(), "&R && D");
  EXPECT_EQ(used, "oxr");
}

TEST(DesktopWindow, SizeAndPositionAreKeptInTheSettingsFile) {
  QTemporaryDir folder;
  const std::filesystem::path settings = folder.filePath("tunewright.ini").toStdString();
  QWidget first;
  first.setGeometry(40, 60, 900, 640);
  ShowAndWait(first);
  SaveWindowPlacement(first, settings);
  QWidget second;
  RestoreWindowPlacement(second, settings);
  EXPECT_EQ(second.size(), QSize(900, 640));
  // The placement sits beside the program's own settings and leaves them alone.
  std::ifstream in(settings);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_NE(text.find("[Window]"), std::string::npos);
}
