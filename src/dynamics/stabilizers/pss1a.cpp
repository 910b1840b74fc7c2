// pss1a from a record's values.
#include "dynamics/stabilizers/pss1a.h"

bool Pss1a::make(ParameterReader& read, Verdict& verdict, Notes& notes) {
  read_shared(read);
  t5 = read.time_constant("t5");
  t6 = read.time_constant("t6");
  if (read.value("k") != 0) note(notes, "k = %g: the second input is left out", read.value("k"));
  return usable(read, verdict);
}
