// What rulecheck tells of the model catalogue: the list of models, one model in full,
// and a rule skeleton from one model to another.
#include "rulecheck/catalogue_commands.h"

#include <cstring>
#include <initializer_list>

#include "io/console.h"
#include "models/catalogue.h"
#include "rulecheck/findings/findings.h"
#include "rules/rule_table.h"
#include "text/format.h"

namespace {

// At most the first 64 characters of a name from the command line, printable.
void quoted_name(const char* name, char* out, int size) {
  quote_text(name, 64, out, size);
  if (std::strlen(name) > 64) std::strcat(out, "...");
}

const ModelEntry* known_model(const char* name) {
  const ModelEntry* m = find_model(name);
  if (!m) {
    char shown[4 * 64 + 8];
    quoted_name(name, shown, sizeof shown);
    console_printf("Unknown model [%s]: rulecheck --models lists the catalogue\n", shown);
  }
  return m;
}

void order_words(const ModelEntry& m, char* out, std::size_t size) {
  if (order_confirmed(m)) {
    std::snprintf(out, size, "order confirmed");
  } else if (m.confirmed_to > 0) {
    std::snprintf(out, size, "order confirmed for positions 1 to %d only", m.confirmed_to);
  } else {
    std::snprintf(out, size, "order not confirmed");
  }
}

// The band of a parameter around its typical value: half to twice it; none for 0.
struct Band {
  bool known;
  float low;
  float high;
};
Band band_of(double typical) {
  const float v = static_cast<float>(typical);
  if (v > 0) return Band{true, v / 2, v * 2};
  if (v < 0) return Band{true, v * 2, v / 2};
  return Band{false, 0.0f, 0.0f};
}

void write_output_line(std::FILE* out, const char* name, const char* source, Band band,
                       bool tested) {
  char assignment[2 * kNameSize + 8];
  std::snprintf(assignment, sizeof assignment, "$%s=%s", name, source);
  char low[kMaxFloatText + 1];
  char high[kMaxFloatText + 1];
  put_shortest(low, band.low);
  put_shortest(high, band.high);
  char test[3 * kExpressionSize] = "";
  if (tested) {
    std::snprintf(test, sizeof test, "($%s>=%s)&&($%s<=%s)", name, low, name, high);
    if (std::strlen(test) > kExpressionSize - 1) test[0] = '\0';  // too long to store
  }
  if (test[0] == '\0') {
    std::fprintf(out, "%-20s %-9s %s\n", assignment, low, high);
  } else {
    std::fprintf(out, "%-20s %-9s %-9s %s\n", assignment, low, high, test);
  }
}

// Pairs for which a mapping was derived and shipped as a rule of the example library.
// The skeleton does not write it in: a skeleton is unchecked by nature, and must not
// look like a finished rule. It says where the derived one is.
struct DerivedMapping {
  const char* from;
  const char* to;
  const char* text;
};
constexpr DerivedMapping kDerivedMappings[] = {
    {"gast", "ggov1",
     "# A mapping derived for this pair ships as the example library's lib/gast-ggov1:\n"
     "# ggov1 with droop on its governor output (rselect -2), kigov = 1/(r t1), the\n"
     "# actuator for gast's fuel lag, exact while gast's temperature limit does not act.\n"
     "# This skeleton does not propose it: start from that rule, or map each value here.\n"},
};

}  // namespace

void list_models(std::FILE* out) {
  for (int i = 0; i < kCatalogueSize; ++i) {
    const ModelEntry& m = kCatalogue[i];
    std::fprintf(out, "%-8s %-10s %3d  %-13s  %-13s ", m.name, kind_name(m.kind), m.count,
                 order_confirmed(m) ? "confirmed" : "not confirmed",
                 m.simulation ? "simulated" : "not simulated");
    if (!m.names) std::fputs(" (names not known)", out);
    for (int k = 0; m.names && k < m.count; ++k) std::fprintf(out, " %s", m.names[k]);
    std::fputc('\n', out);
  }
}

