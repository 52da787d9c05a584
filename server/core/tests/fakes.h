// Fakes for the server core tests: a transport that records every message it carries, a host
// that records what the core asks of it, and pictures whose image is a byte string. Message
// boxes go to a MessageRecorder of the test.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "objects/object_stream.h"
#include "server/core/copy_data_frame.h"
#include "server/core/server_host.h"
#include "server/core/server_services.h"

namespace hx::test {

struct TSentMessage {
  uint32_t peer;
  int32_t code;
  std::vector<uint8_t> data;
  uint32_t size() const { return static_cast<uint32_t>(data.size()); }
};

class TRecordingTransport : public ICopyDataTransport {
 public:
  // The peer's answer to each message; 1 unless set.
  std::function<int32_t(const TSentMessage&)> answer;
  std::vector<TSentMessage> sent;

  int32_t Send(uint32_t peer, int32_t code, const uint8_t* data, uint32_t size) override {
    sent.push_back({peer, code, std::vector<uint8_t>(data, data + size)});
    const TSentMessage copy = sent.back();
    return answer ? answer(copy) : 1;
  }
  // (code, cbData) of every message, for comparing sequences.
  std::vector<std::pair<int32_t, uint32_t>> Sequence() const {
    std::vector<std::pair<int32_t, uint32_t>> seq;
    for (const auto& m : sent) seq.emplace_back(m.code, m.size());
    return seq;
  }
};

class TRecordingHost : public IServerHost {
 public:
  std::vector<std::string> items;
  std::vector<uint32_t> broadcasts;
  int close_requests = 0;
  int brought_to_front = 0;
  std::vector<std::string> log;
  std::function<void()> on_close_request;

  void WriteItem(std::string_view text) override { items.emplace_back(text); }
  void Broadcast(uint32_t wparam) override { broadcasts.push_back(wparam); }
  void RequestClose() override {
    ++close_requests;
    if (on_close_request) on_close_request();
  }
  void BringToFront() override { ++brought_to_front; }
  void Log(const std::string& text) override { log.push_back(text); }
};

inline std::vector<uint8_t> Bytes(std::string_view s) {
  return {s.begin(), s.end()};
}
// A literal with its zero bytes (the last, terminating one excluded).
template <size_t N>
std::vector<uint8_t> Bytes(const char (&s)[N]) {
  return {s, s + N - 1};
}

// [2-byte P][prefix][payload].
inline std::vector<uint8_t> Frame(const std::vector<uint8_t>& prefix,
                                  const std::vector<uint8_t>& payload = {}) {
  std::vector<uint8_t> f{static_cast<uint8_t>(prefix.size()),
                         static_cast<uint8_t>(prefix.size() >> 8)};
  f.insert(f.end(), prefix.begin(), prefix.end());
  f.insert(f.end(), payload.begin(), payload.end());
  return f;
}
// [2-byte k][bytes].
inline std::vector<uint8_t> Counted(std::string_view bytes) {
  return Frame(Bytes(bytes));
}

inline std::vector<uint8_t> Cardinal(uint32_t v) {
  return {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v >> 16),
          static_cast<uint8_t>(v >> 24)};
}

// A picture whose image is its bytes; what happens to it is written into a shared journal.
class TFakePicture : public IPicture {
 public:
  TFakePicture(std::vector<uint8_t> image, std::vector<std::string>* journal)
      : image_(std::move(image)), journal_(journal) {}
  ~TFakePicture() override { Note("freed"); }

  std::function<bool()> on_dialog;  // the properties dialog; true = OK
  TPictureParams applied;

  bool PropertiesDialog() override {
    Note("dialog");
    return on_dialog ? on_dialog() : true;
  }
  void ImageEditor() override {
    Note("editor");
    if (on_dialog) on_dialog();
  }
  bool HasMetafile() const override { return !image_.empty(); }
  std::vector<uint8_t> Metafile() const override { return image_; }
  void FillParams(TPictureParams& p) const override {
    p.width = static_cast<int32_t>(image_.size());
    p.height = 20;
    p.file_name = "plan.dwg";
  }
  void ApplyParams(const TPictureParams& p) override { applied = p; }
  std::unique_ptr<IPicture> Copy() const override {
    return std::make_unique<TFakePicture>(image_, journal_);
  }
  void SaveToFile(const std::string& file_name, int32_t format, bool flag) override {
    Note("save " + file_name);
  }
  void Store(TObjectStream& s) const override {
    s.WriteInt32(static_cast<int32_t>(image_.size()));
    s.WriteBytes(image_.data(), image_.size());
  }
  const std::vector<uint8_t>& Image() const { return image_; }

 private:
  void Note(const std::string& what) const {
    if (journal_) journal_->push_back(what);
  }
  std::vector<uint8_t> image_;
  std::vector<std::string>* journal_;
};

class TFakePictureService : public IPictureService {
 public:
  std::vector<std::string> journal;
  std::function<bool()> on_dialog;
  std::function<void(const std::string&)> on_load;  // may raise
  TFakePicture* last = nullptr;

  std::unique_ptr<IPicture> LoadFromFile(const std::string& file_name) override {
    journal.push_back("load " + file_name);
    if (on_load) on_load(file_name);
    if (file_name.empty()) return nullptr;
    return Made(std::make_unique<TFakePicture>(Bytes("image of " + file_name), &journal));
  }
  std::unique_ptr<IPicture> Read(TObjectStream& s) override {
    const int32_t n = s.ReadInt32();
    s.CheckAvailable(n);
    std::vector<uint8_t> image(static_cast<size_t>(n));
    s.ReadBytes(image.data(), image.size());
    return Made(std::make_unique<TFakePicture>(std::move(image), &journal));
  }

 private:
  std::unique_ptr<IPicture> Made(std::unique_ptr<TFakePicture> p) {
    p->on_dialog = on_dialog;
    last = p.get();
    return p;
  }
};

}  // namespace hx::test
