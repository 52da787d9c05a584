// Published properties: a small registry per class of named, typed properties with a getter
// and a setter, so that records can bind fields to an object's properties by name.
//
// Declaring them costs one line a property. In the class:
//
//   class TPipe : public TCatItem {   // TCatItem derives from PublishedObject
//     HX_PUBLISHED()
//    public:
//     const std::string& Symbol() const;
//     void SetSymbol(std::string_view s);
//     double Dn() const;
//     void SetDn(double v);
//     uint8_t typ = 0;
//   };
//
// and in the .cpp, the table with the base class's table as its parent:
//
//   HX_PROPERTIES(TPipe, TCatItem,
//     hx::Property("Symbol", &TPipe::Symbol, &TPipe::SetSymbol),
//     hx::Property("Dn", &TPipe::Dn, &TPipe::SetDn),
//     hx::Property("Typ", &TPipe::typ),            // a data member, read and written directly
//     hx::ReadOnlyProperty("Area", &TPipe::Area))
//
// A class at the root passes hx::PublishedObject as the base. The kind follows the C++ type:
// std::string (getters may return a reference, setters may take std::string_view) -> text,
// double -> float, int32_t -> int32, uint16_t -> word, uint8_t -> byte, int8_t -> short int,
// bool -> boolean; an enumeration counts as its underlying integer type. Names compare
// ignoring case; a derived class's property hides a base property of the same name.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

namespace hx {

enum class PropKind : uint8_t { Text, Float, Int32, Word, Byte, ShortInt, Boolean };

// A property value in transit: text, real, any integer kind, or truth value. The empty values
// are the empty text, NoFloat, NoInt (int32), 65535 (word), 255 (byte), -1 (short int).
using PropValue = std::variant<std::string, double, int64_t, bool>;

// Converts v to what a property of kind holds: numbers between the numeric kinds (with the
// clamping of the integer readers and the empty values kept empty), texts read by the number
// reader (silently) or written in the general format, truth values as 1 and 0 (and texts
// "True"/"False"). False when the value cannot be converted.
bool ConvertPropValue(const PropValue& v, PropKind kind, PropValue& out);

class PublishedObject;

struct PropertyInfo {
  std::string name;
  PropKind kind;
  std::function<PropValue(const PublishedObject&)> get;
  // Takes a value already converted to kind; empty for a read-only property.
  std::function<void(PublishedObject&, const PropValue&)> set;
};

class PropertyTable {
 public:
  PropertyTable(const PropertyTable* parent, std::initializer_list<PropertyInfo> properties);

  // The property of that name (ignoring case), looked for in this class first, then in the
  // base classes; nullptr when there is none.
  const PropertyInfo* Find(std::string_view name) const;
  // Every visible property, base classes first.
  std::vector<const PropertyInfo*> All() const;
  const PropertyTable* Parent() const { return parent_; }

