// The pop-up list of a look-up without its window: where it opens relative to its owner and
// the screen, how its entries are measured into columns and rows of cells, and what the mouse
// and the keys do. The platform's list window draws the cells this model lays out and
// forwards its input here; the same model serves a list embedded in a form.
#pragma once

#include <cstdint>
#include <string>

#include "records/lookup.h"

namespace hx {

// Where a list of width x height opens next to anchor (screen coordinates) within screen.
// Under a control (under_control) the list's left edge is the control's when the list is at
// least as wide, else the right edges align; at a rectangle the left edges align. The list
// goes below the anchor, or above it when it would reach below the screen; when it would then
// begin above the screen it goes to the top of the screen, right of the anchor. Finally it is
// moved left to end at the screen's right edge, but never beyond its left edge.
ItemRect PlacePopUp(const ItemRect& anchor, int width, int height, const ItemRect& screen,
                    bool under_control);

enum class TLookUpListStyle : uint8_t { lsDefault, lsStandsrd, lsEnhanced, lsFlat };
enum class TLookUpBorderStyle : uint8_t { bsNone, bsSingle, bsEveryItem };

// The program-wide look of the command bars; lsDefault lists follow it.
bool FlatCommandBars();
void SetFlatCommandBars(bool flat);

// The keys a list handles; the platform maps its key codes to these.
enum class PopUpKey { Tab, Enter, Left, Right, Up, Down, Escape, Character, Function, Other };

// What the view does after an input.
enum class PopUpAction {
  None,    // nothing changed
  Select,  // the selection changed: repaint and show the entry's hint
  Chosen,  // an entry was chosen (its text was handed on): a popped-up list closes
  Close,   // the list closes without a choice
  PassOn,  // the key belongs to the owner
};

class PopUpListModel {
 public:
  // The list takes the look-up's display style, columns and edit entry; lookup is not owned
  // and may be none (an empty list).
  explicit PopUpListModel(TCustomLookUp* lookup);

  TCustomLookUp* LookUp() const { return lookup_; }
  TReturnStr ReturnStr = rsCaption;
  TDisplayStyle DisplayStyle = dsCaptionGlyph;
  bool AddEditItem = false;
  int Columns = 0;
  TLookUpListStyle Style = TLookUpListStyle::lsDefault;
  TLookUpBorderStyle BorderStyle = TLookUpBorderStyle::bsSingle;
  bool Embedded = false;  // placed on a form: one column
  // The control the list belongs to, and its hint (the edit of the items gets its long part).
  LookUpControl OwnerControl = nullptr;
  std::string OwnerHint;
  // Receives the text of a chosen item, by ReturnStr.
  LookUpTextCallback OnSetText;

  // ---- entries: the look-up's items, then the edit entry when AddEditItem is set
  int EntryCount() const;
  bool IsEditEntry(int index) const;
  // The entry as the list shows it, or none outside the entries.
  const TCustomLookUpItem* Entry(int index) const;
  bool EntryEnabled(int index) const;
  // The hint shown for an entry; empty when the display style shows captions (dsCaption,
  // dsCaptionGlyph), which make hints superfluous.
  std::string EntryHint(int index) const;
  bool Flat() const;

  // ---- layout
  // Measures the cells: the glyph column, the row height and the cell width.
  void Measure(ILookUpCanvas& canvas);
  // Decides columns and rows for a list opening under owner (screen coordinates).
  void Arrange(const ItemRect& owner, const ItemRect& screen);
  int GlyphWidth() const { return glyph_width_; }
  int RowHeight() const { return row_height_; }
  int CellWidth() const { return cell_width_; }
  int ColumnCount() const { return columns_; }
  int RowCount() const { return rows_; }
  int Border() const;
  // The list's size including its border.
  int Width() const;
  int Height() const;
  // The cell of an entry in list coordinates (entries run down the columns).
  ItemRect CellRect(int index) const;
  // The entry under a point in list coordinates, or -1.
  int EntryAt(int x, int y) const;
  // Draws one entry into its cell.
  void DrawEntry(ILookUpCanvas& canvas, int index);

  // ---- interaction
  int Selected() const { return selected_; }
  void Select(int index);
  PopUpAction MouseMove(int x, int y);
  PopUpAction MouseLeave();
  // Releasing the left button on an enabled entry chooses it.
  PopUpAction MouseUp(int x, int y);
  // Tab: the next entry (after the last the first); Enter: choose the selected entry when it
  // is enabled, else select the first; Left and Right: one column; Up and Down: one entry,
  // within the first and the last; characters and function keys go to the owner; any other
  // key closes the list.
  PopUpAction KeyDown(PopUpKey key);
  // Chooses an entry: the custom entry of a colour look-up and the edit entry run the
  // look-up's EditItems (with the owner control, the long part of its hint and OnSetText);
  // an item tells the look-up (ItemChosen) and hands its text to OnSetText. Disabled entries
  // are not chosen (None).
  PopUpAction Choose(int index);

 private:
  int ItemCount() const;
  PopUpAction SelectAction(int index);

  TCustomLookUp* lookup_;
  TLookUpItem edit_entry_;
  int glyph_width_ = 0;
  int row_height_ = 0;
  int cell_width_ = 0;
  int columns_ = 1;
  int rows_ = 0;
  int selected_ = -1;
};

}  // namespace hx
