#include "tests/support/window.h"

#include <QApplication>
#include <QListWidget>
#include <QTest>

#include "page/writer.h"
#include "ui/mainwindow.h"
#include "ui/toolkit_qt.h"
#include "workspace/workspace.h"

void WindowTest::SetUp() {
  int argc = 0;
  StartToolkit(argc, nullptr);
  ResetWorkspace();
  ResetCaptionSlots();
  AnswerDialogsWith(&answers);
  ASSERT_TRUE(BuildMainWindow());
  QWidget* w = WindowWidget(0);
  w->activateWindow();
  (void)QTest::qWaitForWindowActive(w, 1000);
  Event e;
  while (PollEvent(e)) {
  }
}

void WindowTest::TearDown() {
  StopToolkit();
  AnswerDialogsWith(nullptr);
}

void WindowTest::UseAlbumFolder(const std::string& folder) { Workspace.albumFolder = folder; }

void Click(int control) {
  QWidget* w = ControlWidget(control);
  ASSERT_NE(w, nullptr) << "no control " << control;
  QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, w->rect().center());
}

void ClickItem(int list, int row) {
  auto* l = qobject_cast<QListWidget*>(ControlWidget(list));
  ASSERT_NE(l, nullptr) << "no list view " << list;
  ASSERT_LT(row, l->count());
  QRect r = l->visualItemRect(l->item(row));
  if (!l->viewport()->rect().contains(r.center())) {
    l->scrollToItem(l->item(row));
    r = l->visualItemRect(l->item(row));
  }
  QTest::mouseClick(l->viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
}

void PressKey(int control, int qtKey) {
  QWidget* w = ControlWidget(control);
  ASSERT_NE(w, nullptr) << "no control " << control;
  QTest::keyClick(w, static_cast<Qt::Key>(qtKey));
}

void TypeText(int control, const std::string& text) {
  QWidget* w = ControlWidget(control);
  ASSERT_NE(w, nullptr) << "no control " << control;
  w->setFocus();
  QTest::keyClicks(w, ToQt(text));
}

bool Pump() { return RunPendingEvents(); }

std::vector<std::string> ListItems(int list) {
  std::vector<std::string> items;
  for (int i = 0, n = CountItems(list); i < n; i++) items.push_back(ItemText(list, i));
  return items;
}

std::vector<std::string> EntryNames(int list) {
  std::vector<std::string> names;
  for (const std::string& item : ListItems(list)) names.push_back(EntryFileName(item));
  return names;
}
