#include "platform/forms/Control.h"

#include "platform/forms/Form.h"
#include "platform/forms/Host.h"
#include "platform/forms/MouseArgs.h"
#include "platform/forms/Twips.h"
#include "platform/vb/VbError.h"

#include <QAbstractScrollArea>
#include <QMouseEvent>
#include <QObject>
#include <QPalette>
#include <QWidget>
#include <algorithm>
#include <stdexcept>

namespace forms {

namespace {

bool IsSystemColor(uint32_t color) { return (color & 0x80000000u) != 0; }

QColor ToQColor(uint32_t color) {
  return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                static_cast<int>((color >> 16) & 0xFF));
}

enum class Geometry { Left, Top, Width, Height, None };

Geometry GeometryProperty(const QString& property) {
  if (property.compare(u"Left", Qt::CaseInsensitive) == 0) return Geometry::Left;
  if (property.compare(u"Top", Qt::CaseInsensitive) == 0) return Geometry::Top;
  if (property.compare(u"Width", Qt::CaseInsensitive) == 0) return Geometry::Width;
  if (property.compare(u"Height", Qt::CaseInsensitive) == 0) return Geometry::Height;
  return Geometry::None;
}

}  // namespace

// ---- Control ------------------------------------------------------------------

Control::Control(Form& form, QString name, int index)
    : form_(form), name_(std::move(name)), index_(index) {}

Control::~Control() = default;

QString Control::ObjectName() const {
  return index_ < 0 ? name_ : name_ + u'(' + QString::number(index_) + u')';
}

vb::Variant Control::GetProperty(const QString&) const { RaiseNoSuchProperty(); }

void Control::SetProperty(const QString&, const vb::Variant&) { RaiseNoSuchProperty(); }

void Control::RaiseNoSuchProperty() { vb::Raise(vb::err::NoSuchProperty); }

// ---- WindowControl --------------------------------------------------------------

class WindowControl::Relay : public QObject {
 public:
  explicit Relay(WindowControl& owner) : owner_(owner) {}
  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* widget = qobject_cast<QWidget*>(watched);
    return widget && owner_.FilterEvent(widget, event);
  }

 private:
  WindowControl& owner_;
};

WindowControl::WindowControl(Form& form, QString name, int index, WindowControl* container)
    : Control(form, std::move(name), index),
      container_(container),
      relay_(std::make_unique<Relay>(*this)) {}

WindowControl::~WindowControl() = default;

QObject* WindowControl::Context() const { return relay_.get(); }

void WindowControl::AdoptWidget(QWidget* widget) {
  QWidget* parent = container_ ? container_->ClientWidget() : Parent().ClientWidget();
  if (!parent) throw std::logic_error(ObjectName().toStdString() + " placed in a non-container");
  QFont font;
  const bool keepFont = widget_ != nullptr;
  const bool first = widget_ == nullptr;
  if (widget_) {
    font = widget_->font();
    for (QWidget* w : watched_) w->removeEventFilter(relay_.get());
    delete widget_;
  }
  watched_.clear();
  widget_ = widget;
  widget_->setParent(parent);
  widget_->setObjectName(ObjectName());
  if (keepFont) widget_->setFont(font);
  WatchWidget(widget_);
  if (auto* area = qobject_cast<QAbstractScrollArea*>(widget_)) WatchWidget(area->viewport());
  widget_->setEnabled(enabled_);
  ApplyGeometry();
  ApplyColors();
  ApplyVisibility();
  if (first && container_) container_->ContainedControlAdded(*this);
}

void WindowControl::WatchWidget(QWidget* widget) {
  widget->setAttribute(Qt::WA_NoMousePropagation);
  widget->setMouseTracking(true);
  widget->installEventFilter(relay_.get());
  watched_.push_back(widget);
}

bool WindowControl::OwnsWidget(const QWidget* widget) const {
  return widget && std::find(watched_.begin(), watched_.end(), widget) != watched_.end();
}

void WindowControl::ApplyGeometry() {
  if (!widget_) return;
  widget_->setGeometry(TwipsToPixels(Left()), TwipsToPixels(Top()),
                       std::max(0, TwipsToPixels(Width())), std::max(0, TwipsToPixels(Height())));
}

void WindowControl::SetEnabled(bool enabled) {
  enabled_ = enabled;
  if (widget_) widget_->setEnabled(enabled);
}

void WindowControl::SetVisible(bool visible) {
  visible_ = visible;
  ApplyVisibility();
}

void WindowControl::SetShownByContainer(bool shown) {
  shownByContainer_ = shown;
  ApplyVisibility();
}

void WindowControl::ApplyVisibility() {
  if (widget_) widget_->setVisible(visible_ && shownByContainer_);
}

bool WindowControl::CanTakeFocus() const {
  for (const WindowControl* c = this; c; c = c->container_)
    if (!c->visible_ || !c->enabled_) return false;
  return Parent().Visible();
}

// A control without a widget cannot take the focus either.
void WindowControl::SetFocus() {
  if (!widget_ || !CanTakeFocus()) vb::Raise(vb::err::InvalidProcedureCall);
  widget_->setFocus(Qt::OtherFocusReason);
}

void WindowControl::Refresh() {
  if (widget_) widget_->repaint();
}

void WindowControl::SetFont(const QString& name, double sizePoints, bool bold) {
  QFont font(name);
  font.setPointSizeF(sizePoints);
  font.setBold(bold);
  if (widget_) widget_->setFont(font);
}

