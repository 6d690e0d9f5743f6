#include "ui/toolkit.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSlider>
#include <QStringDecoder>
#include <deque>
#include <map>

#include "ui/toolkit_qt.h"
#include "workspace/workspace.h"

namespace {

enum Kind { Frame, Button, CheckBox, Option, Label, Field, Editor, ListView, PictureView, TrackBar };

struct ControlRecord {
  QPointer<QWidget> widget;
  int window = 0;
  Kind kind = Frame;
  int backColour = -1;
  PictureRef picture;
  // Text set that is not UTF-8 is shown as Latin-1; while it stands unedited, reading it
  // gives back the bytes that were set, so a file name keeps naming its file.
  std::string foreignBytes;
  QString foreignShown;
};

// A window posts a close request instead of closing; its controls live on `content`, so
// that disabling the window's input leaves a secondary window parented to it enabled.
class ToolWindow : public QWidget {
 public:
  ToolWindow(QWidget* parent, Qt::WindowFlags flags) : QWidget(parent, flags) {
    content = new QWidget(this);
  }
  QWidget* content;
  QPointer<QWidget> focusBeforeDisable;

 protected:
  void closeEvent(QCloseEvent* e) override {
    e->ignore();
    PostEvent({CloseRequest, -1});
  }
  void resizeEvent(QResizeEvent*) override { content->resize(size()); }
};

// Option buttons and check boxes take a click anywhere in their rectangle, not only on the
// indicator and caption.
template <class Button>
class WholeButton : public Button {
 public:
  using Button::Button;

 protected:
  bool hitButton(const QPoint& pos) const override { return this->rect().contains(pos); }
};

// The file chooser: the file need not exist, but its folder must; else it stays open.
class ChooserDialog : public QFileDialog {
 public:
  using QFileDialog::QFileDialog;

 protected:
  void accept() override {
    QStringList files = selectedFiles();
    if (!files.isEmpty() && !QFileInfo(files.first()).dir().exists()) return;
    QFileDialog::accept();
  }
};

bool takingFocus;  // the toolkit itself is taking a control's focus: no event for that

// Fields report gaining and losing the focus.
class FocusWatcher : public QObject {
 protected:
  bool eventFilter(QObject* o, QEvent* e) override {
    if ((e->type() == QEvent::FocusIn || e->type() == QEvent::FocusOut) && !takingFocus)
      PostEvent({ControlEvent, o->property("control").toInt()});
    return false;
  }
};

// A mouse click on a list item reports once, on release, not also when the press moves the
// selection; moves by keys report as they happen.
class ListClickWatcher : public QObject {
 protected:
  bool eventFilter(QObject* o, QEvent* e) override {
    auto* list = qobject_cast<QListWidget*>(o->parent());
    if (!list || (e->type() != QEvent::MouseButtonPress && e->type() != QEvent::MouseButtonRelease))
      return false;
    if (e->type() == QEvent::MouseButtonPress) {
      list->setProperty("pressing", true);
      list->setProperty("rowAtPress", list->currentRow());
    } else {
      list->setProperty("pressing", false);
      if (list->currentRow() != list->property("rowAtPress").toInt())
        PostEvent({ControlEvent, list->property("control").toInt()});
    }
    return false;
  }
};

ToolWindow* windows[2];
std::map<int, ControlRecord> controls;
QButtonGroup* optionGroup[2];
std::deque<Event> queue;
QFont fonts[3];
bool fontLoaded[3];
DialogAnswers* answers;
FocusWatcher* focusWatcher;
ListClickWatcher* listClickWatcher;

ControlRecord* Find(int control) {
  auto it = controls.find(control);
  if (it == controls.end() || !it->second.widget) return nullptr;
  return &it->second;
}

template <class W>
W* As(int control) {
  ControlRecord* r = Find(control);
  return r ? qobject_cast<W*>(r->widget.data()) : nullptr;
}

QColor ColourOf(int value) { return QColor(value & 255, (value >> 8) & 255, (value >> 16) & 255); }

// Modal choosers belong to the main window, so they show above it although it stays on top.
QWidget* DialogParent() { return windows[0]; }

void DestroyControl(int control) {
  auto it = controls.find(control);
  if (it == controls.end()) return;
  delete it->second.widget.data();
  controls.erase(it);
}

template <class W>
W* Place(int window, int control, Box box, Kind kind, W* widget) {
  DestroyControl(control);
  ToolWindow* w = windows[window];
  widget->setParent(w->content);
  widget->setGeometry(box.x, box.y, box.w, box.h);
  widget->setProperty("control", control);
  widget->show();
  ControlRecord r;
  r.widget = widget;
  r.window = window;
  r.kind = kind;
  controls[control] = r;
  return widget;
}

void Post(int control) { PostEvent({ControlEvent, control}); }


QImage ImageOf(const Picture& p) {
  QImage::Format f = p.channels == 4 ? QImage::Format_RGBA8888 : QImage::Format_RGB888;
  return QImage(p.pixels.data(), p.width, p.height, p.width * p.channels, f).copy();
}

}  // namespace

