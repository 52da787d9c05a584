#include "platform/ui/tests/test_form.h"

#include "platform/ui/controls.h"
#include "platform/ui/form_builder.h"

namespace hx::test {
namespace {

// Label column, edit column, units column.
constexpr int kLabelX = 12, kEditX = 132, kUnitsX = 260;

constexpr TControlSpec kRows[] = {
    {.kind = TCtl::DBCaptionLabel,
     .id = kIdLengthCaption,
     .name = "L_Length",
     .x = kLabelX,
     .y = 14,
     .w = 116,
     .h = 16,
     .field = "PF_Length"},
    {.kind = TCtl::DBEdit,
     .id = kIdLength,
     .name = "ED_Length",
     .x = kEditX,
     .y = 10,
     .w = 120,
     .h = 22,
     .field = "PF_Length"},
    {.kind = TCtl::DBUnitsLabel,
     .id = kIdLengthUnits,
     .name = "L_LengthUnits",
     .x = kUnitsX,
     .y = 14,
     .w = 40,
     .h = 16,
     .field = "PF_Length"},
    {.kind = TCtl::DBCaptionLabel,
     .id = kIdPercentCaption,
     .name = "L_Percent",
     .x = kLabelX,
     .y = 44,
     .w = 116,
     .h = 16,
     .field = "PF_Percent"},
    {.kind = TCtl::DBEdit,
     .id = kIdPercent,
     .name = "ED_Percent",
     .x = kEditX,
     .y = 40,
     .w = 120,
     .h = 22,
     .field = "PF_Percent"},
    {.kind = TCtl::DBUnitsLabel,
     .id = kIdPercentUnits,
     .name = "L_PercentUnits",
     .x = kUnitsX,
     .y = 44,
     .w = 40,
     .h = 16,
     .field = "PF_Percent"},
    {.kind = TCtl::DBCaptionLabel,
     .id = kIdKindCaption,
     .name = "L_Kind",
     .x = kLabelX,
     .y = 74,
     .w = 116,
     .h = 16,
     .field = "PF_Kind"},
    {.kind = TCtl::DBEdit,
     .id = kIdKind,
     .name = "ED_Kind",
     .x = kEditX,
     .y = 70,
     .w = 160,
     .h = 22,
     .field = "PF_Kind"},
    {.kind = TCtl::DBCaptionLabel,
     .id = kIdNoteCaption,
     .name = "L_Note",
     .x = kLabelX,
     .y = 104,
     .w = 116,
     .h = 16,
     .field = "PF_Note"},
    {.kind = TCtl::DBEdit,
     .id = kIdNote,
     .name = "ED_Note",
     .x = kEditX,
     .y = 100,
     .w = 276,
     .h = 22,
     .field = "PF_Note"},
    {.kind = TCtl::DBCheckBox,
     .id = kIdActive,
     .name = "CB_Active",
     .x = kEditX,
     .y = 128,
     .w = 200,
     .h = 20,
     .field = "PF_Active"},
    {.kind = TCtl::DBCheckBoxGroup,
     .id = kIdFlags,
     .name = "CB_Flags",
     .caption = "Трубопроводы",
     .x = kLabelX,
     .y = 152,
     .w = 396,
     .h = 66,
     .field = "PF_Flags",
     .items = "Подача|Трубопровод подачи\nОбратка|Трубопровод обратки\nЦиркуляция\n%-Дренаж",
     .columns = 2},
    {.kind = TCtl::Button,
     .id = kIdOk,
     .name = "Btn_OK",
     .caption = "OK",
     .x = 252,
     .y = 232,
     .w = 75,
     .h = 25,
     .flags = cfDefault,
     .modal_result = mrOk},
    {.kind = TCtl::Button,
     .id = kIdCancel,
     .name = "Btn_Cancel",
     .caption = "Отмена",
     .x = 333,
     .y = 232,
     .w = 75,
     .h = 25,
     .flags = cfCancel,
     .modal_result = mrCancel},
    {.kind = TCtl::StatusBar, .id = kIdStatus, .name = "SB_Status"},
};

void AddKind(TLookUp& lookup, const char* caption, int32_t id) {
  LookUpItemData d;
  d.caption.assign(caption);
  d.id = id;
  lookup.Add(std::move(d));
}

}  // namespace

TTestForm::TTestForm(HWND owner, int left, int top)
    : TForm({.caption = kTestFormCaption,
             .client_width = kTestFormWidth,
             .client_height = kTestFormHeight,
             .left = left,
             .top = top},
            owner) {
  LUp_Kinds.Name = "LUp_Kinds";
  LUp_Kinds.Caption = "Типы радиаторов";
  LUp_Kinds.DisplayStyle = dsCaption;
  for (const char* caption : {"Стальной", "Чугунный", "Алюминиевый", "Биметаллический"}) {
    AddKind(LUp_Kinds, caption, 10 + LUp_Kinds.Count());
  }

  R_Test.Name = "R_Test";
  PF_Length.Name = "PF_Length";
  PF_Length.Caption = "Длина";
  PF_Length.Units = "м";
  PF_Length.Hint = "Длина|Длина участка трубопровода";
  PF_Length.NumFp = 2;
  PF_Length.Increment = 0.1;
  PF_Length.BtnStyle = btnsSpin;
  PF_Length.SetFormulaEnabled(true);
  PF_Length.SetFormula("1,25");
  PF_Percent.Name = "PF_Percent";
  PF_Percent.Caption = "Доля";
  PF_Percent.Units = "%";
  PF_Percent.MinValue = 0;
  PF_Percent.MaxValue = 100;
  PF_Percent.SetValue(40);
  PF_Kind.Name = "PF_Kind";
  PF_Kind.Caption = "Тип радиатора";
  PF_Kind.BtnStyle = btnsArrowDown;
  PF_Kind.SetLookUp(&LUp_Kinds);
  PF_Kind.SetValue(10);
  PF_Note.Name = "PF_Note";
  PF_Note.Caption = "Примечание";
  PF_Note.BtnStyle = btnsDots;
  PF_Note.MaxLength = 80;
  PF_Note.Required = false;
  PF_Note.SetValue("Żółta ściana, ванная комната");
  PF_Active.Name = "PF_Active";
  PF_Active.Caption = "Активный";
  PF_Active.SetValue(true);
  PF_Flags.Name = "PF_Flags";
  PF_Flags.Caption = "Трубопроводы";
  PF_Flags.SetValue(5);
  for (TZqField* f : std::initializer_list<TZqField*>{&PF_Length, &PF_Percent, &PF_Kind, &PF_Note,
                                                      &PF_Active, &PF_Flags}) {
    R_Test.AddField(*f);
  }

  TFormBuilder(*this).Record(&R_Test).Build(kRows);
  Find<TButton>("Btn_OK")->OnClick = [this](TButton&) { ++ok_clicks; };
  auto* status = Find<TStatusBar>("SB_Status");
  status->SetPanels({200, -1});
  status->SetPanelText(0, "Готово");
  status->SetPanelText(1, "Łódź — Москва");
  ActiveControl = FindControl("ED_Length");
}

}  // namespace hx::test
