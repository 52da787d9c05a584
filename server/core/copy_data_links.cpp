#include "server/core/copy_data_links.h"

#include <algorithm>

namespace hx {

TCopyDataLinks::TUse::TUse(TCopyDataLinks* links, TCopyDataObject* link)
    : links_(links), link_(link) {}

TCopyDataLinks::TUse::~TUse() {
  if (link_) links_->Release(link_);
}

TCopyDataLinks::TEntry* TCopyDataLinks::FindEntry(uint32_t client_window) {
  for (auto& e : entries_) {
    if (e->link->ClientWindow() == client_window && !e->link->RemoveRequested()) return e.get();
  }
  return nullptr;
}

TCopyDataLinks::TUse TCopyDataLinks::Find(uint32_t client_window) {
  TEntry* e = FindEntry(client_window);
  if (!e) return TUse();
  ++e->uses;
  return TUse(this, e->link.get());
}

TCopyDataLinks::TUse TCopyDataLinks::FindOrAdd(uint32_t client_window) {
  if (!FindEntry(client_window)) {
    auto entry = std::make_unique<TEntry>();
    entry->link = std::make_unique<TCopyDataObject>(context_, client_window);
    entries_.push_back(std::move(entry));
  }
  return Find(client_window);
}

int TCopyDataLinks::Count() const {
  return static_cast<int>(std::count_if(entries_.begin(), entries_.end(),
                                        [](const auto& e) { return !e->link->RemoveRequested(); }));
}

void TCopyDataLinks::Release(TCopyDataObject* link) {
  for (auto it = entries_.begin(); it != entries_.end(); ++it) {
    if ((*it)->link.get() != link) continue;
    if (--(*it)->uses == 0 && link->RemoveRequested()) entries_.erase(it);
    return;
  }
}

}  // namespace hx
