// A client link: the server's side of the copy-data conversation with one client window. It
// handles every code of the protocol, keeps the pictures whose handles the client holds, its
// receive buffers and its incoming stream, and performs the picture and calculation operations
// of the macros.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "server/core/copy_data_frame.h"
#include "server/core/picture_params.h"
#include "server/core/server_services.h"

namespace hx {

class IFileOps;

// What the links of one server share.
struct TLinkContext {
  ICopyDataTransport& transport;
  const TServerServices& services;
  IFileOps& files;
  // Picture handles are ids, unique across the links of the run; 0 is never given.
  uint32_t next_picture_handle = 1;
};

// The largest incoming stream a client may write with code 14.
inline constexpr size_t kMaxIncomingStream = kMaxSplitBlock;

class TCopyDataObject {
 public:
  TCopyDataObject(TLinkContext& context, uint32_t client_window);
  ~TCopyDataObject();
  TCopyDataObject(const TCopyDataObject&) = delete;
  TCopyDataObject& operator=(const TCopyDataObject&) = delete;

  uint32_t ClientWindow() const { return sender_.Peer(); }
  TCopyDataSender& Sender() { return sender_; }

  // One WM_COPYDATA message of the client: the result returned to it (1 success, -1 failure).
  int32_t HandleMessage(int32_t code, TBytes message);

  // The operations of "VipImageLoadFromFile", "VipImageEdit" and "CalcUFRad" (also code 16).
  // The calculation raises when it cannot run.
  bool LoadPicture();
  bool EditPicture();
  void CalcUnderfloor();

  // Drops the receive buffers and the incoming stream; the records, the pictures and the send
  // buffer stay.
  void Reset();

  // The client's replies to read requests (code 251): a count that grows with each reply, and
  // the bytes of the last one.
  uint64_t ReplyCount() const { return reply_count_; }
  TBytes Reply() const { return reply_; }

  // Code 250 asked for the link to go; the link table frees it once nothing uses it.
  bool RemoveRequested() const { return remove_requested_; }

  // The pictures the client may still name (a picture freed while in use is no longer named).
  int PictureCount() const;
  bool HasPicture(uint32_t handle) const;

 private:
  struct TPictureEntry {
    uint32_t handle;
    std::unique_ptr<IPicture> picture;
    // Operations working on the picture; a free asked for meanwhile waits until none is left.
    int pins = 0;
    bool free_pending = false;
  };
  class TPicturePin;

  int32_t Dispatch(int32_t code, uint32_t abs_code, TBytes message);
  int32_t SavePicture(TBytes message);
  int32_t FreePicture(TBytes message);
  int32_t FreeAllPictures();
  int32_t CopyPicture(TBytes message);
  int32_t EditImage(TBytes message);
  int32_t StorePictureParams(TBytes message);
  int32_t WritePicture(TBytes message);
  int32_t ReadPicture();
  int32_t ReadIncoming(TBytes message);
  int32_t AppendIncoming(TBytes message);
  int32_t TakeReply(TBytes message);
  int32_t ConvertDrawing(TBytes message);

  TPictureEntry* FindPicture(uint32_t handle);
  uint32_t AddPicture(std::unique_ptr<IPicture> picture);
  void FreeEntry(uint32_t handle);
  void Unpin(uint32_t handle);
  // Sends the picture as code 4: the parameter record, then its plain metafile, as a stream
  // block.
  bool SendPicture(const IPicture& picture, uint32_t handle);
  bool SendHandle(int32_t code, uint32_t handle);

  TLinkContext& context_;
  TCopyDataSender sender_;
  std::vector<std::unique_ptr<TPictureEntry>> pictures_;
  std::optional<TLoadParams> load_params_;
  std::optional<TPictureParams> picture_params_;
  std::optional<TSaveParams> save_params_;
  std::optional<std::string> drawing_file_;
  uint32_t picture_handle_ = 0;
  // A large block (-254/-255) that the client sends.
  TBlockAssembler received_;
  std::vector<uint8_t> reply_;
  uint64_t reply_count_ = 0;
  // What the client wrote with code 14, and how far code 13 has read it.
  std::optional<std::vector<uint8_t>> incoming_;
  size_t incoming_read_ = 0;
  bool remove_requested_ = false;
};

}  // namespace hx
