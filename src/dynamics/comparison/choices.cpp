// The modelling choices of the standard tests, by the kind of models they concern.
#include "dynamics/comparison/choices.h"

#include <iterator>

const Choice kChoices[] = {
    {ModelKind::governor, "a unit whose OLD limits do not hold 0.8 pu does not start"},
    {ModelKind::governor, "hygov's velocity limit acts on its integral part"},
    {ModelKind::governor, "deadbands, valve curves and gast's extras are not simulated"},
    {ModelKind::stabilizer, "ieeest has 18 values"},
    {ModelKind::stabilizer, "input codes are numbered alike in ieeest and pss1a"},
    {ModelKind::exciter, "the rate feedback of exst1 and esst1a is taken before the output limit"},
    {ModelKind::exciter, "vamax = vamin = 0 is no limit"},
    {ModelKind::exciter, "ieeet1's ke = 0 is the ke that starts vr at 0"},
    {ModelKind::exciter, "ieeet1's saturation is quadratic"},
    {ModelKind::generator, "the generators' saturation is quadratic"},
};
const int kChoiceCount = static_cast<int>(std::size(kChoices));
