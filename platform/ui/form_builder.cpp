#include "platform/ui/form_builder.h"

#include <memory>
#include <stdexcept>

#include "controls/num_edit.h"
#include "platform/ui/bound_controls.h"
#include "platform/ui/controls.h"

namespace hx {
namespace {

RECT BoundsOf(const TControlSpec& row) {
  return RECT{row.x, row.y, row.x + row.w, row.y + row.h};
}

TAlignment AlignmentOf(unsigned flags) {
  if (flags & cfRightAlign) return taRightJustify;
  if (flags & cfCenterAlign) return taCenter;
  return taLeftJustify;
}

// The properties every unbound edit row sets.
void SetUpEdit(TCustomZqEdit& e, const TControlSpec& row, TCustomLookUp* lookup) {
  e.SetReadOnly(row.flags & cfReadOnly);
  e.SetRequired(row.flags & cfRequired);
  e.SetBtnStyle(row.btn);
  e.SetMaxLength(row.max_length);
  e.SetLookUp(lookup);
  if (row.flags & (cfRightAlign | cfCenterAlign)) e.SetAlignment(AlignmentOf(row.flags));
}

template <class Model>
std::unique_ptr<Model> Bound(TZqField* field) {
  auto model = std::make_unique<Model>();
  model->SetZqField(field);
  return model;
}

}  // namespace

std::vector<std::string> SplitItems(const char* items) {
  std::vector<std::string> out;
  if (!items || !*items) return out;
  std::string_view rest(items);
  for (;;) {
    const size_t n = rest.find('\n');
    out.emplace_back(rest.substr(0, n));
    if (n == std::string_view::npos) break;
    rest.remove_prefix(n + 1);
  }
  return out;
}

TFormBuilder& TFormBuilder::Record(TCustomZqDBRecord* record) {
  record_ = record;
  return *this;
}

TFormBuilder& TFormBuilder::LookUp(std::string name, TCustomLookUp* lookup) {
  lookups_[std::move(name)] = lookup;
  return *this;
}

TZqField* TFormBuilder::FieldOf(const TControlSpec& row) const {
  if (!row.field) return nullptr;
  TZqField* field = record_ ? record_->FindField(row.field) : nullptr;
  if (!field) {
    throw std::logic_error(std::string("form row ") + row.name + ": no field " + row.field);
  }
  return field;
}

TCustomLookUp* TFormBuilder::LookUpOf(const TControlSpec& row) const {
  if (!row.lookup) return nullptr;
  const auto it = lookups_.find(row.lookup);
  if (it == lookups_.end()) {
    throw std::logic_error(std::string("form row ") + row.name + ": no look-up " + row.lookup);
  }
  return it->second;
}

TForm& TFormBuilder::Build(std::span<const TControlSpec> rows) {
  for (const TControlSpec& row : rows) Create(row);
  return form_;
}

TWinControl& TFormBuilder::Create(const TControlSpec& row) {
  const RECT r = BoundsOf(row);
  const std::vector<std::string> items = SplitItems(row.items);
  const std::string caption(ShortPart(row.caption));
  TZqField* field = FieldOf(row);
  TCustomLookUp* lookup = LookUpOf(row);
  std::unique_ptr<TWinControl> c;
  switch (row.kind) {
    case TCtl::Label: {
      const DWORD align = row.flags & cfRightAlign    ? SS_RIGHT
                          : row.flags & cfCenterAlign ? SS_CENTER
                                                      : SS_LEFT;
      c = std::make_unique<TLabel>(form_, row.id, row.name, caption, r, align);
      break;
    }
    case TCtl::Edit:
      c = std::make_unique<TEditBox>(form_, row.id, row.name, caption, r,
                                     ES_AUTOHSCROLL | (row.flags & cfReadOnly ? ES_READONLY : 0));
      break;
    case TCtl::Memo:
      c = std::make_unique<TMemo>(form_, row.id, row.name, caption, r, row.flags & cfReadOnly);
      break;
    case TCtl::Button:
      c = std::make_unique<TButton>(form_, row.id, row.name, caption, r, row.flags & cfDefault,
                                    row.flags & cfCancel, row.modal_result);
      break;
    case TCtl::CheckBox:
      c = std::make_unique<TCheckBox>(form_, row.id, row.name, caption, r);
      break;
    case TCtl::GroupBox:
      c = std::make_unique<TGroupBox>(form_, row.id, row.name, caption, r);
      break;
    case TCtl::RadioGroup:
      c = std::make_unique<TRadioGroup>(form_, row.id, row.name, caption, r, items, row.columns);
      break;
    case TCtl::ComboBox:
      c = std::make_unique<TComboBox>(form_, row.id, row.name, r, items,
                                      row.flags & cfDropDownList);
      break;
    case TCtl::ListBox:
      c = std::make_unique<TListBox>(form_, row.id, row.name, r, items);
      break;
    case TCtl::OwnerDrawList:
      c = std::make_unique<TOwnerDrawList>(form_, row.id, row.name, r, row.item_height);
      break;
    case TCtl::ListView:
      c = std::make_unique<TListView>(form_, row.id, row.name, r);
      break;
    case TCtl::TabControl:
      c = std::make_unique<TTabControl>(form_, row.id, row.name, r, items);
      break;
    case TCtl::TreeView:
      c = std::make_unique<TTreeView>(form_, row.id, row.name, r);
      break;
    case TCtl::StatusBar:
      c = std::make_unique<TStatusBar>(form_, row.id, row.name);
      break;
    case TCtl::ProgressBar:
      c = std::make_unique<TProgressBar>(form_, row.id, row.name, r);
      break;
    case TCtl::Splitter:
      c = std::make_unique<TSplitter>(form_, row.id, row.name, r, !(row.flags & cfHorizontal));
      break;
    case TCtl::ZqEdit: {
      auto e = std::make_unique<TZqEdit>();
      SetUpEdit(*e, row, lookup);
      e->SetText(caption);
      c = std::make_unique<TZqEditControl>(form_, row.id, row.name, r, std::move(e));
      break;
    }
    case TCtl::NumEdit: {
      auto e = std::make_unique<TNumEdit>();
      SetUpEdit(*e, row, lookup);
      e->SetAlignment(row.flags & (cfRightAlign | cfCenterAlign) ? AlignmentOf(row.flags)
                                                                 : taRightJustify);
      e->ValMin = row.min;
      e->ValMax = row.max;
      e->NumFP = row.num_fp;
      e->Increment = row.increment;
      e->SetFormulaEnabled(row.flags & cfFormulas);
      c = std::make_unique<TZqEditControl>(form_, row.id, row.name, r, std::move(e));
      break;
    }
    case TCtl::DBEdit:
      c = std::make_unique<TZqEditControl>(form_, row.id, row.name, r, Bound<TZqDBEdit>(field));
      break;
    case TCtl::DBMemo:
      c = std::make_unique<TZqMemoControl>(form_, row.id, row.name, r, Bound<TZqDBMemo>(field));
      break;
    case TCtl::DBCaptionLabel:
      c = std::make_unique<TZqLabelControl>(form_, row.id, row.name, r,
                                            Bound<TZqDBCaptionLabel>(field));
      break;
    case TCtl::DBUnitsLabel:
      c = std::make_unique<TZqLabelControl>(form_, row.id, row.name, r,
                                            Bound<TZqDBUnitsLabel>(field));
      break;
    case TCtl::DBTextLabel:
      c = std::make_unique<TZqLabelControl>(form_, row.id, row.name, r,
                                            Bound<TZqDBTextLabel>(field));
      break;
    case TCtl::DBCheckBox:
      c = std::make_unique<TZqCheckBoxControl>(form_, row.id, row.name, r,
                                               Bound<TZqDBCheckBox>(field));
      break;
    case TCtl::DBExtCheckBox:
      c = std::make_unique<TZqCheckBoxControl>(form_, row.id, row.name, r,
                                               Bound<TZqDBExtCheckBox>(field));
      break;
    case TCtl::DBRadioButton:
      c = std::make_unique<TZqCheckBoxControl>(form_, row.id, row.name, r,
                                               Bound<TZqDBRadioButton>(field));
      break;
    case TCtl::DBCheckBoxGroup:
    case TCtl::DBRadioGroup: {
      std::unique_ptr<TZqDBGroup> g;
      if (row.kind == TCtl::DBRadioGroup) {
        g = std::make_unique<TZqDBRadioGroup>();
      } else {
        g = std::make_unique<TZqDBCheckBoxGroup>();
      }
      g->SetItems(items);
      if (row.flags & cfOnExit) {
        g->SetFieldDataOnClick = false;
        g->SetFieldDataOnExit = true;
      }
      g->SetZqField(field);
      auto view =
          std::make_unique<TZqGroupControl>(form_, row.id, row.name, r, std::move(g), row.columns);
      view->SetText(caption);
      c = std::move(view);
      break;
    }
    case TCtl::DBComboBox:
    case TCtl::DBListBox:
    case TCtl::DBLookUpComboBox:
    case TCtl::DBLookUpListBox: {
      std::unique_ptr<TZqDBChoiceList> m;
      const bool looked_up =
          row.kind == TCtl::DBLookUpComboBox || row.kind == TCtl::DBLookUpListBox;
      if (looked_up) {
        m = std::make_unique<TZqDBLookUpComboBox>();
      } else {
        m = std::make_unique<TZqDBComboBox>();
        m->SetItems(items);
        m->ValueMode = field && field->Kind() != fkString ? vmItemIndex : vmDefault;
      }
      m->SetFieldDataOnSelChange = row.flags & cfOnSelChange;
      m->SetZqField(field);
      const bool list = row.kind == TCtl::DBListBox || row.kind == TCtl::DBLookUpListBox;
      c = std::make_unique<TZqChoiceControl>(form_, row.id, row.name, r, std::move(m), list,
                                             row.flags & cfDropDownList);
      break;
    }
    case TCtl::LookUpComboBox:
    case TCtl::LookUpListBox: {
      auto m = std::make_unique<TLookUpComboBox>();
      m->MultiSelect = row.flags & cfMultiSelect;
      m->SetLookUp(lookup);
      c = std::make_unique<TZqChoiceControl>(form_, row.id, row.name, r, std::move(m),
                                             row.kind == TCtl::LookUpListBox,
                                             row.flags & cfDropDownList);
      break;
    }
    case TCtl::DBPictureWnd:
      c = std::make_unique<TZqPictureControl>(form_, row.id, row.name, r,
                                              Bound<TZqDBPictureWnd>(field));
      break;
  }
  TWinControl& control = form_.Add(std::move(c));
  if (row.flags & cfHidden) control.SetVisible(false);
  if (row.flags & cfDisabled) control.SetEnabled(false);
  if (std::string_view(row.caption).find('|') != std::string_view::npos) {
    SetControlHint(control.Handle(), LongPart(row.caption));
  }
  if (row.setup) row.setup(control);
  return control;
}

}  // namespace hx
