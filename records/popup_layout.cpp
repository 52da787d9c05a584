#include "records/popup_layout.h"

#include <algorithm>

#include "base/string_table.h"

namespace hx {
namespace {

bool g_flat_command_bars = false;

int CeilDiv(int a, int b) {
  return b > 0 ? (a + b - 1) / b : 0;
}

LookUpItemData EditEntryData() {
  LookUpItemData d;
  d.caption = std::string(LoadStr(10311));
  d.hint = std::string(LoadStr(10310));
  d.glyph = RenderImage(SharedImages(), kImageEditEntry);
  return d;
}

}  // namespace

bool FlatCommandBars() {
  return g_flat_command_bars;
}
void SetFlatCommandBars(bool flat) {
  g_flat_command_bars = flat;
}

ItemRect PlacePopUp(const ItemRect& anchor, int width, int height, const ItemRect& screen,
                    bool under_control) {
  int left = anchor.left;
  if (under_control && width < anchor.Width()) left = anchor.right - width;
  int top = anchor.bottom;
  if (top + height > screen.bottom) {
    top = anchor.top - height;
    if (top < screen.top) {
      top = screen.top;
      left = anchor.right;
    }
  }
  if (left + width > screen.right) left = screen.right - width;
  if (left < screen.left) left = screen.left;
  return {left, top, left + width, top + height};
}

PopUpListModel::PopUpListModel(TCustomLookUp* lookup)
    : lookup_(lookup), edit_entry_(nullptr, EditEntryData()) {
  if (lookup_) {
    DisplayStyle = lookup_->DisplayStyle;
    AddEditItem = lookup_->AddEditItem;
    Columns = lookup_->Columns;
  }
}

int PopUpListModel::ItemCount() const {
  return lookup_ ? std::max(0, lookup_->Count()) : 0;
}

int PopUpListModel::EntryCount() const {
  return ItemCount() + (AddEditItem ? 1 : 0);
}

bool PopUpListModel::IsEditEntry(int index) const {
  return AddEditItem && index == ItemCount();
}

const TCustomLookUpItem* PopUpListModel::Entry(int index) const {
  if (IsEditEntry(index)) return &edit_entry_;
  if (index < 0 || index >= ItemCount()) return nullptr;
  return lookup_->PopUpItem(index);
}

bool PopUpListModel::EntryEnabled(int index) const {
  const TCustomLookUpItem* entry = Entry(index);
  return entry && entry->Enabled();
}

std::string PopUpListModel::EntryHint(int index) const {
  if (DisplayStyle == dsCaption || DisplayStyle == dsCaptionGlyph) return {};
  const TCustomLookUpItem* entry = Entry(index);
  return entry ? entry->Hint() : std::string();
}

bool PopUpListModel::Flat() const {
  return Style == TLookUpListStyle::lsFlat ||
         (Style == TLookUpListStyle::lsDefault && g_flat_command_bars);
}

void PopUpListModel::Measure(ILookUpCanvas& canvas) {
  const bool glyphs = ShowsGlyph(DisplayStyle);
  const bool texts = ShowsText(DisplayStyle);
  const bool slim = lookup_ && lookup_->SlimRows;
  const int n = EntryCount();
  int glyph_width = 0;
  int row_height = 0;
  int cell_width = 0;
  if (glyphs) {
    int widest = 0;
    int tallest = 0;
    bool any = false;
    for (int i = 0; i < n; ++i) {
      const TCustomLookUpItem* entry = Entry(i);
      const TGlyphPtr glyph = entry ? entry->Glyph() : nullptr;
      if (!glyph) continue;
      any = true;
      widest = std::max(widest, glyph->width);
      tallest = std::max(tallest, glyph->height);
    }
    glyph_width = any ? widest + 3 : 19;
    row_height = (any ? tallest : 16) + (slim ? 0 : 3);
  }
  if (texts) {
    int widest = 0;
    for (int i = 0; i < n; ++i) {
      if (const TCustomLookUpItem* entry = Entry(i)) {
        widest = std::max(widest, canvas.TextWidth(DisplayText(*entry, DisplayStyle)));
      }
    }
    cell_width = glyph_width + widest + 6;
    row_height = std::max(row_height, canvas.TextHeight("Wy") + (slim ? 0 : 4));
  } else {
    cell_width = glyph_width;
  }
  if (lookup_ && (lookup_->DrawStyle == ldsLookUpDraw || lookup_->OnMeasureItem)) {
    for (int i = 0; i < ItemCount(); ++i) {
      lookup_->MeasureItem(canvas, glyph_width, row_height, cell_width, i, DisplayStyle);
    }
  }
  if (Flat()) {
    if (glyphs) glyph_width += texts ? 3 : 4;
    row_height += 4;
    cell_width += texts ? 3 : 4;
  }
  if (BorderStyle == TLookUpBorderStyle::bsEveryItem) row_height += 3;
  glyph_width_ = glyph_width;
  row_height_ = std::max(1, row_height);
  cell_width_ = std::max(1, cell_width);
}

void PopUpListModel::Arrange(const ItemRect& owner, const ItemRect& screen) {
  const int n = EntryCount();
  if (Columns > 0) {
    columns_ = Columns;
  } else if (Embedded) {
    columns_ = 1;
  } else {
    const int margin = Flat() ? 6 : 4;
    const auto columns_for = [&](int space) {
      const int rows = std::max(1, space / row_height_);
      return std::max(1, CeilDiv(n, rows));
    };
    const int below = screen.bottom - owner.bottom - margin;
    const int above = owner.top - screen.top - margin;
    columns_ = columns_for(below);
    if (above > below && n * row_height_ > below) columns_ = columns_for(above);
    if (columns_ * cell_width_ + 2 * Border() > screen.Width()) {
      columns_ = columns_for(screen.Height() - margin);
    }
  }
  rows_ = CeilDiv(n, columns_);
  if (selected_ >= n) selected_ = -1;
}

int PopUpListModel::Border() const {
  return BorderStyle == TLookUpBorderStyle::bsNone ? 0 : 1;
}

int PopUpListModel::Width() const {
  return columns_ * cell_width_ + 2 * Border();
}
int PopUpListModel::Height() const {
  return rows_ * row_height_ + 2 * Border();
}

ItemRect PopUpListModel::CellRect(int index) const {
  if (index < 0 || index >= EntryCount() || rows_ <= 0) return {};
  const int column = index / rows_;
  const int row = index % rows_;
  const int left = Border() + column * cell_width_;
  const int top = Border() + row * row_height_;
  return {left, top, left + cell_width_, top + row_height_};
}

int PopUpListModel::EntryAt(int x, int y) const {
  const int b = Border();
  if (rows_ <= 0 || x < b || y < b) return -1;
  const int column = (x - b) / cell_width_;
  const int row = (y - b) / row_height_;
  if (column >= columns_ || row >= rows_) return -1;
  const int index = column * rows_ + row;
  return index < EntryCount() ? index : -1;
}

void PopUpListModel::DrawEntry(ILookUpCanvas& canvas, int index) {
  const TCustomLookUpItem* entry = Entry(index);
  if (!entry) return;
  unsigned state = index == selected_ ? static_cast<unsigned>(kItemSelected) : 0u;
  if (!entry->Enabled()) state |= kItemDisabled;
  const ItemRect rect = CellRect(index);
  if (IsEditEntry(index)) {
    DrawStandardItem(canvas, rect, *entry, state, glyph_width_, DisplayStyle);
  } else {
    lookup_->DrawItem(canvas, rect, state, glyph_width_, index, DisplayStyle);
  }
}

void PopUpListModel::Select(int index) {
  selected_ = index >= 0 && index < EntryCount() ? index : -1;
}

PopUpAction PopUpListModel::SelectAction(int index) {
  const int before = selected_;
  Select(index);
  return selected_ == before ? PopUpAction::None : PopUpAction::Select;
}

PopUpAction PopUpListModel::MouseMove(int x, int y) {
  return SelectAction(EntryAt(x, y));
}

PopUpAction PopUpListModel::MouseLeave() {
  return SelectAction(-1);
}

PopUpAction PopUpListModel::MouseUp(int x, int y) {
  const int index = EntryAt(x, y);
  return index >= 0 ? Choose(index) : PopUpAction::None;
}

PopUpAction PopUpListModel::KeyDown(PopUpKey key) {
  const int n = EntryCount();
  const auto move_by = [&](int step) {
    if (n == 0) return PopUpAction::None;
    return SelectAction(std::clamp(selected_ + step, 0, n - 1));
  };
  switch (key) {
    case PopUpKey::Tab:
      return n == 0 ? PopUpAction::None : SelectAction(selected_ + 1 < n ? selected_ + 1 : 0);
    case PopUpKey::Enter:
      if (selected_ >= 0 && EntryEnabled(selected_)) return Choose(selected_);
      return n == 0 ? PopUpAction::None : SelectAction(0);
    case PopUpKey::Left:
      // From no selection a move lands on the first entry.
      return move_by(selected_ < 0 ? 1 : -rows_);
    case PopUpKey::Right:
      return move_by(selected_ < 0 ? 1 : rows_);
    case PopUpKey::Up:
      return move_by(selected_ < 0 ? 1 : -1);
    case PopUpKey::Down:
      return move_by(1);
    case PopUpKey::Character:
    case PopUpKey::Function:
      return PopUpAction::PassOn;
    case PopUpKey::Escape:
    case PopUpKey::Other:
      break;
  }
  return PopUpAction::Close;
}

PopUpAction PopUpListModel::Choose(int index) {
  if (!lookup_ || !EntryEnabled(index)) return PopUpAction::None;
  const bool custom = !IsEditEntry(index) && lookup_->HasCustomEntry() && index == ItemCount() - 1;
  if (IsEditEntry(index) || custom) {
    lookup_->EditItems(OwnerControl, LongPart(OwnerHint), OnSetText);
    return PopUpAction::Chosen;
  }
  lookup_->ItemChosen(index);
  if (OnSetText) {
    if (const TCustomLookUpItem* item = lookup_->Items(index)) {
      OnSetText(ReturnText(*item, ReturnStr));
    }
  }
  return PopUpAction::Chosen;
}

}  // namespace hx
