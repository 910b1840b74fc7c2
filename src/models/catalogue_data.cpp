// The catalogue's data: each model's record layout, typical values and notes, with the
// sources of each record order and how sure they are.
#include <iterator>

#include "models/catalogue.h"

namespace {

constexpr const char* k_tgov1_names[] = {"r", "t1", "vmax", "vmin", "t2", "t3", "dt"};
constexpr double k_tgov1_typical[] = {0.05, 0.5, 1, 0, 3, 10, 0};
static_assert(std::size(k_tgov1_names) == std::size(k_tgov1_typical));

constexpr const char* k_ieeeg1_names[] = {
    "k",    "t1",  "t2",   "t3",  "uo",   "uc",  "pmax", "pmin", "t4",   "k1",  "k2",  "t5",
    "k3",   "k4",  "t6",   "k5",  "k6",   "t7",  "k7",   "k8",   "db1",  "eps", "db2", "gv1",
    "pgv1", "gv2", "pgv2", "gv3", "pgv3", "gv4", "pgv4", "gv5",  "pgv5", "gv6", "pgv6"};
constexpr double k_ieeeg1_typical[] = {20.833, 0.2, 0, 0.2, 0.4, -0.4, 1, 0, 0.2, 0.25, 0, 2,
                                       0.75,   0,   0, 0,   0,   0,    0, 0, 0,   0,    0, 0,
                                       0,      0,   0, 0,   0,   0,    0, 0, 0,   0,    0};
static_assert(std::size(k_ieeeg1_names) == std::size(k_ieeeg1_typical));

constexpr const char* k_gast_names[] = {
    "r",    "t1",    "t2",   "t3",  "lmax", "kt",  "vmax", "vmin", "dturb", "fidle", "rmax", "linc",
    "tltr", "ltrat", "a",    "b",   "db1",  "eps", "db2",  "gv1",  "pgv1",  "gv2",   "pgv2", "gv3",
    "pgv3", "gv4",   "pgv4", "gv5", "pgv5", "gv6", "pgv6", "ka",   "t4",    "t5"};
constexpr double k_gast_typical[] = {0.05, 0.4, 0.1, 3, 1.5, 3, 1.5, -0.2, 0, 0, 99, 99,
                                     10,   99,  0,   1, 0,   0, 0,   0,    0, 0, 0,  0,
                                     0,    0,   0,   0, 0,   0, 0,   0,    0, 0};
static_assert(std::size(k_gast_names) == std::size(k_gast_typical));

constexpr const char* k_hygov_names[] = {"r",    "rr",   "tr", "tf", "tg",    "velm",
                                         "gmax", "gmin", "tw", "at", "dturb", "qnl"};
constexpr double k_hygov_typical[] = {0.05, 0.5, 7, 0.05, 0.2, 0.07, 1, 0, 2, 1.1, 0.5, 0.1};
static_assert(std::size(k_hygov_names) == std::size(k_hygov_typical));

constexpr const char* k_ggov1_names[] = {
    "r",      "rselect", "tpelec", "maxerr", "minerr", "kpgov", "kigov",  "kdgov", "tdgov",
    "vmax",   "vmin",    "tact",   "kturb",  "wfnl",   "tb",    "tc",     "flag",  "teng",
    "tfload", "kpload",  "kiload", "ldref",  "dm",     "ropen", "rclose", "kimw",  "pmwset",
    "aset",   "ka",      "ta",     "db",     "tsa",    "tsb",   "rup",    "rdown"};
constexpr double k_ggov1_typical[] = {0.04, 1,   1,   0.05, -0.05, 10,  2, 0, 1,    1,  0.15, 0.5,
                                      1.5,  0.2, 0.5, 0,    1,     0,   3, 2, 0.67, 1,  0,    0.1,
                                      -0.1, 0,   0,   0.01, 10,    0.1, 0, 4, 5,    99, -99};
static_assert(std::size(k_ggov1_names) == std::size(k_ggov1_typical));

constexpr const char* k_ieeeg3_names[] = {
    "tg",    "tp",    "uo",    "uc",    "pmax", "pmin", "rperm", "rtemp", "tr",   "tw",
    "kturb", "aturb", "bturb", "spare", "db1",  "eps",  "db2",   "gv1",   "pgv1", "gv2",
    "pgv2",  "gv3",   "pgv3",  "gv4",   "pgv4", "gv5",  "pgv5",  "gv6",   "pgv6"};
constexpr double k_ieeeg3_typical[] = {0.05, 0.04, 0.1, -0.1, 1, 0, 0.05, 0.3, 5, 1,
                                       1,    -1,   0.5, 0,    0, 0, 0,    0,   0, 0,
                                       0,    0,    0,   0,    0, 0, 0,    0,   0};
static_assert(std::size(k_ieeeg3_names) == std::size(k_ieeeg3_typical));

constexpr const char* k_hyg3_names[] = {
    "pmax", "pmin", "cflag", "rgate", "relec", "td",  "tf",   "tp",  "velop", "velcl", "k1",  "k2",
    "ki",   "kg",   "tt",    "db1",   "eps",   "db2", "tw",   "at",  "dturb", "qnl",   "h0",  "gv1",
    "pgv1", "gv2",  "pgv2",  "gv3",   "pgv3",  "gv4", "pgv4", "gv5", "pgv5",  "gv6",   "pgv6"};
constexpr double k_hyg3_typical[] = {1,   0, 1, 0, 0.05, 0.05, 0.1, 0.05, 0.2, -0.2, 0.01, 2.5,
                                     0.1, 2, 0, 0, 0,    0,    1,   1.2,  0.5, 0.08, 1,    0,
                                     0,   0, 0, 0, 0,    0,    0,   0,    0,   0,    0};
static_assert(std::size(k_hyg3_names) == std::size(k_hyg3_typical));

constexpr const char* k_pidgov_names[] = {
    "treg", "rperm", "kp",    "ki", "kd", "ta", "tb", "velmax", "velmin", "gmax", "gmin", "tw",
    "pmax", "pmin",  "dturb", "g0", "g1", "p1", "g2", "p2",     "p3",     "atw",  "flag"};
constexpr double k_pidgov_typical[] = {0, 0.05, 1.8, 0.2, 0,   1,   0.5, 0.2, -0.2, 1, 0, 1,
                                       1, 0,    0,   0,   0.5, 0.6, 0.8, 0.9, 1,    1, 0};
static_assert(std::size(k_pidgov_names) == std::size(k_pidgov_typical));

constexpr const char* k_exst1_names[] = {"tr",    "vimax", "vimin", "tc",  "tb", "ka",  "ta",
                                         "vrmax", "vrmin", "kc",    "kf",  "tf", "tc1", "tb1",
                                         "vamax", "vamin", "xe",    "ilr", "klr"};
constexpr double k_exst1_typical[] = {0.02, 0.2, -0.2, 1, 10, 200, 0.02, 6, -5, 0.05,
                                      0,    1,   0,    0, 0,  0,   0,    0, 0};
static_assert(std::size(k_exst1_names) == std::size(k_exst1_typical));

constexpr const char* k_esst1a_names[] = {"tr",    "vimax", "vimin", "tc",  "tb",    "ka",   "ta",
                                          "vrmax", "vrmin", "kc",    "kf",  "tf",    "tc1",  "tb1",
                                          "vamax", "vamin", "ilr",   "klr", "uelin", "pssin"};
constexpr double k_esst1a_typical[] = {0.02, 0.2, -0.2, 1, 10, 200, 0.02, 6, -5, 0.05,
                                       0,    1,   0,    0, 99, -99, 0,    0, 0,  0};
static_assert(std::size(k_esst1a_names) == std::size(k_esst1a_typical));

constexpr const char* k_sexs_names[] = {"tatb", "tb", "k",      "te",     "emin", "emax",
                                        "kc",   "tc", "efdmin", "efdmax", "tr"};
constexpr double k_sexs_typical[] = {0.1, 10, 200, 0.05, -4, 4, 0, 0, -4, 4, 0};
static_assert(std::size(k_sexs_names) == std::size(k_sexs_typical));

constexpr const char* k_ieeet1_names[] = {"tr", "ka", "ta",     "vrmax", "vrmin", "ke", "te",
                                          "kf", "tf", "switch", "e1",    "se1",   "e2", "se2"};
constexpr double k_ieeet1_typical[] = {0,    400, 0.04, 7.3, -7.3, 1,    0.8,
                                       0.03, 1,   0,    2.8, 0.04, 3.73, 0.33};
static_assert(std::size(k_ieeet1_names) == std::size(k_ieeet1_typical));

constexpr const char* k_exst3a_names[] = {"tr", "vimax", "vimin", "kj",    "tc",    "tb",
                                          "ka", "ta",    "vrmax", "vrmin", "kg",    "kp",
                                          "ki", "vbmax", "kc",    "xl",    "vgmax", "angp"};
constexpr double k_exst3a_typical[] = {0, 0.2, -0.2, 200,  1,    10,  7.04, 0.4,  1,
                                       0, 1,   4.37, 4.83, 6.53, 1.1, 0,    6.53, 20};
static_assert(std::size(k_exst3a_names) == std::size(k_exst3a_typical));

constexpr const char* k_exac1_names[] = {"tr", "tb", "tc", "ka", "ta", "vrmax", "vrmin", "te", "kf",
                                         "tf", "kc", "kd", "ke", "e1", "se1",   "e2",    "se2"};
constexpr double k_exac1_typical[] = {0, 0,   0,    400, 0.02, 9,   -5.43, 0.8, 0.03,
                                      1, 0.2, 0.38, 1,   4.18, 0.1, 3.14,  0.03};
static_assert(std::size(k_exac1_names) == std::size(k_exac1_typical));

constexpr const char* k_esst4b_names[] = {"tr",   "kpr", "kir",   "ta",    "vrmax", "vrmin",
                                          "kpm",  "kim", "vmmax", "vmmin", "kg",    "kp",
                                          "angp", "ki",  "kc",    "xl",    "vbmax", "vgmax"};
constexpr double k_esst4b_typical[] = {0,     1, 0.03, 0.02, 1, -0.87, 1, 0,   1,
                                       -0.87, 0, 9.3,  0,    0, 0.08,  0, 5.5, 999};
static_assert(std::size(k_esst4b_names) == std::size(k_esst4b_typical));

constexpr const char* k_esst3a_names[] = {"tr", "vimax", "vimin", "km",     "tc", "tb",    "ka",
                                          "ta", "vrmax", "vrmin", "kg",     "kp", "ki",    "vbmax",
                                          "kc", "xl",    "vgmax", "thetap", "tm", "vmmax", "vmmin"};
constexpr double k_esst3a_typical[] = {0,    0.2, -0.2, 7.93, 1,     10,  200, 0,   10, -10, 1,
                                       6.15, 0,   6.9,  0.2,  0.081, 5.8, 0,   0.4, 1,  0};
static_assert(std::size(k_esst3a_names) == std::size(k_esst3a_typical));

constexpr const char* k_esac1a_names[] = {"tr",  "tb", "tc",  "ka",    "ta",    "vamax", "vamin",
                                          "te",  "kf", "tf",  "kc",    "kd",    "ke",    "e1",
                                          "se1", "e2", "se2", "vrmax", "vrmin", "spdmlt"};
constexpr double k_esac1a_typical[] = {0,   0,    0, 400,  0.02, 9,    -5.43, 0.8,  0.03,  1,
                                       0.2, 0.38, 1, 4.18, 0.1,  3.14, 0.03,  6.03, -5.43, 0};
static_assert(std::size(k_esac1a_names) == std::size(k_esac1a_typical));

constexpr const char* k_esdc1a_names[] = {"tr", "ka", "ta", "tb", "tc",  "vrmax", "vrmin", "ke",
                                          "te", "kf", "tf", "e1", "se1", "e2",    "se2"};
constexpr double k_esdc1a_typical[] = {0,   400,  0.02, 0,    0,    9, -5.43, 1,
                                       0.8, 0.03, 1,    5.25, 0.03, 7, 0.1};
static_assert(std::size(k_esdc1a_names) == std::size(k_esdc1a_typical));

constexpr const char* k_genqec_names[] = {"tpdo", "tppdo", "tpqo",  "tppqo", "h",    "d",      "ld",
                                          "lq",   "lpd",   "lpq",   "lppd",  "lppq", "ll",     "s1",
                                          "s12",  "ra",    "rcomp", "xcomp", "kw",   "satflag"};
constexpr double k_genqec_typical[] = {8,    0.03, 0.4, 0.05, 6.5,  0,      1.8, 1.7, 0.3, 0.55,
                                       0.25, 0.25, 0.2, 0.09, 0.38, 0.0025, 0,   0,   0,   1};
static_assert(std::size(k_genqec_names) == std::size(k_genqec_typical));

constexpr const char* k_ieeest_names[] = {"j",  "a1", "a2",    "a3",    "a4",  "a5",
                                          "a6", "t1", "t2",    "t3",    "t4",  "t5",
                                          "t6", "ks", "lsmax", "lsmin", "vcu", "vcl"};
constexpr double k_ieeest_typical[] = {1,    0,    0, 0, 0,  0,   0,    0.15, 0.03,
                                       0.15, 0.03, 2, 2, 10, 0.1, -0.1, 0,    0};
static_assert(std::size(k_ieeest_names) == std::size(k_ieeest_typical));

constexpr const char* k_pss1a_names[] = {"j",  "k",  "a1", "a2",    "t1",    "t2",  "t3", "t4",
                                         "t5", "t6", "ks", "vrmax", "vrmin", "vcu", "vcl"};
constexpr double k_pss1a_typical[] = {2,  0,     0.035, 0,   0.15, 0.015, 0.15, 0.015,
                                      10, 0.035, 17.55, 0.1, -0.1, 999,   -999};
static_assert(std::size(k_pss1a_names) == std::size(k_pss1a_typical));

constexpr const char* k_pss2a_names[] = {"j1",  "k1",     "j2",     "k2",  "tw1", "tw2", "tw3",
                                         "tw4", "t6",     "t7",     "ks2", "ks3", "ks4", "t8",
                                         "t9",  "n",      "m",      "ks1", "t1",  "t2",  "t3",
                                         "t4",  "vstmax", "vstmin", "a",   "ta",  "tb"};
constexpr double k_pss2a_typical[] = {1,    0,    3,    0,    2,   2,    2, 0, 0,
                                      2,    0.2,  1,    1,    0.5, 0.1,  1, 5, 20,
                                      0.15, 0.03, 0.15, 0.03, 0.1, -0.1, 1, 0, 0};
static_assert(std::size(k_pss2a_names) == std::size(k_pss2a_typical));

constexpr const char* k_genrou_names[] = {"tpdo", "tppdo", "tpqo", "tppqo", "h",     "d",
                                          "ld",   "lq",    "lpd",  "lpq",   "lppd",  "ll",
                                          "s1",   "s12",   "ra",   "rcomp", "xcomp", "accel"};
constexpr double k_genrou_typical[] = {8,    0.03, 0.4, 0.05, 3,    0, 1.8, 1.7, 0.3,
                                       0.55, 0.25, 0.2, 0.09, 0.38, 0, 0,   0,   0};
static_assert(std::size(k_genrou_names) == std::size(k_genrou_typical));

constexpr const char* k_gensal_names[] = {"tpdo", "tppdo", "tppqo", "h",     "d",
                                          "ld",   "lq",    "lpd",   "lppd",  "ll",
                                          "s1",   "s12",   "ra",    "rcomp", "xcomp"};
constexpr double k_gensal_typical[] = {5,    0.05, 0.1, 3,   0, 1, 0.6, 0.3,
                                       0.22, 0.15, 0.1, 0.3, 0, 0, 0};
static_assert(std::size(k_gensal_names) == std::size(k_gensal_typical));

constexpr const char* k_gentpj_names[] = {"tpdo", "tppdo", "tpqo",  "tppqo", "h",     "d",  "ld",
                                          "lq",   "lpd",   "lpq",   "lppd",  "lppq",  "ll", "s1",
                                          "s12",  "ra",    "rcomp", "xcomp", "accel", "kis"};
constexpr double k_gentpj_typical[] = {8,    0.03, 0.4, 0.05, 3,    0, 1.8, 1.7, 0.3, 0.55,
                                       0.25, 0.25, 0.2, 0.09, 0.38, 0, 0,   0,   0,   0};
static_assert(std::size(k_gentpj_names) == std::size(k_gentpj_typical));

constexpr const char* k_gentpf_names[] = {"tpdo", "tppdo", "tpqo",  "tppqo", "h",    "d",  "ld",
                                          "lq",   "lpd",   "lpq",   "lppd",  "lppq", "ll", "s1",
                                          "s12",  "ra",    "rcomp", "xcomp", "accel"};
constexpr double k_gentpf_typical[] = {8,    0.03, 0.4, 0.05, 3,    0, 1.8, 1.7, 0.3, 0.55,
                                       0.25, 0.25, 0.2, 0.09, 0.38, 0, 0,   0,   0};
static_assert(std::size(k_gentpf_names) == std::size(k_gentpf_typical));

constexpr const char* k_gencc_names[] = {"tpdo", "tppdo", "tpqo",  "tppqo", "h",     "d",  "ld",
                                         "lq",   "lpd",   "lpq",   "lppd",  "lppq",  "ll", "s1",
                                         "s12",  "ra",    "rcomp", "xcomp", "accel", "pf", "qf"};
constexpr double k_gencc_typical[] = {8,    0.03, 0.4,  0.05, 3, 0, 1.8, 1.7, 0.3, 0.55, 0.25,
                                      0.25, 0.2,  0.09, 0.38, 0, 0, 0,   0,   0,   0};
static_assert(std::size(k_gencc_names) == std::size(k_gencc_typical));

}  // namespace

