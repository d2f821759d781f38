#pragma once
// The cemetery viewer's real main window, started from a launch file the way
// the program starts it, on a test host so that no message box blocks.
#include "browser/FormGravelightMain.h"
#include "platform/forms/TestHost.h"

#include <QSize>
#include <QString>
#include <memory>
#include <string>

namespace bench {

class GravelightWindow {
 public:
  // Native paths: `programFolder` takes the viewer's remember.ini and error
  // log; `launchFile` is the viewer's command line. Builds the window from
  // its design; nothing is loaded yet.
  GravelightWindow(const std::string& programFolder, const std::string& launchFile);
  ~GravelightWindow();
  GravelightWindow(const GravelightWindow&) = delete;
  GravelightWindow& operator=(const GravelightWindow&) = delete;

  // Form_Load (the version, the select-all and the first record with its
  // picture), then the window itself.
  void Show();
  // A click on the Next or the Prev button.
  void MoveNext();
  void MovePrev();

  // The picture name of the record shown (the Pix1 box) and of its other
  // pictures (2 and 3).
  QString PictureName(int n = 1) const;
  // Whether the viewer loads a picture for that name (it skips short names).
  bool NamesPicture() const;
  // The pixel size of the picture shown.
  QSize ShownPictureSize() const;
  // The records of the selection, the database version label, and whether
  // the Next button can be clicked.
  int RecordsSelected() const;
  QString DatabaseVersion() const;
  bool CanMoveNext() const;
  // A std::runtime_error when the viewer showed a message (an error or a
  // missing file): the figures of such a run would not be the viewer's work.
  void RequireNoMessages(const char* when) const;

 private:
  forms::TestHost* host_;  // owned by the forms layer
  std::unique_ptr<browser::FormGravelightMain> window_;
};

}  // namespace bench
