// Making a stabilizer of a record, and its gain at a frequency.
#include "dynamics/stabilizers/stabilizer.h"

bool make_model(const RecordValues& record, StabilizerModel& p, Verdict& verdict,
                     Notes& notes) {
  return make_member(record, "stabilizer", p, verdict, notes);
}

Complex stabilizer_response(const StabilizerModel& p, double f_hz, bool second) {
  const Complex s{0.0, 2.0 * kPi * f_hz};
  return std::visit([&](const auto& m) { return m.response(s, second); }, p);
}
