#include "records/published.h"

#include <algorithm>
#include <cmath>

#include "base/constants.h"
#include "base/locale_settings.h"
#include "base/msg_format.h"
#include "base/text.h"
#include "records/messages.h"
#include "records/number_reader.h"

namespace hx {
namespace {

// The value as a real: NoFloat for the empty integer, 1/0 for truth values. False for a text
// that is not a number.
bool AsReal(const PropValue& v, double& out) {
  if (auto* d = std::get_if<double>(&v)) {
    out = *d;
  } else if (auto* i = std::get_if<int64_t>(&v)) {
    out = *i == NoInt ? NoFloat : static_cast<double>(*i);
  } else if (auto* b = std::get_if<bool>(&v)) {
    out = *b ? 1 : 0;
  } else {
    const std::string& s = std::get<std::string>(v);
    if (SameText(Trim(s), "True")) {
      out = 1;
      return true;
    }
    if (SameText(Trim(s), "False")) {
      out = 0;
      return true;
    }
    MessagesSilenced quiet;
    return ReadNumber(s, out);
  }
  return true;
}

int64_t Clamp(double v, double lo, double hi, int64_t empty) {
  if (v == NoFloat) return empty;
  return static_cast<int64_t>(std::nearbyint(std::clamp(v, lo, hi)));
}

}  // namespace

bool ConvertPropValue(const PropValue& v, PropKind kind, PropValue& out) {
  if (kind == PropKind::Text) {
    if (auto* s = std::get_if<std::string>(&v)) {
      out = *s;
    } else if (auto* d = std::get_if<double>(&v)) {
      out = *d == NoFloat ? std::string() : FormatFloatGeneral(*d, 15, DecimalSeparator());
    } else if (auto* i = std::get_if<int64_t>(&v)) {
      out = *i == NoInt ? std::string() : std::to_string(*i);
    } else {
      out = std::string(std::get<bool>(v) ? "True" : "False");
    }
    return true;
  }
  if (kind == PropKind::Boolean) {
    if (auto* b = std::get_if<bool>(&v)) {
      out = *b;
      return true;
    }
    double d;
    if (auto* s = std::get_if<std::string>(&v); s && Trim(*s).empty()) {
      d = 0;
    } else if (!AsReal(v, d)) {
      return false;
    }
    out = d != 0 && d != NoFloat;
    return true;
  }
  // Integers pass between the integer kinds without a detour through reals.
  double d;
  if (auto* i = std::get_if<int64_t>(&v); i && kind != PropKind::Float) {
    d = *i == NoInt ? NoFloat : static_cast<double>(*i);
  } else if (!AsReal(v, d)) {
    return false;
  }
  switch (kind) {
    case PropKind::Float:
      out = d;
      break;
    case PropKind::Int32:
      out = static_cast<int64_t>(FloatToInt32Value(d));
      break;
    case PropKind::Word:
      out = static_cast<int64_t>(FloatToWordValue(d));
      break;
    case PropKind::Byte:
      out = static_cast<int64_t>(FloatToByteValue(d));
      break;
    default:  // short int
      out = Clamp(d, -128, 127, -1);
      break;
  }
  return true;
}

PropertyTable::PropertyTable(const PropertyTable* parent,
                             std::initializer_list<PropertyInfo> properties)
    : parent_(parent), properties_(properties) {}

const PropertyInfo* PropertyTable::Find(std::string_view name) const {
  for (const PropertyTable* t = this; t; t = t->parent_) {
    for (const PropertyInfo& p : t->properties_) {
      if (SameText(p.name, name)) return &p;
    }
  }
  return nullptr;
}

std::vector<const PropertyInfo*> PropertyTable::All() const {
  std::vector<const PropertyInfo*> out;
  if (parent_) out = parent_->All();
  for (const PropertyInfo& p : properties_) {
    auto hidden = std::find_if(out.begin(), out.end(),
                               [&](const PropertyInfo* q) { return SameText(q->name, p.name); });
    if (hidden != out.end()) {
      *hidden = &p;
    } else {
      out.push_back(&p);
    }
  }
  return out;
}

const PropertyTable& PublishedObject::StaticProperties() {
  static const PropertyTable table(nullptr, {});
  return table;
}

std::optional<PropValue> GetPropValue(const PublishedObject& object, std::string_view name) {
  const PropertyInfo* p = object.Properties().Find(name);
  if (!p) return std::nullopt;
  return p->get(object);
}

bool SetPropValue(PublishedObject& object, std::string_view name, const PropValue& value) {
  const PropertyInfo* p = object.Properties().Find(name);
  if (!p || !p->set) return false;
  PropValue converted;
  if (!ConvertPropValue(value, p->kind, converted)) return false;
  p->set(object, converted);
  return true;
}

}  // namespace hx
