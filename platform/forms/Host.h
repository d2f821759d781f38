#pragma once
// Everything a window asks of the desktop goes through one host: message
// boxes, the file dialog, the clipboard, the screen, modal showing and the
// program's end. The GUI host uses Qt; the test host answers from a script
// and records every call.
#include <QImage>
#include <QString>
#include <QStringList>
#include <memory>
#include <functional>
#include <optional>
#include <vector>

class QWidget;

namespace forms {


// Message box flags and answers, as the platform numbers them.
namespace mb {
constexpr int OKOnly = 0, OKCancel = 1, AbortRetryIgnore = 2, YesNoCancel = 3,
              YesNo = 4, RetryCancel = 5;
constexpr int Critical = 16, Question = 32, Exclamation = 48, Information = 64;
constexpr int DefaultButton1 = 0, DefaultButton2 = 256, DefaultButton3 = 512;
constexpr int ButtonMask = 7, IconMask = 112, DefaultMask = 768;
constexpr int OK = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7;

// The answers of the box's buttons, left to right (a button value the
// platform does not know gives OK only).
std::vector<int> Buttons(int flags);
// The answer of the default button (the first one when the default names a
// button the box does not have).
int DefaultAnswer(int flags);
// The answer that Escape or the window's close gives; 0 when the box cannot
// be dismissed that way (Yes/No and Abort/Retry/Ignore).
int EscapeAnswer(int flags);
}  // namespace mb

struct MessageBoxRequest {
  QString prompt;
  int flags = 0;    // buttons + icon + default button
  QString title;    // already the program's title when none was given
};

struct FileDialogRequest {
  QString title;
  QString filter;       // "Database (*.mdb)|*.mdb" form
  int filterIndex = 1;
  QString initialDir;   // Windows form
  QString fileName;     // Windows form
  int flags = 0;
};

class Host {
 public:
  virtual ~Host() = default;
  // Shows a modal message box; returns the answer (mb::OK, mb::Retry, ...).
  virtual int MessageBox(const MessageBoxRequest& request) = 0;
  // Shows the file-open dialog; the chosen path in Windows form, or nothing
  // when the user cancelled.
  virtual std::optional<QString> ShowOpenDialog(const FileDialogRequest& request) = 0;
  virtual void ClipboardClear() = 0;
  virtual void ClipboardSetImage(const QImage& image) = 0;
  // Text on the clipboard; the empty text when it holds none.
  virtual void ClipboardSetText(const QString& text) = 0;
  virtual QString ClipboardText() = 0;
  virtual bool OpenUrl(const QString& url) = 0;
  // The screen's size in twips.
  virtual double ScreenWidthTwips() = 0;
  virtual double ScreenHeightTwips() = 0;
  virtual double TwipsPerPixel() { return 15.0; }
  // Shows a window modally; returns when it is hidden or closed.
  virtual void ShowModal(QWidget& window) = 0;
  // Ends the program at once (throws vb::ProgramEnded after recording it).
  [[noreturn]] virtual void EndProgram() = 0;
};

Host& host();
void SetHost(std::unique_ptr<Host> host);

// The program's title, used for message boxes without a title of their own.
void SetAppTitle(const QString& title);
const QString& AppTitle();

// MsgBox(prompt, buttons, title): an empty title gives the program's title.
int MsgBox(const QString& prompt, int flags = mb::OKOnly, const QString& title = QString());

// Runs an event procedure as the platform's dispatch does: an error that
// nobody trapped shows "Run-time error 'N':" with the description and ends
// the program; the program's end is turned into the close of the event loop.
// Nothing ever escapes into Qt. When code raised the event from inside
// another event procedure (no event loop in between), the program's end
// goes on to unwind that procedure as well.
void DispatchEvent(const std::function<void()>& procedure);

// The program's end ("End"): host().EndProgram(), which never returns.
[[noreturn]] void End();

// True once the program's end has reached the event dispatch (SetHost starts
// afresh). Modal windows stop waiting then, and RunEventLoop does not start.
bool ProgramHasEnded();

// The main event loop: QApplication::exec(), or 0 at once when the program
// already ended (during the first window's load, for instance).
int RunEventLoop();

}  // namespace forms
