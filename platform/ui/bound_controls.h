// The Win32 views of the control models: each window shows its model (text, colours, hint,
// state) and forwards the user's input to it. The view owns its model; a bound model is bound
// to its field by the form (or the form builder).
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "controls/choice_lists.h"
#include "controls/db_check.h"
#include "controls/db_edit.h"
#include "controls/db_labels.h"
#include "controls/picture_wnd.h"
#include "controls/zq_edit.h"
#include "platform/ui/window.h"

namespace hx {

// The part of every view: the model it owns and the brush of its current background.
class TModelView : public IControlView {
 public:
  TModelView() = default;
  TModelView(const TModelView&) = delete;
  TModelView& operator=(const TModelView&) = delete;

 protected:
  ~TModelView() = default;
  // The background brush for a colour of the model (cached).
  HBRUSH Brush(COLORREF color);
  void FreeBrush();

 private:
  HBRUSH brush_ = nullptr;
  COLORREF brush_color_ = 0;
};

// An edit (EDIT window) over a TCustomZqEdit: plain, numeric or bound.
class TZqEditControl : public TWinControl, public TModelView {
 public:
  TZqEditControl(TForm& form, int id, std::string name, const RECT& bounds,
                 std::unique_ptr<TCustomZqEdit> model);
  ~TZqEditControl() override;

  TCustomZqEdit& Model() const { return *model_; }
  template <class M>
  M* ModelAs() const {
    return dynamic_cast<M*>(model_.get());
  }

  void ModelChanged(unsigned changes) override;
  void Beep() override;
  ItemRect ScreenRect() const override;
  bool PressDefaultButton() override;
  void PassEnterToParent() override;
  void TakeFocus() override;

  HBRUSH OnCtlColor(HDC dc) override;
  void OnCommand(int id, int code) override;

 protected:
  LRESULT WndProc(UINT msg, WPARAM wparam, LPARAM lparam) override;
  void HandleDestroyed() override;

 private:
  void ShowText();
  void ShowState();
  void SyncFromWindow();
  void PaintButton();

  std::unique_ptr<TCustomZqEdit> model_;
  bool updating_ = false;
  bool was_in_error_ = false;
  EditButtonPart held_ = EditButtonPart::None;
};

// A multi-line edit over a TZqDBMemo.
class TZqMemoControl : public TWinControl, public TModelView {
 public:
  TZqMemoControl(TForm& form, int id, std::string name, const RECT& bounds,
                 std::unique_ptr<TZqDBMemo> model);
  ~TZqMemoControl() override;
  TZqDBMemo& Model() const { return *model_; }

  void ModelChanged(unsigned changes) override;
  void TakeFocus() override;
  HBRUSH OnCtlColor(HDC dc) override;
  void OnCommand(int id, int code) override;

 protected:
  LRESULT WndProc(UINT msg, WPARAM wparam, LPARAM lparam) override;

 private:
  std::unique_ptr<TZqDBMemo> model_;
  bool updating_ = false;
};

// A static text over a bound label (caption, units or display text).
class TZqLabelControl : public TWinControl, public TModelView {
 public:
  TZqLabelControl(TForm& form, int id, std::string name, const RECT& bounds,
                  std::unique_ptr<TZqDBLabel> model);
  ~TZqLabelControl() override;
  TZqDBLabel& Model() const { return *model_; }
  void ModelChanged(unsigned changes) override;

 private:
  std::unique_ptr<TZqDBLabel> model_;
};

// A check box, three-state box or radio button over a TZqDBCheckBox.
class TZqCheckBoxControl : public TWinControl, public TModelView {
 public:
  TZqCheckBoxControl(TForm& form, int id, std::string name, const RECT& bounds,
                     std::unique_ptr<TZqDBCheckBox> model);
  ~TZqCheckBoxControl() override;
  TZqDBCheckBox& Model() const { return *model_; }
  void ModelChanged(unsigned changes) override;
  void OnCommand(int id, int code) override;

 private:
  std::unique_ptr<TZqDBCheckBox> model_;
};

// A group box with a check box (TZqDBCheckBoxGroup) or radio button (TZqDBRadioGroup) per
// entry; the boxes have the ids id + 1, id + 2, ... and the entries' hints.
class TZqGroupControl : public TWinControl, public TModelView {
 public:
  TZqGroupControl(TForm& form, int id, std::string name, const RECT& bounds,
                  std::unique_ptr<TZqDBGroup> model, int columns = 1);
  ~TZqGroupControl() override;
  TZqDBGroup& Model() const { return *model_; }
  HWND Box(int index) const;
  int BoxCount() const { return static_cast<int>(boxes_.size()); }

  void ModelChanged(unsigned changes) override;
  bool OwnsId(int id) const override { return id >= Id() && id <= Id() + BoxCount(); }
  void OnCommand(int id, int code) override;

 protected:
  LRESULT WndProc(UINT msg, WPARAM wparam, LPARAM lparam) override;

 private:
  void CreateBoxes();
  void ShowChecks();
  bool Radio() const;

  std::unique_ptr<TZqDBGroup> model_;
  std::vector<HWND> boxes_;
  RECT bounds_;
  int columns_;
};

// A combo box or list box over a choice list, drawn by the control with glyphs and greyed
// disabled entries.
class TZqChoiceControl : public TWinControl, public TModelView {
 public:
  // list: a list box; else a combo box (editable unless drop_down_list).
  TZqChoiceControl(TForm& form, int id, std::string name, const RECT& bounds,
                   std::unique_ptr<TCustomChoiceList> model, bool list,
                   bool drop_down_list = false);
  ~TZqChoiceControl() override;
  TCustomChoiceList& Model() const { return *model_; }
  bool IsList() const { return list_; }

  void ModelChanged(unsigned changes) override;
  void OnCommand(int id, int code) override;
  bool OnDrawItem(DRAWITEMSTRUCT* draw) override;
  bool OnMeasureItem(MEASUREITEMSTRUCT* measure) override;

 private:
  void Fill();
  void ShowSelection();

  std::unique_ptr<TCustomChoiceList> model_;
  bool list_;
  bool updating_ = false;
};

// The picture window over a TZqDBPictureWnd.
class TZqPictureControl : public TWinControl, public TModelView {
 public:
  TZqPictureControl(TForm& form, int id, std::string name, const RECT& bounds,
                    std::unique_ptr<TZqDBPictureWnd> model);
  ~TZqPictureControl() override;
  TZqDBPictureWnd& Model() const { return *model_; }
  void ModelChanged(unsigned changes) override;

 protected:
  LRESULT WndProc(UINT msg, WPARAM wparam, LPARAM lparam) override;

 private:
  std::unique_ptr<TZqDBPictureWnd> model_;
};

// The hint a control shows for a model's hint: its short part.
void SetControlHint(HWND control, const std::string& hint);

}  // namespace hx
