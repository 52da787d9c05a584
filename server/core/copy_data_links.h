// The client links of the server, one per client window. A link is used through a handle that
// keeps it alive: a link that code 250 removes while a message or a dialog still works on it
// is freed when the last use ends.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "server/core/copy_data_object.h"

namespace hx {

class TCopyDataLinks {
 public:
  class TUse {
   public:
    TUse() = default;
    TUse(TUse&& other) noexcept : links_(other.links_), link_(other.link_) {
      other.link_ = nullptr;
    }
    TUse& operator=(TUse&&) = delete;
    ~TUse();
    explicit operator bool() const { return link_ != nullptr; }
    TCopyDataObject* operator->() const { return link_; }
    TCopyDataObject& operator*() const { return *link_; }

   private:
    friend class TCopyDataLinks;
    TUse(TCopyDataLinks* links, TCopyDataObject* link);
    TCopyDataLinks* links_ = nullptr;
    TCopyDataObject* link_ = nullptr;
  };

  explicit TCopyDataLinks(TLinkContext& context) : context_(context) {}
  TCopyDataLinks(const TCopyDataLinks&) = delete;
  TCopyDataLinks& operator=(const TCopyDataLinks&) = delete;

  // The link of the client window (FindCopyDataObject); empty when there is none. A link that
  // code 250 gave up is not found.
  TUse Find(uint32_t client_window);
  // The link of the client window, made when the window has none yet.
  TUse FindOrAdd(uint32_t client_window);
  int Count() const;

 private:
  struct TEntry {
    std::unique_ptr<TCopyDataObject> link;
    int uses = 0;
  };
  TEntry* FindEntry(uint32_t client_window);
  void Release(TCopyDataObject* link);

  TLinkContext& context_;
  std::vector<std::unique_ptr<TEntry>> entries_;
};

}  // namespace hx
