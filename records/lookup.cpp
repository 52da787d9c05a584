#include "records/lookup.h"

#include <algorithm>
#include <charconv>

#include "base/msg_format.h"
#include "base/text.h"
#include "base/utf8.h"
#include "objects/object_stream.h"

namespace hx {

// ---- items

TLookUpItem::TLookUpItem(TCustomLookUp* owner, LookUpItemData data)
    : owner_(owner), data_(std::move(data)) {
  if (data_.hint == data_.caption) data_.hint.clear();
  if (data_.glyph) data_.image_index = -1;
}

void TLookUpItem::Notify() {
  if (owner_) owner_->Changed();
}

void TLookUpItem::SetGlyph(TGlyphPtr glyph) {
  data_.glyph = std::move(glyph);
  data_.image_index = -1;
  Notify();
}

void TLookUpItem::SetCaption(std::string_view caption) {
  std::string text = Trim(caption);
  if (text == data_.caption) return;
  data_.caption = std::move(text);
  Notify();
}

void TLookUpItem::SetHint(std::string_view hint) {
  std::string text = Trim(hint);
  if (text == data_.caption) text.clear();
  if (text == data_.hint) return;
  data_.hint = std::move(text);
  Notify();
}

void TLookUpItem::SetId(int32_t id) {
  if (id == data_.id) return;
  data_.id = id;
  Notify();
}

void TLookUpItem::SetIdStr(std::string_view id_str) {
  std::string text = Trim(id_str);
  if (text == data_.id_str) return;
  data_.id_str = std::move(text);
  Notify();
}

void TLookUpItem::SetEnabled(bool enabled) {
  if (enabled == data_.enabled) return;
  data_.enabled = enabled;
  Notify();
}

void TLookUpItem::SetImageIndex(int32_t index) {
  if (index == data_.image_index) return;
  data_.image_index = index;
  data_.glyph.reset();
  Notify();
}

TGlyphPtr TLookUpItem::Glyph() const {
  if (data_.glyph) return data_.glyph;
  if (data_.image_index < 0 || !owner_) return nullptr;
  return RenderImage(owner_->Images(), data_.image_index);
}

// ---- texts

std::string ShortPart(std::string_view text) {
  return std::string(text.substr(0, text.find('|')));
}

std::string LongPart(std::string_view text) {
  const size_t bar = text.find('|');
  return std::string(bar == std::string_view::npos ? text : text.substr(bar + 1));
}

std::string ReturnText(const TCustomLookUpItem& item, TReturnStr mode) {
  switch (mode) {
    case rsCaption:
      return ShortPart(item.Caption());
    case rsHint: {
      std::string part = LongPart(item.Hint());
      if (Trim(part).empty()) part.clear();
      return part;
    }
    case rsId:
      return item.Id() == NoInt ? std::string() : std::to_string(item.Id());
    case rsIdStr:
      return item.IdStr();
  }
  return {};
}

bool ParseLookUpInteger(std::string_view text, int32_t& value) {
  const std::string t = Trim(text);
  const char* first = t.data();
  const char* last = t.data() + t.size();
  if (first != last && *first == '+') {
    ++first;
    if (first == last || *first < '0' || *first > '9') return false;
  }
  int32_t v = 0;
  const auto [ptr, ec] = std::from_chars(first, last, v);
  if (ec != std::errc() || ptr != last) return false;
  value = v;
  return true;
}

std::string StripAccelerators(std::string_view caption) {
  std::string out;
  out.reserve(caption.size());
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&') {
      if (i + 1 < caption.size() && caption[i + 1] == '&') {
        out += '&';
        ++i;
      }
      continue;
    }
    out += caption[i];
  }
  return out;
}

std::string DisplayText(const TCustomLookUpItem& item, TDisplayStyle style) {
  switch (style) {
    case dsCaption:
    case dsCaptionGlyph:
      return StripAccelerators(item.Caption());
    case dsIdStr:
    case dsIdStrGlyph:
      return item.IdStr();
    case dsId:
    case dsIdGlyph:
      return item.Id() == NoInt ? std::string() : std::to_string(item.Id());
    case dsGlyph:
      break;
  }
  return {};
}

void DrawStandardItem(ILookUpCanvas& canvas, const ItemRect& rect, const TCustomLookUpItem& item,
                      unsigned state, int glyph_width, TDisplayStyle style) {
  const bool disabled = (state & kItemDisabled) || !item.Enabled();
  int x = rect.left;
  if (ShowsGlyph(style)) {
    if (const TGlyphPtr glyph = item.Glyph()) {
      canvas.DrawGlyph(x + 1, rect.top + (rect.Height() - glyph->height) / 2, *glyph, disabled);
    }
    x += glyph_width;
  }
  if (!ShowsText(style)) return;
  const std::string text = DisplayText(item, style);
  if (text.empty()) return;
  const int h = canvas.TextHeight(text);
  canvas.DrawText(x + 3, rect.top + (rect.Height() - h) / 2, text, disabled);
}

