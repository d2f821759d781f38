#include "placeinfo/InfoWindow.h"

#include "platform/forms/Buttons.h"
#include "platform/forms/FormBuilder.h"
#include "platform/forms/Host.h"
#include "platform/vb/Conversions.h"
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

QString QuotedKey(const QString& key) {
  QString doubled = key;
  doubled.replace(u'"', QStringLiteral("\"\""));
  return u'"' + doubled + u'"';
}

void AnswerSelectionError(const vb::VbError& error, const SelectionAnswers& answers,
                          const std::function<void()>& showAllRows) {
  switch (error.Number()) {
    case vb::err::NoCurrentRecord:
      MsgBox("No Data or No Results for Criteria. Add a Record.");
      MsgBox(answers.openingAll);
      showAllRows();
      break;
    case vb::err::TableNotFound:
      MsgBox(answers.notAdded);
      break;
    case 0:
      break;
    default:
      MsgBox("Please report error: " + vb::Str(static_cast<double>(error.Number())) +
             error.Description());
      break;
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
