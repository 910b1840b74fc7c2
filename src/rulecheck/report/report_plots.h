// The report's plots of a record's responses: OLD and NEW of an output against time on
// axes with their values, NEW - OLD on an axis of its own below them where the record did
// not pass, and gain or phase against frequency for stabilizers. SVG, drawn from the
// plots the response check made.
#pragma once
#include "rulecheck/report/html_writer.h"
#include "rulecheck/responses/response_plots.h"

// One output against time over `steps` steps; with `difference`, NEW - OLD below; with
// `rule_side`, NEW as the rule converts it too, NEW being the fitted record.
void time_plot(Html& h, const OutputPlot& plot, int steps, const char* output, bool difference,
               const PlotColumns* rule_side = nullptr);

// Gain (or phase) of OLD and NEW against frequency, on a logarithmic axis.
void bode_plot(Html& h, const RecordPlot& plot, bool phase);