const ModelEntry kCatalogue[] = {
    {"tgov1", ModelKind::governor, 7, 7, k_tgov1_names, k_tgov1_typical,
     "Steam turbine-governor: droop, valve lag with position limits, reheater lead-lag, "
     "damping.",
     "Order from a positional reader, a record writer and three corpus records of 7 values. "
     "Keyword spellings assumed. t2 may be negative (a hydro imitation in real files).",
     "every value"},
    {"ieeeg1", ModelKind::governor, 35, 35, k_ieeeg1_names, k_ieeeg1_typical,
     "IEEE type 1 steam turbine-governor: speed lead-lag, rate- and position-limited servo, "
     "four turbine stages.",
     "Order from a keyword record. Deadbands (db1, eps, db2) and the valve curve (gv/pgv) "
     "are not simulated. Even k (k2, k4, k6, k8) drive the low-pressure unit of a "
     "cross-compound set.",
     "without its deadbands and valve curve"},
    {"gast", ModelKind::governor, 34, 34, k_gast_names, k_gast_typical,
     "Gas turbine-governor: droop, valve lag, fuel lag, exhaust temperature limit, damping.",
     "Order from a keyword record and a positional one of 34 values. The roles of fidle to "
     "t5 are not confirmed; their typical values here are neutral (the extras switched off).",
     "its core, r to dturb; the extras after it are not simulated"},
    {"hygov", ModelKind::governor, 12, 12, k_hygov_names, k_hygov_typical,
     "Hydro turbine-governor: PI governor with temporary droop, gate servo, nonlinear "
     "penstock and turbine.",
     "The first 12 values agree with a positional record and an open reader; keyword "
     "spellings assumed (rr is the temporary droop). Values after the 12th are not "
     "confirmed.",
     "its first 12 values"},
    {"ggov1", ModelKind::governor, 35, 35, k_ggov1_names, k_ggov1_typical,
     "General governor: PID on speed or power error, load and acceleration limiters, turbine "
     "with delay.",
     "Order from a keyword record, a positional reader and an alias fixture of 35 values. The "
     "meaning of rselect -1 and -2 is not confirmed.",
     "every value but pmwset (the load set point is P0)"},
    {"ieeeg3", ModelKind::governor, 29, 29, k_ieeeg3_names, k_ieeeg3_typical,
     "IEEE type 3 hydro governor: gate servo, permanent and temporary droop, linear water "
     "column.",
     "Order from a record writer; 29 values in two records. Names assumed (no keyword "
     "record).",
     "without its deadbands"},
    {"hyg3", ModelKind::governor, 35, 35, k_hyg3_names, k_hyg3_typical,
     "Hydro governor with PID or double-derivative control, gate servo and nonlinear water "
     "column.",
     "Order from a keyword record (written there with capitals), a record writer and a real "
     "record of 35 values.",
     "without its deadbands; its equations a reconstruction"},
    {"pidgov", ModelKind::governor, 23, 23, k_pidgov_names, k_pidgov_typical,
     "Hydro PID governor with gate servo, water column and a gate-power curve.",
     "Order from one keyword record only.", "without pmax and pmin, which no source gives a role"},
    {"hygov4", ModelKind::governor, 38, 0, nullptr, nullptr,
     "Hydro turbine-governor with four nonlinear stages.",
     "Only the count (38) is known, from one positional record: no names, so no rule is "
     "checked against it.",
     nullptr},
    {"exst1", ModelKind::exciter, 19, 19, k_exst1_names, k_exst1_typical,
     "Static exciter (IEEE ST1 with the second lead-lag, regulator limits and field current "
     "limiter of ST1A).",
     "Order from a record writer (its comment block describes another model; the argument "
     "list counts) and a real record of 19 values. vamax = vamin = 0 is read as no regulator "
     "limit. xe is not simulated.",
     "on the test machine, without xe"},
    {"esst1a", ModelKind::exciter, 20, 20, k_esst1a_names, k_esst1a_typical,
     "Static exciter IEEE ST1A: input limits, two lead-lags, regulator, output limits, field "
     "current limiter.",
     "Order from a record writer and a real record of 20 values. Other programs write ST1A "
     "in another order (tc1, tb1 after tb, then ka, ta, vamax, vamin, ...): a rule written "
     "in that order reads ka as 0. uelin (under-excitation limiter) is ignored; pssin 0 puts "
     "the stabilizer at the summing point.",
     "on the test machine, without uelin and pssin"},
    {"sexs", ModelKind::exciter, 11, 6, k_sexs_names, k_sexs_typical,
     "Simplified excitation system: lead-lag and a limited gain with one time constant.",
     "The first 6 values by the classic order and two corpus records. Values 7 to 11 are not "
     "confirmed: kc tc efdmin efdmax tr are candidate names. The spelling of tatb is "
     "assumed.",
     "on the test machine, its first 6 values"},
    {"ieeet1", ModelKind::exciter, 14, 0, k_ieeet1_names, k_ieeet1_typical,
     "IEEE type 1 DC exciter: regulator, exciter with saturation, rate feedback.",
     "Not confirmed: no corpus record and no writer; one open reader passes 14 values in the "
     "classic order. A 15th value may follow. ke = 0 is treated by programs in two ways.",
     "on the test machine, without switch"},
    {"exst3a", ModelKind::exciter, 18, 18, k_exst3a_names, k_exst3a_typical,
     "Static exciter IEEE ST3A: compound source, inner loop gain, voltage and current "
     "limits.",
     "Order from a record writer and 34 corpus records of 18 values. Its block roles are "
     "read from the names (no public diagram of this form): kj the AVR gain ahead of the "
     "inner loop ka, ta.",
     "on the test machine, without angp, ki and xl (no stator current)"},
    {"esst3a", ModelKind::exciter, 21, 0, k_esst3a_names, k_esst3a_typical,
     "Static exciter IEEE ST3A: regulator, inner loop km, tm, potential and compound source.",
     "Order not confirmed: the ST3A parameter set in the order other readers commonly use "
     "(suggested). Slots 1 to 18 share exst3a's names but not the roles of km, ka, ta, vrmax "
     "and vrmin: a slot-by-slot rule is a trap.",
     "on the test machine, without thetap, ki and xl (no stator current)"},
    {"exac1", ModelKind::exciter, 17, 0, k_exac1_names, k_exac1_typical,
     "IEEE AC1 exciter: alternator-rectifier with diode rectifier regulation.",
     "Not confirmed: one open reader takes the first 17 values in this order. An 18th value, "
     "if present, is taken as spdmlt.",
     "on the test machine; its one limit pair is the regulator's"},
    {"esac1a", ModelKind::exciter, 20, 0, k_esac1a_names, k_esac1a_typical,
     "IEEE AC1A exciter: alternator-rectifier, regulator limits and an output clamp.",
     "Order not confirmed: one open reader's comment (suggested); no writer, no real record.",
     "on the test machine, without spdmlt (speed 1)"},
    {"esdc1a", ModelKind::exciter, 15, 0, k_esdc1a_names, k_esdc1a_typical,
     "IEEE DC1A exciter: lead-lag, regulator, exciter with saturation, rate feedback.",
     "Order not confirmed: the order the standard's diagram and parameter list suggest; other "
     "readers put a switch after tf, and some a trailing exclim.",
     "on the test machine"},
    {"esst4b", ModelKind::exciter, 18, 0, k_esst4b_names, k_esst4b_typical,
     "Static exciter IEEE ST4B: PI voltage regulator, inner field current loop, potential "
     "and compound source.",
     "Tentative: one open reader orders it this way (ta 4th, angp between kp and ki, vgmax "
     "last); no writer, no real record. A record in the other common order (ta after vrmin, "
     "angp after xl) read this way puts 0 in vbmax.",
     "on the test machine, without angp, ki and xl (no stator current)"},
    {"ieeest", ModelKind::stabilizer, 18, 0, k_ieeest_names, k_ieeest_typical,
     "IEEE stabilizer: notch filter, two lead-lags, washout-derivative, gain, output limits "
     "and a voltage cutoff.",
     "Not confirmed. This is layout A (18 values, as the example and its rule assume). An "
     "open reader reads layout B instead: j k a1 ... vcl tdelay (20 values), which pss1a's k "
     "slot makes plausible. Decide from a real record before relying on either.",
     "gain and phase from its input"},
    {"pss1a", ModelKind::stabilizer, 15, 15, k_pss1a_names, k_pss1a_typical,
     "Single-input stabilizer IEEE PSS1A: transducer, washout, filter, two lead-lags, gain "
     "and limits.",
     "Order from a record writer and a real record. t5 is the washout, t6 the transducer.",
     "gain and phase from its first input"},
    {"pss2a", ModelKind::stabilizer, 27, 27, k_pss2a_names, k_pss2a_typical,
     "Dual-input stabilizer IEEE PSS2A: two washout paths, ramp-tracking filter, two "
     "lead-lags, gain and limits.",
     "Order from a record writer, 5 corpus records and a real record of 27 values. The roles "
     "of ks4 and of a, ta, tb (an extra lead-lag) are not confirmed.",
     "gain and phase from each input, without the extra block"},
    {"genrou", ModelKind::generator, 18, 18, k_genrou_names, k_genrou_typical,
     "Round-rotor generator with quadratic saturation; one subtransient reactance for both "
     "axes.",
     "Order from keyword records, a positional reader, a record writer (17, no accel) and "
     "corpus records.",
     "on open circuit: the d axis"},
    {"gensal", ModelKind::generator, 15, 15, k_gensal_names, k_gensal_typical,
     "Salient-pole generator: no q-axis transient circuit; saturation on the d axis only.",
     "Order from a positional reader and an alias fixture of 15 values; no keyword record.",
     "on open circuit: the d axis"},
    {"genroe", ModelKind::generator, 18, 0, k_genrou_names, k_genrou_typical,
     "Round-rotor generator with exponential saturation S = s1 psi^n.",
     "Order not confirmed: no record of this format found; assumed genrou's (a reader of "
     "this format passes the whole record to another format's loader).",
     "on open circuit: the d axis, exponential saturation of the subtransient flux"},
    {"gensae", ModelKind::generator, 15, 0, k_gensal_names, k_gensal_typical,
     "Salient-pole generator with exponential saturation of the subtransient flux.",
     "Order not confirmed: no record of this format found; assumed gensal's.",
     "on open circuit: the d axis, exponential saturation of the subtransient flux (not of "
     "E'q as gensal)"},
    {"genqec", ModelKind::generator, 20, 0, k_genqec_names, k_genqec_typical,
     "Generator with one saturation of the air-gap flux dividing the reactances above "
     "leakage, the time constants and Efd; satflag 0 exponential, 1 scaled quadratic, 2 "
     "quadratic; kw compensates the field current.",
     "Order not confirmed in this format: the lead is another format's reader, whose stored "
     "versions disagree (one puts accel first and has 18 values). Names assumed.",
     "on open circuit: the d axis, saturation by satflag; kw not seen"},
    {"gentpj", ModelKind::generator, 20, 20, k_gentpj_names, k_gentpj_typical,
     "Generator with saturation of the subtransient reactances (kis: its current factor).",
     "Order from a record writer, three real records and a corpus record. lppq follows lppd.",
     "on open circuit: the d axis"},
    {"gentpf", ModelKind::generator, 19, 12, k_gentpf_names, k_gentpf_typical,
     "Generator with saturation of every inductance (gentpj without kis).",
     "Partly confirmed: a corpus record has 19 values, but read in this order it gives s1 = "
     "1.167, s12 = 0.949; the order after lppq is not confirmed.",
     "on open circuit: the d axis"},
    {"gencc", ModelKind::generator, 21, 21, k_gencc_names, k_gencc_typical,
     "Cross-compound generator: the genrou order with lppq after lppd, then accel pf qf.",
     "Order from a keyword record and a positional reader.", nullptr},
};
const int kCatalogueSize = static_cast<int>(std::size(kCatalogue));
