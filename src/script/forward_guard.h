#pragma once
// Values that stand for another value (references, "@Result", "@Temp") pass
// each operation on to it. Saved data and scripts can make such a chain lead
// back to where it started; while a value is passing an operation on it
// stands for nothing, so the chain ends with the neutral answer instead of
// recursing for ever.

#include <utility>

namespace rivo {

class ForwardGuard {
 public:
  // op(*find()) with the guard held. Neutral when the guard is already held
  // (find is not asked then) or when find finds nothing.
  template <typename R, typename Find, typename Op>
  R Forward(R neutral, Find&& find, Op&& op) const {
    if (busy_) return neutral;
    auto* target = std::forward<Find>(find)();
    if (!target) return neutral;
    struct Release {
      bool& flag;
      ~Release() { flag = false; }
    } release{busy_};
    busy_ = true;
    return std::forward<Op>(op)(*target);
  }

 private:
  mutable bool busy_ = false;
};

}  // namespace rivo
