#include "server/core/copy_data_object.h"

#include <algorithm>
#include <cstring>

#include "base/safe_replace.h"
#include "base/wait_cursor.h"
#include "objects/byte_stream.h"
#include "objects/data_kind.h"
#include "objects/object_stream.h"
#include "records/messages.h"
#include "server/core/copy_data_stream.h"
#include "server/core/drawing_conversion.h"

namespace hx {
namespace {

constexpr int kMsgInvalidGraphic = 20129;

// The prefix of a frame [2-byte P][P bytes]...; nothing unless the frame fits into the message
// and the prefix holds at least size bytes.
std::optional<TBytes> PrefixOf(TBytes message, size_t size) {
  const auto frame = ParseFrame(message);
  if (!frame || frame->prefix.size() < size) return std::nullopt;
  return frame->prefix;
}

std::optional<uint32_t> HandlePrefix(TBytes message) {
  const auto prefix = PrefixOf(message, 4);
  if (!prefix) return std::nullopt;
  return GetCardinal(prefix->data());
}

}  // namespace

// Keeps a picture from being freed while an operation (usually its dialog) works on it.
class TCopyDataObject::TPicturePin {
 public:
  TPicturePin(TCopyDataObject& link, TPictureEntry& entry) : link_(link), handle_(entry.handle) {
    ++entry.pins;
  }
  ~TPicturePin() { link_.Unpin(handle_); }
  TPicturePin(const TPicturePin&) = delete;
  TPicturePin& operator=(const TPicturePin&) = delete;

