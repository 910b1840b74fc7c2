// genqec from a record's values: its d axis, its saturation form by satflag, and kw.
#include "dynamics/machines/genqec.h"

bool Genqec::make(ParameterReader& read, Verdict& verdict, Notes& notes) {
  satflag = read.value("satflag");
  kw = read.value("kw");
  if (read.failed()) return false;
  odd_flag = satflag != 0 && satflag != 1 && satflag != 2;
  SaturationForm form = SaturationForm::exponential;  // 0, and any value without a code
  if (satflag == 1) form = SaturationForm::scaled_quadratic;
  if (satflag == 2) form = SaturationForm::quadratic;
  if (odd_flag)
    note(notes, "satflag = %g is not 0, 1 or 2: taken as %s, as one reader takes it", satflag,
         satflag == -1 ? "no saturation" : "0 (exponential)");
  if (!(kw >= 0 && kw < 1)) note(notes, "kw = %g outside [0, 1)", kw);
  if (!read_d_axis(read, d, "ll", verdict, form, true)) return false;
  if (satflag == -1) d.saturation.present = false;
  shares = damper_shares(d);
  return true;
}
