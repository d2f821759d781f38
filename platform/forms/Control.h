#pragma once
// The controls of a window. Every control has a name (and an index when it
// belongs to a control array) and belongs to one form. Controls that are
// windows of their own keep Left, Top, Width and Height in twips exactly as
// code set them; the Qt widget's pixel geometry is derived from them and is
// placed from the container's inside top-left corner.
//
// Event handlers are plain function slots. An event that comes from Qt's
// loop (the user) runs through forms::DispatchEvent; an event that code
// causes (setting a text, a value, a tab) runs at once, nested, before the
// setting statement returns.
#include "platform/forms/Placement.h"
#include "platform/vb/Variant.h"

#include <QFont>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QEvent;
class QObject;
class QWidget;

namespace forms {

class Form;

// Mouse buttons and shift keys as the event arguments number them.
constexpr int vbLeftButton = 1, vbRightButton = 2, vbMiddleButton = 4;
constexpr int vbShiftMask = 1, vbCtrlMask = 2, vbAltMask = 4;

// MouseDown / MouseUp / MouseMove (Button, Shift, X, Y); X and Y in twips
// from the control's own top-left corner.
using MouseHandler = std::function<void(int Button, int Shift, float X, float Y)>;

class Control {
 public:
  virtual ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  const QString& Name() const { return name_; }
  // The index in its control array; -1 for a control outside an array.
  int Index() const { return index_; }
  // "txtfields(3)" for an array member, else the name.
  QString ObjectName() const;
  Form& Parent() const { return form_; }

  // Properties reached by name at run time, names compared without regard
  // to case: "Left", "Top", "Width", "Height" where the control has them.
  // A property the control lacks raises error 438.
  virtual vb::Variant GetProperty(const QString& property) const;
  virtual void SetProperty(const QString& property, const vb::Variant& value);

 protected:
  Control(Form& form, QString name, int index);
  [[noreturn]] static void RaiseNoSuchProperty();

 private:
  Form& form_;
  QString name_;
  int index_;
};

class WindowControl : public Control, public Placement {
 public:
  ~WindowControl() override;

  bool Enabled() const { return enabled_; }
  virtual void SetEnabled(bool enabled);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);

  // Gives the control the focus; error 5 when it, a container or the form
  // cannot take it (hidden or disabled).
  void SetFocus();
  void Refresh();

  // Fonts and colours ("&H00BBGGRR" values) where a design gives them.
  void SetFont(const QString& name, double sizePoints, bool bold = false);
  QString FontName() const;
  double FontSize() const;
  bool FontBold() const;
  uint32_t BackColor() const { return backColor_; }
  void SetBackColor(uint32_t color);
  uint32_t ForeColor() const { return foreColor_; }
  void SetForeColor(uint32_t color);

  // The container the control is placed in; nullptr for the form itself.
  WindowControl* Container() const { return container_; }
  QWidget* Widget() const { return widget_; }
  // Where the widgets of contained controls go; nullptr when the control
  // holds no others.
  virtual QWidget* ClientWidget() const { return nullptr; }

  vb::Variant GetProperty(const QString& property) const override;
  void SetProperty(const QString& property, const vb::Variant& value) override;

  MouseHandler OnMouseDown;
  MouseHandler OnMouseUp;
  MouseHandler OnMouseMove;
  std::function<void()> OnDblClick;

  // True while this control's MouseDown runs for a press of the user.
  bool InMouseDown() const { return inMouseDown_; }
  // Whether the widget is shown while the control is Visible; the tab
  // control hides the controls of its other tabs this way.
  void SetShownByContainer(bool shown);
  // True when the widget, or the widget it belongs to, is this control's.
  bool OwnsWidget(const QWidget* widget) const;

 protected:
  WindowControl(Form& form, QString name, int index, WindowControl* container);
  // Takes the widget that shows the control (replacing an earlier one) and
  // places it in the container.
  void AdoptWidget(QWidget* widget);
  // Mouse events of an inner widget (a viewport, a tab bar) count as the
  // control's own.
  void WatchWidget(QWidget* widget);
  // A context object for signal connections: they end with the control.
  QObject* Context() const;
  // Called for every event of a watched widget before the default handling;
  // true swallows the event.
  virtual bool HandleWidgetEvent(QWidget* watched, QEvent* event);
  // A user's click with the left button (press and release on the control).
  virtual void UserClicked() {}
  // Told when a control is placed in this one.
  virtual void ContainedControlAdded(WindowControl&) {}
  void PositionChanged() override { ApplyGeometry(); }
  void SizeChanged() override { ApplyGeometry(); }

 private:
  class Relay;
  bool FilterEvent(QWidget* watched, QEvent* event);
  void RaiseMouse(const MouseHandler& handler, QWidget* watched, QEvent* event, bool isMove);
  void ApplyGeometry();
  void ApplyVisibility();
  void ApplyColors();
  bool CanTakeFocus() const;
  QFont CurrentFont() const;

  WindowControl* container_;
  QWidget* widget_ = nullptr;
  std::vector<QWidget*> watched_;
  std::unique_ptr<Relay> relay_;
  bool enabled_ = true;
  bool visible_ = true;
  bool shownByContainer_ = true;
  bool inMouseDown_ = false;
  bool leftPressed_ = false;
  bool hasBackColor_ = false, hasForeColor_ = false;
  uint32_t backColor_ = 0x8000000F, foreColor_ = 0x80000012;
};

}  // namespace forms
