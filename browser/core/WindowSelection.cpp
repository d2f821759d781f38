#include "browser/core/WindowSelection.h"

#include "platform/forms/Buttons.h"
#include "platform/forms/Label.h"
#include "platform/forms/TextBox.h"

namespace browser {

using namespace forms;

WindowSelection::WindowSelection(Form& form, const MainWindowControls& controls,
                                 Selection& selection, std::function<QString()> dataFilePath,
                                 std::function<void()> showRecord,
                                 std::function<void()> showPlaceholder)
    : form_(form),
      controls_(controls),
      selection_(selection),
      dataFilePath_(std::move(dataFilePath)),
      showRecord_(std::move(showRecord)),
      showPlaceholder_(std::move(showPlaceholder)) {}

void WindowSelection::ClearFieldBox(int index) {
  form_.Get<TextBox>(controls_.fieldBoxes, index).SetText(QString());
}

void WindowSelection::SetRecordsSelected(const QString& caption) {
  form_.Get<Label>(controls_.recordsSelected).SetCaption(caption);
}

void WindowSelection::SetCurrentRecordNumber(const QString& caption) {
  form_.Get<Label>(controls_.recordNumber).SetCaption(caption);
}

void WindowSelection::SetNavigationEnabled(bool enabled) {
  for (const QString& name : controls_.navigationButtons)
    form_.Get<CommandButton>(name).SetEnabled(enabled);
}

void WindowSelection::EnableSearchButtons() {
  for (const QString& name : controls_.searchButtons)
    form_.Get<CommandButton>(name).SetEnabled(true);
}

void WindowSelection::SetButtonEnabled(NavigationButton button, bool enabled) {
  form_.Get<CommandButton>(controls_.navigationButtons[static_cast<int>(button)])
      .SetEnabled(enabled);
}

}  // namespace browser
