// The producer data module (TDM_CatProd): the index catalog over "Produc.pro", the editing
// catalog, the cache of full items, the dialogs, the type look-up and the item record, the
// producer form model (TF_CatProdItem), and the operations behind "SelectProd", "ViewProd" and
// "InfoProd". The module is the program's producer catalog: every item asks it for its
// producer's display symbol and information.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "catalogs/cat.h"
#include "catalogs/cat_dialogs.h"
#include "catalogs/cat_lookup.h"
#include "catalogs/cat_prod.h"
#include "catalogs/ind_cat.h"
#include "records/field_string.h"
#include "records/lookup.h"
#include "records/record.h"

namespace hx {

class ISettingsStore;

// The producer form: symbol and description, then address, phone, fax, the web address with
// its open button and the e-mail address with its send button (no tab strip). Its view binds
// its controls to the record's fields.
class TCatProdItemForm : public TCatItemForm {
 public:
  static constexpr const char* kKind = "TF_CatProdItem";
  static constexpr const char* kCaption = "Информация о производителе или дистрибьютере";

  explicit TCatProdItemForm(TZqDBRecord& record);
  std::string Kind() const override { return kKind; }
  std::string Caption() const override { return kCaption; }
  TZqDBRecord& Record() const { return record_; }
  bool TabsVisible() const { return false; }

  // Each button is enabled only while its field is not blank.
  bool WebEnabled() const;
  bool MailEnabled() const;
  // "http://" + the trimmed web address.
  std::string WebLink() const;
  // "mailto:" + the trimmed address + "?subject=" + "&body=" + " ".
  std::string MailLink() const;
  // Open the links with the system's handler; false when disabled or not opened.
  bool OpenWeb() const;
  bool SendMail() const;

 private:
  std::string FieldText(const char* name) const;
  TZqDBRecord& record_;
};

class TDM_CatProd : public IProducerCatalog {
 public:
  static constexpr const char* kFileName = "Produc.pro";

  // Builds the components, reads the dialogs' settings from settings (the common user
  // settings by default) and becomes the program's producer catalog.
  TDM_CatProd();
  explicit TDM_CatProd(ISettingsStore& settings);
  // Writes SelectEx and ViewEx back and stops being the producer catalog.
  ~TDM_CatProd();
  TDM_CatProd(const TDM_CatProd&) = delete;
  TDM_CatProd& operator=(const TDM_CatProd&) = delete;

  std::string Name = "DM_CatProd";

  TLookUp LUp_Types;
  TCatDlg IndCatDlg;
  TCatDlg CatDlg;
  TIndCat IndCat;
  TCat Cat;
  TCat TempCat;
  TIndCat IndCatDoc;
  TCat TempCatDoc;
  TCatLookUp LookUp;
  TPropertyStringField PF_Symbol;
  TPropertyStringField PF_Description;
  TPropertyStringField PF_Address;
  TPropertyStringField PF_Phone;
  TPropertyStringField PF_Fax;
  TPropertyStringField PF_WWW;
  TPropertyStringField PF_Email;
  TZqDBRecord R_CatItem;

  // The form of material items (set by the material catalogs; none: the producer form).
  std::function<std::unique_ptr<TCatItemForm>(TZqDBRecord& record)> MaterialForm;

  // ---- operations

  // Clears Cat and TempCat, opens IndCat from catalog_folder + "Produc.pro" (variant 1,
  // signature "TRVKAPRO3.00", sorted, showing errors), AfterLoad, and sets every item's Typ
  // to 1.
  void OpenCatalog(const std::string& catalog_folder);
  // Cat when it holds items, else IndCat.
  TCustomCat& WorkingCatalog();
  // With Cat empty: TempCat first, then IndCat, whose entry is loaded in full into TempCat
  // (its catalog IndCat); with Cat open: Cat. The search in IndCat never fires IndCat's own
  // find event, so an unknown symbol ends here.
  TCatItem* FindBySymbol(std::string_view symbol);
  TCatItem* FindByDisplaySymbol(std::string_view text);
  // The select and view operations on WorkingCatalog; its current item is cleared afterwards.
  std::string SelectItem(std::string_view symbol, const TCatTypeFilter& filter);
  std::string ViewItem(std::string_view symbol, const TCatTypeFilter& filter);
  // The item's information window, or message 20130 with the trimmed symbol.
  void ShowItemInfo(TOwnerWindow owner, std::string_view symbol);

  void ReadSettings(ISettingsStore& settings);
  void WriteSettings(ISettingsStore& settings) const;

  // IProducerCatalog
  TCatItem* FindProducer(std::string_view symbol) override { return FindBySymbol(symbol); }
  bool ShowProducerInfo(TOwnerWindow owner, std::string_view symbol) override;

  // ---- event handlers
  void CatGetNewItem(TCustomCat& cat, std::unique_ptr<TCatItem>& item);
  void CatInsertItem(TCustomCat& cat, TCatItem& item, bool& accept) { accept = true; }
  void CatLoadItems(TCustomCat& cat, std::string& file_name, bool& use_default,
                    TFileVerInfo*& signature) {}
  void IndCatFindCatItemEx(const std::string& symbol, const std::string* pipe, TCatItem*& item);
  void CatGetFormEx(TCustomCat& cat, TCatDisplayMode mode, std::unique_ptr<TCatItemForm>& form,
                    TCatItem* item);
  void CatItemSelChange(TCustomCat& cat, TCatItem* item, bool take_data);

 private:
  void Build();
  // Loads the entry of IndCat in full into TempCat.
  TCatItem* Cache(TCatItem* entry);

  ISettingsStore* settings_;
};

}  // namespace hx
