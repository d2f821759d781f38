#include "support/AppIdentity.h"

#include "platform/forms/Host.h"

namespace {

AppIdentity& Stored() {
  static AppIdentity identity;
  return identity;
}

}  // namespace

QString AppIdentity::VersionText() const {
  return QString::number(major) + QLatin1Char('.') + QString::number(minor) +
         QLatin1Char('.') + QString::number(revision);
}

const AppIdentity& AppIdentity::Current() { return Stored(); }

void AppIdentity::Set(const AppIdentity& identity) { Stored() = identity; }

void AppIdentity::SetProgram(const AppIdentity& identity) {
  Set(identity);
  forms::SetAppTitle(identity.name);
}
