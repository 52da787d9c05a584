#include "catalogs/dm_data_common.h"

namespace hx {
namespace {

void SetupVarCat(TVarCat& cat, const char* name, const char* caption, double min_value,
                 double max_value, uint8_t num_fp) {
  cat.Name = name;
  cat.SetCaption(caption);
  cat.MinValue = min_value;
  cat.MaxValue = max_value;
  cat.NumFp = num_fp;
  cat.System = false;
  cat.MaxSymbolSize = 8;
  cat.AllowEmptySymbols = false;
  cat.AllowDuplicates = false;
  cat.ViewEx = false;
  cat.SelectEx = false;
}

void SetupTemperature(TDataLookUpField& field, const char* name, const char* caption,
                      const char* hint, int32_t initial) {
  field.Name = name;
  field.Caption = caption;
  field.Hint = hint;
  field.Units = "°C";
  field.BtnStyle = btnsArrowDown;
  field.DisplayLength = 3;
  field.ValueMode = vmItemId;
  field.SetValue(initial);
}

}  // namespace

TDM_DataCommon::TDM_DataCommon() {
  SetupVarCat(VarTemp, "VarTemp", "Zmienne - Temperatury", -30, 70, 3);
  SetupVarCat(VarDim, "VarDim", "Zmienne - Wymiary", 0, 1000, 2);
  SetupVarCat(VarGlobal, "VarGlobal", "Zmienne - Globalne", -10000000, 10000000, 3);
  SetupVarCat(VarQpower, "VarQpower", "Zmienne - Moce cieplne", 0, 1000, 2);
  SetupTemperature(PF_Te, "PF_Te", "Te", "Obliczeniowa temperatura zewnętrzna, [°C].", kDefaultTe);
  SetupTemperature(PF_Tg, "PF_Tg", "Tg", "Obliczeniowa temperatura gruntu, [°C].", kDefaultTg);
  R_Data.Name = "R_Data";
  R_Data.AddField(PF_Te);
  R_Data.AddField(PF_Tg);
}

int32_t TDM_DataCommon::Te() const {
  return PF_Te.IsNull() ? kDefaultTe : PF_Te.Value();
}
int32_t TDM_DataCommon::Tg() const {
  return PF_Tg.IsNull() ? kDefaultTg : PF_Tg.Value();
}

}  // namespace hx