// ---- pop-up host

namespace {
ILookUpPopUpHost* g_popup_host = nullptr;

// The upper-cased first code point of text, and whether text is exactly one code point.
bool SingleCharacter(std::string_view text, char32_t& upper) {
  size_t pos = 0;
  const char32_t cp = NextCodePoint(text, pos);
  if (text.empty() || pos != text.size()) return false;
  upper = UpperCodePoint(cp);
  return true;
}

bool BeginsWithCharacter(std::string_view text, char32_t upper) {
  if (text.empty()) return false;
  size_t pos = 0;
  return UpperCodePoint(NextCodePoint(text, pos)) == upper;
}

}  // namespace

void SetLookUpPopUpHost(ILookUpPopUpHost* host) {
  g_popup_host = host;
}
ILookUpPopUpHost* LookUpPopUpHost() {
  return g_popup_host;
}

// ---- look-up

TCustomLookUp::~TCustomLookUp() {
  // Users may remove themselves while being told; each is told once.
  std::vector<ILookUpUser*> users;
  users.swap(users_);
  for (ILookUpUser* user : users) user->LookUpDestroyed(*this);
}

void TCustomLookUp::MeasureItem(ILookUpCanvas& canvas, int& glyph_width, int& height, int& width,
                                int index, TDisplayStyle style) {
  if (OnMeasureItem) OnMeasureItem(*this, canvas, glyph_width, height, width, index, style);
}

void TCustomLookUp::DrawItem(ILookUpCanvas& canvas, const ItemRect& rect, unsigned state,
                             int glyph_width, int index, TDisplayStyle style) {
  if (OnDrawItem) {
    OnDrawItem(*this, canvas, rect, state, glyph_width, index, style);
    return;
  }
  if (const TCustomLookUpItem* item = PopUpItem(index)) {
    DrawStandardItem(canvas, rect, *item, state, glyph_width, style);
  }
}

void TCustomLookUp::Changed() {
  if (updating_) {
    pending_ = true;
    return;
  }
  NotifyUsers();
  if (OnUpdateItems) OnUpdateItems(*this);
}

void TCustomLookUp::NotifyUsers() {
  const std::vector<ILookUpUser*> users = users_;
  for (ILookUpUser* user : users) {
    // A user told earlier may have removed another one.
    if (std::find(users_.begin(), users_.end(), user) != users_.end()) user->LookUpChanged(*this);
  }
}

void TCustomLookUp::EndUpdate() {
  if (!updating_) return;
  updating_ = false;
  pending_ = false;
  Changed();
}

void TCustomLookUp::AddUser(ILookUpUser* user) {
  if (user && std::find(users_.begin(), users_.end(), user) == users_.end()) {
    users_.push_back(user);
  }
}

void TCustomLookUp::RemoveUser(ILookUpUser* user) {
  users_.erase(std::remove(users_.begin(), users_.end(), user), users_.end());
}

void TCustomLookUp::PopUpAt(int x, int y, LookUpTextCallback callback, TReturnStr mode, int height,
                            int width) {
  Changed();
  if (g_popup_host) g_popup_host->PopUpAt(*this, x, y, height, width, mode, std::move(callback));
}

void TCustomLookUp::PopUpUnder(LookUpControl control, TReturnStr mode,
                               LookUpTextCallback callback) {
  Changed();
  if (g_popup_host) g_popup_host->PopUpUnder(*this, control, mode, std::move(callback));
}

int TCustomLookUp::IndexOfId(int32_t id) {
  const int n = Count();
  for (int i = 0; i < n; ++i) {
    const TCustomLookUpItem* item = Items(i);
    if (item && item->Id() == id) return i;
  }
  return -1;
}

void TCustomLookUp::EditItems(LookUpControl control, const std::string& text,
                              const LookUpTextCallback& callback) {
  if (OnEditItems) OnEditItems(*this, control, text, callback);
}

int TCustomLookUp::IndexOfCaption(std::string_view text) const {
  const int n = Count();
  for (int i = 0; i < n; ++i) {
    const TCustomLookUpItem* item = Items(i);
    if (item && SameText(item->Caption(), text)) return i;
  }
  char32_t first;
  if (!SingleCharacter(text, first)) return -1;
  for (int i = 0; i < n; ++i) {
    const TCustomLookUpItem* item = Items(i);
    if (item && BeginsWithCharacter(ShortPart(item->Caption()), first)) return i;
  }
  return -1;
}

int TCustomLookUp::IndexOfHint(std::string_view text) const {
  const int n = Count();
  for (int i = 0; i < n; ++i) {
    const TCustomLookUpItem* item = Items(i);
    if (item && SameText(item->Hint(), text)) return i;
  }
  return NoInt;
}

int TCustomLookUp::IndexOfIdStr(std::string_view text) const {
  const int n = Count();
  for (int i = 0; i < n; ++i) {
    const TCustomLookUpItem* item = Items(i);
    if (item && item->IdStr() == text) return i;
  }
  return -1;
}

