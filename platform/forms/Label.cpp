#include "platform/forms/Label.h"

#include "platform/forms/Twips.h"

#include <QLabel>

namespace forms {

Label::Label(Form& form, const QString& name, int index, WindowControl* container)
    : WindowControl(form, name, index, container), label_(new QLabel) {
  label_->setTextFormat(Qt::PlainText);
  label_->setWordWrap(true);
  label_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  AdoptWidget(label_);
  SetCaption(name);
}

void Label::SetCaption(const QString& caption) {
  caption_ = caption;
  label_->setText(StripAccessKeys(ToDisplayLineBreaks(caption)));
}

}  // namespace forms
