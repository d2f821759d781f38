#include "platform/forms/Form.h"

#include "platform/forms/Host.h"
#include "platform/forms/Menu.h"
#include "platform/forms/MouseArgs.h"
#include "platform/forms/Twips.h"

#include <QCloseEvent>
#include <QMenuBar>
#include <QMouseEvent>
#include <QWidget>
#include <algorithm>
#include <stdexcept>

namespace forms {

namespace {

constexpr int kCaptionPixels = 19;

}  // namespace

// ---- ControlsCollection ---------------------------------------------------------

Control& ControlsCollection::Item(int index) const {
  if (index < 0 || index >= Count()) vb::Raise(vb::err::SubscriptOutOfRange);
  return *items_[static_cast<size_t>(index)];
}

Control* ControlsCollection::Find(const QString& objectName) const {
  return byName_.value(objectName.toCaseFolded(), nullptr);
}

Control& ControlsCollection::Item(const QString& objectName) const {
  Control* control = Find(objectName);
  if (!control)
    vb::Raise(vb::err::ControlNotFound, QStringLiteral("Control '%1' not found").arg(objectName));
  return *control;
}

// ---- The window widgets -----------------------------------------------------------

// The top-level widget: tells the form what the user did to the window.
class Form::Window_ : public QWidget {
 public:
  explicit Window_(Form* form) : form_(form) {}
  void Detach() { form_ = nullptr; }

 protected:
  void resizeEvent(QResizeEvent* event) override {
    QWidget::resizeEvent(event);
    if (form_) form_->WindowResizedByUser();
  }
  void moveEvent(QMoveEvent* event) override {
    QWidget::moveEvent(event);
    if (form_) form_->WindowMovedByUser();
  }
  void changeEvent(QEvent* event) override {
    QWidget::changeEvent(event);
    if (form_ && event->type() == QEvent::WindowStateChange) form_->WindowStateChangedByUser();
  }
  void closeEvent(QCloseEvent* event) override {
    if (form_) form_->WindowClosedByUser();
    event->accept();
  }

 private:
  Form* form_;
};

// Mouse events over the window's own background.
class Form::ClientRelay : public QObject {
 public:
  explicit ClientRelay(Form& form) : form_(form) {}
  bool eventFilter(QObject* watched, QEvent* event) override {
    const bool move = event->type() == QEvent::MouseMove;
    const bool press = event->type() == QEvent::MouseButtonPress;
    if (!move && !press) return false;
    const MouseHandler& handler = move ? form_.OnMouseMove : form_.OnMouseDown;
    if (!handler) return false;
    auto* widget = static_cast<QWidget*>(watched);
    const MouseArgs args = ToMouseArgs(widget, widget, *static_cast<QMouseEvent*>(event), move);
    DispatchEvent([&] { handler(args.button, args.shift, args.x, args.y); });
    return false;
  }

