#pragma once
// The errors that an action of the calculator can end in. The window shows
// their message in its error report.
//
// A CalculatorError is the user's: what they typed or asked for cannot be
// done. A call that breaks a routine's contract is the program's own fault,
// which no input of the user can cause: the core throws
// std::invalid_argument for it, which the error report shows all the same.

#include <stdexcept>
#include <string>

namespace averlin {

class CalculatorError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace averlin
