#pragma once
// Owns every script object. Objects refer to each other by plain pointers; collect()
// frees those no root reaches (run between scripts, when nothing is on a stack).
// Growth is bounded: past the limits the running script is stopped.
#include <cstddef>
#include <memory>
#include <vector>

#include "movie/script/object.h"

namespace movie::script {

class Heap {
 public:
  static constexpr size_t kMaxObjects = 500'000;
  static constexpr size_t kMaxSlots = 4'000'000;  // properties and array elements in all

  Heap() = default;
  Heap(const Heap&) = delete;
  Heap& operator=(const Heap&) = delete;

  template <class T, class... Args>
  T* make(Args&&... args) {
    auto object = std::make_unique<T>(*this, std::forward<Args>(args)...);
    T* raw = object.get();
    objects_.push_back(std::move(object));
    noteGrowth(1);
    checkLimits();
    return raw;
  }

  bool caseSensitive() const { return caseSensitive_; }
  void setCaseSensitive(bool on) { caseSensitive_ = on; }

  // Counts new slots; checkLimits() throws ScriptAbort when the bounds are passed.
  void noteGrowth(size_t slots) { slots_ += slots; }
  void checkLimits() const;
  size_t objectCount() const { return objects_.size(); }
  size_t growthSinceCollect() const { return slots_; }

  // Frees objects unreachable from roots.
  void collect(const std::vector<Object*>& roots);

 private:
  std::vector<std::unique_ptr<Object>> objects_;
  size_t slots_ = 0;
  bool caseSensitive_ = true;
};

}  // namespace movie::script