 private:
  TCopyDataObject& link_;
  uint32_t handle_;
};

TCopyDataObject::TCopyDataObject(TLinkContext& context, uint32_t client_window)
    : context_(context), sender_(context.transport, client_window) {}

TCopyDataObject::~TCopyDataObject() = default;

void TCopyDataObject::Reset() {
  received_.Reset();
  reply_.clear();
  reply_.shrink_to_fit();
  incoming_.reset();
  incoming_read_ = 0;
}

int TCopyDataObject::PictureCount() const {
  return static_cast<int>(std::count_if(pictures_.begin(), pictures_.end(),
                                        [](const auto& e) { return !e->free_pending; }));
}

bool TCopyDataObject::HasPicture(uint32_t handle) const {
  return std::any_of(pictures_.begin(), pictures_.end(),
                     [&](const auto& e) { return e->handle == handle && !e->free_pending; });
}

TCopyDataObject::TPictureEntry* TCopyDataObject::FindPicture(uint32_t handle) {
  for (auto& e : pictures_) {
    if (e->handle == handle && !e->free_pending) return e.get();
  }
  return nullptr;
}

uint32_t TCopyDataObject::AddPicture(std::unique_ptr<IPicture> picture) {
  uint32_t handle = context_.next_picture_handle++;
  if (handle == 0) handle = context_.next_picture_handle++;
  pictures_.push_back(std::make_unique<TPictureEntry>(TPictureEntry{handle, std::move(picture)}));
  return handle;
}

void TCopyDataObject::FreeEntry(uint32_t handle) {
  for (auto it = pictures_.begin(); it != pictures_.end(); ++it) {
    if ((*it)->handle != handle) continue;
    if ((*it)->pins > 0) {
      (*it)->free_pending = true;
    } else {
      pictures_.erase(it);
    }
    return;
  }
}

void TCopyDataObject::Unpin(uint32_t handle) {
  for (auto it = pictures_.begin(); it != pictures_.end(); ++it) {
    if ((*it)->handle != handle) continue;
    if (--(*it)->pins == 0 && (*it)->free_pending) pictures_.erase(it);
    return;
  }
}

int32_t TCopyDataObject::HandleMessage(int32_t code, TBytes message) {
  try {
    if (code >= 0) Reset();
    const uint32_t abs_code =
        code < 0 ? static_cast<uint32_t>(-static_cast<int64_t>(code)) : static_cast<uint32_t>(code);
    return Dispatch(code, abs_code, message);
  } catch (const std::exception&) {
    return -1;
  }
}

int32_t TCopyDataObject::Dispatch(int32_t code, uint32_t abs_code, TBytes message) {
  switch (abs_code) {
    case 2: {
      const auto prefix = PrefixOf(message, TLoadParams::kSize);
      if (!prefix) return -1;
      auto params = TLoadParams::Decode(*prefix);
      if (!params) return -1;
      load_params_ = std::move(*params);
      return 1;
    }
    case 3:
      return SavePicture(message);
    case 5:
      return FreePicture(message);
    case 6:
      return FreeAllPictures();
    case 7:
      return CopyPicture(message);
    case 8:
      return EditImage(message);
    case 9:
      return StorePictureParams(message);
    case 10:
      return WritePicture(message);
    case 12:
      return ReadPicture();
    case 13:
      return ReadIncoming(message);
    case 14:
      return AppendIncoming(message);
    case 15:
      return ConvertDrawing(message);
    case 16:
      CalcUnderfloor();
      return 1;
    case 249:
      Reset();
      return -1;
    case 250:
      remove_requested_ = true;
      return -1;
    case 251:
      return TakeReply(message);
    case 254:
      Reset();
      return received_.Take(kCodeLargeLength, message) ? 1 : -1;
    case 255:
      return received_.Take(kCodeLargeChunk, message) ? 1 : -1;
    default:
      return -1;
  }
}

int32_t TCopyDataObject::SavePicture(TBytes message) {
  const auto prefix = PrefixOf(message, TSaveParams::kSize);
  if (!prefix) return -1;
  auto params = TSaveParams::Decode(*prefix);
  if (!params) return -1;
  save_params_ = std::move(*params);
  TPictureEntry* entry = FindPicture(save_params_->handle);
  if (!entry) return -1;
  TPicturePin pin(*this, *entry);
  entry->picture->SaveToFile(save_params_->file_name, save_params_->format,
                             save_params_->flag != 0);
  return 1;
}

int32_t TCopyDataObject::FreePicture(TBytes message) {
  const auto handle = HandlePrefix(message);
  if (!handle) return -1;
  picture_handle_ = *handle;
  if (FindPicture(*handle)) FreeEntry(*handle);
  return 1;
}

int32_t TCopyDataObject::FreeAllPictures() {
  std::vector<uint32_t> handles;
  for (const auto& e : pictures_) handles.push_back(e->handle);
  for (const uint32_t h : handles) FreeEntry(h);
  return -1;
}

int32_t TCopyDataObject::CopyPicture(TBytes message) {
  const auto handle = HandlePrefix(message);
  if (!handle) return -1;
  picture_handle_ = *handle;
  TPictureEntry* entry = FindPicture(*handle);
  if (!entry) return -1;
  const uint32_t copy = AddPicture(entry->picture->Copy());
  if (!SendHandle(7, copy)) {
    // The client never learnt the copy's handle: nobody could free it.
    FreeEntry(copy);
    return -1;
  }
  return 1;
}

int32_t TCopyDataObject::EditImage(TBytes message) {
  const auto handle = HandlePrefix(message);
  if (!handle) return -1;
  picture_handle_ = *handle;
  TPictureEntry* entry = FindPicture(*handle);
  if (!entry) return -1;
  bool sent = false;
  {
    TPicturePin pin(*this, *entry);
    WaitCursor wait;
    entry->picture->ImageEditor();
    // The client may have freed the picture while its editor was open.
    if (FindPicture(*handle)) sent = SendPicture(*entry->picture, *handle);
  }
  Reset();
  return sent ? 1 : -1;
}

int32_t TCopyDataObject::StorePictureParams(TBytes message) {
  const auto prefix = PrefixOf(message, TPictureParams::kSize);
  if (!prefix) return -1;
  auto params = TPictureParams::Decode(*prefix);
  if (!params) return -1;
  picture_params_ = std::move(*params);
  picture_handle_ = picture_params_->handle;
  return FindPicture(picture_params_->handle) ? 1 : -1;
}

int32_t TCopyDataObject::WritePicture(TBytes message) {
  const auto handle = HandlePrefix(message);
  if (!handle) return -1;
  picture_handle_ = *handle;
  TPictureEntry* entry = FindPicture(*handle);
  if (!entry) return -1;
  TPicturePin pin(*this, *entry);
  TCopyDataObjectStream s(*this);
  entry->picture->Store(s);
  return 1;
}

int32_t TCopyDataObject::ReadPicture() {
  IPictureService& service = Need(context_.services.pictures, "ReadPicture");
  std::unique_ptr<IPicture> picture;
  {
    TCopyDataObjectStream s(*this);
    picture = service.Read(s);
  }
  if (!picture) return -1;
  const uint32_t handle = AddPicture(std::move(picture));
  picture_handle_ = handle;
  if (!SendHandle(11, handle)) {
    FreeEntry(handle);
    return -1;
  }
  return 1;
}

int32_t TCopyDataObject::ReadIncoming(TBytes message) {
  if (message.size() < 2 || !incoming_) return -1;
  const size_t asked = std::min<size_t>(GetWord(message.data()), kCopyDataChunk);
  const size_t n = std::min(asked, incoming_->size() - incoming_read_);
  const TBytes bytes(incoming_->data() + incoming_read_, n);
  if (sender_.SendCounted(-251, bytes) < 0) return -1;
  incoming_read_ += n;
  return 1;
}

int32_t TCopyDataObject::AppendIncoming(TBytes message) {
  const auto bytes = ParseCounted(message);
  if (!bytes) return -1;
  if (!incoming_) incoming_.emplace();
  if (incoming_->size() + bytes->size() > kMaxIncomingStream) return -1;
  incoming_->insert(incoming_->end(), bytes->begin(), bytes->end());
  return 1;
}

int32_t TCopyDataObject::TakeReply(TBytes message) {
  const auto bytes = ParseCounted(message);
  if (!bytes) return -1;
  reply_.assign(bytes->begin(), bytes->end());
  ++reply_count_;
  return 1;
}

int32_t TCopyDataObject::ConvertDrawing(TBytes message) {
  const auto prefix = PrefixOf(message, kNameFieldSize);
  if (!prefix) return -1;
  auto name = ReadNameField(prefix->subspan(0, kNameFieldSize));
  if (!name) return -1;
  drawing_file_ = std::move(*name);
  IDrawingConverter& converter = Need(context_.services.drawings, "ConvertDrawing");
  WaitCursor wait;
  return ConvertDrawingFile(converter, *drawing_file_, context_.files) ? 1 : -1;
}

bool TCopyDataObject::SendHandle(int32_t code, uint32_t handle) {
  uint8_t prefix[4];
  PutCardinal(prefix, handle);
  return sender_.SendBlock(code, prefix, {});
}

bool TCopyDataObject::SendPicture(const IPicture& picture, uint32_t handle) {
  TMemoryStream metafile(picture.Metafile());
  TPictureParams params;
  picture.FillParams(params);
  params.handle = handle;
  const auto record = params.Encode();
  return sender_.SendStreamBlock(4, record, metafile, 0);
}

bool TCopyDataObject::LoadPicture() {
  struct TResetAtEnd {
    TCopyDataObject& link;
    ~TResetAtEnd() { link.Reset(); }
  } reset_at_end{*this};
  WaitCursor wait;
  std::string file_name = load_params_ ? load_params_->file_name : std::string();
  try {
    IPictureService& service = Need(context_.services.pictures, "VipImageLoadFromFile");
    if (!load_params_) return false;
    std::unique_ptr<IPicture> picture = service.LoadFromFile(file_name);
    if (!picture || !picture->PropertiesDialog()) return false;
    // Code 250 may have given the link up while the dialog was open.
    if (remove_requested_) return false;
    // The handle is given only once the client has the picture.
    const uint32_t handle = AddPicture(std::move(picture));
    TPictureEntry* entry = FindPicture(handle);
    bool sent = false;
    {
      TPicturePin pin(*this, *entry);
      sent = SendPicture(*entry->picture, handle);
    }
    if (!sent) {
      FreeEntry(handle);
      return false;
    }
    picture_handle_ = handle;
    return true;
  } catch (const EOperationCancelled&) {
    return false;
  } catch (const EInvalidGraphic& e) {
    ShowErrorMsg(kMsgInvalidGraphic, {file_name, e.what()});
    return false;
  } catch (const std::exception& e) {
    ShowErrorText(e.what());
    return false;
  }
}

bool TCopyDataObject::EditPicture() {
  struct TResetAtEnd {
    TCopyDataObject& link;
    ~TResetAtEnd() { link.Reset(); }
  } reset_at_end{*this};
  if (!picture_params_) return false;
  // The handle is looked up now: the picture named by code 9 may have been freed since.
  const uint32_t handle = picture_params_->handle;
  TPictureEntry* entry = FindPicture(handle);
  if (!entry) return false;
  TPicturePin pin(*this, *entry);
  IPicture& picture = *entry->picture;
  picture.ApplyParams(*picture_params_);
  if (!picture.PropertiesDialog()) return false;
  if (!FindPicture(handle) || remove_requested_ || !picture.HasMetafile()) return false;
  return SendPicture(picture, handle);
}

void TCopyDataObject::CalcUnderfloor() {
  struct TResetAtEnd {
    TCopyDataObject& link;
    ~TResetAtEnd() { link.Reset(); }
  } reset_at_end{*this};
  IUnderfloorCalculation& calculation = Need(context_.services.underfloor, "CalcUFRad");
  // Nothing was written with code 14: there is nothing to read.
  if (!incoming_) throw EObjectStream(-3);
  std::unique_ptr<IUnderfloorCalculation::TTransfer> transfer;
  {
    TObjectStream s(std::make_unique<TMemoryStream>(*incoming_));
    DataKindScope client_data(1);
    transfer = calculation.ReadTransfer(s);
  }
  if (transfer) calculation.ShowCalculation(*transfer);
}

}  // namespace hx
