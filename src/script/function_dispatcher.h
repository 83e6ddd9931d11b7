#pragma once
// The way expressions reach the system functions: the evaluator hands the
// destination temporary, the function number and the argument values to
// whoever runs the function bodies.

#include <cstdint>
#include <span>

namespace rivo {

class TCustomParam;

class FunctionDispatcher {
 public:
  virtual ~FunctionDispatcher() = default;
  // last_arg_index is the number of arguments - 1. Arguments are literals or
  // references to the variables the expression named.
  virtual void Call(TCustomParam& dest, int32_t index, int32_t last_arg_index,
                    std::span<TCustomParam* const> args) = 0;
};

}  // namespace rivo
