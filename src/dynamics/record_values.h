// A record's values as a model's named parameters, by the catalogue's record order: the
// one place where a simulated model reads a record.
#pragma once
#include "dynamics/verdict.h"
#include "models/catalogue.h"

// The values of one record of `model`: `given` of them (more are not read; fewer leave
// the rest 0, which the notes tell).
struct RecordValues {
  const ModelEntry* model;
  const float* values;
  int given;
};

// Reads the parameter `name` of the record's model: 0 when the record does not give it.
class ParameterReader {
 public:
  ParameterReader(const RecordValues& record, Verdict& verdict, Notes& notes);
  // Any value. A value that is no finite number (inf, nan) makes the record unusable:
  // invalid data. A name the model does not have is a fault of the simulation: it stops
  // the model.
  double value(const char* name);
  // A time constant of a denominator: negative, the model cannot start; between 0 and
  // two steps, it is taken as 0 (the step could not follow it) and noted.
  double time_constant(const char* name);
  // A divisor that must not be 0 (a droop, a gain): 0 stops the start with its name.
  double divisor(const char* name);
  // The record's model, as the catalogue names it.
  const char* model_name() const { return record_.model->name; }
  // True once a value has stopped the model.
  bool failed() const { return verdict_.problem != Problem::none; }

 private:
  const RecordValues& record_;
  Verdict& verdict_;
  Notes& notes_;
};
