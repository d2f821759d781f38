#include "bench/GravelightWindow.h"

#include "apps/gravelight/GravelightIdentity.h"
#include "apps/gravelight/GravelightMainLayout.h"
#include "platform/vb/VbError.h"
#include "platform/win/Win.h"

#include <stdexcept>

namespace bench {

namespace {

QString WindowsForm(const std::string& nativePath) {
  return win::ToWindowsPath(QString::fromStdString(nativePath));
}

// The shortest picture name the viewer loads.
constexpr int kShortestPictureName = 5;

}  // namespace

GravelightWindow::GravelightWindow(const std::string& programFolder,
                                   const std::string& launchFile)
    : host_(new forms::TestHost) {
  forms::SetHost(std::unique_ptr<forms::Host>(host_));
  win::SetAppPathForTesting(WindowsForm(programFolder));
  gravelight::SetProgramIdentity();
  win::SetCommandLineForTesting(WindowsForm(launchFile));
  window_ = std::make_unique<browser::FormGravelightMain>(
      gravelight::FormGravelightMainForm(), gravelight::FormGravelightMainControls());
}

GravelightWindow::~GravelightWindow() {
  try {
    window_->Form().Unload();
  } catch (...) {
  }
  window_.reset();
  forms::SetHost(nullptr);
}

void GravelightWindow::Show() {
  try {
    window_->Form().Show();
  } catch (const vb::ProgramEnded&) {
    throw std::runtime_error("the viewer ended while loading");
  }
}

void GravelightWindow::MoveNext() {
  window_->Form().Get<forms::CommandButton>("CMD_MoveNext").Click();
}

void GravelightWindow::MovePrev() {
  window_->Form().Get<forms::CommandButton>("CMD_MovePrev").Click();
}

QString GravelightWindow::PictureName(int n) const {
  return window_->Form().Get<forms::TextBox>("PicText" + QString::number(n)).Text();
}

bool GravelightWindow::NamesPicture() const {
  return PictureName().length() >= kShortestPictureName;
}

QSize GravelightWindow::ShownPictureSize() const {
  const forms::Picture& picture = window_->Form().Get<forms::Image>("Image1").Picture();
  return {picture.WidthPixels(), picture.HeightPixels()};
}

int GravelightWindow::RecordsSelected() const {
  return window_->Form().Get<forms::Label>("LBL_RecordsSelected").Caption().toInt();
}

QString GravelightWindow::DatabaseVersion() const {
  return window_->Form().Get<forms::Label>("dbVersionLabel").Caption();
}

bool GravelightWindow::CanMoveNext() const {
  return window_->Form().Get<forms::CommandButton>("CMD_MoveNext").Enabled();
}

void GravelightWindow::RequireNoMessages(const char* when) const {
  if (host_->MessageBoxes().empty()) return;
  throw std::runtime_error(std::string("the viewer showed \"") +
                           host_->MessageBoxes().front().prompt.toStdString() + "\" " + when);
}

}  // namespace bench
