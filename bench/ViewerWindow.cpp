#include "bench/ViewerWindow.h"

#include "apps/gravelight/GravelightIdentity.h"
#include "apps/gravelight/GravelightMainLayout.h"
#include "apps/mournlight/MournlightIdentity.h"
#include "apps/mournlight/MournlightMainLayout.h"
#include "platform/vb/VbError.h"
#include "platform/win/Win.h"

#include <stdexcept>

namespace bench {

namespace {

QString WindowsForm(const std::string& nativePath) {
  return win::ToWindowsPath(QString::fromStdString(nativePath));
}

// The shortest picture name the viewers load.
constexpr int kShortestPictureName = 5;

std::string Describe(QSize size) {
  return std::to_string(size.width()) + " x " + std::to_string(size.height());
}

}  // namespace

// The controls that differ between the two windows.
struct ViewerWindow::Names {
  QString next;
  QString prev;
  QString recordsSelected;
};

const ViewerWindow::Names& ViewerWindow::NamesOf(Viewer viewer) {
  static const ViewerWindow::Names gravelight{"CMD_MoveNext", "CMD_MovePrev",
                                              "LBL_RecordsSelected"};
  static const ViewerWindow::Names mournlight{"Command4", "Command3", "Label17"};
  return viewer == Viewer::Gravelight ? gravelight : mournlight;
}

ViewerWindow::ViewerWindow(Viewer viewer, const std::string& programFolder,
                           const std::string& launchFile)
    : names_(NamesOf(viewer)), host_(new forms::TestHost) {
  forms::SetHost(std::unique_ptr<forms::Host>(host_));
  win::SetAppPathForTesting(WindowsForm(programFolder));
  win::SetCommandLineForTesting(WindowsForm(launchFile));
  if (viewer == Viewer::Gravelight) {
    gravelight::SetProgramIdentity();
    gravelight_ = std::make_unique<browser::FormGravelightMain>(
        gravelight::FormGravelightMainLayout());
    form_ = &gravelight_->Form();
  } else {
    mournlight::SetProgramIdentity();
    mournlight_ = std::make_unique<obituary::FRMMournlightMain>(
        mournlight::FRMMournlightMainLayout());
    form_ = &mournlight_->Form();
  }
}

ViewerWindow::~ViewerWindow() {
  try {
    form_->Unload();
  } catch (...) {
  }
  gravelight_.reset();
  mournlight_.reset();
  forms::SetHost(nullptr);
}

void ViewerWindow::Show() {
  try {
    form_->Show();
  } catch (const vb::ProgramEnded&) {
    throw std::runtime_error("the viewer ended while loading");
  }
}

void ViewerWindow::MoveNext() { Click(names_.next); }

void ViewerWindow::MovePrev() { Click(names_.prev); }

void ViewerWindow::Click(const QString& button) {
  try {
    form_->Get<forms::CommandButton>(button).Click();
  } catch (const vb::ProgramEnded&) {
    throw std::runtime_error("the viewer ended on a click of " + button.toStdString());
  }
}

QString ViewerWindow::Name() const { return form_->Window()->objectName(); }

QString ViewerWindow::PictureName(int n) const {
  return form_->Get<forms::TextBox>("PicText" + QString::number(n)).Text();
}

bool ViewerWindow::NamesPicture() const {
  return PictureName().length() >= kShortestPictureName;
}

QSize ViewerWindow::ShownPictureSize() const {
  const forms::Picture& picture = form_->Get<forms::Image>("Image1").Picture();
  return {picture.WidthPixels(), picture.HeightPixels()};
}

int ViewerWindow::RecordsSelected() const {
  return form_->Get<forms::Label>(names_.recordsSelected).Caption().toInt();
}

QString ViewerWindow::DatabaseVersion() const {
  return form_->Get<forms::Label>("dbVersionLabel").Caption();
}

bool ViewerWindow::CanMoveNext() const {
  return form_->Get<forms::CommandButton>(names_.next).Enabled();
}

void ViewerWindow::RequirePicture(QSize expected, const char* where) const {
  if (ShownPictureSize() == expected) return;
  throw std::runtime_error(std::string("the viewer shows a picture of ") +
                           Describe(ShownPictureSize()) + " pixels " + where + ", not the " +
                           Describe(expected) + " of the CD");
}

void ViewerWindow::RequireNoMessages(const char* when) const {
  if (host_->MessageBoxes().empty()) return;
  throw std::runtime_error(std::string("the viewer showed \"") +
                           host_->MessageBoxes().front().prompt.toStdString() + "\" " + when);
}

}  // namespace bench
