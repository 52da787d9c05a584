// The operations the server performs for its client, behind interfaces that the catalog,
// picture, calculation and drawing modules implement. A module that is not there leaves its
// pointer empty; its macros and codes then fail as a failing operation does.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/errors.h"
#include "server/core/macro_text.h"
#include "server/core/picture_params.h"

namespace hx {

class TObjectStream;

// The user cancelled the operation: it ends quietly with failure.
class EOperationCancelled : public EHXError {
 public:
  EOperationCancelled() : EHXError(-1, "cancelled") {}
};

// A file held no readable picture; the text says why.
class EInvalidGraphic : public EHXError {
 public:
  explicit EInvalidGraphic(const std::string& message) : EHXError(-1, message) {}
};

// The select, view and info services of one catalog module (radiators, valves and fittings,
// pipes, producers). Each opens one modal dialog.
class ICatalogService {
 public:
  virtual ~ICatalogService() = default;
  // The chosen symbol (UTF-8).
  virtual std::string Select(const std::string& symbol, const TTypeFilter& filter) = 0;
  virtual void View(const std::string& symbol, const TTypeFilter& filter) = 0;
  virtual void ShowInfo(const std::string& symbol) = 0;
};

// A picture that a client link keeps on the client's behalf.
class IPicture {
 public:
  virtual ~IPicture() = default;
  // The properties dialog (size, scale, units); false when it was cancelled.
  virtual bool PropertiesDialog() = 0;
  // The image editor of code 8.
  virtual void ImageEditor() = 0;
  virtual bool HasMetafile() const = 0;
  // The image as a plain (not enhanced) metafile.
  virtual std::vector<uint8_t> Metafile() const = 0;
  // Fills the record from the picture; the link sets the handle.
  virtual void FillParams(TPictureParams& params) const = 0;
  // Sets width, height, x, y, the attribute byte and the scale factor from the record.
  virtual void ApplyParams(const TPictureParams& params) = 0;
  // A copy that shares the image.
  virtual std::unique_ptr<IPicture> Copy() const = 0;
  // Saves the drawing to a file (format -1 keeps the picture's own); raises on failure.
  virtual void SaveToFile(const std::string& file_name, int32_t format, bool flag) = 0;
  // Stores the picture object.
  virtual void Store(TObjectStream& s) const = 0;
};

class IPictureService {
 public:
  virtual ~IPictureService() = default;
  // A picture read from the file; nothing when the load reports failure. An unreadable image
  // raises EInvalidGraphic.
  virtual std::unique_ptr<IPicture> LoadFromFile(const std::string& file_name) = 0;
  // Reads a stored picture object.
  virtual std::unique_ptr<IPicture> Read(TObjectStream& s) = 0;
};

// The underfloor heater pre-calculation on the data the client sent. The link reads the
// transfer (the heater item and its material collection, legacy records) while object streams
// load client data, and shows the calculation dialog afterwards with the load version restored.
class IUnderfloorCalculation {
 public:
  // The received items; freeing it frees what the calculation did not take over.
  class TTransfer {
   public:
    virtual ~TTransfer() = default;
  };
  virtual ~IUnderfloorCalculation() = default;
  virtual std::unique_ptr<TTransfer> ReadTransfer(TObjectStream& s) = 0;
  // The calculation dialog, modal.
  virtual void ShowCalculation(TTransfer& transfer) = 0;
};

// The drawing library's read and save of drawing files, for the conversion of code 15.
class IDrawingConverter {
 public:
  struct TDrawing {
    intptr_t handle = 0;
    int32_t format = 0;
  };
  virtual ~IDrawingConverter() = default;
  // Nothing when the file cannot be read.
  virtual std::optional<TDrawing> Read(const std::string& file_name) = 0;
  // Writes the drawing with the format value to exactly this file name.
  virtual bool Save(const TDrawing& drawing, const std::string& file_name) = 0;
  virtual void Close(const TDrawing& drawing) = 0;
};

struct TServerServices {
  ICatalogService* radiators = nullptr;
  ICatalogService* valves = nullptr;
  ICatalogService* pipes = nullptr;
  ICatalogService* producers = nullptr;
  IPictureService* pictures = nullptr;
  IUnderfloorCalculation* underfloor = nullptr;
  IDrawingConverter* drawings = nullptr;
};

// Raised when the module of an operation is not part of this build (message 29000).
class EServiceMissing : public EHXError {
 public:
  explicit EServiceMissing(const char* operation);
};

// The service, or EServiceMissing when the module is not there.
template <class T>
T& Need(T* service, const char* operation) {
  if (!service) throw EServiceMissing(operation);
  return *service;
}

}  // namespace hx
