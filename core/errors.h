#pragma once
// The errors that an action of the calculator can end in. The window shows
// their message in its error report.

#include <stdexcept>
#include <string>

namespace averlin {

class CalculatorError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace averlin
