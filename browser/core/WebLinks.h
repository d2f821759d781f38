#pragma once
// The help and updates pages of the maker's web server, opened in the
// user's browser through the host's address opener (never a command line).
// What the opener answers is not looked at: without a browser nothing is
// reported.
#include <QString>

namespace browser {

// "http://" + the program's web host + the path.
QString WebAddress(const QString& path);
// Help_Click and mnuUpdates_Click: the program's help page and updates page.
void OpenHelpPage();
void OpenUpdatesPage();

}  // namespace browser
