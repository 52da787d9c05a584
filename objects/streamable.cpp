#include "objects/streamable.h"

#include <algorithm>
#include <vector>

#include "objects/object_stream.h"

namespace hx {
namespace {

// The stream registry: records ordered by type id, no duplicates.
std::vector<StreamClass>& Registry() {
  static std::vector<StreamClass> registry = [] {
    std::vector<StreamClass> v;
    v.reserve(32);
    return v;
  }();
  return registry;
}

}  // namespace

void TStreamableObject::CopyTo(TStreamableObject& target) const {
  TObjectStream s;
  Store0(s);
  s.SetPosition(0);
  target.Load0(s);
}

std::unique_ptr<TStreamableObject> TStreamableObject::Clone() const {
  std::unique_ptr<TStreamableObject> copy = NewInstance();
  CopyTo(*copy);
  return copy;
}

void RegisterStreamable(const StreamClass& cls) {
  auto& reg = Registry();
  auto it = reg.begin();
  for (; it != reg.end() && it->type_id <= cls.type_id; ++it) {
    if (it->type_id != cls.type_id) continue;
    if (*it->type == *cls.type) return;
    throw EObjectStream(-4, {cls.type_id, it->name, cls.name});
  }
  reg.insert(it, cls);
}

const StreamClass* FindStreamClass(int32_t type_id) {
  const auto& reg = Registry();
  const auto it = std::lower_bound(reg.begin(), reg.end(), type_id,
                                   [](const StreamClass& c, int32_t id) { return c.type_id < id; });
  return it != reg.end() && it->type_id == type_id ? &*it : nullptr;
}

}  // namespace hx
