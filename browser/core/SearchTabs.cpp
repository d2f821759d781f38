#include "browser/core/SearchTabs.h"

#include "platform/forms/Buttons.h"
#include "platform/forms/Containers.h"
#include "platform/forms/TextBox.h"

namespace browser {

using namespace forms;

namespace {

constexpr float kShownLeft = 120, kShownTop = 360;
constexpr float kParkedLeft = -73250, kParkedTop = 0;

}  // namespace

void PlaceSearchFrames(Form& form, const SearchTabNames& names) {
  const int tab = form.Get<TabControl>(names.tabs).Tab();
  for (int i = 0; i < 3; ++i) {
    Frame& frame = form.Get<Frame>(names.frames[i]);
    const bool shown = tab == i;
    frame.SetLeft(shown ? kShownLeft : kParkedLeft);
    frame.SetTop(shown ? kShownTop : kParkedTop);
  }
}

void WireFollowingCheckBoxes(Form& form, const std::vector<FollowingCheckBox>& pairs) {
  for (const auto& [textName, checkName] : pairs) {
    TextBox& text = form.Get<TextBox>(textName);
    CheckBox& check = form.Get<CheckBox>(checkName);
    text.OnChange = [&text, &check] { check.SetValue(text.Text().isEmpty() ? 0 : 1); };
  }
}

}  // namespace browser
