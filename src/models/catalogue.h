// The model catalogue: each dynamic model's record layout (parameter names in record
// order), its kind, how sure the order is, typical values and notes. Read by the
// checker's layout checks, the rule skeletons and the simulation; knows no rules.
#pragma once

// In the order of kind_name's table.
enum class ModelKind { generator, exciter, stabilizer, governor };
const char* kind_name(ModelKind kind);  // "generator", ...

struct ModelEntry {
  const char* name;  // lower case, as records write it
  ModelKind kind;
  int count;  // values after the colon (and any mva= or mwcap= field)
  // Positions 1..confirmed_to are confirmed by the sources; later ones are not. Equal to
  // count for a confirmed order.
  int confirmed_to;
  const char* const* names;  // `count` names in record order; nullptr when not known
  const double* typical;     // `count` typical values; nullptr when the names are not known
  const char* description;   // one line
  const char* notes;         // the sources, and what is not confirmed
  // How the response check simulates it (what of its record it runs); nullptr: not
  // simulated. A model simulated here has its struct in its family in dynamics/.
  const char* simulation;
};

// Every model of the catalogue, by name.
extern const ModelEntry kCatalogue[];
extern const int kCatalogueSize;

// The model named `name` (case ignored, any length), or nullptr.
const ModelEntry* find_model(const char* name);

// True when the whole order is confirmed.
inline bool order_confirmed(const ModelEntry& model) { return model.confirmed_to >= model.count; }

// The 0-based position of the parameter `name` in the model's record (case ignored; a
// leading "@" or "$" is passed over), or -1 when the model has no such parameter.
int position_of(const ModelEntry& model, const char* name);
