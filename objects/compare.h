// TCompare: the comparison component a sorted view asks to order two items, with a key that
// selects the ordering (a column, a field) and events for changing and editing that key.
#pragma once

#include <functional>

namespace hx {

class TCompare {
 public:
  using CompareEvent = std::function<void(const void* a, const void* b, int& result, int key)>;
  using KeyChangeEvent = std::function<void(int key)>;
  using KeyEditEvent = std::function<void(int& key)>;

  // The result OnCompare leaves; -1 without a handler.
  int Compare(const void* a, const void* b) const;

  int CompareKey() const { return key_; }
  // A new key is announced through OnCompareKeyChange under the wait cursor.
  void SetCompareKey(int key);
  // Lets OnCompareKeyEdit change the key and applies what it returns.
  void EditCompareKey();

  CompareEvent OnCompare;
  KeyChangeEvent OnCompareKeyChange;
  KeyEditEvent OnCompareKeyEdit;

 private:
  int key_ = 0;
};

}  // namespace hx
