#pragma once
// A text box, single-line or multi-line. The text is kept exactly as set
// (line breaks CR LF); a multi-line box shows CR LF as line breaks, and
// SelStart / SelLength count in the kept text.
//
// OnChange runs whenever the text really changes: at once, nested, when code
// sets Text or SelText to a different value; through DispatchEvent when the
// user edits. Setting the same text again runs nothing.
#include "platform/forms/Control.h"

class QLineEdit;
class QPlainTextEdit;

namespace forms {

constexpr int vbSBNone = 0, vbHorizontal = 1, vbVertical = 2, vbBoth = 3;

class TextBox : public WindowControl {
 public:
  TextBox(Form& form, const QString& name, int index, WindowControl* container);

  const QString& Text() const { return text_; }
  void SetText(const QString& text);

  bool MultiLine() const { return multiLine_; }
  // Design time: a multi-line box shows several lines.
  void SetMultiLine(bool multiLine);
  int ScrollBars() const { return scrollBars_; }
  void SetScrollBars(int scrollBars);
  bool Locked() const { return locked_; }
  void SetLocked(bool locked);

  // The selection; error 380 for a negative value, larger values are cut
  // to the text.
  int SelStart() const;
  void SetSelStart(int start);
  int SelLength() const;
  void SetSelLength(int length);
  QString SelText() const;
  // Replaces the selection (or inserts at the caret); the caret then stands
  // after the new text.
  void SetSelText(const QString& text);

  // Disabling the box while its MouseDown runs also cancels its built-in
  // context menu for that click, as on the platform.
  void SetEnabled(bool enabled) override;

  std::function<void()> OnChange;

 protected:
  bool HandleWidgetEvent(QWidget* watched, QEvent* event) override;

 private:
  void CreateWidget();
  void ApplyText(const QString& text, int caret);
  void ShowText(int caret);
  void TakeUserText();
  QString WidgetText() const;
  int ToWidgetPosition(int position) const;
  int ToTextPosition(int widgetPosition) const;
  void WidgetSelection(int& start, int& end) const;
  void SelectInWidget(int anchor, int position);

  QLineEdit* line_ = nullptr;
  QPlainTextEdit* lines_ = nullptr;
  QString text_;
  bool multiLine_ = false;
  int scrollBars_ = vbSBNone;
  bool locked_ = false;
  bool showing_ = false;
  bool suppressContextMenu_ = false;
};

}  // namespace forms
