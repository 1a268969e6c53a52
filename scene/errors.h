// Run-time errors of the scene layer. No scene class traps errors: each of these leaves the member
// that raised it and reaches its caller. The number is the classic run-time error number, so a
// caller can tell the kinds apart without string matching.
#pragma once

#include <stdexcept>
#include <string>

namespace kubisto {

class RuntimeError : public std::runtime_error {
 public:
  RuntimeError(int number, const std::string& message)
      : std::runtime_error(message), number_(number) {}
  int number() const noexcept { return number_; }

 private:
  int number_;
};

// The bridge library cannot be loaded (53) or lacks an export (453). The message names what is
// missing.
class BindingError : public RuntimeError {
 public:
  using RuntimeError::RuntimeError;
};

// 16- or 32-bit integer arithmetic left its range (6).
class OverflowError : public RuntimeError {
 public:
  OverflowError() : RuntimeError(6, "Overflow") {}
};

// An object argument that holds no object (91).
class ObjectNotSetError : public RuntimeError {
 public:
  ObjectNotSetError() : RuntimeError(91, "Object variable not set") {}
};

// An array argument that does not have the shape the member needs (9).
class SubscriptError : public RuntimeError {
 public:
  SubscriptError() : RuntimeError(9, "Subscript out of range") {}
};

}  // namespace kubisto
