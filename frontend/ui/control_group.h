#pragma once

#include <map>

#include <Qt>

namespace veyora::frontend::ui {

// Controls of one name told apart by an index, sharing one set of handlers that
// receive the index of the member concerned.
template <class Control>
class ControlGroup {
 public:
  void Add(int index, Control* control) { members_[index] = control; }
  // Null when there is no member with this index.
  Control* operator()(int index) const {
    auto found = members_.find(index);
    return found == members_.end() ? nullptr : found->second;
  }
  const std::map<int, Control*>& Members() const { return members_; }

  // Gives every member the same mouse-press handler, called with the member's index.
  template <class Handler>
  void OnMouseDown(Handler handler) {
    for (auto& [index, control] : members_) {
      control->onMouseDown = [handler, index = index](Qt::MouseButton button) {
        handler(index, button);
      };
    }
  }

 private:
  std::map<int, Control*> members_;
};

}  // namespace veyora::frontend::ui
