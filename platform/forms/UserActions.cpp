#include "platform/forms/UserActions.h"

#include "platform/forms/Containers.h"
#include "platform/forms/Form.h"
#include "platform/forms/Menu.h"
#include "platform/forms/TextBox.h"
#include "platform/forms/Twips.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTabBar>

namespace forms::user {

namespace {

Qt::MouseButton QtButton(int button) {
  switch (button) {
    case vbLeftButton: return Qt::LeftButton;
    case vbRightButton: return Qt::RightButton;
    case vbMiddleButton: return Qt::MiddleButton;
    default: return Qt::NoButton;
  }
}

Qt::MouseButtons QtButtons(int buttons) {
  Qt::MouseButtons result;
  if (buttons & vbLeftButton) result |= Qt::LeftButton;
  if (buttons & vbRightButton) result |= Qt::RightButton;
  if (buttons & vbMiddleButton) result |= Qt::MiddleButton;
  return result;
}

Qt::KeyboardModifiers QtModifiers(int shift) {
  Qt::KeyboardModifiers result;
  if (shift & vbShiftMask) result |= Qt::ShiftModifier;
  if (shift & vbCtrlMask) result |= Qt::ControlModifier;
  if (shift & vbAltMask) result |= Qt::AltModifier;
  return result;
}

// The widget that receives the mouse: a scroll area's viewport, else the
// control's own widget.
QWidget* MouseTarget(QWidget* widget) {
  if (auto* area = qobject_cast<QAbstractScrollArea*>(widget)) return area->viewport();
  return widget;
}

void Send(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButton button,
          Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
  QWidget* target = MouseTarget(widget);
  const QPointF local = target->mapFrom(widget, at);
  QMouseEvent event(type, local, target->mapTo(target->window(), local.toPoint()),
                    target->mapToGlobal(local.toPoint()), button, buttons, modifiers);
  QApplication::sendEvent(target, &event);
}

QPoint Pixels(float x, float y) { return QPoint(TwipsToPixels(x), TwipsToPixels(y)); }

QPoint Centre(const WindowControl& control) { return control.Widget()->rect().center(); }

}  // namespace

void Click(WindowControl& control) {
  if (auto* button = qobject_cast<QAbstractButton*>(control.Widget())) return button->click();
  const QPoint at = Centre(control);
  Send(control.Widget(), QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton, {});
  Send(control.Widget(), QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton, {});
}

void DoubleClick(WindowControl& control) {
  const QPoint at = Centre(control);
  Send(control.Widget(), QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton, {});
  Send(control.Widget(), QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton, {});
  Send(control.Widget(), QEvent::MouseButtonDblClick, at, Qt::LeftButton, Qt::LeftButton, {});
  Send(control.Widget(), QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton, {});
}

void MouseMove(WindowControl& control, float x, float y, int button, int shift) {
  Send(control.Widget(), QEvent::MouseMove, Pixels(x, y), Qt::NoButton, QtButtons(button),
       QtModifiers(shift));
}

void MouseDown(WindowControl& control, int button, float x, float y, int shift) {
  Send(control.Widget(), QEvent::MouseButtonPress, Pixels(x, y), QtButton(button),
       QtButtons(button), QtModifiers(shift));
}

void MouseUp(WindowControl& control, int button, float x, float y, int shift) {
  Send(control.Widget(), QEvent::MouseButtonRelease, Pixels(x, y), QtButton(button),
       Qt::NoButton, QtModifiers(shift));
}

void MouseMove(Form& form, float x, float y, int button, int shift) {
  Send(form.ClientWidget(), QEvent::MouseMove, Pixels(x, y), Qt::NoButton, QtButtons(button),
       QtModifiers(shift));
}

void Type(TextBox& box, const QString& text) {
  QString typed = text;
  if (box.MultiLine()) typed.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  for (QChar ch : typed) {
    if (auto* line = qobject_cast<QLineEdit*>(box.Widget()))
      line->insert(QString(ch));
    else if (auto* lines = qobject_cast<QPlainTextEdit*>(box.Widget()))
      lines->insertPlainText(QString(ch));
  }
}

void Backspace(TextBox& box) {
  if (auto* line = qobject_cast<QLineEdit*>(box.Widget())) return line->backspace();
  if (auto* lines = qobject_cast<QPlainTextEdit*>(box.Widget())) {
    QTextCursor cursor = lines->textCursor();
    cursor.deletePreviousChar();
    lines->setTextCursor(cursor);
  }
}

void SelectTab(TabControl& tabs, int tab) { tabs.TabBar()->setCurrentIndex(tab); }

void Choose(Menu& item) { item.Action()->trigger(); }

void Close(Form& form) { form.Window()->close(); }

void Resize(Form& form, float scaleWidth, float scaleHeight) {
  const int menuHeight = form.MenuBar()->isVisibleTo(form.Window()) ? form.MenuBar()->height() : 0;
  const QSize size(TwipsToPixels(scaleWidth), TwipsToPixels(scaleHeight) + menuHeight);
  QWidget* window = form.Window();
  const QSize old = window->size();
  window->resize(size);
  if (!window->isVisible()) {
    // A hidden window hears of its new size only when shown; the user's
    // drag always reports it at once.
    QResizeEvent event(size, old);
    QApplication::sendEvent(window, &event);
  }
  QApplication::processEvents();
}

void SetWindowState(Form& form, int state) {
  const Qt::WindowState qtState = state == vbMinimized   ? Qt::WindowMinimized
                                  : state == vbMaximized ? Qt::WindowMaximized
                                                         : Qt::WindowNoState;
  form.Window()->setWindowState(qtState);
  QApplication::processEvents();
}

}  // namespace forms::user
