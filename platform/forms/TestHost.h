#pragma once
// A host for tests: it answers from a script and records every call, so a
// test never blocks and can assert texts, titles and flags exactly.
//
//   auto* h = new TestHost;  forms::SetHost(std::unique_ptr<Host>(h));
//   h->QueueMessageBoxAnswer(mb::Retry);
//   ... drive the window ...
//   EXPECT_EQ(h->MessageBoxes().at(0).title, "Error Encountered");
#include "platform/forms/Host.h"

#include <QWidget>
#include <deque>
#include <vector>

namespace forms {

class TestHost : public Host {
 public:
  // One entry per call, in the order the calls came.
  enum class CallKind {
    MessageBox,
    OpenDialog,
    ClipboardClear,
    ClipboardSetImage,
    ClipboardSetText,
    OpenUrl,
    ShowModal,
    EndProgram,
  };
  struct Call {
    CallKind kind;
    QString detail;  // the prompt, dialog title, address or window name
  };
  using ModalScript = std::function<void(QWidget& window)>;

  // ---- The script ----
  // Answers for the next message boxes; when none is left, the default
  // button answers and a note says so.
  void QueueMessageBoxAnswer(int answer);
  // Results of the next open dialogs (nullopt = Cancel); when none is left,
  // the dialog is cancelled and a note says so.
  void QueueFileDialogResult(std::optional<QString> windowsPath);
  // Run while the next window is shown modally (one per modal show); the
  // window is hidden afterwards if the script left it shown.
  void QueueModalScript(ModalScript script);
  void SetOpenUrlResult(bool opened) { openUrlResult_ = opened; }
  void SetScreenSizeTwips(double width, double height);
  void SetTwipsPerPixel(double twipsPerPixel) { twipsPerPixel_ = twipsPerPixel; }

  // ---- The records ----
  const std::vector<Call>& Calls() const { return calls_; }
  const std::vector<MessageBoxRequest>& MessageBoxes() const { return messageBoxes_; }
  const std::vector<FileDialogRequest>& FileDialogs() const { return fileDialogs_; }
  const QStringList& OpenedUrls() const { return openedUrls_; }
  // The image and the text on the clipboard (null and empty after a clear).
  const QImage& ClipboardImage() const { return clipboardImage_; }
  const QString& ClipboardTextHeld() const { return clipboardText_; }
  // Object names of the windows shown modally.
  const QStringList& ModalShows() const { return modalShows_; }
  int EndProgramCount() const { return endProgramCount_; }
  // Where the script ran short or answered oddly.
  const QStringList& Notes() const { return notes_; }
  // Message boxes still queued (a test can check that all were used).
  size_t PendingMessageBoxAnswers() const { return answers_.size(); }

  // ---- Host ----
  int MessageBox(const MessageBoxRequest& request) override;
  std::optional<QString> ShowOpenDialog(const FileDialogRequest& request) override;
  void ClipboardClear() override;
  void ClipboardSetImage(const QImage& image) override;
  void ClipboardSetText(const QString& text) override;
  QString ClipboardText() override { return clipboardText_; }
  bool OpenUrl(const QString& url) override;
  double ScreenWidthTwips() override { return screenWidth_; }
  double ScreenHeightTwips() override { return screenHeight_; }
  double TwipsPerPixel() override { return twipsPerPixel_; }
  void ShowModal(QWidget& window) override;
  [[noreturn]] void EndProgram() override;

 private:
  void Record(CallKind kind, const QString& detail);

  std::deque<int> answers_;
  std::deque<std::optional<QString>> fileResults_;
  std::deque<ModalScript> modalScripts_;
  bool openUrlResult_ = true;
  double screenWidth_ = 1024 * 15.0;
  double screenHeight_ = 768 * 15.0;
  double twipsPerPixel_ = 15.0;

  std::vector<Call> calls_;
  std::vector<MessageBoxRequest> messageBoxes_;
  std::vector<FileDialogRequest> fileDialogs_;
  QStringList openedUrls_;
  QImage clipboardImage_;
  QString clipboardText_;
  QStringList modalShows_;
  int endProgramCount_ = 0;
  QStringList notes_;
};

}  // namespace forms