TCustomLookUpItem* TCustomLookUp::ItemById(int32_t id) {
  const int index = IndexOfId(id);
  return index >= 0 ? Items(index) : nullptr;
}

int TCustomLookUp::IndexOfText(std::string_view text, TReturnStr mode) {
  const int n = Count();
  // The text a choice of this mode hands back, where it differs from the plain search.
  const auto find_returned = [&]() {
    for (int i = 0; i < n; ++i) {
      const TCustomLookUpItem* item = Items(i);
      if (item && SameText(ReturnText(*item, mode), text)) return i;
    }
    return -1;
  };
  switch (mode) {
    case rsCaption: {
      for (int i = 0; i < n; ++i) {
        const TCustomLookUpItem* item = Items(i);
        if (item && SameText(item->Caption(), text)) return i;
      }
      if (!text.empty()) {
        const int returned = find_returned();
        if (returned >= 0) return returned;
      }
      return IndexOfCaption(text);
    }
    case rsHint: {
      const int index = IndexOfHint(text);
      if (index != NoInt) return index;
      return text.empty() ? -1 : find_returned();
    }
    case rsId: {
      int32_t id;
      return ParseLookUpInteger(text, id) ? IndexOfId(id) : -1;
    }
    case rsIdStr:
      return IndexOfIdStr(text);
  }
  return -1;
}

// ---- TLookUp0

void TLookUp0::SetImages(const IImageList* images) {
  if (images == images_) return;
  images_ = images;
  Changed();
}

TCustomLookUpItem* TLookUp0::Items(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return items_[index].get();
}

void TLookUp0::Clear() {
  if (items_.empty()) return;
  items_.clear();
  Changed();
}

TLookUpItem& TLookUp0::Add(LookUpItemData data) {
  return Insert(Count(), std::move(data));
}

TLookUpItem& TLookUp0::Insert(int index, LookUpItemData data) {
  index = std::clamp(index, 0, Count());
  auto item = std::make_unique<TLookUpItem>(this, std::move(data));
  TLookUpItem& ref = *item;
  items_.insert(items_.begin() + index, std::move(item));
  Changed();
  return ref;
}

void TLookUp0::Delete(int index) {
  if (index < 0 || index >= Count()) return;
  items_.erase(items_.begin() + index);
  Changed();
}

namespace {
// Two empty strings, id, enabled, image index, has glyph.
constexpr int64_t kMinItemRecordSize = 2 + 2 + 2 + 4 + 1 + 4 + 1;
}  // namespace

void TLookUp0::ReadItems(TObjectStream& s) {
  const int32_t count = s.ReadInt32();
  s.CheckAvailable(count, kMinItemRecordSize);
  std::vector<std::unique_ptr<TLookUpItem>> items;
  items.reserve(count);
  for (int32_t i = 0; i < count; ++i) {
    LookUpItemData data;
    data.caption = s.ReadStr();
    data.hint = s.ReadStr();
    data.id_str = s.ReadStr();
    data.id = s.ReadInt32();
    data.enabled = s.ReadBool();
    data.image_index = s.ReadInt32();
    if (s.ReadBool()) {
      const int32_t size = s.ReadInt32();
      s.CheckAvailable(size);
      std::vector<uint8_t> bytes(size);
      s.ReadBytes(bytes.data(), bytes.size());
      data.glyph = DecodeGlyphBitmap(bytes.data(), bytes.size());
    }
    items.push_back(std::make_unique<TLookUpItem>(this, std::move(data)));
  }
  items_ = std::move(items);
  Changed();
}

void TLookUp0::WriteItems(TObjectStream& s) const {
  s.WriteInt32(Count());
  for (const auto& item : items_) {
    const LookUpItemData& d = item->Data();
    s.WriteStr(d.caption);
    s.WriteStr(d.hint);
    s.WriteStr(d.id_str);
    s.WriteInt32(d.id);
    s.WriteBool(d.enabled);
    s.WriteInt32(d.image_index);
    s.WriteBool(d.glyph != nullptr);
    if (d.glyph) {
      const std::vector<uint8_t> bytes = EncodeGlyphBitmap(*d.glyph);
      s.WriteInt32(static_cast<int32_t>(bytes.size()));
      s.WriteBytes(bytes.data(), bytes.size());
    }
  }
}

// ---- self-filling bases

TCustomLookUpItem* TCustomLookUp2::Items(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  LookUpItemData data;
  FillItem(index, data);
  return Scratch(std::move(data));
}

TCustomLookUpItem* TCustomLookUp2::Scratch(LookUpItemData data) const {
  if (data.hint == data.caption) data.hint.clear();
  scratch_.Fill(std::move(data));
  return &scratch_;
}

std::string TCustomLookUp3::ApplyMask(const std::string& mask, const std::string& text) {
  return mask.empty() ? text : FormatMsg(mask, {text});
}

}  // namespace hx
