#include "bench/PaintWatch.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <chrono>
#include <stdexcept>

namespace bench {

namespace {

constexpr auto kPaintLimit = std::chrono::seconds(5);

}  // namespace

PaintWatch::PaintWatch(QString window, QStringList widgets)
    : window_(std::move(window)), widgets_(std::move(widgets)) {
  QApplication::instance()->installEventFilter(this);
}

PaintWatch::~PaintWatch() { QApplication::instance()->removeEventFilter(this); }

bool PaintWatch::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::Paint || !watched->isWidgetType()) return false;
  const auto* widget = static_cast<QWidget*>(watched);
  if (widgets_.contains(widget->objectName()) && widget->window()->objectName() == window_)
    painted_.insert(widget->objectName());
  return false;
}

void PaintWatch::WaitForPaint() {
  const auto start = std::chrono::steady_clock::now();
  while (painted_.size() < widgets_.size()) {
    if (std::chrono::steady_clock::now() - start > kPaintLimit)
      throw std::runtime_error("the window " + window_.toStdString() + " did not paint " +
                               widgets_.join(", ").toStdString());
    QApplication::processEvents(QEventLoop::AllEvents);
  }
}

void FinishPendingEvents() {
  QApplication::sendPostedEvents();
  QApplication::processEvents(QEventLoop::AllEvents);
}

}  // namespace bench
