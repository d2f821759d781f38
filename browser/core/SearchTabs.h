#pragma once
// The search tabs and the check boxes that follow their text boxes.
#include "browser/core/SharedControlNames.h"
#include "platform/forms/Form.h"

#include <QString>
#include <array>
#include <utility>
#include <vector>

namespace browser {

// The tab control and the search frames of its three tabs.
struct SearchTabNames {
  QString tabs = shared::kSearchTabs;
  std::array<QString, 3> frames;
};

// A search text box and the check box it ticks.
using FollowingCheckBox = std::pair<QString, QString>;

// SSTab1_Click: the frame of the selected tab at Left 120, Top 360, the
// others parked at Left -73250, Top 0, each Left before Top, in tab order.
void PlaceSearchFrames(forms::Form& form, const SearchTabNames& names);

// On every change of a search box's text (typing, an edit-menu command or
// code) its check box is ticked when the text is not empty, else unticked.
void WireFollowingCheckBoxes(forms::Form& form, const std::vector<FollowingCheckBox>& pairs);

}  // namespace browser
