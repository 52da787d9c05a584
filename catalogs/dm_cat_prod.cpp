#include "catalogs/dm_cat_prod.h"

#include "base/settings_store.h"
#include "base/text.h"
#include "catalogs/cat_item_kinds.h"
#include "objects/object_stream.h"
#include "records/messages.h"

namespace hx {
namespace {

constexpr const char* kCaption = "Каталог производителей";

// Clears the catalog's current item when the operation ends, also on failure.
class CurrentItemReset {
 public:
  explicit CurrentItemReset(TCustomCat& cat) : cat_(cat) {}
  ~CurrentItemReset() { cat_.SetCurrentItem(nullptr); }

 private:
  TCustomCat& cat_;
};

void SetupField(TPropertyStringField& field, const char* name, const char* caption,
                const char* property, int32_t max_length) {
  field.Name = name;
  field.Caption = caption;
  field.SetValueProperty(property);
  field.MaxLength = max_length;
  field.Required = false;
}

}  // namespace

// ---- TCatProdItemForm

TCatProdItemForm::TCatProdItemForm(TZqDBRecord& record) : record_(record) {
  Tag = TCatProdItem::kTypeId;
}

std::string TCatProdItemForm::FieldText(const char* name) const {
  const TZqField* field = record_.FindField(name);
  return field ? Trim(field->Text()) : std::string();
}

bool TCatProdItemForm::WebEnabled() const {
  return !FieldText("PF_WWW").empty();
}
bool TCatProdItemForm::MailEnabled() const {
  return !FieldText("PF_Email").empty();
}
std::string TCatProdItemForm::WebLink() const {
  return "http://" + FieldText("PF_WWW");
}

std::string TCatProdItemForm::MailLink() const {
  return "mailto:" + FieldText("PF_Email") + "?subject=" + "&body=" + " ";
}

bool TCatProdItemForm::OpenWeb() const {
  ICatDialogHost* host = CatDialogHost();
  return WebEnabled() && host && host->OpenLink(WebLink());
}

bool TCatProdItemForm::SendMail() const {
  ICatDialogHost* host = CatDialogHost();
  return MailEnabled() && host && host->OpenLink(MailLink());
}

// ---- TDM_CatProd

TDM_CatProd::TDM_CatProd() : TDM_CatProd(Settings(ssCommonUser)) {}

TDM_CatProd::TDM_CatProd(ISettingsStore& settings) : settings_(&settings) {
  Build();
  ReadSettings(settings);
  SetProducerCatalog(this);
}

TDM_CatProd::~TDM_CatProd() {
  WriteSettings(*settings_);
  if (ProducerCatalog() == this) SetProducerCatalog(nullptr);
  R_CatItem.LinkObject(nullptr);
}

void TDM_CatProd::Build() {
  LUp_Types.Name = "LUp_Types";
  LUp_Types.Add({"Неизвестный  производитель", "", "", 0});
  LUp_Types.Add({"Производитель", "", "", 1});

  for (TCatDlg* dlg : {&IndCatDlg, &CatDlg}) {
    dlg->OwnerName = Name;
    dlg->HelpContext = 62520;
    dlg->ListCaption = "Символы производителей";
    dlg->Options = OptionBit(voInfoItemBtn);
    dlg->StoreSize = true;
  }
  IndCatDlg.Name = "IndCatDlg";
  CatDlg.Name = "CatDlg";

  using namespace std::placeholders;
  IndCat.Name = "IndCat";
  IndCat.SetCaption(kCaption);
  IndCat.ImageIndex = 3;
  IndCat.ItemsTypeLookUp = &LUp_Types;
  IndCat.OnItemSelChange = std::bind(&TDM_CatProd::CatItemSelChange, this, _1, _2, _3);
  IndCat.OnGetFormEx = std::bind(&TDM_CatProd::CatGetFormEx, this, _1, _2, _3, _4);
  IndCat.OnFindCatItemEx = std::bind(&TDM_CatProd::IndCatFindCatItemEx, this, _1, _2, _3);
  IndCat.OnGetDocItems = [](TCustomCat&) {};
  IndCat.SetSelectCatDlg(&IndCatDlg);
  IndCat.SetViewCatDlg(&IndCatDlg);

  Cat.Name = "Cat";
  Cat.SetCaption(kCaption);
  Cat.ImageIndex = 3;
  Cat.ItemsTypeLookUp = &LUp_Types;
  Cat.DefaultExt = "pro";
  Cat.Filter = "Все файлы (*.*)|*.*|Производители (*.pro)|*.pro";
  Cat.FilterIndex = 2;
  Cat.OpenTitle = "Открыть производителей";
  Cat.StoreTitle = "Сохранить производителей";
  Cat.OnGetNewItem = std::bind(&TDM_CatProd::CatGetNewItem, this, _1, _2);
  Cat.OnInsertItem = std::bind(&TDM_CatProd::CatInsertItem, this, _1, _2, _3);
  Cat.OnLoadItems = std::bind(&TDM_CatProd::CatLoadItems, this, _1, _2, _3, _4);
  Cat.OnStoreItems = Cat.OnLoadItems;
  Cat.OnTabEdit = [](TCustomCat&) {};
  Cat.OnItemSelChange = IndCat.OnItemSelChange;
  Cat.OnGetFormEx = IndCat.OnGetFormEx;
  Cat.SetEditCatDlg(&CatDlg);
  Cat.SetViewCatDlg(&CatDlg);
  Cat.SetSelectCatDlg(&CatDlg);
  Cat.AllowEmptySymbols = false;
  Cat.AllowDuplicates = false;
  Cat.NewCatItemClassTypeId = NoInt;

  TempCat.Name = "TempCat";
  TempCat.SetCaption(kCaption);
  IndCatDoc.Name = "IndCatDoc";
  TempCatDoc.Name = "TempCatDoc";

  LookUp.Name = "LookUp";
  LookUp.SetCat(&Cat);

  R_CatItem.Name = "R_CatItem";
  SetupField(PF_Symbol, "PF_Symbol", "Символ", "Symbol", 20);
  PF_Symbol.CharCase = ecUpperCase;
  PF_Symbol.DisplayLength = 20;
  PF_Symbol.Required = true;
  SetupField(PF_Description, "PF_Description", "Описание", "Description", 40);
  SetupField(PF_Address, "PF_Address", "Адрес", "Address", 512);
  SetupField(PF_Phone, "PF_Phone", "Телефон", "phone", 512);
  SetupField(PF_Fax, "PF_Fax", "Факс", "Fax", 512);
  SetupField(PF_WWW, "PF_WWW", "WWW", "WWW", 512);
  SetupField(PF_Email, "PF_Email", "Email", "Email", 512);
  for (TZqField* f : std::initializer_list<TZqField*>{&PF_Symbol, &PF_Description, &PF_Address,
                                                      &PF_Phone, &PF_Fax, &PF_WWW, &PF_Email}) {
    R_CatItem.AddField(*f);
  }
  // The form shows the display symbol in the symbol field.
  PF_Symbol.SetValueProperty("DisplaySymbol");
}

void TDM_CatProd::ReadSettings(ISettingsStore& settings) {
  for (TCustomCat* cat : {static_cast<TCustomCat*>(&Cat), static_cast<TCustomCat*>(&IndCat)}) {
    const std::string section = (cat == &Cat ? "Cat\\" : "IndCat\\") + Name;
    cat->SelectEx = settings.ReadBool(section, "SelectEx", true);
    cat->ViewEx = settings.ReadBool(section, "ViewEx", true);
    cat->InitialDir = settings.ReadText(section, "InitialDir", "");
  }
}

void TDM_CatProd::WriteSettings(ISettingsStore& settings) const {
  for (const TCustomCat* cat :
       {static_cast<const TCustomCat*>(&Cat), static_cast<const TCustomCat*>(&IndCat)}) {
    const std::string section = (cat == &Cat ? "Cat\\" : "IndCat\\") + Name;
    settings.WriteBool(section, "SelectEx", cat->SelectEx);
    settings.WriteBool(section, "ViewEx", cat->ViewEx);
  }
}

// ---- operations

void TDM_CatProd::OpenCatalog(const std::string& catalog_folder) {
  R_CatItem.LinkObject(nullptr);
  Cat.Clear();
  // Full items cached from an earlier file would carry that file's positions.
  TempCat.Clear();
  IndCat.OpenV1(catalog_folder + kFileName, SigCatProd(), true, true);
  IndCat.AfterLoad();
  for (int i = 0; i < IndCat.OwnCount(); ++i) IndCat.OwnItem(i)->SetTyp(TCatProdItem::kProducerTyp);
}

TCustomCat& TDM_CatProd::WorkingCatalog() {
  if (Cat.OwnCount() > 0) return Cat;
  return IndCat;
}

TCatItem* TDM_CatProd::Cache(TCatItem* entry) {
  if (!entry) return nullptr;
  std::unique_ptr<TCatItem> full = IndCat.FullItem(*entry);
  if (!full) return nullptr;
  full->SetCat(&IndCat);
  TCatItem* raw = full.get();
  if (TempCat.Insert(std::move(full)) < 0) return nullptr;
  raw->AfterCatLoad(IndCat);
  return raw;
}

TCatItem* TDM_CatProd::FindBySymbol(std::string_view symbol) {
  if (Cat.OwnCount() > 0) return Cat.FindBySymbol(symbol);
  if (TCatItem* cached = TempCat.FindBySymbolNoEvent(symbol)) return cached;
  return Cache(IndCat.FindBySymbolNoEvent(symbol));
}

TCatItem* TDM_CatProd::FindByDisplaySymbol(std::string_view text) {
  if (Cat.OwnCount() > 0) return Cat.FindByDisplaySymbol(text);
  if (TCatItem* cached = TempCat.FindByDisplaySymbol(text)) return cached;
  return Cache(IndCat.FindByDisplaySymbol(text));
}

std::string TDM_CatProd::SelectItem(std::string_view symbol, const TCatTypeFilter& filter) {
  TCustomCat& cat = WorkingCatalog();
  CurrentItemReset reset(cat);
  return cat.SelectItem(symbol, filter);
}

std::string TDM_CatProd::ViewItem(std::string_view symbol, const TCatTypeFilter& filter) {
  TCustomCat& cat = WorkingCatalog();
  CurrentItemReset reset(cat);
  return cat.ViewItem(symbol, filter);
}

void TDM_CatProd::ShowItemInfo(TOwnerWindow owner, std::string_view symbol) {
  if (TCatItem* item = FindByDisplaySymbol(symbol)) {
    item->ShowInfo(owner);
  } else {
    ShowInfoMsg(20130, {Trim(symbol)});
  }
}

bool TDM_CatProd::ShowProducerInfo(TOwnerWindow owner, std::string_view symbol) {
  TCatItem* item = FindBySymbol(symbol);
  if (!item) return false;
  item->ShowInfo(owner);
  return true;
}

// ---- handlers

void TDM_CatProd::CatGetNewItem(TCustomCat& cat, std::unique_ptr<TCatItem>& item) {
  item = std::make_unique<TCatProdItem>();
}

void TDM_CatProd::IndCatFindCatItemEx(const std::string& symbol, const std::string* pipe,
                                      TCatItem*& item) {
  item = FindBySymbol(symbol);
}

void TDM_CatProd::CatGetFormEx(TCustomCat& cat, TCatDisplayMode mode,
                               std::unique_ptr<TCatItemForm>& form, TCatItem* item) {
  R_CatItem.LinkObject(nullptr);
  if (form && form->Tag >= 0 && item && form->Tag == item->TypeId()) return;
  if (!item) {
    form.reset();
    return;
  }
  if (dynamic_cast<TMatCatItem*>(item) && MaterialForm) {
    form = MaterialForm(R_CatItem);
  } else if (!dynamic_cast<TCatProdItemForm*>(form.get())) {
    form = std::make_unique<TCatProdItemForm>(R_CatItem);
  }
  form->DisplayMode = mode;
  R_CatItem.SetReadOnly(!IsEditMode(mode));
}

void TDM_CatProd::CatItemSelChange(TCustomCat& cat, TCatItem* item, bool take_data) {
  TCatItemForm* form = nullptr;
  for (TCatDlg* dlg : {cat.SelectCatDlg(), cat.ViewCatDlg(), cat.EditCatDlg()}) {
    if (dlg && dlg->OpenForm()) form = dlg->OpenForm();
  }
  if (take_data && form) form->WriteValues();
  if (!item) {
    // The items a dialog showed may go now: the record lets go of them in any mode.
    R_CatItem.LinkObject(nullptr);
    if (form) form->ItemChanged(nullptr);
    return;
  }
  if (!cat.ViewEx && !cat.SelectEx && !IsEditMode(cat.DisplayMode)) return;
  R_CatItem.LinkObject(item);
  if (form && (dynamic_cast<TCatProdItem*>(item) || dynamic_cast<TIndCatItem*>(item))) {
    form->ItemChanged(item);
  }
}

}  // namespace hx
