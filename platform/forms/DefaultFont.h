#pragma once
// The windows' standard font: the platform's 8-point sans serif, matched by
// a metric-compatible font where one is installed.
class QApplication;

namespace forms {

void UseStandardFont(QApplication& app);

}  // namespace forms