 private:
  const PropertyTable* parent_;
  std::vector<PropertyInfo> properties_;
};

// The root of every class with published properties.
class PublishedObject {
 public:
  virtual ~PublishedObject() = default;
  static const PropertyTable& StaticProperties();
  virtual const PropertyTable& Properties() const { return StaticProperties(); }
};

#define HX_PUBLISHED()                                     \
 public:                                                   \
  static const ::hx::PropertyTable& StaticProperties();    \
  const ::hx::PropertyTable& Properties() const override { \
    return StaticProperties();                             \
  }                                                        \
                                                           \
 private:

#define HX_PROPERTIES(Class, Base, ...)                                               \
  const ::hx::PropertyTable& Class::StaticProperties() {                              \
    static const ::hx::PropertyTable table(&Base::StaticProperties(), {__VA_ARGS__}); \
    return table;                                                                     \
  }

// Reads the property; nothing when the object has no property of that name.
std::optional<PropValue> GetPropValue(const PublishedObject& object, std::string_view name);
// Converts value to the property's kind and writes it; false when there is no such property,
// it is read-only, or the value cannot be converted.
bool SetPropValue(PublishedObject& object, std::string_view name, const PropValue& value);

// ---- declaring properties

namespace published_detail {

template <class T>
struct Traits {
  using U = std::remove_cv_t<std::remove_reference_t<T>>;
  static constexpr PropKind Kind() {
    if constexpr (std::is_enum_v<U>) {
      return Traits<std::underlying_type_t<U>>::Kind();
    } else if constexpr (std::is_same_v<U, std::string> || std::is_same_v<U, std::string_view>) {
      return PropKind::Text;
    } else if constexpr (std::is_same_v<U, bool>) {
      return PropKind::Boolean;
    } else if constexpr (std::is_floating_point_v<U>) {
      return PropKind::Float;
    } else if constexpr (std::is_same_v<U, uint8_t>) {
      return PropKind::Byte;
    } else if constexpr (std::is_same_v<U, int8_t>) {
      return PropKind::ShortInt;
    } else if constexpr (std::is_same_v<U, uint16_t>) {
      return PropKind::Word;
    } else {
      static_assert(std::is_same_v<U, int32_t>, "unsupported property type");
      return PropKind::Int32;
    }
  }
  static PropValue To(const U& v) {
    if constexpr (std::is_enum_v<U>) {
      return static_cast<int64_t>(v);
    } else if constexpr (Kind() == PropKind::Text) {
      return std::string(v);
    } else if constexpr (Kind() == PropKind::Boolean) {
      return v;
    } else if constexpr (Kind() == PropKind::Float) {
      return static_cast<double>(v);
    } else {
      return static_cast<int64_t>(v);
    }
  }
  // v holds the alternative of Kind() (ConvertPropValue made sure of it).
  static U From(const PropValue& v) {
    if constexpr (Kind() == PropKind::Text) {
      return U(std::get<std::string>(v));
    } else if constexpr (Kind() == PropKind::Boolean) {
      return std::get<bool>(v);
    } else if constexpr (Kind() == PropKind::Float) {
      return static_cast<U>(std::get<double>(v));
    } else {
      return static_cast<U>(std::get<int64_t>(v));
    }
  }
};

template <class C>
const C& Self(const PublishedObject& o) {
  return static_cast<const C&>(o);
}
template <class C>
C& Self(PublishedObject& o) {
  return static_cast<C&>(o);
}

}  // namespace published_detail

// A property read by a const member function and written by a member function taking one
// argument.
template <class C, class R, class A, class S = void>
PropertyInfo Property(std::string name, R (C::*getter)() const, S (C::*setter)(A)) {
  using T = published_detail::Traits<R>;
  using In = published_detail::Traits<A>;
  static_assert(T::Kind() == In::Kind(), "getter and setter disagree on the kind");
  return PropertyInfo{std::move(name), T::Kind(),
                      [getter](const PublishedObject& o) {
                        return T::To((published_detail::Self<C>(o).*getter)());
                      },
                      [setter](PublishedObject& o, const PropValue& v) {
                        (published_detail::Self<C>(o).*setter)(In::From(v));
                      }};
}

// A property that is a data member, read and written directly.
template <class C, class M>
PropertyInfo Property(std::string name, M C::*member) {
  using T = published_detail::Traits<M>;
  return PropertyInfo{
      std::move(name), T::Kind(),
      [member](const PublishedObject& o) { return T::To(published_detail::Self<C>(o).*member); },
      [member](PublishedObject& o, const PropValue& v) {
        published_detail::Self<C>(o).*member = T::From(v);
      }};
}

template <class C, class R>
PropertyInfo ReadOnlyProperty(std::string name, R (C::*getter)() const) {
  using T = published_detail::Traits<R>;
  return PropertyInfo{std::move(name), T::Kind(),
                      [getter](const PublishedObject& o) {
                        return T::To((published_detail::Self<C>(o).*getter)());
                      },
                      nullptr};
}

}  // namespace hx
