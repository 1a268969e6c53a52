// How the workroom runs a sequence of engine steps: most of its operations let one failing step
// go and carry on with the next, so that a single engine fault never stops a whole command.
#pragma once

#include <memory>

#include "scene/errors.h"

namespace kubisto {

// Runs one step; any error it raises is dropped. True when the step completed.
template <class F>
bool TryStep(F&& step) noexcept {
  try {
    step();
    return true;
  } catch (...) {
    return false;
  }
}

// The object an optional wrapper holds; using an absent one is the error of an unset object
// (which the step's caller then drops or passes on).
template <class T>
T& Need(const std::shared_ptr<T>& object) {
  if (!object) throw ObjectNotSetError();
  return *object;
}

// The wrapper itself, checked to hold an object: an absent argument is the error of an unset
// object rather than a kind that the scene classes refuse by ending the program.
template <class T>
const std::shared_ptr<T>& Present(const std::shared_ptr<T>& object) {
  if (!object) throw ObjectNotSetError();
  return object;
}

}  // namespace kubisto
