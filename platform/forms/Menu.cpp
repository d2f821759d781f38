#include "platform/forms/Menu.h"

#include "platform/forms/Form.h"
#include "platform/forms/Host.h"

#include <QAction>
#include <QCursor>
#include <QMenu>
#include <QMenuBar>

namespace forms {

namespace {

PopupMenuPresenter& Presenter() {
  static PopupMenuPresenter presenter;
  return presenter;
}

}  // namespace

Menu::Menu(Form& form, const QString& name, int index, Menu* parent)
    : Control(form, name, index),
      parent_(parent),
      menu_(std::make_unique<QMenu>()),
      action_(std::make_unique<QAction>()),
      context_(std::make_unique<QObject>()) {
  action_->setObjectName(ObjectName());
  menu_->setObjectName(ObjectName());
  QObject::connect(action_.get(), &QAction::triggered, context_.get(), [this] {
    if (OnClick) DispatchEvent(OnClick);
  });
  if (parent_) {
    parent_->AddItem(*this);
  } else {
    form.MenuBar()->addAction(action_.get());
    form.MenuBarChanged();
  }
}

Menu::~Menu() = default;

void Menu::AddItem(Menu& item) {
  if (items_.empty()) action_->setMenu(menu_.get());
  items_.push_back(&item);
  menu_->addAction(item.action_.get());
}

void Menu::SetCaption(const QString& caption) {
  caption_ = caption;
  action_->setText(caption);
  menu_->setTitle(caption);
}

void Menu::SetEnabled(bool enabled) {
  enabled_ = enabled;
  action_->setEnabled(enabled);
}

void Menu::SetVisible(bool visible) {
  visible_ = visible;
  action_->setVisible(visible);
  if (!parent_) Parent().MenuBarChanged();
}

void Menu::SetShortcut(const QKeySequence& shortcut) {
  action_->setShortcut(shortcut);
  action_->setShortcutContext(Qt::WindowShortcut);
  // A shortcut works while its action belongs to the window, also when the
  // menu holding it is closed.
  Parent().Window()->addAction(action_.get());
}

void Menu::Click() {
  if (OnClick) OnClick();
}

void SetPopupMenuPresenter(PopupMenuPresenter presenter) { Presenter() = std::move(presenter); }

void PresentPopupMenu(Menu& menu) {
  if (Presenter()) return Presenter()(menu);
  menu.QtMenu()->popup(QCursor::pos());
}

}  // namespace forms
