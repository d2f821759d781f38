// Forms: the Controls collection, control arrays, the window's life
// (Load, Resize, Unload, modal show), centring, the file dialog control,
// menus and pop-up menus, and the focus.
#include "forms_helpers.h"

#include "platform/forms/UserActions.h"

#include <QApplication>
#include <QMenuBar>
#include <stdexcept>

using namespace forms;
using formstest::ErrorOf;

namespace {

class FormTest : public formstest::FormsTest {};

TEST_F(FormTest, ControlsCollectionKeepsCreationOrderAndFindsByNameAndIndex) {
  Form form("FormGravelightMain");
  Menu& file = form.AddMenu("filemnu", "&File");
  form.AddMenu("mnuChooseDataCDDrive", "&Open/ Select Data & CD Drive", &file);
  Frame& frame = form.Add<Frame>("Frame3");
  ControlArray<TextBox> txtfields;
  for (int i = 0; i <= 2; ++i) txtfields.Add(form.Add<TextBox>("txtfields", &frame, i));
  form.Add<CommandButton>("CMD_MoveNext", &frame);

  const ControlsCollection& controls = form.Controls();
  QStringList names;
  for (int i = 0; i < controls.Count(); ++i) names << controls[i].ObjectName();
  EXPECT_EQ(names, QStringList({"filemnu", "mnuChooseDataCDDrive", "Frame3", "txtfields(0)",
                                "txtfields(1)", "txtfields(2)", "CMD_MoveNext"}));
  EXPECT_EQ(&controls.Item("TXTFIELDS(1)"), &txtfields(1));
  EXPECT_EQ(form.Get<TextBox>("txtfields", 2).Index(), 2);
  EXPECT_EQ(form.Get<CommandButton>("cmd_movenext").Widget()->objectName(), "CMD_MoveNext");
  EXPECT_EQ(txtfields(2).Widget()->objectName(), "txtfields(2)");
  EXPECT_EQ(txtfields.Count(), 3);
  EXPECT_EQ(txtfields.UBound(), 2);

  EXPECT_EQ(ErrorOf([&] { controls.Item(7); }), 9);
  EXPECT_EQ(ErrorOf([&] { controls.Item(-1); }), 9);
  EXPECT_EQ(ErrorOf([&] { controls.Item("txtfields"); }), 730);
  EXPECT_EQ(ErrorOf([&] { form.Get<Label>("CMD_MoveNext"); }), 13);
  EXPECT_EQ(ErrorOf([&] { txtfields(3); }), 340);
  EXPECT_THROW(form.Add<TextBox>("txtfields", nullptr, 1), std::logic_error);
  EXPECT_THROW(form.Add<TextBox>("Inside", &txtfields(0)), std::logic_error);
}

TEST_F(FormTest, LifeOfAWindowLoadResizeUnload) {
  Form form("frmGravelightAbout");
  form.SetClientSize(5805, 3870);
  QStringList log;
  form.OnLoad = [&] { log << "load " + QString::number(form.ScaleWidth()); };
  form.OnResize = [&] {
    log << QString("resize %1 %2 %3")
               .arg(form.ScaleWidth())
               .arg(form.ScaleHeight())
               .arg(form.WindowState());
  };
  form.OnUnload = [&] { log << "unload"; };

  form.SetClientSize(6000, 3870);  // before loading: design, no event
  form.Show();
  EXPECT_TRUE(form.Visible());
  form.SetClientSize(6015, 3870);  // code: at once
  log << "after";
  form.Show();  // shown again: nothing new
  form.SetWindowState(vbMinimized);
  QApplication::processEvents();  // the window system's answer changes nothing more
  form.SetWindowState(vbNormal);
  QApplication::processEvents();
  user::Resize(form, 7500, 4500);  // the user: through the dispatch
  user::Close(form);
  EXPECT_FALSE(form.Visible());
  EXPECT_FALSE(form.IsLoaded());
  form.Show();  // loads anew
  EXPECT_EQ(log, QStringList({"load 6000", "resize 6000 3870 0", "resize 6015 3870 0", "after",
                              "resize 6015 3870 1", "resize 6015 3870 0",
                              "resize 7500 4500 0", "unload", "load 7500",
                              "resize 7500 4500 0"}));
}

TEST_F(FormTest, OuterSizeCountsTheFrameAndCentringUsesIt) {
  host_->SetScreenSizeTwips(1024 * 15, 768 * 15);
  Form form("CemInfo");
  form.SetBorderStyle(vbFixedDialog);
  form.SetClientSize(11970, 8085);
  const float frameWidth = PixelsToTwips(form.NonClientWidthPixels());
  EXPECT_EQ(form.Width(), 11970 + frameWidth);
  EXPECT_EQ(form.ScaleHeight(), 8085.f);
  form.AddMenu("mnuFile", "&File");
  EXPECT_EQ(form.ScaleHeight(), 8085.f);  // a menu bar grows the window, not the inside
  EXPECT_EQ(form.Height(), 8085 + PixelsToTwips(form.NonClientHeightPixels()));
  EXPECT_GT(form.NonClientHeightPixels(), 19);

  form.SetWidth(7000.5f);
  EXPECT_EQ(form.Width(), 7000.5f);
  EXPECT_EQ(form.ScaleWidth(), PixelsToTwips(467 - form.NonClientWidthPixels()));
  form.CenterOnScreen();
  EXPECT_EQ(form.Top(), (11520.f - form.Height()) / 2.f);
  EXPECT_EQ(form.Left(), (15360.f - 7000.5f) / 2.f);
  EXPECT_EQ(form.Window()->x(), TwipsToPixels(form.Left()));
}

TEST_F(FormTest, ShowModalLoadsFirstAndReturnsWhenUnloaded) {
  Form info("CemInfo");
  CommandButton& ok = info.Add<CommandButton>("CMD_Finished");
  ok.OnClick = [&] { info.Unload(); };
  QStringList log;
  info.OnLoad = [&] { log << "load"; };
  info.OnUnload = [&] { log << "unload"; };
  host_->QueueModalScript([&](QWidget& window) {
    log << "shown " + window.objectName() + (window.isVisible() ? " visible" : " hidden");
    user::Click(ok);
  });
  info.ShowModal();
  log << "returned";
  EXPECT_EQ(log, QStringList({"load", "shown CemInfo visible", "unload", "returned"}));
  EXPECT_EQ(host_->ModalShows(), QStringList({"CemInfo"}));
  EXPECT_TRUE(host_->Notes().isEmpty());
}

TEST_F(FormTest, FileDialogAsksTheHostAndCancelsAsAnError) {
  Form form("FormGravelightMain");
  CommonDialog& dialog = form.Add<CommonDialog>("CommonDialog1");
  dialog.DialogTitle = "Select Data File";
  dialog.Filter = "Gravelight Data(*.mdb)|*.mdb";
  dialog.CancelError = true;
  host_->QueueFileDialogResult(QString("\\media\\cd\\cem.mdb"));
  host_->QueueFileDialogResult(std::nullopt);
  host_->QueueFileDialogResult(std::nullopt);

  dialog.ShowOpen();
  EXPECT_EQ(dialog.FileName, "\\media\\cd\\cem.mdb");
  ASSERT_EQ(host_->FileDialogs().size(), 1u);
  EXPECT_EQ(host_->FileDialogs()[0].title, "Select Data File");
  EXPECT_EQ(host_->FileDialogs()[0].filter, "Gravelight Data(*.mdb)|*.mdb");
  EXPECT_EQ(ErrorOf([&] { dialog.ShowOpen(); }), 32755);
  dialog.CancelError = false;
  dialog.ShowOpen();
  EXPECT_EQ(dialog.FileName, "\\media\\cd\\cem.mdb");
  EXPECT_EQ(host_->FileDialogs()[2].fileName, "\\media\\cd\\cem.mdb");
}

TEST_F(FormTest, MenusPopUpAndRunTheirClicks) {
  Form form("FormGravelightMain");
  Menu& help = form.AddMenu("mnuhelp", "&Help");
  Menu& about = form.AddMenu("mnuAbout", "&About", &help);
  Menu& popup = form.AddMenu("mnuTextCommands", "TextCommands");
  popup.SetVisible(false);
  Menu& cut = form.AddMenu("mnuCut", "Cut", &popup);
  form.AddMenu("mnuCopy", "Copy", &popup);
  QStringList log;
  about.OnClick = [&] { log << "about"; };
  cut.OnClick = [&] { log << "cut"; };

  EXPECT_EQ(form.MenuBar()->actions().size(), 2);
  EXPECT_FALSE(popup.Action()->isVisible());  // never in the menu bar
  EXPECT_EQ(popup.Items().size(), 2u);
  cut.SetEnabled(false);
  form.PopupMenu(popup);
  ASSERT_EQ(popups_.size(), 1u);
  EXPECT_EQ(popups_[0], &popup);
  EXPECT_FALSE(popup.QtMenu()->actions()[0]->isEnabled());
  user::Choose(about);
  cut.Click();
  EXPECT_EQ(log, QStringList({"about", "cut"}));
  EXPECT_EQ(about.Caption(), "&About");
}

TEST_F(FormTest, FocusAndActiveControl) {
  Form form("CemInfo");
  TextBox& text = form.Add<TextBox>("CemInfo_Text");
  text.SetMultiLine(true);
  TextBox& hidden = form.Add<TextBox>("Text2");
  hidden.SetVisible(false);
  EXPECT_EQ(ErrorOf([&] { text.SetFocus(); }), 5);  // the window is not shown
  form.Show();
  text.SetFocus();
  EXPECT_EQ(form.ActiveControl(), &text);
  EXPECT_EQ(ErrorOf([&] { hidden.SetFocus(); }), 5);
  text.SetEnabled(false);
  EXPECT_EQ(ErrorOf([&] { text.SetFocus(); }), 5);
}

}  // namespace
