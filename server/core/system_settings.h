// The settings the system data module reads at start-up: the options of text search and
// replace, kept in section "SearchReplace" of the common user settings.
#pragma once

#include "base/settings_store.h"

namespace hx {

struct TSearchReplaceOptions {
  bool case_sensitive = false;
  bool words_only = false;
  bool selection = false;
  bool column = false;
  bool search_up = false;
  bool from_start = false;
  bool replace_all = false;
  bool replace = false;
  bool global = true;
  bool search_down = true;
  bool from_caret = true;
  bool question = true;
};

TSearchReplaceOptions ReadSearchReplaceOptions(ISettingsStore& settings);

// The options read at start-up, for the editors that search.
TSearchReplaceOptions& SearchReplaceOptions();

}  // namespace hx
