// Streamable objects and the registry that maps a numeric stream type id to a class.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <typeinfo>

namespace hx {

class TObjectStream;

// The base of everything stored. Load0..Load2 read the object's fields in format variant
// 0, 1 or 2 (the registry constructs the object first, then calls the load), Store0..Store2
// write them.
class TStreamableObject {
 public:
  virtual ~TStreamableObject() = default;

  virtual void Load0(TObjectStream& s) {}
  virtual void Load1(TObjectStream& s) {}
  virtual void Load2(TObjectStream& s) {}
  virtual void Store0(TObjectStream& s) const {}
  virtual void Store1(TObjectStream& s) const {}
  virtual void Store2(TObjectStream& s) const {}

  // Used by the packing operations of collections.
  virtual bool IsEmpty() const { return false; }

  // Copies this object into target, an object of the same class. The default copies through
  // a memory stream in variant 0.
  virtual void CopyTo(TStreamableObject& target) const;
  // A new object of this class with this object's contents.
  std::unique_ptr<TStreamableObject> Clone() const;

  virtual int32_t TypeId() const = 0;
  virtual const char* ClassName() const = 0;
  virtual std::unique_ptr<TStreamableObject> NewInstance() const = 0;
};

// Declares the class-level stream type id and the class name of a streamable class.
#define HX_STREAMABLE(Class, Id)                                                    \
 public:                                                                           \
  static constexpr int32_t kTypeId = Id;                                           \
  static constexpr const char* kClassName = #Class;                                \
  int32_t TypeId() const override { return kTypeId; }                              \
  const char* ClassName() const override { return kClassName; }                    \
  std::unique_ptr<::hx::TStreamableObject> NewInstance() const override {          \
    return std::make_unique<Class>();                                              \
  }                                                                                \
                                                                                   \
 private:

// A streamable object that renders as lines of text (reports, lists).
class TLinesItem : public TStreamableObject {
 public:
  virtual int LineCount() const { return 1; }
  virtual void GetLine(int index, int options, std::string& text) const {}
  virtual int LineHook() const { return 1; }
  // Stores the counter as this item's line number and increments it.
  virtual void NumberLines(int& counter) { line_no_ = counter++; }
  int LineNo() const { return line_no_; }

 private:
  int32_t line_no_ = 0;
};

struct StreamClass {
  int32_t type_id;
  const char* name;
  const std::type_info* type;
  std::unique_ptr<TStreamableObject> (*create)();
};

// Adds a class to the registry. Registering the same class again is harmless; another class
// with a registered id raises EObjectStream -4.
void RegisterStreamable(const StreamClass& cls);

template <class T>
void RegisterStreamable() {
  RegisterStreamable(StreamClass{T::kTypeId, T::kClassName, &typeid(T),
                                 []() -> std::unique_ptr<TStreamableObject> {
                                   return std::make_unique<T>();
                                 }});
}

// The registered class of a type id, or nullptr.
const StreamClass* FindStreamClass(int32_t type_id);

// Registers the classes of the object persistence layer (the collections).
void RegisterObjectStreamables();

}  // namespace hx
