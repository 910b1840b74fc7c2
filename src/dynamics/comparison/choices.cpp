// The modelling choices of the standard tests, by the kind of models or the model they
// concern.
#include "dynamics/comparison/choices.h"

#include <iterator>

const Choice kChoices[] = {
    {ModelKind::governor, nullptr, "a unit whose OLD limits do not hold 0.8 pu does not start"},
    {ModelKind::governor, nullptr,
     "the isolated unit: one mass of H = 4 s, a load damping D = 1 kept out of the electrical "
     "power a governor reads, power not torque; its stability from the unit linearised at "
     "rest without deadbands, delays and one-step memories"},
    {ModelKind::governor, nullptr, "deadbands, valve curves and gast's extras are not simulated"},
    {ModelKind::governor, "hygov", "hygov's velocity limit acts on its integral part"},
    {ModelKind::governor, "ggov1",
     "ggov1's rselect -1 takes the droop from the valve stroke, -2 from the governor output"},
    {ModelKind::governor, "ggov1",
     "ggov1's integrators stop at vmax and vmin, rup and rdown limit its load limiter's "
     "integral, and its acceleration limiter's factor is ka times the step"},
    {ModelKind::governor, "hyg3", "hyg3's equations are a reconstruction"},
    {ModelKind::governor, "ieeeg3",
     "ieeeg3's velocity limits uo and uc clamp its gate servo's output"},
    {ModelKind::governor, "pidgov", "pidgov's pmax and pmin are not simulated"},
    {ModelKind::stabilizer, nullptr, "ieeest has 18 values"},
    {ModelKind::stabilizer, nullptr, "input codes are numbered alike in ieeest and pss1a"},
    {ModelKind::exciter, nullptr,
     "the rate feedback of exst1 and esst1a is taken before the output limit"},
    {ModelKind::exciter, nullptr, "vamax = vamin = 0 is no limit"},
    {ModelKind::exciter, "ieeet1", "ieeet1's ke = 0 is the ke that starts vr at 0"},
    {ModelKind::exciter, "ieeet1", "ieeet1's saturation is quadratic"},
    {ModelKind::exciter, "esdc1a", "esdc1a's ke = 0 is the ke that starts vr at 0"},
    {ModelKind::exciter, "esdc1a", "esdc1a's saturation is quadratic"},
    {ModelKind::exciter, "exac1",
     "exac1's saturation is quadratic, its exciter voltage held at 0 from below, its ke = 0 "
     "taken as it stands, and its one limit pair is its regulator's"},
    {ModelKind::exciter, "esac1a",
     "esac1a's saturation is quadratic, its exciter voltage held at 0 from below and its ke = 0 "
     "taken as it stands"},
    {ModelKind::exciter, "exst3a",
     "exst3a's block roles are read from its names: kj the gain ahead of the inner loop ka, ta"},
    {ModelKind::exciter, "esst4b",
     "esst4b's PIs hold their integrals by the non-windup rule on the unclamped sum, its vgmax "
     "caps kg Efd, and with kim = 0 the outer integral carries the start"},
    {ModelKind::generator, nullptr,
     "genrou, gensal, gentpj and gentpf saturate in the scaled quadratic form, genroe and gensae "
     "exponentially, gensae on the subtransient flux"},
    {ModelKind::generator, "genqec",
     "genqec's satflag outside 0, 1 and 2 is taken as 0, and -1 as no saturation; its order is "
     "another format's reader's"},
};
const int kChoiceCount = static_cast<int>(std::size(kChoices));