// Without a widget, the application's font.
QFont WindowControl::CurrentFont() const { return widget_ ? widget_->font() : QFont(); }
QString WindowControl::FontName() const { return CurrentFont().family(); }
double WindowControl::FontSize() const { return CurrentFont().pointSizeF(); }
bool WindowControl::FontBold() const { return CurrentFont().bold(); }

void WindowControl::SetBackColor(uint32_t color) {
  backColor_ = color;
  hasBackColor_ = !IsSystemColor(color);
  ApplyColors();
}

void WindowControl::SetForeColor(uint32_t color) {
  foreColor_ = color;
  hasForeColor_ = !IsSystemColor(color);
  ApplyColors();
}

void WindowControl::ApplyColors() {
  if (!widget_ || (!hasBackColor_ && !hasForeColor_)) return;
  QPalette palette = widget_->palette();
  if (hasBackColor_) {
    palette.setColor(QPalette::Window, ToQColor(backColor_));
    palette.setColor(QPalette::Base, ToQColor(backColor_));
    palette.setColor(QPalette::Button, ToQColor(backColor_));
    widget_->setAutoFillBackground(true);
  }
  if (hasForeColor_) {
    palette.setColor(QPalette::WindowText, ToQColor(foreColor_));
    palette.setColor(QPalette::Text, ToQColor(foreColor_));
    palette.setColor(QPalette::ButtonText, ToQColor(foreColor_));
  }
  widget_->setPalette(palette);
}

vb::Variant WindowControl::GetProperty(const QString& property) const {
  switch (GeometryProperty(property)) {
    case Geometry::Left: return vb::Variant(static_cast<double>(Left()));
    case Geometry::Top: return vb::Variant(static_cast<double>(Top()));
    case Geometry::Width: return vb::Variant(static_cast<double>(Width()));
    case Geometry::Height: return vb::Variant(static_cast<double>(Height()));
    case Geometry::None: break;
  }
  return Control::GetProperty(property);
}

void WindowControl::SetProperty(const QString& property, const vb::Variant& value) {
  const Geometry which = GeometryProperty(property);
  if (which == Geometry::None) return Control::SetProperty(property, value);
  const float single = ToSingle(value.ToDouble());
  switch (which) {
    case Geometry::Left: return SetLeft(single);
    case Geometry::Top: return SetTop(single);
    case Geometry::Width: return SetWidth(single);
    case Geometry::Height: return SetHeight(single);
    case Geometry::None: break;
  }
}

bool WindowControl::HandleWidgetEvent(QWidget*, QEvent*) { return false; }

bool WindowControl::FilterEvent(QWidget* watched, QEvent* event) {
  if (HandleWidgetEvent(watched, event)) return true;
  switch (event->type()) {
    case QEvent::MouseMove:
      RaiseMouse(OnMouseMove, watched, event, true);
      break;
    case QEvent::MouseButtonPress: {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() == Qt::LeftButton) leftPressed_ = true;
      inMouseDown_ = true;
      RaiseMouse(OnMouseDown, watched, event, false);
      inMouseDown_ = false;
      break;
    }
    case QEvent::MouseButtonRelease: {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      RaiseMouse(OnMouseUp, watched, event, false);
      const bool inside = watched->rect().contains(mouse->position().toPoint());
      if (mouse->button() == Qt::LeftButton && leftPressed_ && inside) UserClicked();
      if (mouse->button() == Qt::LeftButton) leftPressed_ = false;
      break;
    }
    case QEvent::MouseButtonDblClick:
      if (OnDblClick) DispatchEvent(OnDblClick);
      break;
    default:
      break;
  }
  return false;
}

void WindowControl::RaiseMouse(const MouseHandler& handler, QWidget* watched, QEvent* event,
                               bool isMove) {
  if (!handler) return;
  const MouseArgs args = ToMouseArgs(watched, widget_, *static_cast<QMouseEvent*>(event), isMove);
  DispatchEvent([&] { handler(args.button, args.shift, args.x, args.y); });
}

// ---- Mouse arguments ----------------------------------------------------------------

namespace {

int ButtonOf(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton: return vbLeftButton;
    case Qt::RightButton: return vbRightButton;
    case Qt::MiddleButton: return vbMiddleButton;
    default: return 0;
  }
}

int ButtonsOf(Qt::MouseButtons buttons) {
  int result = 0;
  if (buttons & Qt::LeftButton) result |= vbLeftButton;
  if (buttons & Qt::RightButton) result |= vbRightButton;
  if (buttons & Qt::MiddleButton) result |= vbMiddleButton;
  return result;
}

int ShiftOf(Qt::KeyboardModifiers modifiers) {
  int result = 0;
  if (modifiers & Qt::ShiftModifier) result |= vbShiftMask;
  if (modifiers & Qt::ControlModifier) result |= vbCtrlMask;
  if (modifiers & Qt::AltModifier) result |= vbAltMask;
  return result;
}

}  // namespace

MouseArgs ToMouseArgs(const QWidget* watched, const QWidget* target, const QMouseEvent& event,
                      bool isMove) {
  const QPoint at = watched->mapTo(target, event.position().toPoint());
  MouseArgs args;
  args.button = isMove ? ButtonsOf(event.buttons()) : ButtonOf(event.button());
  args.shift = ShiftOf(event.modifiers());
  args.x = PixelsToTwips(at.x());
  args.y = PixelsToTwips(at.y());
  return args;
}

}  // namespace forms
