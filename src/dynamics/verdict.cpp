// What a simulation can say about a model before it runs it, and the notes of a run.
#include "dynamics/verdict.h"

#include <cstdio>
#include <cstring>

void set_reason(char (&reason)[kReasonSize], const char* text) {
  std::strncpy(reason, text, kReasonSize - 1);
  reason[kReasonSize - 1] = '\0';
}

bool fail(Verdict& verdict, Problem problem, const char* format, ...) {
  if (verdict.problem != Problem::none) return false;
  verdict.problem = problem;
  va_list args;
  va_start(args, format);
  std::vsnprintf(verdict.reason, sizeof verdict.reason, format, args);
  va_end(args);
  return false;
}

bool fail_outside(Verdict& verdict, const char* what, double v, const char* lo_name, double lo,
                  const char* hi_name, double hi) {
  if (v > hi)
    return fail(verdict, Problem::no_start, "%s = %.3f above %s = %.3f", what, v, hi_name, hi);
  if (v < lo)
    return fail(verdict, Problem::no_start, "%s = %.3f below %s = %.3f", what, v, lo_name, lo);
  return true;
}

void clear(Notes& notes) {
  notes.text[0] = '\0';
  notes.length = 0;
}

void note(Notes& notes, const char* format, ...) {
  char one[kNotesSize];
  va_list args;
  va_start(args, format);
  std::vsnprintf(one, sizeof one, format, args);
  va_end(args);
  if (std::strstr(notes.text, one)) return;  // told once
  const int room = kNotesSize - notes.length;
  const int n = std::snprintf(notes.text + notes.length, static_cast<std::size_t>(room), "%s%s",
                              notes.length > 0 ? "; " : "", one);
  notes.length = n < room ? notes.length + n : kNotesSize - 1;
}
