// A vector whose copies share one store until one of them is changed (copy on write). Mesh
// builders copied from one another keep their vertices and normals here, so that a room of many
// copied markers draws from one geometry that stays in the cache. Const access never copies; any
// non-const access first makes the store this object's own. Not for use by several threads at
// once while one of them changes a copy.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

namespace engine {

template <class T>
class CowVector {
 public:
  using Vector = std::vector<T>;
  using iterator = typename Vector::iterator;
  using const_iterator = typename Vector::const_iterator;

  const Vector& Get() const { return store_ ? *store_ : Empty(); }
  // True when both name the very same store (the copies of one another that nobody changed).
  bool SharesWith(const CowVector& other) const { return store_ && store_ == other.store_; }

  size_t size() const { return Get().size(); }
  bool empty() const { return Get().empty(); }
  const T* data() const { return Get().data(); }
  const T& operator[](size_t i) const { return Get()[i]; }
  const_iterator begin() const { return Get().begin(); }
  const_iterator end() const { return Get().end(); }

  T& operator[](size_t i) { return Own()[i]; }
  iterator begin() { return Own().begin(); }
  iterator end() { return Own().end(); }
  void push_back(const T& value) { Own().push_back(value); }
  template <class It>
  void insert(iterator at, It first, It last) {
    Own().insert(at, first, last);
  }
  void clear() { store_.reset(); }
  void swap(CowVector& other) noexcept { store_.swap(other.store_); }

 private:
  static const Vector& Empty() {
    static const Vector empty;
    return empty;
  }
  // The store, made this object's own first when another copy shares it.
  Vector& Own() {
    if (!store_)
      store_ = std::make_shared<Vector>();
    else if (store_.use_count() > 1)
      store_ = std::make_shared<Vector>(*store_);
    return *store_;
  }

  std::shared_ptr<Vector> store_;
};

}  // namespace engine
