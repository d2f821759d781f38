#pragma once
// The end of a figure that ends "on the screen": the paint of the window's
// picture views. A window's code only marks what changed; Qt paints it when
// the event loop next runs (the update request), drawing each picture view
// at its size (the scaling of a large picture happens there). A figure that
// stopped when the code returned would leave that work out.
//
// A watch counts the paint events of the named widgets of one window from
// its start, whenever they come: during the timed work itself (a
// synchronous repaint, a window's first show) or from the event loop, which
// WaitForPaint runs as the program's own loop would, just for the events
// already pending. So the time to the paint is the time a user waits, with
// no paint forced that the program would not do.
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>

namespace bench {

class PaintWatch : public QObject {
 public:
  // Watches the widgets whose object names are `widgets` in the window
  // whose object name is `window` (the window may not exist yet).
  PaintWatch(QString window, QStringList widgets);
  ~PaintWatch() override;

  // Runs the pending events until every watched widget has painted since
  // the watch started; a std::runtime_error when that does not happen
  // within a few seconds.
  void WaitForPaint();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QString window_;
  QStringList widgets_;
  QSet<QString> painted_;
};

// Runs the pending events (paints included) of the application, so that a
// timed step starts with nothing of the step before it left to do.
void FinishPendingEvents();

}  // namespace bench
