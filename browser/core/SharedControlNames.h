#pragma once
// The names of the controls that both main windows' designs share: the
// design places them under these names and the shared behaviour finds them
// by the same ones. Names that differ between the windows are in each
// window's MainWindowDesign.
namespace browser::shared {

// The picture viewer and its holders.
inline constexpr char kViewer[] = "Picture1Viewer";
inline constexpr char kImage[] = "Image1";
inline constexpr char kOriginal[] = "orgImage1";
inline constexpr char kPlaceholder[] = "Image2";
inline constexpr char kClipboardCarrier[] = "Picture2";
inline constexpr char kPictureNames[3][9] = {"PicText1", "PicText2", "PicText3"};
inline constexpr char kPicturePopup[] = "mnuPopup1";
// The data location's hidden boxes, the file menu's data-file choice and
// the file dialog.
inline constexpr char kDataFolder[] = "DataPathText";
inline constexpr char kDataFile[] = "DataFilePathText";
inline constexpr char kChooseDataMenu[] = "mnuChooseDataCDDrive";
inline constexpr char kFileDialog[] = "CommonDialog1";
// The version label, the search tabs, the SQL search's box.
inline constexpr char kVersionLabel[] = "dbVersionLabel";
inline constexpr char kSearchTabs[] = "SSTab1";
inline constexpr char kSqlBox[] = "SelectionQueryText";
// The Help menu's two web pages.
inline constexpr char kHelpItem[] = "Help";
inline constexpr char kUpdatesItem[] = "mnuUpdates";
// The text boxes' edit menu and its items.
inline constexpr char kTextMenu[] = "mnuTextCommands";
inline constexpr char kCutItem[] = "mnuCut";
inline constexpr char kCopyItem[] = "mnuCopy";
inline constexpr char kPasteItem[] = "mnuPaste";
inline constexpr char kDeleteItem[] = "mnuDelete";
inline constexpr char kSelectAllItem[] = "mnuSelectAll";

}  // namespace browser::shared
