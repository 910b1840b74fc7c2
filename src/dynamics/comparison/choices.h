// The modelling choices the standard tests make where the models' sources leave them
// open: the same for OLD and NEW, none confirmed for every program that reads the format.
// Each belongs to the models of one kind, or to one model; a run lists those of the kinds
// and models it simulates.
#pragma once
#include "models/catalogue.h"

struct Choice {
  ModelKind kind;
  const char* model;  // nullptr: every model of the kind
  const char* text;
};

extern const Choice kChoices[];
extern const int kChoiceCount;