static bool IsUtf8(const std::string& text) {
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString decoded = utf8(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
  return !utf8.hasError();
}

QString ToQt(const std::string& text) {
  // Text that is not UTF-8 (pages from elsewhere) is taken as Latin-1 rather than mangled.
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString s = utf8(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
  if (utf8.hasError()) return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
  return s;
}

std::string FromQt(const QString& text) { return text.toUtf8().toStdString(); }

QWidget* WindowWidget(int window) { return (window == 0 || window == 1) ? windows[window] : nullptr; }

QWidget* ControlWidget(int control) {
  ControlRecord* r = Find(control);
  return r ? r->widget.data() : nullptr;
}

bool StartToolkit(int& argc, char** argv) {
  if (!qApp) new QApplication(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  // The window's layout is measured for a compact interface font.
  QApplication::setFont(QFont(QStringLiteral("Arial"), 8));
  if (!focusWatcher) focusWatcher = new FocusWatcher;
  if (!listClickWatcher) listClickWatcher = new ListClickWatcher;
  return true;
}

void StopToolkit() {
  CloseWindow(1);
  CloseWindow(0);
  queue.clear();
}

// ---- windows

bool OpenWindow(int window, Box box, const std::string& title, WindowStyle style) {
  if (window != 0 && window != 1) return false;
  CloseWindow(window);
  Qt::WindowFlags flags = Qt::CustomizeWindowHint | Qt::WindowTitleHint;
  QWidget* parent = nullptr;
  if (style == MainStyle) {
    flags |= Qt::Window | Qt::WindowCloseButtonHint;
  } else {
    flags |= Qt::Dialog;
    parent = windows[0];
  }
  ToolWindow* w = new ToolWindow(parent, flags);
  w->setWindowTitle(ToQt(title));
  w->resize(box.w, box.h);
  if (style == DialogStyle) {
    w->setFixedSize(box.w, box.h);
    QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    w->move(screen.center() - QPoint(box.w / 2, box.h / 2));
  } else {
    w->move(box.x, box.y);
  }
  w->content->resize(box.w, box.h);
  windows[window] = w;
  optionGroup[window] = nullptr;
  w->show();
  w->raise();
  w->activateWindow();
  return true;
}

void CloseWindow(int window) {
  if ((window != 0 && window != 1) || !windows[window]) return;
  for (auto it = controls.begin(); it != controls.end();) {
    if (it->second.window == window) it = controls.erase(it);
    else ++it;
  }
  if (window == 0 && windows[1]) CloseWindow(1);
  delete windows[window];
  windows[window] = nullptr;
  optionGroup[window] = nullptr;
  if (window == 1 && windows[0] && windows[0]->content->isEnabled()) {
    windows[0]->raise();
    windows[0]->activateWindow();
  }
}

void KeepWindowOnTop(int window) {
  ToolWindow* w = (window == 0 || window == 1) ? windows[window] : nullptr;
  if (!w) return;
  bool visible = w->isVisible();
  w->setWindowFlag(Qt::WindowStaysOnTopHint, true);
  if (visible) w->show();
}

void EnableWindow(int window, bool enable) {
  ToolWindow* w = (window == 0 || window == 1) ? windows[window] : nullptr;
  if (!w || w->content->isEnabled() == enable) return;
  if (!enable) {
    // Qt forgets the focus of a disabled window; remember it to give it back on enabling.
    w->focusBeforeDisable = w->focusWidget();
    w->content->setEnabled(false);
    return;
  }
  w->content->setEnabled(true);
  QWidget* back = w->focusBeforeDisable;
  w->focusBeforeDisable = nullptr;
  if (back && back->isEnabled() && back->window() == w) back->setFocus(Qt::ActiveWindowFocusReason);
}

bool WindowIsOpen(int window) { return WindowWidget(window) != nullptr; }

bool WindowIsEnabled(int window) {
  ToolWindow* w = (window == 0 || window == 1) ? windows[window] : nullptr;
  return w && w->content->isEnabled();
}

// ---- making controls

void MakeFrame(int window, int control, Box box, const std::string& caption) {
  if (!windows[window]) return;
  Place(window, control, box, Frame, new QGroupBox(ToQt(caption)))->lower();
}

void MakeButton(int window, int control, Box box, const std::string& caption) {
  if (!windows[window]) return;
  auto* b = Place(window, control, box, Button, new QPushButton(ToQt(caption)));
  b->setAutoDefault(false);
  QObject::connect(b, &QPushButton::clicked, [control] { Post(control); });
}

void MakeCheckBox(int window, int control, Box box, const std::string& caption) {
  if (!windows[window]) return;
  auto* c = Place(window, control, box, CheckBox, new WholeButton<QCheckBox>(ToQt(caption)));
  QObject::connect(c, &QCheckBox::clicked, [control] { Post(control); });
}

void MakeOption(int window, int control, Box box, const std::string& caption, bool startsGroup) {
  if (!windows[window]) return;
  auto* o = Place(window, control, box, Option, new WholeButton<QRadioButton>(ToQt(caption)));
  if (startsGroup || !optionGroup[window]) optionGroup[window] = new QButtonGroup(o->parent());
  optionGroup[window]->addButton(o);
  QObject::connect(o, &QRadioButton::clicked, [control] { Post(control); });
}

void MakeLabel(int window, int control, Box box, const std::string& text, bool sunken) {
  if (!windows[window]) return;
  auto* l = Place(window, control, box, Label, new QLabel(ToQt(text)));
  if (sunken) l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
}

void MakeField(int window, int control, Box box, const std::string& text, bool readOnly) {
  if (!windows[window]) return;
  auto* f = Place(window, control, box, Field, new QLineEdit(ToQt(text)));
  f->setReadOnly(readOnly);
  f->setCursorPosition(0);
  f->installEventFilter(focusWatcher);
  QObject::connect(f, &QLineEdit::textEdited, [control] { Post(control); });
}

void MakeEditor(int window, int control, Box box, const std::string& text) {
  if (!windows[window]) return;
  auto* e = Place(window, control, box, Editor, new QPlainTextEdit);
  e->setLineWrapMode(QPlainTextEdit::NoWrap);
  e->setTabChangesFocus(true);
  SetControlText(control, text);
}

void MakeListView(int window, int control, Box box) {
  if (!windows[window]) return;
  auto* l = Place(window, control, box, ListView, new QListWidget);
  l->setSelectionMode(QAbstractItemView::SingleSelection);
  l->viewport()->installEventFilter(listClickWatcher);
  QObject::connect(l, &QListWidget::currentRowChanged, [l, control] {
    if (!l->property("pressing").toBool()) Post(control);
  });
  QObject::connect(l, &QListWidget::clicked, [control] { Post(control); });
  QObject::connect(l, &QListWidget::doubleClicked, [control] { Post(control); });
}

void MakePictureView(int window, int control, Box box) {
  if (!windows[window]) return;
  auto* v = Place(window, control, box, PictureView, new QLabel);
  v->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  v->setLineWidth(2);
  v->setAlignment(Qt::AlignCenter);
}

void MakeTrackBar(int window, int control, Box box, int minimum, int maximum) {
  if (!windows[window]) return;
  auto* t = Place(window, control, box, TrackBar, new QSlider(Qt::Horizontal));
  t->setRange(minimum, maximum);
  t->setTracking(true);
  QObject::connect(t, &QSlider::valueChanged, [control] { Post(control); });
}

// ---- fonts and enabling

void LoadFont(int font, const std::string& face, int points) {
  if (font < 1 || font > 2) return;
  QFont f(ToQt(face), points);
  if (!QFontDatabase::families().contains(ToQt(face), Qt::CaseInsensitive) && font == 1) {
    // No such face here: the system's fixed-pitch font keeps captions in columns.
    f = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    f.setPointSize(points);
  }
  f.setWeight(QFont::Normal);
  fonts[font] = f;
  fontLoaded[font] = true;
}

void SetControlFont(int control, int font) {
  ControlRecord* r = Find(control);
  if (!r || font < 1 || font > 2 || !fontLoaded[font]) return;
  r->widget->setFont(fonts[font]);
}

void EnableControl(int control, bool enable) {
  ControlRecord* r = Find(control);
  if (!r) return;
  // Qt would pass the focus on to the next control, which may post an event of its own.
  if (!enable && r->widget->hasFocus()) {
    takingFocus = true;
    r->widget->clearFocus();
    takingFocus = false;
  }
  r->widget->setEnabled(enable);
}

bool ControlIsEnabled(int control) {
  ControlRecord* r = Find(control);
  return r && r->widget->isEnabled();
}

bool ControlExists(int control) { return Find(control) != nullptr; }

// ---- state and text; nothing set here posts an event

int ControlState(int control) {
  ControlRecord* r = Find(control);
  if (!r) return 0;
  switch (r->kind) {
    case CheckBox:
    case Option:
      return static_cast<QAbstractButton*>(r->widget.data())->isChecked() ? 1 : 0;
    case ListView: {
      auto* l = static_cast<QListWidget*>(r->widget.data());
      QList<QListWidgetItem*> sel = l->selectedItems();
      return sel.isEmpty() ? -1 : l->row(sel.first());
    }
    case TrackBar:
      return static_cast<QSlider*>(r->widget.data())->value();
    default:
      return 0;
  }
}

static void SelectRow(QListWidget* l, int row) {
  if (row < 0 || row >= l->count()) {
    l->clearSelection();
    l->setCurrentRow(-1);
  } else {
    l->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
  }
}

void SetControlState(int control, int state) {
  ControlRecord* r = Find(control);
  if (!r) return;
  QSignalBlocker quiet(r->widget.data());
  switch (r->kind) {
    case CheckBox:
      static_cast<QCheckBox*>(r->widget.data())->setChecked(state != 0);
      break;
    case Option: {
      auto* o = static_cast<QRadioButton*>(r->widget.data());
      QButtonGroup* g = o->group();
      // An exclusive group refuses to clear its checked button.
      if (g && state == 0) g->setExclusive(false);
      o->setChecked(state != 0);
      if (g) g->setExclusive(true);
      break;
    }
    case ListView:
      SelectRow(static_cast<QListWidget*>(r->widget.data()), state);
      break;
    case TrackBar:
      static_cast<QSlider*>(r->widget.data())->setValue(state);
      break;
    default:
      break;
  }
}

static QString ShownText(const ControlRecord* r) {
  QWidget* w = r->widget.data();
  switch (r->kind) {
    case Frame: return static_cast<QGroupBox*>(w)->title();
    case Button:
    case CheckBox:
    case Option: return static_cast<QAbstractButton*>(w)->text();
    case Label: return static_cast<QLabel*>(w)->text();
    case Field: return static_cast<QLineEdit*>(w)->text();
    case Editor: {
      QString t = static_cast<QPlainTextEdit*>(w)->toPlainText();
      t.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
      return t;
    }
    default: return QString();
  }
}

std::string ControlText(int control) {
  ControlRecord* r = Find(control);
  if (!r) return "";
  if (r->kind == ListView) return ItemText(control, ControlState(control));
  QString shown = ShownText(r);
  if (!r->foreignBytes.empty() && shown == r->foreignShown) return r->foreignBytes;
  return FromQt(shown);
}

void SetControlText(int control, const std::string& text) {
  ControlRecord* r = Find(control);
  if (!r) return;
  QWidget* w = r->widget.data();
  QSignalBlocker quiet(w);
  switch (r->kind) {
    case Frame: static_cast<QGroupBox*>(w)->setTitle(ToQt(text)); break;
    case Button:
    case CheckBox:
    case Option: static_cast<QAbstractButton*>(w)->setText(ToQt(text)); break;
    case Label: static_cast<QLabel*>(w)->setText(ToQt(text)); break;
    case Field:
      static_cast<QLineEdit*>(w)->setText(ToQt(text));
      static_cast<QLineEdit*>(w)->setCursorPosition(0);
      break;
    case Editor: {
      QString t = ToQt(text);
      t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
      t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
      static_cast<QPlainTextEdit*>(w)->setPlainText(t);
      break;
    }
    case ListView: {
      int row = -1;
      for (int i = 0, n = CountItems(control); i < n && row < 0; i++)
        if (SameIgnoringCase(ItemText(control, i), text)) row = i;
      SelectRow(static_cast<QListWidget*>(w), row);
      break;
    }
    default: break;
  }
  r->foreignBytes = IsUtf8(text) ? std::string() : text;
  r->foreignShown = r->foreignBytes.empty() ? QString() : ShownText(r);
}

int BackColour(int control) {
  ControlRecord* r = Find(control);
  return r ? r->backColour : -1;
}

void SetBackColour(int control, int colourValue) {
  ControlRecord* r = Find(control);
  if (!r) return;
  r->backColour = colourValue;
  QPalette p = r->widget->palette();
  p.setColor(QPalette::Base, ColourOf(colourValue));
  p.setColor(QPalette::Window, ColourOf(colourValue));
  r->widget->setPalette(p);
  r->widget->setAutoFillBackground(true);
}

// ---- list views

void AddItem(int control, int index, const std::string& text) {
  auto* l = As<QListWidget>(control);
  if (!l) return;
  QSignalBlocker quiet(l);
  if (index < 0 || index > l->count()) index = l->count();
  auto* item = new QListWidgetItem(ToQt(text));
  item->setData(Qt::UserRole, QByteArray(text.data(), static_cast<qsizetype>(text.size())));
  l->insertItem(index, item);
}

void RemoveItem(int control, int index) {
  auto* l = As<QListWidget>(control);
  if (!l || index < 0 || index >= l->count()) return;
  QSignalBlocker quiet(l);
  delete l->takeItem(index);
}

void ClearItems(int control) {
  auto* l = As<QListWidget>(control);
  if (!l) return;
  QSignalBlocker quiet(l);
  l->clear();
}

int CountItems(int control) {
  auto* l = As<QListWidget>(control);
  return l ? l->count() : 0;
}

std::string ItemText(int control, int index) {
  auto* l = As<QListWidget>(control);
  if (!l || index < 0 || index >= l->count()) return "";
  // Items hold the bytes they were given, whatever their encoding.
  return l->item(index)->data(Qt::UserRole).toByteArray().toStdString();
}

// ---- picture views

void ShowPicture(int control, PictureRef picture) {
  ControlRecord* r = Find(control);
  if (!r || r->kind != PictureView) return;
  auto* v = static_cast<QLabel*>(r->widget.data());
  r->picture = picture;
  if (!picture || picture->width <= 0 || picture->height <= 0) {
    v->clear();
  } else {
    v->setPixmap(QPixmap::fromImage(ImageOf(*picture)));
    v->resize(picture->width + 4, picture->height + 4);
  }
  v->repaint();  // a long Process run shows every picture as it is written
}

PictureRef ShownPicture(int control) {
  ControlRecord* r = Find(control);
  return r ? r->picture : nullptr;
}

// ---- events

void PostEvent(Event event) {
  if (!queue.empty() && queue.back() == event) return;
  queue.push_back(event);
}

bool PollEvent(Event& event) {
  QApplication::processEvents();
  if (queue.empty()) return false;
  event = queue.front();
  queue.pop_front();
  return true;
}

Event WaitEvent() {
  while (queue.empty()) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
  Event e = queue.front();
  queue.pop_front();
  return e;
}

// ---- modal choosers

void AnswerDialogsWith(DialogAnswers* a) { answers = a; }

void ShowMessage(const std::string& text) {
  if (answers) {
    answers->messages.push_back(text);
    return;
  }
  QMessageBox box(QMessageBox::NoIcon, QString(), ToQt(text), QMessageBox::Ok, DialogParent());
  box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
  box.exec();
}

std::string ChooseFile(const std::string& title, const std::string& startFolder,
                       const std::string& filterLabel, const std::string& patterns) {
  if (answers) return answers->file ? answers->file(title) : "";
  QStringList globs = ToQt(patterns).split(QLatin1Char(';'), Qt::SkipEmptyParts);
  QString filter = ToQt(filterLabel) + QLatin1String(" (") + globs.join(QLatin1Char(' ')) +
                   QLatin1Char(')');
  ChooserDialog dialog(DialogParent(), ToQt(title), ToQt(startFolder), filter);
  dialog.setWindowFlag(Qt::WindowStaysOnTopHint, true);
  dialog.setOption(QFileDialog::DontUseNativeDialog, true);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFilter(dialog.filter() & ~QDir::CaseSensitive);
  dialog.setOption(QFileDialog::HideNameFilterDetails, true);  // the label alone, as given
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return "";
  return FromQt(dialog.selectedFiles().first());
}

static FontChoice ChoiceOf(const FontAnswer& a) {
  FontChoice choice;
  if (!a.chosen) return choice;
  choice.chosen = true;
  choice.face = a.face;
  // Whole points, the tenths dropped: 10.5 points is 10.
  choice.points = static_cast<int>(a.points * 10 + 1e-6) / 10;
  if (a.weight == 700) choice.styleBits |= 256;
  if (a.italic) choice.styleBits |= 512;
  return choice;
}

FontChoice ChooseFont(const std::string& face, int points) {
  if (answers) return ChoiceOf(answers->font ? answers->font(face, points) : FontAnswer{});
  // A face the system only knows by a substitute ("Arial" as Liberation Sans) starts the
  // chooser at that substitute, and comes back under its own name if it is kept.
  QString asked = ToQt(face);
  QString shown = asked;
  if (!QFontDatabase::families().contains(asked, Qt::CaseInsensitive))
    shown = QFontInfo(QFont(asked)).family();
  QFont start;
  start.setFamily(shown);
  if (points > 0) start.setPointSize(points);
  start.setWeight(QFont::Normal);
  start.setItalic(false);
  QFontDialog dialog(start, DialogParent());
  dialog.setWindowFlag(Qt::WindowStaysOnTopHint, true);
  dialog.setOption(QFontDialog::DontUseNativeDialog, true);
  // No effects: the tool has no use for strikeout or underline.
  for (QGroupBox* box : dialog.findChildren<QGroupBox*>())
    if (!box->findChildren<QCheckBox*>().isEmpty()) box->hide();
  FontAnswer answer;
  if (dialog.exec() == QDialog::Accepted) {
    QFont f = dialog.selectedFont();
    QString family = f.family() == shown ? asked : f.family();
    answer = {true, FromQt(family), f.pointSizeF(), f.weight(), f.italic()};
  }
  return ChoiceOf(answer);
}
