#pragma once
// Menus: a top-level menu of the menu bar, or an item of another menu. A
// hidden top-level menu stays out of the menu bar and serves as a pop-up
// menu (Form::PopupMenu). Menus are in the window's Controls collection but
// have no Left, Top, Width or Height.
#include "platform/forms/Control.h"

#include <QKeySequence>
#include <functional>
#include <memory>

class QAction;
class QMenu;

namespace forms {

class Menu : public Control {
 public:
  // Made through Form::AddMenu.
  Menu(Form& form, const QString& name, int index, Menu* parent);
  ~Menu() override;

  const QString& Caption() const { return caption_; }
  void SetCaption(const QString& caption);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  void SetShortcut(const QKeySequence& shortcut);

  Menu* ParentMenu() const { return parent_; }
  // The items of this menu in creation order.
  const std::vector<Menu*>& Items() const { return items_; }

  // Runs the Click procedure, as code calling it does.
  void Click();
  std::function<void()> OnClick;

  QAction* Action() const { return action_.get(); }
  QMenu* QtMenu() const { return menu_.get(); }

 private:
  void AddItem(Menu& item);

  Menu* parent_;
  std::unique_ptr<QMenu> menu_;
  std::unique_ptr<QAction> action_;
  std::unique_ptr<QObject> context_;
  std::vector<Menu*> items_;
  QString caption_;
  bool enabled_ = true;
  bool visible_ = true;
};

// How Form::PopupMenu shows a menu. The default opens the Qt menu at the
// mouse position without waiting; the chosen item's Click then runs through
// DispatchEvent. Tests install one that records the menu (and may choose an
// item by calling its Click). An empty presenter restores the default.
using PopupMenuPresenter = std::function<void(Menu& menu)>;
void SetPopupMenuPresenter(PopupMenuPresenter presenter);
void PresentPopupMenu(Menu& menu);

}  // namespace forms
