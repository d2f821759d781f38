#pragma once
// The program's identity as the program itself states it: its name, its
// version and the address users write to. The program sets it at start-up;
// the error log reads it.
#include <QString>

struct AppIdentity {
  QString name{};
  int major = 0;
  int minor = 0;
  int revision = 0;
  QString supportAddress = QStringLiteral("support@gravelight.example");
  // The maker's web server: the help and updates pages and the map script.
  QString webHost = QStringLiteral("www.gravelight.example");
  // The program's pages on it.
  QString helpPath{};
  QString updatesPath{};

  // major "." minor "." revision, without blanks: "3.0.2".
  QString VersionText() const;

  // The identity in force, and its replacement (start-up and tests).
  static const AppIdentity& Current();
  static void Set(const AppIdentity& identity);
  // Makes it the program's: the identity in force, and its name the title
  // of message boxes without one.
  static void SetProgram(const AppIdentity& identity);
};
