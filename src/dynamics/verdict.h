// What a simulation can say about a model before it runs it: why it cannot (which value,
// which limit), and the notes a run carries (values taken as 0, parts not simulated).
#pragma once
#include <cstdarg>
#include <cstdint>

// Why a model is not simulated.
enum class Problem : uint8_t {
  none,
  no_start,           // the values give no steady state to start from
  invalid_data,       // values no model can use (a saturation pair it cannot fit)
  not_simulated,      // a part the simulation does not have (an algebraic loop)
  not_representable,  // the new model has no exact form of the old one
};

constexpr int kReasonSize = 200;

struct Verdict {
  Problem problem;
  char reason[kReasonSize];
};

// Copies `text` into a reason, cut to its room.
void set_reason(char (&reason)[kReasonSize], const char* text);

// Sets the verdict (the first one stands) and returns false, for `return fail(...)`.
bool fail(Verdict& verdict, Problem problem, const char* format, ...)
    __attribute__((format(printf, 3, 4)));

// True when `v` lies in [lo, hi]; otherwise the model cannot start there: the verdict
// names the value and the limit it crosses ("P0 = 0.800 above vmax = 0.500"), and false.
bool fail_outside(Verdict& verdict, const char* what, double v, const char* lo_name, double lo,
                  const char* hi_name, double hi);

// Short notes a run carries, joined by "; ", cut at the end of their room.
constexpr int kNotesSize = 320;
struct Notes {
  char text[kNotesSize];
  int length;
};
void clear(Notes& notes);
void note(Notes& notes, const char* format, ...) __attribute__((format(printf, 2, 3)));
