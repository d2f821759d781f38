#pragma once
// Status-line help sentences that both main windows show word for word.
namespace browser {

// Over the record-selection, sort and search frames (with its trailing blank).
inline constexpr const char* kSortingHelpText =
    "To change sorting, choose sort by name or placement then click on Select/Sort to show all "
    "records or Find/Sort to show chosen records. ";
// Over the name boxes (and the section or year box).
inline constexpr const char* kNameSearchHelpText =
    "Click on 1 or both checkboxes and enter a name to search for. You may use an asterik ' * ' "
    "in you search. Example A* or *A* or *A";
// The name search's instruction under its boxes.
inline constexpr const char* kNameSearchHintCaption =
    "Click on 1 or both checkboxes and enter a name to search for. You may use an asterik \"*\" "
    "in your search. Example A* or *A* or *A";
inline constexpr const char* kSearchButtonHelpText = "Use this button to choose records and sort.";
inline constexpr const char* kSelectAllHelpText = "Use this button to select every record and sort";
inline constexpr const char* kPictureButtonsHelpText =
    "If other pictures are availiable you can choose them here.";
inline constexpr const char* kNavigationHelpText = "Browse the data.";
inline constexpr const char* kPictureHelpText =
    "Right click to copy this image to the clipboard. Use your image software to edit or paste "
    "directly into another document.";
inline constexpr const char* kRowSearchHelpText = "Only numbers are allowed in row searches.";
// The first three lines of the SQL box's help; the cemetery viewer adds a
// fourth about apostrophes.
inline constexpr const char* kSqlHelpText =
    "Use SQL to select records. See online help for more examples.\r\n"
    "Example 1: Find All Browns:   Lastname=\"Brown\"\r\n"
    "Example 2: Find all Browns and Smiths:  Lastname=\"Brown\" OR Lastname=\"Smith\"";

}  // namespace browser
