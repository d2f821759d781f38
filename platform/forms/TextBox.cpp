#include "platform/forms/TextBox.h"

#include "platform/forms/Host.h"
#include "platform/forms/Twips.h"
#include "platform/vb/VbError.h"

#include <QEvent>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <algorithm>

namespace forms {

namespace {

bool IsLineBreakAt(const QString& text, qsizetype i) {
  return i + 1 < text.size() && text[i] == u'\r' && text[i + 1] == u'\n';
}

// The toolkit's single-line box drops its selection when it loses the
// focus (a multi-line box keeps it). A text box keeps its selection while
// it is unfocused, disabled or enabled again, and code relies on that: the
// edit menu disables and refocuses its box before it reads the selection.
class SelectionKeepingLineEdit : public QLineEdit {
 protected:
  void focusOutEvent(QFocusEvent* event) override {
    const int start = selectionStart();
    const int length = selectionLength();
    const bool caretAtStart = cursorPosition() == start;
    QLineEdit::focusOutEvent(event);
    if (start < 0 || hasSelectedText()) return;
    if (caretAtStart)
      setSelection(start + length, -length);
    else
      setSelection(start, length);
  }
};

}  // namespace

TextBox::TextBox(Form& form, const QString& name, int index, WindowControl* container)
    : WindowControl(form, name, index, container) {
  CreateWidget();
}

void TextBox::CreateWidget() {
  if (multiLine_) {
    lines_ = new QPlainTextEdit;
    line_ = nullptr;
    lines_->setVerticalScrollBarPolicy((scrollBars_ & vbVertical) ? Qt::ScrollBarAlwaysOn
                                                                  : Qt::ScrollBarAlwaysOff);
    lines_->setHorizontalScrollBarPolicy((scrollBars_ & vbHorizontal) ? Qt::ScrollBarAlwaysOn
                                                                      : Qt::ScrollBarAlwaysOff);
    lines_->setLineWrapMode((scrollBars_ & vbHorizontal) ? QPlainTextEdit::NoWrap
                                                         : QPlainTextEdit::WidgetWidth);
    lines_->setReadOnly(locked_);
    QObject::connect(lines_, &QPlainTextEdit::textChanged, Context(), [this] { TakeUserText(); });
    AdoptWidget(lines_);
  } else {
    line_ = new SelectionKeepingLineEdit;
    lines_ = nullptr;
    line_->setReadOnly(locked_);
    QObject::connect(line_, &QLineEdit::textChanged, Context(), [this] { TakeUserText(); });
    AdoptWidget(line_);
  }
  ShowText(0);
}

void TextBox::SetMultiLine(bool multiLine) {
  if (multiLine == multiLine_) return;
  multiLine_ = multiLine;
  CreateWidget();
}

void TextBox::SetScrollBars(int scrollBars) {
  if (scrollBars < vbSBNone || scrollBars > vbBoth) vb::Raise(vb::err::InvalidPropertyValue);
  scrollBars_ = scrollBars;
  if (multiLine_) CreateWidget();
}

void TextBox::SetLocked(bool locked) {
  locked_ = locked;
  if (line_) line_->setReadOnly(locked);
  if (lines_) lines_->setReadOnly(locked);
}

void TextBox::SetEnabled(bool enabled) {
  if (!enabled && InMouseDown()) suppressContextMenu_ = true;
  WindowControl::SetEnabled(enabled);
}

// ---- Text ---------------------------------------------------------------------

void TextBox::SetText(const QString& text) { ApplyText(text, 0); }

void TextBox::ApplyText(const QString& text, int caret) {
  if (text == text_) return;
  text_ = text;
  ShowText(caret);
  if (OnChange) OnChange();
}

void TextBox::ShowText(int caret) {
  showing_ = true;
  if (line_) line_->setText(text_);
  if (lines_) lines_->setPlainText(ToDisplayLineBreaks(text_));
  showing_ = false;
  SelectInWidget(ToWidgetPosition(caret), ToWidgetPosition(caret));
}

QString TextBox::WidgetText() const {
  if (line_) return line_->text();
  QString text = lines_->toPlainText();
  text.replace(u'\n', QStringLiteral("\r\n"));
  return text;
}

void TextBox::TakeUserText() {
  if (showing_) return;
  const QString text = WidgetText();
  if (text == text_) return;
  text_ = text;
  if (OnChange) DispatchEvent(OnChange);
}

// ---- Selection ------------------------------------------------------------------

int TextBox::ToWidgetPosition(int position) const {
  if (!lines_) return position;
  int widgetPosition = position;
  for (qsizetype i = 0; i + 1 < position && i + 1 < text_.size(); ++i)
    if (IsLineBreakAt(text_, i)) --widgetPosition;
  return widgetPosition;
}

int TextBox::ToTextPosition(int widgetPosition) const {
  if (!lines_) return widgetPosition;
  qsizetype position = 0;
  for (int shown = 0; shown < widgetPosition && position < text_.size(); ++shown)
    position += IsLineBreakAt(text_, position) ? 2 : 1;
  return static_cast<int>(position);
}

void TextBox::WidgetSelection(int& start, int& end) const {
  if (line_) {
    if (line_->hasSelectedText()) {
      start = line_->selectionStart();
      end = line_->selectionEnd();
    } else {
      start = end = line_->cursorPosition();
    }
    return;
  }
  const QTextCursor cursor = lines_->textCursor();
  start = cursor.selectionStart();
  end = cursor.selectionEnd();
}

void TextBox::SelectInWidget(int anchor, int position) {
  if (line_) {
    if (anchor == position)
      line_->setCursorPosition(position);
    else
      line_->setSelection(anchor, position - anchor);
    return;
  }
  QTextCursor cursor = lines_->textCursor();
  cursor.setPosition(anchor);
  cursor.setPosition(position, QTextCursor::KeepAnchor);
  lines_->setTextCursor(cursor);
}

int TextBox::SelStart() const {
  int start = 0, end = 0;
  WidgetSelection(start, end);
  return ToTextPosition(start);
}

int TextBox::SelLength() const {
  int start = 0, end = 0;
  WidgetSelection(start, end);
  return ToTextPosition(end) - ToTextPosition(start);
}

QString TextBox::SelText() const { return text_.mid(SelStart(), SelLength()); }

void TextBox::SetSelStart(int start) {
  if (start < 0) vb::Raise(vb::err::InvalidPropertyValue);
  const int position = ToWidgetPosition(std::min(start, static_cast<int>(text_.size())));
  SelectInWidget(position, position);
}

void TextBox::SetSelLength(int length) {
  if (length < 0) vb::Raise(vb::err::InvalidPropertyValue);
  const int start = SelStart();
  const int end = std::min(start + length, static_cast<int>(text_.size()));
  SelectInWidget(ToWidgetPosition(start), ToWidgetPosition(end));
}

void TextBox::SetSelText(const QString& text) {
  const int start = SelStart();
  const int length = SelLength();
  const QString replaced = text_.left(start) + text + text_.mid(start + length);
  const int caret = start + static_cast<int>(text.size());
  if (replaced == text_) {
    SetSelStart(caret);
    return;
  }
  ApplyText(replaced, caret);
}

// ---- Events -------------------------------------------------------------------------

bool TextBox::HandleWidgetEvent(QWidget*, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress) suppressContextMenu_ = false;
  if (event->type() == QEvent::ContextMenu && suppressContextMenu_) {
    suppressContextMenu_ = false;
    return true;
  }
  return false;
}

}  // namespace forms
