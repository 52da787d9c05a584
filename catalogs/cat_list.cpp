#include "catalogs/cat_list.h"

#include <algorithm>
#include <unordered_set>

#include "base/string_table.h"
#include "base/text.h"
#include "records/record.h"

namespace hx {
namespace {

bool SortByText(const TCatListEntry& a, const TCatListEntry& b) {
  return LocaleCompareText(a.text, b.text) < 0;
}

bool BeginsWith(const std::string& folded_text, const std::string& folded_prefix) {
  return folded_text.compare(0, folded_prefix.size(), folded_prefix) == 0;
}

}  // namespace

TProducerFilter ProducerFilterOf(const std::string& entry_text) {
  if (entry_text == LoadStr(10442)) return {};
  const std::string text = Trim(entry_text);
  if (text.empty() || entry_text == LoadStr(10443)) return {TProducerFilter::Others, {}};
  const size_t tab = entry_text.find('\t');
  return {TProducerFilter::One,
          tab == std::string::npos ? text : Trim(std::string_view(entry_text).substr(tab + 1))};
}

bool ListsItem(const TCatItem& item, const TCatTypeFilter& types, TCatDisplayMode mode,
               const TProducerFilter& producer) {
  if (types) {
    const int32_t typ = item.Typ();
    if (typ < 0 || typ >= 256 || !types->test(static_cast<size_t>(typ))) return false;
  }
  if (!item.Visible() && !IsEditMode(mode)) return false;
  switch (producer.kind) {
    case TProducerFilter::All:
      return true;
    case TProducerFilter::Others:
      return Trim(item.Producer()).empty();
    default:
      return SameText(Trim(item.Producer()), producer.producer);
  }
}

TCatListModel::TCatListModel(TCustomCat& cat, TCatTypeFilter request_filter, TCatDisplayMode mode)
    : cat_(&cat), request_(std::move(request_filter)), mode_(mode) {}

void TCatListModel::SetCat(TCustomCat& cat) {
  cat_ = &cat;
  type_index_ = 0;
  producer_index_ = 0;
  typed_producer_.reset();
  Refill();
}

void TCatListModel::Refill() {
  FillTypes();
  FillProducers();
  FillList();
}

TCatTypeFilter TCatListModel::ActiveTypeFilter() const {
  if (type_index_ <= 0 || type_index_ >= static_cast<int>(type_entries_.size())) return request_;
  TCatTypeSet one;
  const int32_t typ = type_entries_[type_index_].item->Typ();
  if (typ >= 0 && typ < 256) one.set(static_cast<size_t>(typ));
  return one;
}

void TCatListModel::FillTypes() {
  type_entries_.assign(1, {std::string(LoadStr(10444)), nullptr});
  std::unordered_set<int32_t> seen;
  std::vector<TCatListEntry> types;
  for (int i = 0; i < cat_->OwnCount(); ++i) {
    TCatItem* item = cat_->OwnItem(i);
    if (!ListsItem(*item, request_, mode_, {})) continue;
    if (seen.insert(item->Typ()).second) types.push_back({cat_->TypeCaption(item->Typ()), item});
  }
  std::stable_sort(types.begin(), types.end(), SortByText);
  type_entries_.insert(type_entries_.end(), types.begin(), types.end());
  if (type_index_ >= static_cast<int>(type_entries_.size())) type_index_ = 0;
}

void TCatListModel::FillProducers() {
  producer_entries_.assign(
      {{std::string(LoadStr(10442)), nullptr}, {std::string(LoadStr(10443)), nullptr}});
  const TCatTypeFilter types = ActiveTypeFilter();
  std::unordered_set<std::string> seen;
  std::vector<TCatListEntry> producers;
  for (int i = 0; i < cat_->OwnCount(); ++i) {
    TCatItem* item = cat_->OwnItem(i);
    if (!ListsItem(*item, types, mode_, {})) continue;
    const std::string producer = Trim(item->Producer());
    if (producer.empty() || !seen.insert(UpperCase(producer)).second) continue;
    const std::string display = item->DisplayProducer();
    producers.push_back({display != producer ? display + "\t" + producer : producer, item});
  }
  std::stable_sort(producers.begin(), producers.end(), SortByText);
  producer_entries_.insert(producer_entries_.end(), producers.begin(), producers.end());
  if (producer_index_ >= static_cast<int>(producer_entries_.size())) producer_index_ = 0;
}

void TCatListModel::FillList() {
  const TCatTypeFilter types = ActiveTypeFilter();
  const TProducerFilter producer = typed_producer_
                                       ? ProducerFilterOf(*typed_producer_)
                                       : ProducerFilterOf(producer_entries_[producer_index_].text);
  filtered_.clear();
  if (!types && producer.kind == TProducerFilter::All && !IsEditMode(mode_)) {
    if (cat_->SymbolList().empty() && cat_->OwnCount() > 0) cat_->BuildLists();
    filtered_ = cat_->SymbolList();
  } else {
    filtered_.reserve(cat_->OwnCount());
    for (int i = 0; i < cat_->OwnCount(); ++i) {
      TCatItem* item = cat_->OwnItem(i);
      if (ListsItem(*item, types, mode_, producer)) filtered_.push_back({item->ListSymbol(), item});
    }
  }
  folded_.clear();
  folded_.reserve(filtered_.size());
  for (const TCatListEntry& e : filtered_) folded_.push_back(UpperCase(e.text));
  ApplyPrefix(false);
}

void TCatListModel::SetTypeIndex(int index) {
  if (index < 0 || index >= static_cast<int>(type_entries_.size())) index = 0;
  type_index_ = index;
  producer_index_ = 0;
  typed_producer_.reset();
  FillProducers();
  FillList();
}

void TCatListModel::SetProducerIndex(int index) {
  if (index < 0 || index >= static_cast<int>(producer_entries_.size())) index = 0;
  producer_index_ = index;
  typed_producer_.reset();
  FillList();
}

void TCatListModel::SetProducerText(std::string_view text) {
  for (size_t i = 0; i < producer_entries_.size(); ++i) {
    if (producer_entries_[i].text == text) {
      SetProducerIndex(static_cast<int>(i));
      return;
    }
  }
  typed_producer_ = std::string(text);
  FillList();
}

void TCatListModel::SetPrefix(std::string_view prefix) {
  const std::string folded = UpperCase(prefix);
  const bool narrow = !folded_prefix_.empty() && BeginsWith(folded, folded_prefix_);
  prefix_ = prefix;
  folded_prefix_ = folded;
  ApplyPrefix(narrow);
}

void TCatListModel::ApplyPrefix(bool narrow) {
  if (folded_prefix_.empty()) {
    visible_ = filtered_;
    visible_at_.resize(filtered_.size());
    for (size_t i = 0; i < visible_at_.size(); ++i) visible_at_[i] = static_cast<int>(i);
    return;
  }
  std::vector<int> at;
  if (narrow) {
    for (int i : visible_at_) {
      if (BeginsWith(folded_[i], folded_prefix_)) at.push_back(i);
    }
  } else {
    for (size_t i = 0; i < folded_.size(); ++i) {
      if (BeginsWith(folded_[i], folded_prefix_)) at.push_back(static_cast<int>(i));
    }
  }
  visible_at_ = std::move(at);
  visible_.clear();
  visible_.reserve(visible_at_.size());
  for (int i : visible_at_) visible_.push_back(filtered_[i]);
}

int TCatListModel::FindPrefix(std::string_view prefix) const {
  const std::string folded = UpperCase(prefix);
  for (size_t i = 0; i < visible_at_.size(); ++i) {
    if (BeginsWith(folded_[visible_at_[i]], folded)) return static_cast<int>(i);
  }
  return -1;
}

int TCatListModel::IndexOfItem(const TCatItem* item) const {
  for (size_t i = 0; i < visible_.size(); ++i) {
    if (visible_[i].item == item) return static_cast<int>(i);
  }
  return -1;
}

int TCatListModel::IndexOfDisplaySymbol(std::string_view symbol) const {
  const std::string text = Trim(symbol);
  for (size_t i = 0; i < visible_.size(); ++i) {
    if (visible_[i].item && SameText(visible_[i].item->DisplaySymbol(), text)) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

void TCatListModel::DropItem(const TCatItem* item) {
  if (!item) {
    filtered_.clear();
    folded_.clear();
    visible_.clear();
    visible_at_.clear();
    type_entries_.resize(1);
    producer_entries_.resize(2);
    type_index_ = 0;
    producer_index_ = 0;
    return;
  }
  auto in = [item](const TCatListEntry& e) { return e.item == item; };
  for (auto* list : {&type_entries_, &producer_entries_}) {
    const size_t before = list->size();
    list->erase(std::remove_if(list->begin(), list->end(), in), list->end());
    if (list->size() != before) {
      // A representative left: the box is made again from the items that remain.
      if (list == &type_entries_)
        FillTypes();
      else
        FillProducers();
    }
  }
  std::vector<TCatListEntry> filtered;
  std::vector<std::string> folded;
  for (size_t i = 0; i < filtered_.size(); ++i) {
    if (filtered_[i].item == item) continue;
    filtered.push_back(filtered_[i]);
    folded.push_back(folded_[i]);
  }
  filtered_ = std::move(filtered);
  folded_ = std::move(folded);
  ApplyPrefix(false);
}

}  // namespace hx
