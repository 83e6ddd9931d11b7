#pragma once
// PropertyAccessors: one class's way from a property id to its own getter
// and setter. Each class builds its table once from a copy of its base
// class's table and adds or replaces the ids it handles; an id is supported
// by a class exactly when its table has an accessor for it. Accessors are
// registered from member functions, so a class states its properties as
//
//   t.Add<&TRivoControl::GetLeft, &TRivoControl::SetLeft>(PR_LEFT);
//   t.Get<&TRivoObject::GetCompoType>(PR_COMPOTYPE);        // read-only
//   t.Data<&TRivoControl::OnLBtnDown>(PR_ONLBTNDOWN);       // a plain field
//   t.Indexed<&TRivoMenu::GetBorderSource, &TRivoMenu::SetBorderSource, 0>(PR_BORDERSOURCETL);
//
// Getters return int32_t, bool, long double or a string; setters take the
// same (a string as std::string_view). Values pass through the variable's
// own conversions, so a real written into an integer property is converted
// like any real read as an integer.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

#include "script/custom_param.h"
#include "script/property_table.h"

namespace rivo {

class TRivoObject;

struct PropertyAccessor {
  void (*get)(const TRivoObject& object, TCustomParam& result) = nullptr;
  void (*set)(TRivoObject& object, const TCustomParam& value) = nullptr;
};

namespace property_detail {

template <typename T>
struct Member;
template <typename C, typename R>
struct Member<R (C::*)() const> {
  using Class = C;
  using Value = std::remove_cvref_t<R>;
};
template <typename C, typename R>
struct Member<R (C::*)(int32_t) const> {
  using Class = C;
  using Value = std::remove_cvref_t<R>;
};
template <typename C, typename A>
struct Member<void (C::*)(A)> {
  using Class = C;
  using Value = std::remove_cvref_t<A>;
};
template <typename C, typename A>
struct Member<void (C::*)(int32_t, A)> {
  using Class = C;
  using Value = std::remove_cvref_t<A>;
};
template <typename C, typename T>
struct Member<T C::*> {
  using Class = C;
  using Value = T;
};

inline void Store(TCustomParam& out, int32_t v) { out.SetInt(v); }
inline void Store(TCustomParam& out, bool v) { out.SetBool(v); }
inline void Store(TCustomParam& out, long double v) { out.SetFloat(v); }
inline void Store(TCustomParam& out, std::string_view v) { out.SetStr(v); }

template <typename T>
T Read(const TCustomParam& in) {
  if constexpr (std::is_same_v<T, int32_t>)
    return in.AsInt();
  else if constexpr (std::is_same_v<T, bool>)
    return in.AsBool();
  else if constexpr (std::is_same_v<T, long double>)
    return in.AsFloat();
  else
    return in.AsStr();
}

}  // namespace property_detail

class PropertyAccessors {
 public:
  // A getter and a setter.
  template <auto Getter, auto Setter>
  void Add(uint8_t id) {
    Get<Getter>(id);
    Set<Setter>(id);
  }

  // A getter only: writes are ignored.
  template <auto Getter>
  void Get(uint8_t id) {
    using M = property_detail::Member<decltype(Getter)>;
    table_[id].get = [](const TRivoObject& o, TCustomParam& out) {
      property_detail::Store(out, (static_cast<const typename M::Class&>(o).*Getter)());
    };
  }

  // A setter only: reads give 0, false or the empty text.
  template <auto Setter>
  void Set(uint8_t id) {
    using M = property_detail::Member<decltype(Setter)>;
    table_[id].set = [](TRivoObject& o, const TCustomParam& in) {
      using V = std::conditional_t<std::is_same_v<typename M::Value, std::string_view>, std::string, typename M::Value>;
      (static_cast<typename M::Class&>(o).*Setter)(property_detail::Read<V>(in));
    };
  }

  // A plain data member (int32_t, bool or std::string) read and written as
  // it is: event pages and flags without side effects.
  template <auto Field>
  void Data(uint8_t id) {
    using M = property_detail::Member<decltype(Field)>;
    table_[id].get = [](const TRivoObject& o, TCustomParam& out) {
      property_detail::Store(out, static_cast<const typename M::Class&>(o).*Field);
    };
    table_[id].set = [](TRivoObject& o, const TCustomParam& in) {
      static_cast<typename M::Class&>(o).*Field = property_detail::Read<typename M::Value>(in);
    };
  }

  // One of several ids served by an indexed getter and setter (frame images,
  // frame alignments, particle parameters).
  template <auto Getter, auto Setter, int32_t Index>
  void Indexed(uint8_t id) {
    using M = property_detail::Member<decltype(Getter)>;
    using S = property_detail::Member<decltype(Setter)>;
    table_[id].get = [](const TRivoObject& o, TCustomParam& out) {
      property_detail::Store(out, (static_cast<const typename M::Class&>(o).*Getter)(Index));
    };
    table_[id].set = [](TRivoObject& o, const TCustomParam& in) {
      using V = std::conditional_t<std::is_same_v<typename S::Value, std::string_view>, std::string, typename S::Value>;
      (static_cast<typename S::Class&>(o).*Setter)(Index, property_detail::Read<V>(in));
    };
  }

  // The class does not support the id (although its base class does).
  void Remove(uint8_t id) { table_[id] = {}; }
  void RemoveSetter(uint8_t id) { table_[id].set = nullptr; }

  const PropertyAccessor& operator[](int32_t id) const { return table_[static_cast<std::size_t>(id)]; }
  bool Supports(int32_t id) const {
    const PropertyAccessor& a = (*this)[id];
    return a.get || a.set;
  }

 private:
  std::array<PropertyAccessor, kPropertyCount> table_{};
};

}  // namespace rivo
