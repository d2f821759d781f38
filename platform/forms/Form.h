#pragma once
// A top-level window with its menu bar and its controls.
//
// Sizes: Left, Top, Width and Height are the outer window in twips (as code
// set them); ScaleWidth and ScaleHeight are the inner size (below the menu
// bar, inside the border). The border and caption are counted as the
// platform's standard frame does (see NonClient* below).
//
// Life: Load runs the Load event once; Show and ShowModal load first, then
// raise the first Resize and show the window; Unload raises Unload, hides
// the window (ending a modal show) and marks it unloaded, so the next Show
// loads it again. Resize is raised whenever the inner size or the window
// state changes: at once when code changed it, through DispatchEvent when
// the user did.
#include "platform/forms/Control.h"
#include "platform/vb/VbError.h"

#include <QHash>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

class QMenuBar;
class QWidget;

namespace forms {

class Menu;

// WindowState values.
constexpr int vbNormal = 0, vbMinimized = 1, vbMaximized = 2;
// BorderStyle values used by the windows.
constexpr int vbBSNone = 0, vbFixedSingle = 1, vbSizable = 2, vbFixedDialog = 3;

// The window's controls in creation order, menus included.
class ControlsCollection {
 public:
  int Count() const { return static_cast<int>(items_.size()); }
  // Error 9 (Subscript out of range) outside 0 .. Count - 1.
  Control& Item(int index) const;
  // By object name ("CMD_MoveNext", "txtfields(3)"), without regard to case;
  // error 730 when no control has it.
  Control& Item(const QString& objectName) const;
  Control* Find(const QString& objectName) const;
  Control& operator[](int index) const { return Item(index); }
  Control& operator[](const QString& objectName) const { return Item(objectName); }

  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

 private:
  friend class Form;
  std::vector<std::unique_ptr<Control>> items_;
  QHash<QString, Control*> byName_;  // case-folded object name -> control
};

class Form : public Placement {
 public:
  explicit Form(const QString& name);
  virtual ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  const QString& Name() const { return name_; }
  QString Caption() const;
  void SetCaption(const QString& caption);

  float ScaleWidth() const;
  float ScaleHeight() const;
  // Design size: the inner size in twips; the outer size follows from it.
  void SetClientSize(float scaleWidth, float scaleHeight);
  // Top = (screen height - Height) / 2, then Left = (screen width - Width) / 2.
  void CenterOnScreen();

  int WindowState() const;
  void SetWindowState(int state);
  int BorderStyle() const { return borderStyle_; }
  // vbSizable (the default) or vbFixedDialog (not resizable, no minimise or
  // maximise box, not in the task bar).
  void SetBorderStyle(int style);
  void SetFont(const QString& name, double sizePoints, bool bold = false);

  void Load();
  bool IsLoaded() const { return loaded_; }
  void Show();
  // Loads, raises the first Resize and shows the window through the host's
  // modal show; returns when the window is hidden or unloaded.
  void ShowModal();
  void Hide();
  void Unload();
  bool Visible() const;

  // Shows a menu as a pop-up at the mouse position (see SetPopupMenuPresenter).
  void PopupMenu(Menu& menu);
  // The control that has (or last had) the focus in this window; nullptr
  // when none.
  WindowControl* ActiveControl() const;

  const ControlsCollection& Controls() const { return controls_; }

  // Creates a control on the form or in a container (a frame, picture box or
  // tab control); index >= 0 makes it a member of a control array.
  template <class T>
  T& Add(const QString& name, WindowControl* container = nullptr, int index = -1) {
    auto control = std::make_unique<T>(*this, name, index, container);
    T& ref = *control;
    Register(std::move(control));
    return ref;
  }
  // Creates a menu: a top-level menu of the menu bar when parent is nullptr,
  // else an item of parent.
  Menu& AddMenu(const QString& name, const QString& caption, Menu* parent = nullptr,
                int index = -1);

  // The control of that object name, of that kind; error 730 when missing,
  // error 13 (Type mismatch) when it is another kind.
  template <class T>
  T& Get(const QString& objectName) const {
    auto* control = dynamic_cast<T*>(&controls_.Item(objectName));
    if (!control) vb::Raise(vb::err::TypeMismatch);
    return *control;
  }
  template <class T>
  T& Get(const QString& name, int index) const {
    return Get<T>(name + u'(' + QString::number(index) + u')');
  }

  std::function<void()> OnLoad;
  std::function<void()> OnResize;
  std::function<void()> OnUnload;
  MouseHandler OnMouseMove;  // over the window's own background
  MouseHandler OnMouseDown;

  // The top-level widget and the widget that holds the controls.
  QWidget* Window() const { return window_; }
  QWidget* ClientWidget() const { return client_; }
  QMenuBar* MenuBar() const { return menuBar_; }

  // The frame counted between outer and inner size, in pixels.
  int NonClientWidthPixels() const;
  int NonClientHeightPixels() const;  // caption, borders and menu bar

  // Called by the window widget and by menus; not for window code.
  void WindowResizedByUser();
  void WindowMovedByUser();
  void WindowStateChangedByUser();
  void WindowClosedByUser();
  void MenuBarChanged();

 private:
  class ClientRelay;
  class Window_;
  void Register(std::unique_ptr<Control> control);
  void ResizeClient(int widthPx, int heightPx);
  void LayOutClient();
  void RaiseResize(bool byCode);
  void PositionChanged() override;
  void SizeChanged() override;
  void NoteSizeOrState(bool byCode);
  int BorderPixels() const;

  QString name_;
  QWidget* window_ = nullptr;
  QWidget* client_ = nullptr;
  QMenuBar* menuBar_ = nullptr;
  std::unique_ptr<ClientRelay> clientRelay_;
  ControlsCollection controls_;
  int clientWidthPx_ = 0, clientHeightPx_ = 0;
  int menuHeightPx_ = 0;
  int borderStyle_ = vbSizable;
  bool loaded_ = false;
  bool changingByCode_ = false;
  bool reported_ = false;  // a Resize has been raised since the load
  int reportedWidthPx_ = 0, reportedHeightPx_ = 0, reportedState_ = vbNormal;
};

}  // namespace forms
