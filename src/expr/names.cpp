// What a name of an expression stands for in a RuleSet: the one name lookup, used by
// the compiler and the text evaluator alike.
#include "expr/names.h"

#include <cstring>

NameRef resolve_name(const RuleSet* rule, const char* name) {
  if (!rule || (name[0] != '$' && name[0] != '@')) return NameRef{NameKind::dummy, 0};
  const bool output = name[0] == '$';
  const char(*names)[kNameSize] = output ? rule->output_names : rule->input_names;
  for (int k = 0; k < kMaxParameters; ++k) {
    if (std::strcmp(names[k], name) == 0)
      return NameRef{output ? NameKind::output : NameKind::input, k};
  }
  return NameRef{NameKind::unknown, 0};
}
