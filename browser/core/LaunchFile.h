#pragma once
// A text file opened for input, read to its length and closed, as the
// start-up reads the launch file (and the obituary viewer remember.ini)
// before it asks for keys: the content is not used, but a file that cannot
// be opened or read raises the platform's error here. Each step is a
// statement of its own, so that after an ignored open the read of the
// unopened file fails as well.
#include <QFile>
#include <QString>
#include <memory>

namespace browser {

class InputFile {
 public:
  // Raises 52 (bad name), 53 / 76 (file / folder missing) or 75 (a folder,
  // or refused).
  void Open(const QString& windowsPath);
  // The whole content, which nobody uses; 52 when the file is not open.
  void ReadAll();
  // Closing a file that was never opened is no error.
  void Close() { file_.reset(); }

 private:
  std::unique_ptr<QFile> file_;
};

}  // namespace browser
