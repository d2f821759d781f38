#include "bench/GravelightActions.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QWidget>
#include <stdexcept>

namespace bench {

using namespace forms;

void PrepareNameSearch(ViewerWindow& window) {
  Form& form = window.Form();
  form.Get<TextBox>("LastnameText").SetText(kNameSearchPattern);
  form.Get<CheckBox>("Lastname_Checkbox").SetValue(vbChecked);
  form.Get<CheckBox>("Firstname_Checkbox").SetValue(vbUnchecked);
  form.Get<OptionButton>("SortOption2").SetValue(true);
}

QString ShownLastName(const ViewerWindow& window) {
  return window.Form().Get<TextBox>("txtfields", browser::box::Lastname).Text();
}

void ShowCemeteryInformation(ViewerWindow& window,
                             const std::function<void(QWidget& info)>& whileShown) {
  const qsizetype shows = window.Host().ModalShows().size();
  window.Host().QueueModalScript([&whileShown](QWidget& info) {
    whileShown(info);
    auto* ok = info.findChild<QAbstractButton*>(QStringLiteral("CMD_Finished"));
    if (!ok) throw std::runtime_error("the information window has no OK button");
    ok->click();
  });
  window.Click(kCemInfoButton);
  if (window.Host().ModalShows().size() != shows + 1)
    throw std::runtime_error("the information window did not show");
  window.RequireNoMessages("in the information window");
}

QStringList InfoPictureNames(const QWidget& info) {
  QStringList names;
  for (const char* box : {"CemPicText1", "CemPicText2", "CemPicText3"}) {
    const auto* name = info.findChild<const QLineEdit*>(QString::fromLatin1(box));
    if (!name) throw std::runtime_error(std::string("the information window has no ") + box);
    names << name->text();
  }
  return names;
}

}  // namespace bench
