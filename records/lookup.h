// Look-up lists: named lists of items (caption, hint, id string, id, enabled flag, glyph) that
// fields, bound controls, pop-up lists and tool-bar actions choose from. This file holds the
// item classes, the look-up base with its searches, users and update bracket, the look-up with
// declared items and the bases of the look-ups that fill their items themselves.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/constants.h"
#include "records/lookup_canvas.h"
#include "records/lookup_glyph.h"
#include "records/lookup_types.h"

namespace hx {

class TCustomLookUp;
class TObjectStream;

// ---- items

// An item's fields in one record.
struct LookUpItemData {
  std::string caption;
  std::string hint;  // empty when it equals the caption
  std::string id_str;
  int32_t id = NoInt;
  bool enabled = true;
  int32_t image_index = -1;
  TGlyphPtr glyph;
};

// The item interface. Every operation is virtual so that a look-up can hand out items it makes
// up on demand; the defaults describe an empty item.
class TCustomLookUpItem {
 public:
  virtual ~TCustomLookUpItem() = default;

  virtual void SetGlyph(TGlyphPtr glyph) {}
  virtual void SetCaption(std::string_view caption) {}
  virtual void SetHint(std::string_view hint) {}
  virtual void SetId(int32_t id) {}
  virtual void SetIdStr(std::string_view id_str) {}
  virtual void SetEnabled(bool enabled) {}
  virtual void SetImageIndex(int32_t index) {}
  virtual int32_t ImageIndex() const { return -1; }
  virtual std::string Caption() const { return {}; }
  virtual std::string Hint() const { return {}; }
  virtual int32_t Id() const { return NoInt; }
  virtual std::string IdStr() const { return {}; }
  virtual TGlyphPtr Glyph() const { return nullptr; }
  virtual bool Enabled() const { return true; }
};

class TLookUpItem : public TCustomLookUpItem {
 public:
  // owner (not owned) is told about changes and gives the image list of the image index.
  explicit TLookUpItem(TCustomLookUp* owner = nullptr) : owner_(owner) {}
  TLookUpItem(TCustomLookUp* owner, LookUpItemData data);

  // The setters trim texts. A hint equal to the caption is not kept. A glyph sets the image
  // index to -1; an image index drops the glyph. A change tells the owner.
  void SetGlyph(TGlyphPtr glyph) override;
  void SetCaption(std::string_view caption) override;
  void SetHint(std::string_view hint) override;
  void SetId(int32_t id) override;
  void SetIdStr(std::string_view id_str) override;
  void SetEnabled(bool enabled) override;
  void SetImageIndex(int32_t index) override;

  int32_t ImageIndex() const override { return data_.image_index; }
  std::string Caption() const override { return data_.caption; }
  // The kept hint, or the caption when none is kept.
  std::string Hint() const override { return data_.hint.empty() ? data_.caption : data_.hint; }
  int32_t Id() const override { return data_.id; }
  std::string IdStr() const override { return data_.id_str; }
  // The item's own picture; else its image in the owner's image list, on a transparent
  // background of the list's image size; else none.
  TGlyphPtr Glyph() const override;
  bool Enabled() const override { return data_.enabled; }

  const LookUpItemData& Data() const { return data_; }
  // Replaces every field as given, without telling the owner (for items a look-up fills).
  void Fill(LookUpItemData data) { data_ = std::move(data); }

 private:
  void Notify();

  TCustomLookUp* owner_;
  LookUpItemData data_;
};

// ---- texts of an item by return mode

// The short part of a caption or hint: the text before the first "|" (the whole text without
// one).
std::string ShortPart(std::string_view text);
// The long part: the text after the first "|" (the whole text without one).
std::string LongPart(std::string_view text);
// The text handed back for a chosen item: rsCaption the short part of the caption, rsHint
// the long part of the hint, rsId the id in decimal (empty for NoInt), rsIdStr the id string.
std::string ReturnText(const TCustomLookUpItem& item, TReturnStr mode);
// A trimmed decimal int32 with an optional sign; false for anything else.
bool ParseLookUpInteger(std::string_view text, int32_t& value);
// Removes the "&" marks of a caption ("&&" stays as one "&").
std::string StripAccelerators(std::string_view caption);

// ---- users and pop-up host

// A control or list that shows a look-up. It is told when the look-up's items change and
// when the look-up is destroyed (after which it must not use it). A user removes itself with
// RemoveUser before it goes.
class ILookUpUser {
 public:
  virtual void LookUpChanged(TCustomLookUp& lookup) = 0;
  virtual void LookUpDestroyed(TCustomLookUp& lookup) = 0;

