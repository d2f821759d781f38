#pragma once
// The cemetery information window: what the open cemetery database holds
// about one cemetery (table CemSheet), composed into a text, with the map
// link and the cemetery's three pictures. It opens its own read-only
// connection for the selection step only, shows one row and writes nothing.
#include "browser/core/Selection.h"
#include "placeinfo/InfoWindow.h"

#include <QString>
#include <memory>

namespace placeinfo {

class CemInfo {
 public:
  explicit CemInfo(const InfoWindowOwner& owner);

  // Written by the opener before the modal show.
  QString CemSearchName;
  QString CemDatabaseFileAndPath;

  // Shows the window modally: loads it (placement, selection, text, link,
  // pictures) and returns when OK or the close box has closed it.
  void Show();

  void Form_Load();
  void CMD_Select_Data_Click();
  bool LoadCEMDataToTextBox(browser::Selection* mRecordSet);
  void CMD_Finished_Click();
  void CemInfo_Text_Change() {}

  InfoWindow& Window() { return window_; }
  forms::Form& Form() { return window_.Form(); }
  const QString& CemMapStr() const { return window_.CemMapStr; }

  // The selection over CemSheet: made by the selection step once it has a
  // row to show, closed and let go by OK (the close box leaves it to the
  // window's end).
  std::unique_ptr<browser::Selection> CemRecordSet;

 private:
  const InfoWindowOwner& owner_;
  InfoWindow window_;
};

// The design of the cemetery information window.
const InfoWindowDesign& CemInfoDesign();

}  // namespace placeinfo
