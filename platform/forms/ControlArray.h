#pragma once
// A control array: controls of one name told apart by index
// ("txtfields(0)" .. "txtfields(36)").
//
//   ControlArray<TextBox> txtfields;
//   for (int i = 0; i <= 36; ++i) txtfields.Add(form.Add<TextBox>("txtfields", frame, i));
//   txtfields(14).Text();
#include "platform/vb/VbError.h"

#include <QString>
#include <map>

namespace forms {

template <class T>
class ControlArray {
 public:
  void Add(T& control) { members_[control.Index()] = &control; }

  // Error 340 when no member has the index.
  T& operator()(int index) const {
    auto it = members_.find(index);
    if (it == members_.end())
      vb::Raise(340, QStringLiteral("Control array element '%1' doesn't exist").arg(index));
    return *it->second;
  }
  T& operator[](int index) const { return (*this)(index); }

  int Count() const { return static_cast<int>(members_.size()); }
  int LBound() const { return members_.empty() ? 0 : members_.begin()->first; }
  int UBound() const { return members_.empty() ? -1 : members_.rbegin()->first; }

  // The members in index order.
  template <class F>
  void ForEach(F&& action) const {
    for (const auto& [index, member] : members_) action(*member);
  }

 private:
  std::map<int, T*> members_;
};

}  // namespace forms
