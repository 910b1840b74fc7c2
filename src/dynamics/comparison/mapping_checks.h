// What a conversion loses or adds that the test's numbers may not show: values one record
// leaves out and the other does not, a damping term with no place, a stabilizer form the
// new model cannot hold, another input signal, a field voltage that moved. Each adds a
// note (and sets the comparison's mapping finding) or gives the reason to decide by.
#pragma once
#include "dynamics/comparison/comparison.h"
#include "dynamics/exciters/exciter.h"
#include "dynamics/governors/governor.h"
#include "dynamics/machines/machine.h"
#include "dynamics/stabilizers/stabilizer.h"

// The values a governor record has but the simulation does not run: equal on both sides
// they are only noted; on one side only, they are a mapping finding.
void compare_extras(const Extras& old_extras, const Extras& new_extras, Comparison& c);

// A damping term that NEW has no place for is lost whatever the deviation says.
void compare_damping(const Governor& old_g, const Governor& new_g, const char* new_model,
                     Comparison& c);

// Exciters of one model that differ in what the test does not run, and a convention that
// every conversion from or to it must tell.
void compare_exciters_unseen(const Exciter& old_e, const Exciter& new_e, Comparison& c);
// False, with the verdict, where NEW's model has no place for a part OLD uses (an esdc1a
// lead-lag written to ieeet1).
bool representable(const Exciter& old_e, const Exciter& new_e, Verdict& verdict);

// False, with the verdict NOT_REPRESENTABLE, where NEW's model has no exact form of OLD's.
bool representable(const StabilizerModel& old_s, const StabilizerModel& new_s, Verdict& verdict);

// Why the two stabilizers cannot be compared by numbers (another input signal, an
// unconfirmed value that differs) into `reason`; empty where they can.
void compare_signals(const StabilizerModel& old_s, const StabilizerModel& new_s, char* reason,
                     int size);

// An Efd0 of NEW more than 0.5 % from OLD's: saturation data moved or lost.
// Machines that differ in what the open-circuit test cannot see or only partly shows:
// their saturation's form (the same s1 and s12 make another curve), a kis dropped, a kw
// NEW has no source for.
void compare_machines_unseen(const MachineModel& old_m, const MachineModel& new_m, Comparison& c);

void compare_field_voltage(double efd_old, double efd_new, Comparison& c);
