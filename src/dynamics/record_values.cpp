// A record's values as a model's named parameters, by the catalogue's record order.
#include "dynamics/record_values.h"

#include <cmath>

#include "dynamics/blocks.h"

ParameterReader::ParameterReader(const RecordValues& record, Verdict& verdict, Notes& notes)
    : record_(record), verdict_(verdict), notes_(notes) {
  if (record.given < record.model->count)
    note(notes, "%s record gives %d of %d values: the others read 0", record.model->name,
         record.given, record.model->count);
}

double ParameterReader::value(const char* name) {
  const int k = position_of(*record_.model, name);
  if (k < 0) {
    fail(verdict_, Problem::not_simulated, "%s has no value %s: a fault of the simulation",
         record_.model->name, name);
    return 0.0;
  }
  const double v = k < record_.given ? static_cast<double>(record_.values[k]) : 0.0;
  if (!std::isfinite(v)) {
    fail(verdict_, Problem::invalid_data, "%s = %g is no finite number", name, v);
    return 0.0;
  }
  return v;
}

double ParameterReader::time_constant(const char* name) {
  const double t = value(name);
  if (t < 0) {
    fail(verdict_, Problem::no_start, "%s = %g: a negative time constant makes %s unstable", name,
         t, record_.model->name);
    return 0.0;
  }
  if (t > 0 && t < 2 * kStep) {
    note(notes_, "%s = %g below two steps (%.4f s) taken as 0", name, t, 2 * kStep);
    return 0.0;
  }
  return t;
}

double ParameterReader::divisor(const char* name) {
  const double v = value(name);
  if (v == 0)
    fail(verdict_, Problem::no_start, "%s = 0: %s divides by it", name, record_.model->name);
  return v;
}
