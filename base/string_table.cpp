#include "base/string_table.h"

#include <algorithm>
#include <iterator>
#include <vector>

namespace hx {
namespace {

struct Entry {
  int id;
  std::string_view text;
};

constexpr Entry kEntries[] = {
#include "base/strings/common.inc"
#include "base/strings/objects.inc"
#include "base/strings/records.inc"
#include "base/strings/server.inc"
#include "base/strings/catalogs.inc"
};

const std::vector<Entry>& SortedEntries() {
  static const std::vector<Entry> sorted = [] {
    std::vector<Entry> v(std::begin(kEntries), std::end(kEntries));
    std::stable_sort(v.begin(), v.end(), [](const Entry& a, const Entry& b) { return a.id < b.id; });
    return v;
  }();
  return sorted;
}

const Entry* Find(int id) {
  const auto& v = SortedEntries();
  const auto it =
      std::lower_bound(v.begin(), v.end(), id, [](const Entry& e, int key) { return e.id < key; });
  return it != v.end() && it->id == id ? &*it : nullptr;
}

}  // namespace

std::string_view LoadStr(int id) {
  const Entry* e = Find(id);
  return e ? e->text : std::string_view{};
}

bool HasStr(int id) { return Find(id) != nullptr; }

}  // namespace hx
