// The dialogs that bound controls open on a pull-down or a help request, reached through
// hosts that the platform (the text editor window) and the catalog framework (the select and
// information dialogs of a catalog) install. Without a host nothing opens.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "records/field.h"
#include "records/lookup.h"

namespace hx {

// The select dialog and the item information of a catalog.
class ICatalogChooser {
 public:
  virtual ~ICatalogChooser() = default;
  // Opens the catalog's select dialog on symbol; true with the chosen symbol in symbol.
  virtual bool SelectSymbol(const ICatalogLookup& cat, LookUpControl owner,
                            std::string& symbol) = 0;
  // Shows the catalog's information on the item of symbol.
  virtual void ShowItemInfo(const ICatalogLookup& cat, LookUpControl owner,
                            std::string_view symbol) = 0;
};
void SetCatalogChooser(ICatalogChooser* chooser);
ICatalogChooser* CatalogChooser();

// The text editor window TF_TextEditor: a text edited in a window of its own.
struct TextEditorRequest {
  std::string text;
  int32_t max_length = 0;  // 0: unlimited
  bool multi_line = false;
  bool read_only = false;

  // The window's caption.
  static constexpr const char* kCaption = "Текст";
  // Read-only texts scroll vertically only; editable ones both ways.
  bool VerticalScrollOnly() const { return read_only; }
};

class ITextEditorHost {
 public:
  virtual ~ITextEditorHost() = default;
  // Shows the editor modally; true when the user pressed OK (request.text is the edited text).
  virtual bool EditText(TextEditorRequest& request, LookUpControl owner) = 0;
};
void SetTextEditorHost(ITextEditorHost* host);
ITextEditorHost* TextEditorHost();

}  // namespace hx
