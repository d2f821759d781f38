#include "platform/forms/GuiHost.h"

#include "platform/vb/VbError.h"
#include "platform/win/Win.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QEvent>
#include <QEventLoop>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QUrl>
#include <QWidget>

namespace forms {

namespace {

constexpr double kTwipsPerInch = 1440.0;
constexpr double kDefaultTwipsPerPixel = 15.0;  // 96 dots per inch

QString ButtonText(int answer) {
  switch (answer) {
    case mb::Cancel: return QStringLiteral("Cancel");
    case mb::Abort: return QStringLiteral("&Abort");
    case mb::Retry: return QStringLiteral("&Retry");
    case mb::Ignore: return QStringLiteral("&Ignore");
    case mb::Yes: return QStringLiteral("&Yes");
    case mb::No: return QStringLiteral("&No");
    default: return QStringLiteral("OK");
  }
}

QMessageBox::Icon IconOf(int flags) {
  switch (flags & mb::IconMask) {
    case mb::Critical: return QMessageBox::Critical;
    case mb::Question: return QMessageBox::Question;
    case mb::Exclamation: return QMessageBox::Warning;
    case mb::Information: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
  }
}

// Adds the buttons left to right. They all take the action role, so Qt keeps
// the platform's order and guesses no Escape button of its own: Escape and
// the window's close answer only where the platform lets them.
std::vector<std::pair<QPushButton*, int>> AddButtons(QMessageBox& box, int flags) {
  std::vector<std::pair<QPushButton*, int>> buttons;
  for (int answer : mb::Buttons(flags)) {
    QPushButton* button = box.addButton(ButtonText(answer), QMessageBox::ActionRole);
    buttons.emplace_back(button, answer);
    if (answer == mb::DefaultAnswer(flags)) box.setDefaultButton(button);
    if (answer == mb::EscapeAnswer(flags)) box.setEscapeButton(button);
  }
  return buttons;
}

QScreen* Screen() { return QGuiApplication::primaryScreen(); }

// A path the dialog starts from, in native form ("" stays "").
QString NativeOrEmpty(const QString& windowsPath) {
  return windowsPath.isEmpty() ? QString() : win::ToNativePath(windowsPath);
}

QString PatternsForQt(const QString& patterns) {
  QStringList parts = patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts);
  for (QString& part : parts) part = part.trimmed();
  return parts.join(QLatin1Char(' '));
}

// Stops the modal loop once the window is hidden (a minimised window is
// still shown and keeps it running).
class HideWatcher : public QObject {
 public:
  HideWatcher(QWidget& window, QEventLoop& loop) : window_(window), loop_(loop) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == &window_ && event->type() == QEvent::Hide && !window_.isVisible())
      loop_.quit();
    return false;
  }

 private:
  QWidget& window_;
  QEventLoop& loop_;
};

void ThrowIfProgramEnded() {
  if (ProgramHasEnded()) throw vb::ProgramEnded{};
}

}  // namespace

QStringList QtNameFilters(const QString& filter) {
  const QStringList parts = filter.split(QLatin1Char('|'));
  QStringList result;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    const QString description = parts[i].trimmed();
    const QString patterns = PatternsForQt(parts[i + 1]);
    const QString bracketed = QStringLiteral("(") + patterns + QStringLiteral(")");
    if (description.endsWith(bracketed))
      result << description;
    else if (description.isEmpty())
      result << bracketed;
    else
      result << description + QLatin1Char(' ') + bracketed;
  }
  return result;
}

int GuiHost::MessageBox(const MessageBoxRequest& request) {
  QMessageBox box(QApplication::activeWindow());
  box.setWindowModality(Qt::ApplicationModal);
  box.setWindowTitle(request.title);
  box.setText(request.prompt);
  box.setTextFormat(Qt::PlainText);
  box.setIcon(IconOf(request.flags));
  const auto buttons = AddButtons(box, request.flags);
  box.exec();
  for (const auto& [button, answer] : buttons)
    if (box.clickedButton() == button) return answer;
  return mb::DefaultAnswer(request.flags);
}

std::optional<QString> GuiHost::ShowOpenDialog(const FileDialogRequest& request) {
  const QString title = request.title.isEmpty() ? QStringLiteral("Open") : request.title;
  QFileDialog dialog(QApplication::activeWindow(), title, NativeOrEmpty(request.initialDir));
  dialog.setWindowModality(Qt::ApplicationModal);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  // Any typed name is taken, as the platform's open dialog takes it by
  // default: the program answers a name that does not exist itself.
  dialog.setFileMode(QFileDialog::AnyFile);
  // Qt's own dialog matches the patterns without regard to case, as the
  // platform's does; data CDs are authored with upper-case names.
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  const QStringList filters = QtNameFilters(request.filter);
  if (!filters.isEmpty()) {
    dialog.setNameFilters(filters);
    const qsizetype index = request.filterIndex - 1;
    dialog.selectNameFilter(filters.value(index >= 0 && index < filters.size() ? index : 0));
  }
  if (!request.fileName.isEmpty())
    dialog.selectFile(request.fileName.contains(QLatin1Char('\\'))
                          ? win::ToNativePath(request.fileName)
                          : request.fileName);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty()) return std::nullopt;
  return win::ToWindowsPath(chosen.front());
}

void GuiHost::ClipboardClear() { QGuiApplication::clipboard()->clear(); }

void GuiHost::ClipboardSetImage(const QImage& image) {
  QGuiApplication::clipboard()->setImage(image);
}

void GuiHost::ClipboardSetText(const QString& text) { QGuiApplication::clipboard()->setText(text); }

QString GuiHost::ClipboardText() { return QGuiApplication::clipboard()->text(); }

bool GuiHost::OpenUrl(const QString& url) {
  return QDesktopServices::openUrl(QUrl::fromUserInput(url));
}

double GuiHost::TwipsPerPixel() {
  QScreen* screen = Screen();
  return screen ? kTwipsPerInch / screen->logicalDotsPerInchX() : kDefaultTwipsPerPixel;
}

double GuiHost::ScreenWidthTwips() {
  QScreen* screen = Screen();
  return screen ? screen->size().width() * kTwipsPerInch / screen->logicalDotsPerInchX() : 0.0;
}

double GuiHost::ScreenHeightTwips() {
  QScreen* screen = Screen();
  return screen ? screen->size().height() * kTwipsPerInch / screen->logicalDotsPerInchY() : 0.0;
}

void GuiHost::ShowModal(QWidget& window) {
  ThrowIfProgramEnded();
  const Qt::WindowModality previous = window.windowModality();
  // The modality only takes effect when the window is shown anew.
  if (window.isVisible()) window.hide();
  window.setWindowModality(Qt::ApplicationModal);
  QPointer<QWidget> guard(&window);
  QEventLoop loop;
  HideWatcher watcher(window, loop);
  window.installEventFilter(&watcher);
  QObject::connect(&window, &QObject::destroyed, &loop, &QEventLoop::quit);
  window.show();
  if (window.isVisible()) loop.exec(QEventLoop::DialogExec);
  if (guard) {
    guard->removeEventFilter(&watcher);
    if (!guard->isVisible()) guard->setWindowModality(previous);
  }
  // The program's end closed every loop: unwind the procedure that showed it.
  ThrowIfProgramEnded();
}

void GuiHost::EndProgram() { throw vb::ProgramEnded{}; }

}  // namespace forms
