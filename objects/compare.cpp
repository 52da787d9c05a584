#include "objects/compare.h"

#include "base/wait_cursor.h"

namespace hx {

int TCompare::Compare(const void* a, const void* b) const {
  int result = -1;
  if (OnCompare) OnCompare(a, b, result, key_);
  return result;
}

void TCompare::SetCompareKey(int key) {
  if (key == key_) return;
  key_ = key;
  WaitCursor wait;
  if (OnCompareKeyChange) OnCompareKeyChange(key);
}

void TCompare::EditCompareKey() {
  int key = key_;
  if (OnCompareKeyEdit) OnCompareKeyEdit(key);
  SetCompareKey(key);
}

}  // namespace hx
