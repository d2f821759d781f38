#pragma once
// A viewer's real main window (the cemetery viewer's or the obituary
// viewer's), started from a launch file the way the program starts it, on a
// test host so that no message box blocks.
#include "browser/FormGravelightMain.h"
#include "obituary/FRMMournlightMain.h"
#include "platform/forms/TestHost.h"

#include <QSize>
#include <QString>
#include <memory>
#include <string>

class QWidget;

namespace bench {

enum class Viewer { Gravelight, Mournlight };

class ViewerWindow {
 public:
  // Native paths: `programFolder` takes the viewer's remember.ini and error
  // log; `launchFile` is the viewer's command line. Builds the window from
  // its design; nothing is loaded yet.
  ViewerWindow(Viewer viewer, const std::string& programFolder, const std::string& launchFile);
  ~ViewerWindow();
  ViewerWindow(const ViewerWindow&) = delete;
  ViewerWindow& operator=(const ViewerWindow&) = delete;

  // Form_Load (the version, the select-all and the first record with its
  // picture), then the window itself; its paint is still pending.
  void Show();
  // A click on the Next button.
  void MoveNext();
  void MovePrev();
  // A click on the named command button, as code makes it.
  void Click(const QString& button);

  forms::Form& Form() const { return *form_; }
  forms::TestHost& Host() const { return *host_; }
  // The window's object name, which its widgets' window carries.
  QString Name() const;

  // The picture name of the record shown (the PicText1 box) and of its
  // other pictures (2 and 3).
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
  // A std::runtime_error when the picture shown is not of that pixel size
  // (the one on the CD); `where` tells when.
  void RequirePicture(QSize expected, const char* where) const;
  // A std::runtime_error when the viewer showed a message (an error or a
  // missing file): the figures of such a run would not be the viewer's work.
  void RequireNoMessages(const char* when) const;

 private:
  struct Names;
  static const Names& NamesOf(Viewer viewer);
  const Names& names_;
  forms::TestHost* host_;  // owned by the forms layer
  std::unique_ptr<browser::FormGravelightMain> gravelight_;
  std::unique_ptr<obituary::FRMMournlightMain> mournlight_;
  forms::Form* form_ = nullptr;
};

}  // namespace bench
