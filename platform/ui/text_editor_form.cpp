#include "platform/ui/text_editor_form.h"

#include "platform/ui/controls.h"
#include "platform/ui/form_builder.h"

namespace hx {
namespace {

class TTextEditorHost : public ITextEditorHost {
 public:
  bool EditText(TextEditorRequest& request, LookUpControl owner) override {
    HWND root = owner ? GetAncestor(static_cast<HWND>(owner), GA_ROOT) : nullptr;
    TF_TextEditor editor(request, root);
    return editor.Execute(request);
  }
};

}  // namespace

TF_TextEditor::TF_TextEditor(const TextEditorRequest& request, HWND owner)
    : TForm({.caption = TextEditorRequest::kCaption,
             .client_width = 420,
             .client_height = 260,
             .sizeable = false},
            owner) {
  const TControlSpec rows[] = {
      {.kind = TCtl::Memo,
       .id = kTextEditorMemo,
       .name = "M_Text",
       .x = 8,
       .y = 8,
       .w = 404,
       .h = 210,
       .flags = request.read_only ? unsigned{cfReadOnly} : 0u},
      {.kind = TCtl::Button,
       .id = kTextEditorOk,
       .name = "Btn_OK",
       .caption = "OK",
       .x = 256,
       .y = 228,
       .w = 75,
       .h = 25,
       .flags = request.read_only ? 0u : unsigned{cfDefault},
       .modal_result = mrOk},
      {.kind = TCtl::Button,
       .id = kTextEditorCancel,
       .name = "Btn_Cancel",
       .caption = "Отмена",
       .x = 337,
       .y = 228,
       .w = 75,
       .h = 25,
       .flags = cfCancel,
       .modal_result = mrCancel},
  };
  TFormBuilder(*this).Build(rows);
  auto* memo = Find<TMemo>("M_Text");
  // Read-only texts scroll vertically only; editable ones both ways.
  if (request.VerticalScrollOnly()) ShowScrollBar(memo->Handle(), SB_HORZ, FALSE);
  SendMessageW(memo->Handle(), EM_SETLIMITTEXT, request.max_length > 0 ? request.max_length : 0, 0);
  memo->SetText(request.text);
  ActiveControl = memo;
}

bool TF_TextEditor::Execute(TextEditorRequest& request) {
  if (ShowModal() != mrOk || request.read_only) return false;
  std::string text = Find<TMemo>("M_Text")->Text();
  if (!request.multi_line) {
    for (char& c : text) {
      if (c == '\r' || c == '\n') c = ' ';
    }
  }
  request.text = std::move(text);
  return true;
}

void InstallTextEditorHost() {
  static TTextEditorHost host;
  SetTextEditorHost(&host);
}

}  // namespace hx
