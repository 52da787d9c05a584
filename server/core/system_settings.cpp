#include "server/core/system_settings.h"

namespace hx {

TSearchReplaceOptions ReadSearchReplaceOptions(ISettingsStore& settings) {
  constexpr const char* kSection = "SearchReplace";
  TSearchReplaceOptions o;
  const auto read = [&](const char* name, bool& value) {
    value = settings.ReadBool(kSection, name, value);
  };
  read("CaseSens", o.case_sensitive);
  read("WordsOnly", o.words_only);
  read("Selection", o.selection);
  read("Column", o.column);
  read("SearchUp", o.search_up);
  read("FromStart", o.from_start);
  read("ReplaceAll", o.replace_all);
  read("Replace", o.replace);
  read("Global", o.global);
  read("SearchDown", o.search_down);
  read("FromCaret", o.from_caret);
  read("Question", o.question);
  return o;
}

TSearchReplaceOptions& SearchReplaceOptions() {
  static TSearchReplaceOptions options;
  return options;
}

}  // namespace hx
