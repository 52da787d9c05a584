// The choice types that fields, look-ups, pop-up lists and bound controls share: how an item
// is shown, which text of a chosen item is handed back, and how a field's value names an item.
#pragma once

#include <cstdint>

namespace hx {

// What is shown of an item: its caption, glyph, id string or id, alone or with the glyph.
enum TDisplayStyle : uint8_t {
  dsCaption,
  dsGlyph,
  dsCaptionGlyph,
  dsIdStr,
  dsIdStrGlyph,
  dsId,
  dsIdGlyph,
};

// The text handed back for a chosen item, and the search that finds an item from a text.
enum TReturnStr : uint8_t { rsCaption, rsHint, rsId, rsIdStr };

// How a field's integer value names an item: by its id (the default) or by its position.
enum TValueMode : uint8_t { vmDefault, vmItemIndex, vmItemId };

inline bool ShowsGlyph(TDisplayStyle style) {
  return style == dsGlyph || style == dsCaptionGlyph || style == dsIdStrGlyph ||
         style == dsIdGlyph;
}
inline bool ShowsText(TDisplayStyle style) { return style != dsGlyph; }

}  // namespace hx
