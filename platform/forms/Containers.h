#pragma once
// Controls that hold others: frames, picture boxes and the tab control.
// A contained control is placed from the container's inside top-left corner.
#include "platform/forms/Control.h"
#include "platform/forms/Picture.h"

#include <map>

class QTabBar;

namespace forms {

// A frame: an etched border with its caption on the top line.
class Frame : public WindowControl {
 public:
  Frame(Form& form, const QString& name, int index, WindowControl* container);

  const QString& Caption() const { return caption_; }
  void SetCaption(const QString& caption);
  QWidget* ClientWidget() const override;

 private:
  class Box;
  Box* box_;
  QString caption_;
};

// A picture box: a bordered box (BorderStyle 1, the default, or 0 for none)
// with a background colour, showing its Picture unscaled at its inside
// top-left corner.
class PictureBox : public WindowControl {
 public:
  PictureBox(Form& form, const QString& name, int index, WindowControl* container);

  const forms::Picture& Picture() const { return picture_; }
  void SetPicture(const forms::Picture& picture);
  int BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(int style);
  QWidget* ClientWidget() const override;

 private:
  class Box;
  class Inside;
  Box* box_;
  Inside* inside_;
  forms::Picture picture_;
  int borderStyle_ = 1;
};

// A tab control: a row of tabs over a panel. Every control placed in it
// belongs to one tab (tab 0 unless PlaceOnTab names another) and is shown
// only while its tab is selected.
class TabControl : public WindowControl {
 public:
  TabControl(Form& form, const QString& name, int index, WindowControl* container);

  int Tabs() const;
  void SetTabs(int count);
  QString TabCaption(int tab) const;
  void SetTabCaption(int tab, const QString& caption);
  // The selected tab; setting another one raises Click at once; error 380
  // outside 0 .. Tabs - 1.
  int Tab() const { return tab_; }
  void SetTab(int tab);
  void PlaceOnTab(WindowControl& control, int tab);

  // Click(PreviousTab): the user or code selected another tab.
  std::function<void(int PreviousTab)> OnClick;

  QWidget* ClientWidget() const override;
  QTabBar* TabBar() const { return bar_; }

 protected:
  void ContainedControlAdded(WindowControl& control) override;

 private:
  class Panel;
  void CheckTab(int tab) const;
  void ShowSelectedTab();
  Panel* panel_;
  QTabBar* bar_;
  std::map<WindowControl*, int> tabOf_;
  int tab_ = 0;
  bool changing_ = false;
};

}  // namespace forms
