// The record's pictures in the viewer, and the clipboard copy.
#include "browser/FormGravelightMain.h"

namespace browser {

void FormGravelightMain::WirePictureEvents() {}
void FormGravelightMain::PicText1_Change() {}
void FormGravelightMain::PicText2_Change() {}
void FormGravelightMain::PicText3_Change() {}
void FormGravelightMain::CMD_ViewImage1_Click() {}
void FormGravelightMain::CMD_ViewImage2_Click() {}
void FormGravelightMain::CMD_ViewImage3_Click() {}
int32_t FormGravelightMain::MySizeImage1(const QString&) { return 0; }
void FormGravelightMain::Image1_MouseDown(int, int, float, float) {}
void FormGravelightMain::mnuCopy1_Click() {}

}  // namespace browser