 private:
  Form& form_;
};

// ---- Form -----------------------------------------------------------------------

Form::Form(const QString& name) : name_(name), clientRelay_(std::make_unique<ClientRelay>(*this)) {
  window_ = new Window_(this);
  window_->setObjectName(name);
  menuBar_ = new QMenuBar(window_);
  menuBar_->setNativeMenuBar(false);
  menuBar_->hide();
  client_ = new QWidget(window_);
  client_->setObjectName(name + QStringLiteral("_client"));
  client_->setMouseTracking(true);
  client_->installEventFilter(clientRelay_.get());
  // The platform's default window: 4800 x 3600 twips outside.
  KeepSize(4800, 3600);
  SizeChanged();
}

Form::~Form() {
  static_cast<Window_*>(window_)->Detach();
  while (!controls_.items_.empty()) controls_.items_.pop_back();
  delete window_;
}

void Form::Register(std::unique_ptr<Control> control) {
  if (controls_.Find(control->ObjectName()))
    throw std::logic_error("two controls named " + control->ObjectName().toStdString());
  controls_.byName_.insert(control->ObjectName().toCaseFolded(), control.get());
  controls_.items_.push_back(std::move(control));
}

Menu& Form::AddMenu(const QString& name, const QString& caption, Menu* parent, int index) {
  auto menu = std::make_unique<Menu>(*this, name, index, parent);
  Menu& ref = *menu;
  Register(std::move(menu));
  ref.SetCaption(caption);
  return ref;
}

QString Form::Caption() const { return window_->windowTitle(); }
void Form::SetCaption(const QString& caption) { window_->setWindowTitle(caption); }

// ---- Size and position ----------------------------------------------------------

int Form::BorderPixels() const {
  switch (borderStyle_) {
    case vbBSNone: return 0;
    case vbFixedSingle: return 1;
    case vbFixedDialog: return 3;
    default: return 4;
  }
}

int Form::NonClientWidthPixels() const { return 2 * BorderPixels(); }

int Form::NonClientHeightPixels() const {
  const int caption = borderStyle_ == vbBSNone ? 0 : kCaptionPixels;
  return caption + 2 * BorderPixels() + menuHeightPx_;
}

float Form::ScaleWidth() const { return PixelsToTwips(clientWidthPx_); }
float Form::ScaleHeight() const { return PixelsToTwips(clientHeightPx_); }

void Form::ResizeClient(int widthPx, int heightPx) {
  clientWidthPx_ = std::max(0, widthPx);
  clientHeightPx_ = std::max(0, heightPx);
  changingByCode_ = true;
  const QSize outer(clientWidthPx_, clientHeightPx_ + menuHeightPx_);
  if (borderStyle_ == vbFixedDialog)
    window_->setFixedSize(outer);
  else
    window_->resize(outer);
  changingByCode_ = false;
  LayOutClient();
  NoteSizeOrState(true);
}

void Form::LayOutClient() {
  menuBar_->setGeometry(0, 0, clientWidthPx_, menuHeightPx_);
  client_->setGeometry(0, menuHeightPx_, clientWidthPx_, clientHeightPx_);
}

void Form::SizeChanged() {
  ResizeClient(TwipsToPixels(Width()) - NonClientWidthPixels(),
               TwipsToPixels(Height()) - NonClientHeightPixels());
}

void Form::SetClientSize(float scaleWidth, float scaleHeight) {
  const int widthPx = TwipsToPixels(scaleWidth);
  const int heightPx = TwipsToPixels(scaleHeight);
  KeepSize(PixelsToTwips(widthPx + NonClientWidthPixels()),
           PixelsToTwips(heightPx + NonClientHeightPixels()));
  ResizeClient(widthPx, heightPx);
}

void Form::PositionChanged() {
  changingByCode_ = true;
  window_->move(TwipsToPixels(Left()), TwipsToPixels(Top()));
  changingByCode_ = false;
}

void Form::CenterOnScreen() {
  const float screenHeight = static_cast<float>(host().ScreenHeightTwips());
  const float screenWidth = static_cast<float>(host().ScreenWidthTwips());
  SetTop((screenHeight - Height()) / 2.0f);
  SetLeft((screenWidth - Width()) / 2.0f);
}

void Form::WindowResizedByUser() {
  if (changingByCode_) return;
  const int widthPx = window_->width();
  const int heightPx = std::max(0, window_->height() - menuHeightPx_);
  if (widthPx == clientWidthPx_ && heightPx == clientHeightPx_) return;
  clientWidthPx_ = widthPx;
  clientHeightPx_ = heightPx;
  const int outerWidthPx = widthPx + NonClientWidthPixels();
  const int outerHeightPx = heightPx + NonClientHeightPixels();
  KeepSize(TwipsToPixels(Width()) != outerWidthPx ? PixelsToTwips(outerWidthPx) : Width(),
           TwipsToPixels(Height()) != outerHeightPx ? PixelsToTwips(outerHeightPx) : Height());
  LayOutClient();
  NoteSizeOrState(false);
}

void Form::WindowMovedByUser() {
  if (changingByCode_) return;
  const QPoint at = window_->pos();
  KeepPosition(TwipsToPixels(Left()) != at.x() ? PixelsToTwips(at.x()) : Left(),
               TwipsToPixels(Top()) != at.y() ? PixelsToTwips(at.y()) : Top());
}

void Form::MenuBarChanged() {
  bool anyShown = false;
  for (QAction* action : menuBar_->actions()) anyShown = anyShown || action->isVisible();
  const int heightPx = anyShown ? menuBar_->sizeHint().height() : 0;
  menuBar_->setVisible(anyShown);
  if (heightPx == menuHeightPx_) return;
  // The inner size stays; the window grows or shrinks by the bar.
  menuHeightPx_ = heightPx;
  KeepSize(Width(), PixelsToTwips(clientHeightPx_ + NonClientHeightPixels()));
  ResizeClient(clientWidthPx_, clientHeightPx_);
}

// ---- Window state and border ------------------------------------------------------

int Form::WindowState() const {
  const Qt::WindowStates state = window_->windowState();
  if (state & Qt::WindowMinimized) return vbMinimized;
  if (state & (Qt::WindowMaximized | Qt::WindowFullScreen)) return vbMaximized;
  return vbNormal;
}

void Form::SetWindowState(int state) {
  Qt::WindowState qtState = Qt::WindowNoState;
  switch (state) {
    case vbNormal: break;
    case vbMinimized: qtState = Qt::WindowMinimized; break;
    case vbMaximized: qtState = Qt::WindowMaximized; break;
    default: vb::Raise(vb::err::InvalidPropertyValue);
  }
  changingByCode_ = true;
  window_->setWindowState(qtState);
  changingByCode_ = false;
  NoteSizeOrState(true);
}

void Form::WindowStateChangedByUser() {
  if (!changingByCode_) NoteSizeOrState(false);
}

void Form::SetBorderStyle(int style) {
  if (style < vbBSNone || style > vbFixedDialog) vb::Raise(vb::err::InvalidPropertyValue);
  borderStyle_ = style;
  Qt::WindowFlags flags = Qt::Window;
  if (style == vbFixedDialog)
    flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
            Qt::WindowCloseButtonHint;
  else if (style == vbBSNone)
    flags = Qt::Window | Qt::FramelessWindowHint;
  window_->setWindowFlags(flags);
  if (style != vbFixedDialog) {
    window_->setMinimumSize(0, 0);
    window_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  }
  // The inner size stays; the outer size follows the new border.
  KeepSize(PixelsToTwips(clientWidthPx_ + NonClientWidthPixels()),
           PixelsToTwips(clientHeightPx_ + NonClientHeightPixels()));
  ResizeClient(clientWidthPx_, clientHeightPx_);
}

void Form::SetFont(const QString& name, double sizePoints, bool bold) {
  QFont font(name);
  font.setPointSizeF(sizePoints);
  font.setBold(bold);
  client_->setFont(font);
}

// ---- Resize events ------------------------------------------------------------------

void Form::NoteSizeOrState(bool byCode) {
  if (!loaded_ || !reported_) return;
  const int state = WindowState();
  if (clientWidthPx_ == reportedWidthPx_ && clientHeightPx_ == reportedHeightPx_ &&
      state == reportedState_)
    return;
  RaiseResize(byCode);
}

void Form::RaiseResize(bool byCode) {
  reported_ = true;
  reportedWidthPx_ = clientWidthPx_;
  reportedHeightPx_ = clientHeightPx_;
  reportedState_ = WindowState();
  if (!OnResize) return;
  if (byCode)
    OnResize();
  else
    DispatchEvent(OnResize);
}

// ---- Life ---------------------------------------------------------------------------

void Form::Load() {
  if (loaded_) return;
  loaded_ = true;
  if (OnLoad) OnLoad();
}

void Form::Show() {
  Load();
  if (!loaded_) return;  // unloaded by its own Load
  if (!reported_) RaiseResize(true);
  if (window_->isVisible())
    window_->raise();  // shown again: to the front
  else
    window_->show();
}

void Form::ShowModal() {
  Load();
  if (!loaded_) return;
  if (!reported_) RaiseResize(true);
  host().ShowModal(*window_);
}

void Form::Hide() { window_->hide(); }

void Form::Unload() {
  if (!loaded_) return;
  if (OnUnload) OnUnload();
  loaded_ = false;
  reported_ = false;
  window_->hide();
}

void Form::WindowClosedByUser() {
  DispatchEvent([this] { Unload(); });
}

bool Form::Visible() const { return window_->isVisible(); }

// ---- Menus and focus ----------------------------------------------------------------

void Form::PopupMenu(Menu& menu) { PresentPopupMenu(menu); }

WindowControl* Form::ActiveControl() const {
  for (QWidget* w = window_->focusWidget(); w && w != window_; w = w->parentWidget())
    for (const auto& control : controls_.items_)
      if (auto* windowed = dynamic_cast<WindowControl*>(control.get());
          windowed && windowed->OwnsWidget(w))
        return windowed;
  return nullptr;
}

}  // namespace forms
