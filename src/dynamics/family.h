// A family of models is a closed set, a std::variant of one struct per model. This is the
// one place where a record's model name picks the struct: each struct names the
// catalogue's models it simulates in `kModels`.
#pragma once
#include <cstddef>
#include <cstring>
#include <variant>

#include "dynamics/record_values.h"

namespace family_detail {

template <class Variant, std::size_t I>
bool emplace_named(const char* name, Variant& v) {
  if constexpr (I == std::variant_size_v<Variant>) {
    return false;
  } else {
    using Model = std::variant_alternative_t<I, Variant>;
    for (const char* simulated : Model::kModels) {
      if (std::strcmp(simulated, name) == 0) {
        v.template emplace<I>();
        return true;
      }
    }
    return emplace_named<Variant, I + 1>(name, v);
  }
}

template <class Variant, std::size_t I>
constexpr int most_states() {
  if constexpr (I == std::variant_size_v<Variant>) {
    return 0;
  } else {
    constexpr int here = std::variant_alternative_t<I, Variant>::kStates;
    constexpr int rest = most_states<Variant, I + 1>();
    return here > rest ? here : rest;
  }
}

template <class Variant, std::size_t I>
bool names_model(const char* name) {
  if constexpr (I == std::variant_size_v<Variant>) {
    return false;
  } else {
    for (const char* simulated : std::variant_alternative_t<I, Variant>::kModels) {
      if (std::strcmp(simulated, name) == 0) return true;
    }
    return names_model<Variant, I + 1>(name);
  }
}

}  // namespace family_detail

// Makes `v` the (value-initialised) struct that simulates model `name`; false when no
// struct of the family does.
template <class Variant>
bool emplace_named(const char* name, Variant& v) {
  return family_detail::emplace_named<Variant, 0>(name, v);
}

// True when a struct of the family simulates model `name`.
template <class Variant>
bool family_simulates(const char* name) {
  return family_detail::names_model<Variant, 0>(name);
}

// Makes `v` the struct of the record's model and reads its values: `make(read, args...)`
// of that struct. False, with the verdict, when no struct of the family simulates the
// model (`family` names it: "governor") or its values cannot make one.
template <class Variant, class... Args>
bool make_member(const RecordValues& record, const char* family, Variant& v, Verdict& verdict,
                 Notes& notes, Args&... args) {
  ParameterReader read(record, verdict, notes);
  if (!emplace_named(record.model->name, v))
    return fail(verdict, Problem::not_simulated, "%s is not a simulated %s", record.model->name,
                family);
  return std::visit([&](auto& m) { return m.make(read, args..., verdict, notes); }, v);
}

// The most states any model of the family has.
template <class Variant>
constexpr int kMostStates = family_detail::most_states<Variant, 0>();
