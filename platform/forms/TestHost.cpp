#include "platform/forms/TestHost.h"

#include "platform/vb/VbError.h"

#include <algorithm>

namespace forms {

void TestHost::QueueMessageBoxAnswer(int answer) { answers_.push_back(answer); }

void TestHost::QueueFileDialogResult(std::optional<QString> windowsPath) {
  fileResults_.push_back(std::move(windowsPath));
}

void TestHost::QueueModalScript(ModalScript script) {
  modalScripts_.push_back(std::move(script));
}

void TestHost::SetScreenSizeTwips(double width, double height) {
  screenWidth_ = width;
  screenHeight_ = height;
}

void TestHost::Record(CallKind kind, const QString& detail) {
  calls_.push_back(Call{kind, detail});
}

int TestHost::MessageBox(const MessageBoxRequest& request) {
  Record(CallKind::MessageBox, request.prompt);
  messageBoxes_.push_back(request);
  if (answers_.empty()) {
    const int answer = mb::DefaultAnswer(request.flags);
    notes_ << QStringLiteral("message box \"%1\" answered by its default button (%2)")
                  .arg(request.prompt)
                  .arg(answer);
    return answer;
  }
  const int answer = answers_.front();
  answers_.pop_front();
  const std::vector<int> buttons = mb::Buttons(request.flags);
  if (std::find(buttons.begin(), buttons.end(), answer) == buttons.end())
    notes_ << QStringLiteral("message box \"%1\" answered %2, which none of its buttons gives")
                  .arg(request.prompt)
                  .arg(answer);
  return answer;
}

std::optional<QString> TestHost::ShowOpenDialog(const FileDialogRequest& request) {
  Record(CallKind::OpenDialog, request.title);
  fileDialogs_.push_back(request);
  if (fileResults_.empty()) {
    notes_ << QStringLiteral("open dialog \"%1\" cancelled: no result queued").arg(request.title);
    return std::nullopt;
  }
  const bool chosen = fileResults_.front().has_value();
  const QString path = chosen ? *fileResults_.front() : QString();
  fileResults_.pop_front();
  if (!chosen) return std::nullopt;
  return path;
}

void TestHost::ClipboardClear() {
  Record(CallKind::ClipboardClear, QString());
  clipboardImage_ = QImage();
  clipboardText_.clear();
}

void TestHost::ClipboardSetText(const QString& text) {
  Record(CallKind::ClipboardSetText, text);
  clipboardText_ = text;
}

void TestHost::ClipboardSetImage(const QImage& image) {
  Record(CallKind::ClipboardSetImage,
         QStringLiteral("%1x%2").arg(image.width()).arg(image.height()));
  clipboardImage_ = image;
}

bool TestHost::OpenUrl(const QString& url) {
  Record(CallKind::OpenUrl, url);
  openedUrls_ << url;
  return openUrlResult_;
}

void TestHost::ShowModal(QWidget& window) {
  Record(CallKind::ShowModal, window.objectName());
  modalShows_ << window.objectName();
  window.setWindowModality(Qt::ApplicationModal);
  window.show();
  if (!modalScripts_.empty()) {
    ModalScript script = std::move(modalScripts_.front());
    modalScripts_.pop_front();
    script(window);
  }
  // A modal show returns only once the window is hidden; a script cannot
  // wait, so what it leaves shown is hidden here.
  if (window.isVisible()) {
    notes_ << QStringLiteral("modal window \"%1\" still shown after its script; hidden")
                  .arg(window.objectName());
    window.hide();
  }
  window.setWindowModality(Qt::NonModal);
}

void TestHost::EndProgram() {
  Record(CallKind::EndProgram, QString());
  ++endProgramCount_;
  throw vb::ProgramEnded{};
}

}  // namespace forms
