// The hand-over to the cemetery information window, and the about box.
#include "browser/FormGravelightMain.h"

#include "placeinfo/CemInfo.h"

namespace browser {

using namespace forms;

void FormGravelightMain::WireInfoEvents() {
  C<CommandButton>("CMD_Cem_ShowInfo").OnClick = [this] { CMD_Cem_ShowInfo_Click(); };
  for (int i = 0; i < kFieldBoxCount; ++i)
    C<TextBox>("txtfields", i).OnDblClick = [this, i] {
      txtfields_DblClick(static_cast<int16_t>(i));
    };
  C<Menu>("mnuAbout").OnClick = [this] { mnuAbout_Click(); };
}

void FormGravelightMain::CMD_Cem_ShowInfo_Click() {
  QString name = C<TextBox>("txtfields", box::Cemetery).Text();
  QString path = C<TextBox>("DataFilePathText").Text();
  GetCemeteryDataInfoBox(name, path);
}

// Only the cemetery name's box answers a double click.
void FormGravelightMain::txtfields_DblClick(int16_t Index) {
  if (Index == box::Cemetery) CMD_Cem_ShowInfo_Click();
}

// The window is made for this opening and goes when it closes.
QString FormGravelightMain::GetCemeteryDataInfoBox(QString& GCemSearchName,
                                                  QString& GCemDatabaseFileAndPath) {
  placeinfo::CemInfo info(infoOwner_);
  info.CemSearchName = GCemSearchName;
  info.CemDatabaseFileAndPath = GCemDatabaseFileAndPath;
  info.Show();
  return QStringLiteral("OK");
}

void FormGravelightMain::mnuAbout_Click() {
  if (!about_) about_ = std::make_unique<placeinfo::AboutBox>(placeinfo::GravelightAboutDesign());
  about_->Show();
}

}  // namespace browser
