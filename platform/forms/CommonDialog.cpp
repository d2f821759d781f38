#include "platform/forms/CommonDialog.h"

#include "platform/forms/Host.h"
#include "platform/forms/Twips.h"
#include "platform/vb/VbError.h"

namespace forms {

CommonDialog::CommonDialog(Form& form, const QString& name, int index, WindowControl*)
    : Control(form, name, index) {}

void CommonDialog::ShowOpen() {
  FileDialogRequest request;
  request.title = DialogTitle;
  request.filter = Filter;
  request.filterIndex = FilterIndex;
  request.initialDir = InitDir;
  request.fileName = FileName;
  request.flags = Flags;
  const std::optional<QString> chosen = host().ShowOpenDialog(request);
  if (!chosen) {
    if (CancelError) vb::Raise(vb::err::CancelError);
    return;
  }
  FileName = *chosen;
}

vb::Variant CommonDialog::GetProperty(const QString& property) const {
  if (property.compare(u"Left", Qt::CaseInsensitive) == 0)
    return vb::Variant(static_cast<double>(left_));
  if (property.compare(u"Top", Qt::CaseInsensitive) == 0)
    return vb::Variant(static_cast<double>(top_));
  return Control::GetProperty(property);
}

void CommonDialog::SetProperty(const QString& property, const vb::Variant& value) {
  if (property.compare(u"Left", Qt::CaseInsensitive) == 0)
    return SetLeft(ToSingle(value.ToDouble()));
  if (property.compare(u"Top", Qt::CaseInsensitive) == 0)
    return SetTop(ToSingle(value.ToDouble()));
  Control::SetProperty(property, value);
}

}  // namespace forms
