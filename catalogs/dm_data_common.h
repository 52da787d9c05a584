// The common data module (TDM_DataCommon): the record R_Data with the design outdoor and
// ground temperatures that the calculations share, and the four variable catalogs.
#pragma once

#include <string>

#include "catalogs/var_cat.h"
#include "records/field_lookup.h"
#include "records/record.h"

namespace hx {

class TDM_DataCommon {
 public:
  // The values the calculations use while a field holds none.
  static constexpr int32_t kDefaultTe = -20;
  static constexpr int32_t kDefaultTg = 8;

  TDM_DataCommon();
  TDM_DataCommon(const TDM_DataCommon&) = delete;
  TDM_DataCommon& operator=(const TDM_DataCommon&) = delete;

  std::string Name = "DM_DataCommon";

  TVarCat VarTemp;
  TVarCat VarDim;
  TVarCat VarGlobal;
  TVarCat VarQpower;

  TDataLookUpField PF_Te;
  TDataLookUpField PF_Tg;
  TZqDBRecord R_Data;

  // The design outdoor temperature (-20 when PF_Te is null) and ground temperature (8 when
  // PF_Tg is null), in °C.
  int32_t Te() const;
  int32_t Tg() const;
};

}  // namespace hx
