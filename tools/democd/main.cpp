// make-demo-cd [folder]: writes the demo data CDs into the folder (default:
// demo-cd in the build folder) and prints the launch files.
#include <QDir>
#include <QTextStream>
#include <exception>
#include <iostream>

#include "tools/democd/DemoCd.h"

int main(int argc, char** argv) {
  const QString folder =
      argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(DEMO_CD_DEFAULT_FOLDER);
  try {
    const democd::DemoCdFiles files = democd::WriteDemoCd(QDir(folder).absolutePath());
    QTextStream out(stdout);
    out << "Gravelight: " << files.gravelightLaunchFile << "\n"
        << "Mournlight: " << files.mournlightLaunchFile << "\n";
    return 0;
  } catch (const std::exception& e) {
    std::cerr << "make-demo-cd: " << e.what() << "\n";
    return 1;
  }
}