 protected:
  ~ILookUpUser() = default;
};

// An opaque reference to a control of the platform (the owner of a pop-up list, the control
// an edit of the items starts from).
using LookUpControl = void*;
// Receives the text of a chosen item.
using LookUpTextCallback = std::function<void(const std::string& text)>;

// Opens pop-up lists; the platform installs one. Without a host nothing pops up.
class ILookUpPopUpHost {
 public:
  virtual ~ILookUpPopUpHost() = default;
  virtual void PopUpAt(TCustomLookUp& lookup, int x, int y, int height, int width, TReturnStr mode,
                       LookUpTextCallback callback) = 0;
  virtual void PopUpUnder(TCustomLookUp& lookup, LookUpControl control, TReturnStr mode,
                          LookUpTextCallback callback) = 0;
};
void SetLookUpPopUpHost(ILookUpPopUpHost* host);
ILookUpPopUpHost* LookUpPopUpHost();

// ---- look-ups

enum TLookUpDrawStyle : uint8_t { ldsStandard, ldsLookUpDraw };

class TCustomLookUp {
 public:
  using MeasureItemEvent =
      std::function<void(TCustomLookUp& lookup, ILookUpCanvas& canvas, int& glyph_width,
                         int& height, int& width, int index, TDisplayStyle style)>;
  using DrawItemEvent =
      std::function<void(TCustomLookUp& lookup, ILookUpCanvas& canvas, const ItemRect& rect,
                         unsigned state, int glyph_width, int index, TDisplayStyle style)>;
  using NotifyEvent = std::function<void(TCustomLookUp& lookup)>;
  using EditItemsEvent =
      std::function<void(TCustomLookUp& lookup, LookUpControl control, const std::string& text,
                         const LookUpTextCallback& callback)>;

  TCustomLookUp() = default;
  // Tells every user that the look-up is gone.
  virtual ~TCustomLookUp();
  TCustomLookUp(const TCustomLookUp&) = delete;
  TCustomLookUp& operator=(const TCustomLookUp&) = delete;

  std::string Name;     // the component name (LUp_..., SLUp_...)
  std::string Caption;  // the list's name, shown in the message for a text not in the list
  TLookUpDrawStyle DrawStyle = ldsStandard;
  int Columns = 0;  // 0: as many as the screen asks for
  bool SlimRows = false;
  TDisplayStyle DisplayStyle = dsCaptionGlyph;
  bool AddEditItem = false;
  MeasureItemEvent OnMeasureItem;
  DrawItemEvent OnDrawItem;
  NotifyEvent OnUpdateItems;
  EditItemsEvent OnEditItems;

  virtual const IImageList* Images() const { return nullptr; }
  virtual void SetImages(const IImageList* images) {}
  virtual int Count() const { return 0; }
  // The item at index, or none outside 0 .. Count()-1. Items that a look-up fills on demand
  // stay valid only until the next call.
  virtual TCustomLookUpItem* Items(int index) const { return nullptr; }
  // Called when a pop-up list chooses the item at index, before its text is handed on.
  virtual void ItemChosen(int index) {}
  virtual void Clear() {}
  // Lets the look-up enlarge an entry's glyph column, height and width (OnMeasureItem here).
  virtual void MeasureItem(ILookUpCanvas& canvas, int& glyph_width, int& height, int& width,
                           int index, TDisplayStyle style);
  // Draws the entry at index into rect (OnDrawItem when set, else the standard drawing).
  virtual void DrawItem(ILookUpCanvas& canvas, const ItemRect& rect, unsigned state,
                        int glyph_width, int index, TDisplayStyle style);
  // Tells every user to refresh, then fires OnUpdateItems. Inside BeginUpdate/EndUpdate it
  // waits for EndUpdate.
  virtual void Changed();
  void PopUpAt(int x, int y, LookUpTextCallback callback, TReturnStr mode, int height = 0,
               int width = 0);
  void PopUpUnder(LookUpControl control, TReturnStr mode, LookUpTextCallback callback);
  // True for a look-up whose last entry is a custom value that the pop-up list edits instead
  // of choosing.
  virtual bool HasCustomEntry() const { return false; }
  // The position of the first item with that id, or -1.
  virtual int IndexOfId(int32_t id);
  // Fires OnEditItems.
  virtual void EditItems(LookUpControl control, const std::string& text,
                         const LookUpTextCallback& callback);
  // The item as a pop-up list shows it (the same as Items here).
  virtual TCustomLookUpItem* PopUpItem(int index) const { return Items(index); }