bool show_model(std::FILE* out, const char* name) {
  const ModelEntry* found = known_model(name);
  if (!found) return false;
  const ModelEntry& m = *found;
  char order[64];
  order_words(m, order, sizeof order);
  std::fprintf(out, "%s: %s, %d values, %s\n%s\n", m.name, kind_name(m.kind), m.count, order,
               m.description);
  if (m.names) {
    std::fprintf(out, "position  name      typical\n");
    for (int k = 0; k < m.count; ++k) {
      char typical[kMaxFloatText + 1];
      put_shortest(typical, static_cast<float>(m.typical[k]));
      std::fprintf(out, "%8d  %-8s  %s%s\n", k + 1, m.names[k], typical,
                   m.confirmed_to > 0 && k >= m.confirmed_to ? "   (position not confirmed)" : "");
    }
  }
  std::fprintf(out, "Notes: %s\n", m.notes);
  std::fprintf(out, "Simulated: %s\n", m.simulation ? m.simulation : "no");
  return true;
}

bool write_skeleton(std::FILE* out, const char* from_name, const char* to_name) {
  const ModelEntry* from = known_model(from_name);
  const ModelEntry* to = from ? known_model(to_name) : nullptr;
  if (!from || !to) return false;
  for (const ModelEntry* m : {from, to}) {
    if (m->names) continue;
    console_printf("Model [%s] has no known parameter names: no skeleton can be written\n",
                   m->name);
    return false;
  }
  if (from->kind != to->kind) {
    const auto article = [](ModelKind kind) { return kind == ModelKind::exciter ? "an" : "a"; };
    console_printf("[%s] is %s %s and [%s] %s %s: no rule converts one into the other, so no skeleton is written\n",
                   from->name, article(from->kind), kind_name(from->kind), to->name,
                   article(to->kind), kind_name(to->kind));
    return false;
  }
  std::fprintf(out,
               "# %s -> %s: a rule skeleton made by rulecheck --skeleton %s %s.\n"
               "# %s: %s\n# %s: %s\n",
               from->name, to->name, from->name, to->name, from->name, from->description, to->name,
               to->description);
  for (const ModelEntry* m : {from, to}) {
    char order[64];
    order_words(*m, order, sizeof order);
    if (!order_confirmed(*m))
      std::fprintf(out, "# %s: %s; check its record layout before use.\n", m->name, order);
  }
  std::fprintf(out,
               "#\n# Inputs in the %s record's order, each with its typical value (the checker's\n"
               "# dry run converts them). Outputs in the %s record's order: a value %s has\n"
               "# under the same name is carried over; every other one is 0 until you give its\n"
               "# mapping. A name both models have need not mean the same in both: check each\n"
               "# value carried over. Limits: half to twice the typical value; the test keeps\n"
               "# the value inside them. Check every line against your models' documentation.\n",
               from->name, to->name, from->name);
  for (const DerivedMapping& d : kDerivedMappings) {
    if (std::strcmp(d.from, from->name) == 0 && std::strcmp(d.to, to->name) == 0)
      std::fputs(d.text, out);
  }
  for (int k = 0; k < from->count; ++k) {
    char typical[kMaxFloatText + 1];
    put_shortest(typical, static_cast<float>(from->typical[k]));
    char input[kNameSize + 2];
    std::snprintf(input, sizeof input, "@%s", from->names[k]);
    std::fprintf(out, "%-10s %s\n", input, typical);
  }
  std::fprintf(out, "@end\n# output            low       high      test\n");
  for (int k = 0; k < to->count; ++k) {
    const char* name = to->names[k];
    Band band = band_of(to->typical[k]);
    if (position_of(*from, name) < 0) {
      std::fprintf(out, "# %s: no %s value of this name; give the mapping.\n", name, from->name);
      write_output_line(out, name, "0", band, false);
      continue;
    }
    // The band holds the from-model's typical value too: the dry run passes.
    const float carried = static_cast<float>(from->typical[position_of(*from, name)]);
    if (carried != 0.0f && !band.known) band = band_of(carried);
    if (band.known) {
      band.low = carried < band.low ? carried : band.low;
      band.high = carried > band.high ? carried : band.high;
    }
    char source[kNameSize + 2];
    std::snprintf(source, sizeof source, "@%s", name);
    write_output_line(out, name, source, band, band.known);
  }
  std::fprintf(out, "$end\n");
  return true;
}
