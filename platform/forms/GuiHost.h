#pragma once
// The desktop host over Qt: message boxes with the platform's buttons, icons
// and default button, the file-open dialog, the clipboard, the browser, the
// screen and modal showing.
#include "platform/forms/Host.h"

namespace forms {

class GuiHost : public Host {
 public:
  int MessageBox(const MessageBoxRequest& request) override;
  std::optional<QString> ShowOpenDialog(const FileDialogRequest& request) override;
  void ClipboardClear() override;
  void ClipboardSetImage(const QImage& image) override;
  void ClipboardSetText(const QString& text) override;
  QString ClipboardText() override;
  bool OpenUrl(const QString& url) override;
  double ScreenWidthTwips() override;
  double ScreenHeightTwips() override;
  double TwipsPerPixel() override;
  void ShowModal(QWidget& window) override;
  [[noreturn]] void EndProgram() override;
};

// The platform's filter text "Text (*.txt)|*.txt|All (*.*)|*.*" as Qt name
// filters, one per description/pattern pair: "Text (*.txt)", "All (*.*)".
// Patterns separated by ";" become blank-separated; a description that does
// not already end with its patterns in brackets gets them appended.
QStringList QtNameFilters(const QString& filter);

}  // namespace forms