  // The first item whose caption equals text ignoring case; else, for a one-character text,
  // the first item whose caption's short part begins with that character; else -1.
  int IndexOfCaption(std::string_view text) const;
  // The first item whose hint equals text ignoring case; else NoInt.
  int IndexOfHint(std::string_view text) const;
  // The first item whose id string equals text exactly; else -1.
  int IndexOfIdStr(std::string_view text) const;
  TCustomLookUpItem* ItemById(int32_t id);
  // The item a text names under a return mode: the search of that mode, and also the text a
  // choice hands back (the short part of a caption, the long part of a hint), so that every
  // chosen text finds its item again. -1 when none.
  int IndexOfText(std::string_view text, TReturnStr mode);

  void BeginUpdate() { updating_ = true; }
  void EndUpdate();
  bool Updating() const { return updating_; }

  void AddUser(ILookUpUser* user);
  void RemoveUser(ILookUpUser* user);
  const std::vector<ILookUpUser*>& Users() const { return users_; }

 protected:
  // Tells the users; used by Changed and EndUpdate.
  void NotifyUsers();

 private:
  std::vector<ILookUpUser*> users_;
  bool updating_ = false;
  bool pending_ = false;
};

// The default drawing of an entry by display style: the glyph at the left of its column, then
// the caption without "&" marks, the id string or the id; greyed when disabled.
void DrawStandardItem(ILookUpCanvas& canvas, const ItemRect& rect, const TCustomLookUpItem& item,
                      unsigned state, int glyph_width, TDisplayStyle style);
// The text an entry shows in a display style (empty for dsGlyph).
std::string DisplayText(const TCustomLookUpItem& item, TDisplayStyle style);

// A look-up that owns a list of items and refers to an image list.
class TLookUp0 : public TCustomLookUp {
 public:
  TLookUp0() = default;

  const IImageList* Images() const override { return images_; }
  void SetImages(const IImageList* images) override;
  int Count() const override { return static_cast<int>(items_.size()); }
  TCustomLookUpItem* Items(int index) const override;
  void Clear() override;

  TLookUpItem& Add(LookUpItemData data);
  TLookUpItem& Insert(int index, LookUpItemData data);
  void Delete(int index);
  TLookUpItem& Item(int index) { return *items_.at(index); }

  // The item list record of form descriptions ("Items"): int32 count, then per item caption,
  // hint, id string (strings), id (int32), enabled (boolean), image index (int32), has glyph
  // (boolean) and, when it has one, int32 size and the glyph's bitmap file data. Reading
  // replaces the items; a count or size larger than the data raises EObjectStream -8, and a
  // glyph whose data is not a readable bitmap is dropped.
  void ReadItems(TObjectStream& s);
  void WriteItems(TObjectStream& s) const;

 private:
  std::vector<std::unique_ptr<TLookUpItem>> items_;
  const IImageList* images_ = nullptr;
};

// The look-up with items declared in the form description.
class TLookUp : public TLookUp0 {};

// A look-up whose items are made up on demand: one scratch item is filled on every Items call.
class TCustomLookUp2 : public TCustomLookUp {
 public:
  TCustomLookUp2() : scratch_(this) {}
  TCustomLookUpItem* Items(int index) const override;

 protected:
  // Fills the fields of the item at index (0 <= index < Count()).
  virtual void FillItem(int index, LookUpItemData& data) const = 0;
  // Hands out the scratch item filled with data.
  TCustomLookUpItem* Scratch(LookUpItemData data) const;

 private:
  mutable TLookUpItem scratch_;
};

// Adds the masks applied to an item's text: CaptionMask gives the caption, HintMask the hint
// (format texts with one %s argument; an empty mask leaves the text as it is).
class TCustomLookUp3 : public TCustomLookUp2 {
 public:
  std::string CaptionMask;
  std::string HintMask;

 protected:
  static std::string ApplyMask(const std::string& mask, const std::string& text);
};

}  // namespace hx
