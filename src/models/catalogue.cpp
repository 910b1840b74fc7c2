// The model catalogue: lookups by model and parameter name.
#include "models/catalogue.h"

namespace {

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

bool same_name(const char* a, const char* b) {
  for (; *a && *b; ++a, ++b) {
    if (lower(*a) != lower(*b)) return false;
  }
  return *a == *b;
}

}  // namespace

const char* kind_name(ModelKind kind) {
  static constexpr const char* kNames[] = {"generator", "exciter", "stabilizer", "governor"};
  return kNames[static_cast<int>(kind)];
}

const ModelEntry* find_model(const char* name) {
  if (!name) return nullptr;
  for (int i = 0; i < kCatalogueSize; ++i) {
    if (same_name(kCatalogue[i].name, name)) return &kCatalogue[i];
  }
  return nullptr;
}

int position_of(const ModelEntry& model, const char* name) {
  if (!name || !model.names) return -1;
  if (name[0] == '@' || name[0] == '$') ++name;
  if (name[0] == '\0') return -1;
  for (int k = 0; k < model.count; ++k) {
    if (same_name(model.names[k], name)) return k;
  }
  return -1;
}
