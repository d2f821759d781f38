#include "placeinfo/InfoWindow.h"

#include "platform/forms/Buttons.h"
#include "platform/forms/FormBuilder.h"
#include "platform/forms/Host.h"
#include "platform/win/Win.h"

namespace placeinfo {

using namespace forms;

InfoWindow::InfoWindow(const InfoWindowDesign& design, const InfoWindowOwner& owner,
                       ErrorPolicy policy)
    : form_(QString::fromLatin1(design.formName)),
      owner_(owner),
      policy_(std::move(policy)),
      pictures_(form_,
                {QString::fromLatin1(design.nameBoxes[0]), QString::fromLatin1(design.nameBoxes[1]),
                 QString::fromLatin1(design.nameBoxes[2])},
                owner.pictures, policy_, design.copyAndTextMenu) {
  BuildForm(form_, InfoWindowForm(design), InfoWindowControls(design));
  pictures_.WireEvents();
  form_.Get<CommandButton>("CMD_ShowStreetMap").OnClick = [this] { CMD_ShowStreetMap_Click(); };
  if (design.copyAndTextMenu) {
    // The information text's edit menu answers its errors as the window does.
    textMenu_ = std::make_unique<browser::TextEditMenu>(form_, policy_);
    textMenu_->Attach({QString::fromLatin1(design.textBox)});
  }
}

void InfoWindow::PlaceBelowOwner() {
  form_.SetTop(owner_.form->Top() + 400);
  form_.SetLeft(owner_.form->Left() + 300);
}

void InfoWindow::CMD_ShowStreetMap_Click() {
  const QString link = CemMapStr;
  win::ShellExecuteOpen(link);
}

void InfoWindow::ShowModal() { form_.ShowModal(); }

}  // namespace placeinfo
