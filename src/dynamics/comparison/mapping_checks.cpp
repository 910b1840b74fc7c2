// What a conversion loses or adds that the test's numbers may not show.
#include "dynamics/comparison/mapping_checks.h"

#include <cmath>
#include <cstdio>
#include <cstring>

void compare_extras(const Extras& old_extras, const Extras& new_extras, Comparison& c) {
  if (old_extras.count == 0 && new_extras.count == 0) return;
  char list[160];
  describe_extras(old_extras.count > 0 ? old_extras : new_extras, list, sizeof list);
  if (same_extras(old_extras, new_extras)) {
    note(c.notes, "not simulated, equal on both sides: %s", list);
    return;
  }
  c.mapping_finding = true;
  note(c.notes, "%s (%s) not simulated %s", old_extras.count > 0 ? "OLD's" : "NEW's", list,
       old_extras.count > 0 && new_extras.count == 0 ? "and dropped by NEW"
       : old_extras.count == 0                       ? "and added by NEW"
                                                     : "and changed by NEW");
}

void compare_damping(const Governor& old_g, const Governor& new_g, const char* new_model,
                     Comparison& c) {
  const Damping old_damping = damping_of(old_g);
  if (!old_damping.name || old_damping.value == 0 || damping_of(new_g).name) return;
  c.mapping_finding = true;
  note(c.notes, "OLD's damping %s = %g has no place in %s: its share of the response is lost",
       old_damping.name, old_damping.value, new_model);
}

void compare_exciters_unseen(const Exciter& old_e, const Exciter& new_e, Comparison& c) {
  if (old_e.model.index() == new_e.model.index()) {
    const char* differ = std::visit([](const auto& m) { return m.kExtrasDiffer; }, old_e.model);
    if (differ && !same_extras(old_e.extras, new_e.extras)) {
      c.mapping_finding = true;
      note(c.notes, "%s", differ);
    }
  }
  if (exciter_told(old_e) || exciter_told(new_e)) c.mapping_finding = true;
  // The source's angle, ki and xl act only with stator current: the test cannot tell them.
  const UnseenSource o = unseen_source(old_e);
  const UnseenSource n = unseen_source(new_e);
  if (o.present && n.present && (o.angle != n.angle || o.ki != n.ki || o.xl != n.xl)) {
    c.mapping_finding = true;
    note(c.notes,
         "the source's angle, ki and xl (unseen on open circuit) differ: OLD %g, %g, %g, NEW "
         "%g, %g, %g",
         o.angle, o.ki, o.xl, n.angle, n.ki, n.xl);
  }
}

namespace {

// A pair with an exact form: every pair but those below.
template <class Old, class New>
bool exact_form(const Old&, const New&, Verdict&) {
  return true;
}

// ieeest has an exact pss1a only without its notch filter and with a transducer to
// become pss1a's washout.
bool exact_form(const Ieeest& old_s, const Pss1a&, Verdict& verdict) {
  for (int i = 2; i < 6; ++i) {
    if (old_s.a[i] != 0)
      return fail(verdict, Problem::not_representable, "a%d = %g: pss1a has no notch filter", i + 1,
                  old_s.a[i]);
  }
  if (old_s.t6 == 0 && old_s.t5 != 0)
    return fail(verdict, Problem::not_representable,
                "t6 = 0: ieeest is a pure derivative, which pss1a cannot be");
  return true;
}

// Values whose role is not confirmed must be equal on both sides of a pair of one model.
template <class Old, class New>
void unconfirmed_values(const Old&, const New&, char*, int) {}

void unconfirmed_values(const Pss2a& old_s, const Pss2a& new_s, char* reason, int size) {
  if (old_s.ks4 != new_s.ks4)
    std::snprintf(reason, static_cast<std::size_t>(size),
                  "ks4 %g of OLD is %g in NEW (its role is not confirmed)", old_s.ks4, new_s.ks4);
}

}  // namespace

bool representable(const Exciter& old_e, const Exciter& new_e, Verdict& verdict) {
  const Dc1* o = std::get_if<Dc1>(&old_e.model);
  const Dc1* n = std::get_if<Dc1>(&new_e.model);
  if (o && n && o->has_lead() && !n->lead_slot)
    return fail(verdict, Problem::not_representable,
                "ieeet1 has no lead-lag for OLD's tc = %g, tb = %g", o->tc, o->tb);
  return true;
}

bool representable(const StabilizerModel& old_s, const StabilizerModel& new_s, Verdict& verdict) {
  return std::visit([&](const auto& o, const auto& n) { return exact_form(o, n, verdict); }, old_s,
                    new_s);
}

void compare_signals(const StabilizerModel& old_s, const StabilizerModel& new_s, char* reason,
                     int size) {
  const auto room = static_cast<std::size_t>(size);
  reason[0] = '\0';
  if (input_code(old_s) != input_code(new_s)) {
    std::snprintf(reason, room, "input code %g of OLD is %g in NEW", input_code(old_s),
                  input_code(new_s));
  } else if (second_code(old_s) != second_code(new_s)) {
    std::snprintf(reason, room, "second input code %g of OLD is %g in NEW", second_code(old_s),
                  second_code(new_s));
  } else {
    std::visit([&](const auto& o, const auto& n) { unconfirmed_values(o, n, reason, size); }, old_s,
               new_s);
  }
}

void compare_machines_unseen(const MachineModel& old_m, const MachineModel& new_m, Comparison& c) {
  const Saturation& o = saturation_of(old_m);
  const Saturation& n = saturation_of(new_m);
  if (o.present && n.present && o.form != n.form) {
    c.mapping_finding = true;
    note(c.notes, "saturation form changed: OLD %s, NEW %s (the same s1, s12 give another curve)",
         form_name(o.form), form_name(n.form));
  }
  const UnseenMachine uo = unseen_of(old_m);
  const UnseenMachine un = unseen_of(new_m);
  if (uo.odd_flag || un.odd_flag) c.mapping_finding = true;
  if (uo.kis_slot && uo.kis != 0 && !un.kis_slot) {
    c.mapping_finding = true;
    note(c.notes, "kis = %g dropped (unseen on open circuit)", uo.kis);
  }
  if (un.kw_slot && un.kw != 0 && !(uo.kw_slot && uo.kw == un.kw)) {
    c.mapping_finding = true;
    note(c.notes, "kw = %g in NEW has no source in OLD (unseen on open circuit)", un.kw);
  }
}

void compare_field_voltage(double efd_old, double efd_new, Comparison& c) {
  if (std::fabs(efd_new - efd_old) > 0.005 * std::fabs(efd_old)) {
    c.mapping_finding = true;
    note(c.notes, "Efd0 of NEW %.4f is %.1f %% from OLD's %.4f: saturation data moved or lost",
         efd_new, 100.0 * (efd_new - efd_old) / efd_old, efd_old);
  }
}
