#include "platform/forms/Containers.h"

#include "platform/forms/Host.h"
#include "platform/vb/VbError.h"

#include <QFrame>
#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>
#include <qdrawutil.h>
#include <QResizeEvent>
#include <QTabBar>

namespace forms {

namespace {
constexpr int kBorderPixels = 2;  // the platform's sunken 3-D border
}  // namespace

// ---- Frame --------------------------------------------------------------------------

// The frame as the platform draws it: an etched border whose top line runs
// through the middle of the caption, and the caption at the top left over
// that line, on the frame's background. Contained controls are placed from
// the outer top-left corner, over the caption as well.
class Frame::Box : public QWidget {
 public:
  explicit Box(Frame& owner) : owner_(owner) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    const QFontMetrics metrics(font());
    const int lineY = metrics.height() / 2;
    qDrawShadeRect(&painter, 0, lineY, width(), height() - lineY, palette(), true, 1, 0);
    if (owner_.caption_.isEmpty()) return;
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextShowMnemonic;
    const QRect text = metrics.boundingRect(kCaptionIndent, 0, width(), metrics.height(),
                                            flags, owner_.caption_);
    painter.fillRect(text.adjusted(-kCaptionPadding, 0, kCaptionPadding, 0), palette().window());
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(text, flags, owner_.caption_);
  }

 private:
  static constexpr int kCaptionIndent = 8;   // pixels from the left edge
  static constexpr int kCaptionPadding = 2;  // background beside the caption
  Frame& owner_;
};

Frame::Frame(Form& form, const QString& name, int index, WindowControl* container)
    : WindowControl(form, name, index, container), box_(new Box(*this)) {
  AdoptWidget(box_);
  SetCaption(name);
}

void Frame::SetCaption(const QString& caption) {
  caption_ = caption;
  box_->update();
}

QWidget* Frame::ClientWidget() const { return box_; }

// ---- PictureBox ---------------------------------------------------------------------

// The inside: holds the contained controls and shows the picture.
class PictureBox::Inside : public QWidget {
 public:
  Inside(PictureBox& owner, QWidget* parent) : QWidget(parent), owner_(owner) {}

 protected:
  void paintEvent(QPaintEvent* event) override {
    if (owner_.picture_.IsEmpty()) return;
    QPainter painter(this);
    owner_.picture_.Draw(painter, QPoint(0, 0), event->rect());
  }

 private:
  PictureBox& owner_;
};

// The border and background; the inside follows its size.
class PictureBox::Box : public QFrame {
 public:
  explicit Box(PictureBox& owner) : owner_(owner) {}

 protected:
  void resizeEvent(QResizeEvent* event) override {
    QFrame::resizeEvent(event);
    owner_.inside_->setGeometry(contentsRect());
  }

 private:
  PictureBox& owner_;
};

PictureBox::PictureBox(Form& form, const QString& name, int index, WindowControl* container)
    : WindowControl(form, name, index, container), box_(new Box(*this)) {
  inside_ = new Inside(*this, box_);
  AdoptWidget(box_);
  WatchWidget(inside_);
  SetBorderStyle(borderStyle_);
}

void PictureBox::SetPicture(const forms::Picture& picture) {
  picture_ = picture;
  inside_->update();
}

void PictureBox::SetBorderStyle(int style) {
  if (style != 0 && style != 1) vb::Raise(vb::err::InvalidPropertyValue);
  borderStyle_ = style;
  box_->setFrameStyle(style == 1 ? QFrame::Panel | QFrame::Sunken : QFrame::NoFrame);
  box_->setLineWidth(style == 1 ? kBorderPixels : 0);
  inside_->setGeometry(box_->contentsRect());
}

QWidget* PictureBox::ClientWidget() const { return inside_; }

// ---- TabControl ---------------------------------------------------------------------

// The tab row on top of a framed panel; the tab's controls lie over both.
class TabControl::Panel : public QWidget {
 public:
  Panel() : bar_(new QTabBar(this)), frame_(new QFrame(this)) {
    bar_->setDrawBase(false);
    bar_->setExpanding(false);
    frame_->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    frame_->lower();
  }
  QTabBar* Bar() const { return bar_; }
  QFrame* FrameWidget() const { return frame_; }
  void LayOut() {
    const int barHeight = bar_->sizeHint().height();
    bar_->setGeometry(0, 0, width(), barHeight);
    frame_->setGeometry(0, barHeight - 1, width(), std::max(0, height() - barHeight + 1));
  }

 protected:
  void resizeEvent(QResizeEvent* event) override {
    QWidget::resizeEvent(event);
    LayOut();
  }

 private:
  QTabBar* bar_;
  QFrame* frame_;
};

TabControl::TabControl(Form& form, const QString& name, int index, WindowControl* container)
    : WindowControl(form, name, index, container), panel_(new Panel), bar_(panel_->Bar()) {
  QObject::connect(bar_, &QTabBar::currentChanged, Context(), [this](int tab) {
    if (changing_ || tab < 0 || tab == tab_) return;
    const int previous = tab_;
    tab_ = tab;
    ShowSelectedTab();
    if (OnClick) DispatchEvent([this, previous] { OnClick(previous); });
  });
  AdoptWidget(panel_);
  WatchWidget(bar_);
  WatchWidget(panel_->FrameWidget());
  SetTabs(3);
}

int TabControl::Tabs() const { return bar_->count(); }

void TabControl::SetTabs(int count) {
  if (count < 1) vb::Raise(vb::err::InvalidPropertyValue);
  changing_ = true;
  while (bar_->count() > count) bar_->removeTab(bar_->count() - 1);
  while (bar_->count() < count) bar_->addTab(QStringLiteral("Tab %1").arg(bar_->count()));
  changing_ = false;
  if (tab_ >= count) SetTab(count - 1);
  panel_->LayOut();
}

void TabControl::CheckTab(int tab) const {
  if (tab < 0 || tab >= Tabs()) vb::Raise(vb::err::InvalidPropertyValue);
}

QString TabControl::TabCaption(int tab) const {
  CheckTab(tab);
  return bar_->tabText(tab);
}

void TabControl::SetTabCaption(int tab, const QString& caption) {
  CheckTab(tab);
  bar_->setTabText(tab, caption);
}

void TabControl::SetTab(int tab) {
  CheckTab(tab);
  if (tab == tab_) return;
  const int previous = tab_;
  tab_ = tab;
  changing_ = true;
  bar_->setCurrentIndex(tab);
  changing_ = false;
  ShowSelectedTab();
  if (OnClick) OnClick(previous);
}

void TabControl::PlaceOnTab(WindowControl& control, int tab) {
  CheckTab(tab);
  tabOf_[&control] = tab;
  ShowSelectedTab();
}

void TabControl::ContainedControlAdded(WindowControl& control) {
  tabOf_[&control] = 0;
  ShowSelectedTab();
}

void TabControl::ShowSelectedTab() {
  for (auto& [control, tab] : tabOf_) control->SetShownByContainer(tab == tab_);
}

QWidget* TabControl::ClientWidget() const { return panel_; }

}  // namespace forms
