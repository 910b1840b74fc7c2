// The stabilizer family: one struct per simulated stabilizer (transfer.h says what each
// offers), made from a record's values, and its gain at a frequency.
#pragma once
#include <variant>

#include "dynamics/family.h"
#include "dynamics/stabilizers/ieeest.h"
#include "dynamics/stabilizers/pss1a.h"
#include "dynamics/stabilizers/pss2a.h"

using StabilizerModel = std::variant<Ieeest, Pss1a, Pss2a>;

// Makes the stabilizer of a record; false, with the verdict, when its values cannot make
// one. Parts the comparison leaves out go into the notes.
bool make_model(const RecordValues& record, StabilizerModel& stabilizer, Verdict& verdict,
                     Notes& notes);

// G(j 2 pi f) from the stabilizer's first input (`second`: from its second input, the
// first at 0).
Complex stabilizer_response(const StabilizerModel& stabilizer, double f_hz, bool second = false);

inline double input_code(const StabilizerModel& s) {
  return std::visit([](const auto& m) { return m.input_code; }, s);
}
inline double second_code(const StabilizerModel& s) {
  return std::visit([](const auto& m) { return m.second_code; }, s);
}
