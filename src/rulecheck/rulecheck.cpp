// rulecheck: finds the mistakes of a rule library, and previews a conversion, without
// writing any file but, on request, a conversion report.
#include "rulecheck/rulecheck.h"

#include <cstdio>
#include <cstring>

#include "cli/command_line.h"
#include "io/console.h"
#include "rulecheck/catalogue_commands.h"
#include "rulecheck/check/fit_check.h"
#include "rulecheck/check/library_check.h"
#include "rulecheck/report/html_report.h"
#include "rules/rule_loader.h"
#include "text/scan.h"

namespace {

// What --help tells besides the usage line.
constexpr const char* kPurpose =
    "rulecheck finds the mistakes of the rule library of the working folder: in its\n"
    "expressions, and in where its rules read and write the values of the models' records.\n"
    "It previews what modelconv would do to a data file, and writes on request an HTML\n"
    "conversion report.";
constexpr const char* kDetails =
    "  (no argument)            check the library\n"
    "  --data data-file         also preview the conversion of data-file\n"
    "  all, include, exclude    which buses, as for modelconv (every bus without it)\n"
    "  --report report.html     also write the conversion report\n"
    "  --responses              also compare each converted unit's OLD and NEW response\n"
    "                           under the standard test of its kind\n"
    "  --tolerance percent      the deviation a response may have (5 by default)\n"
    "  --csv folder             write the responses to CSV files in folder\n"
    "  --fit fitted-file        also fit, per record, the outputs lib/FROM-TO.fit names, and\n"
    "                           write modelconv's converted file with the fitted values\n"
    "  --models [model]         list the model catalogue, or show one model\n"
    "  --skeleton from to       write a rule file from model from to model to, to start from\n"
    "\n"
    "Reads:  rule.txt, lib/FROM-TO and lib/FROM-TO.fit (the rule library, in the working\n"
    "        folder), data-file and the bus selection file.\n"
    "Writes: its findings (file:line: severity: message) to standard output, and nothing else\n"
    "        but report.html, the CSV files and the fitted file when asked.\n"
    "Exit status: 0 when it finds no error (warnings alone give 0); 1 with an error, for a\n"
    "usage error and for a model the catalogue does not hold.\n";

constexpr ProgramInfo kProgram{
    "rulecheck",
    "Usage: rulecheck [--data data-file [all|include|exclude] [--report report.html]\n"
    "                 [--responses|--fit fitted-file [--tolerance percent] [--csv folder]]]\n"
    "       rulecheck --models [model]\n"
    "       rulecheck --skeleton from-model to-model\n",
    kModelconvMissingRuleFile, kPurpose, kDetails};

bool is(const char* argument, const char* option) { return std::strcmp(argument, option) == 0; }

// The options after --data data-file [selection], in any order.
bool read_data_options(int argc, char** argv, int i, CheckRun& run) {
  bool tolerance_or_csv = false;
  for (; i < argc; ++i) {
    const bool has_value = i + 1 < argc;
    if (is(argv[i], "--report") && has_value) {
      run.report = argv[++i];
    } else if (is(argv[i], "--responses")) {
      run.responses = true;
    } else if (is(argv[i], "--fit") && has_value) {
      run.fitted_file = argv[++i];
      run.responses = true;
    } else if (is(argv[i], "--tolerance") && has_value) {
      float percent = -1.0f;
      if (!scan_float(argv[++i], &percent) || !(percent > 0 && percent <= 1000)) return false;
      run.response_options.tolerance = percent / 100.0;
      tolerance_or_csv = true;
    } else if (is(argv[i], "--csv") && has_value) {
      run.response_options.csv_folder = argv[++i];
      tolerance_or_csv = true;
    } else {
      return false;
    }
  }
  return run.responses || !tolerance_or_csv;
}

// rulecheck [--data data-file [all|include|exclude] [--report report.html]
//            [--responses [--tolerance percent] [--csv folder]]]
// rulecheck --models [model]
// rulecheck --skeleton from-model to-model
bool read_arguments(int argc, char** argv, CheckRun& run) {
  run.mode = CheckMode::library;
  run.data_file = run.selection = run.report = run.model = run.to_model = nullptr;
  run.fitted_file = nullptr;
  run.responses = false;
  run.response_options = ResponseOptions{0.05, 5.0, nullptr};
  if (argc == 1) return true;
  if (is(argv[1], "--models") && argc <= 3) {
    run.mode = CheckMode::models;
    run.model = argc == 3 ? argv[2] : nullptr;
    return true;
  }
  if (is(argv[1], "--skeleton") && argc == 4) {
    run.mode = CheckMode::skeleton;
    run.model = argv[2];
    run.to_model = argv[3];
    return true;
  }
  if (!is(argv[1], "--data") || argc < 3) return false;
  run.data_file = argv[2];
  int i = 3;
  if (i < argc && argv[i][0] != '-') run.selection = argv[i++];
  return read_data_options(argc, argv, i, run);
}

// --models and --skeleton: what the catalogue tells, on standard output.
int tell_catalogue(const CheckRun& run) {
  if (run.mode == CheckMode::models && !run.model) {
    list_models(stdout);
    return 0;
  }
  const bool told = run.mode == CheckMode::models ? show_model(stdout, run.model)
                                                  : write_skeleton(stdout, run.model, run.to_model);
  return told ? 0 : 1;
}

// Every file the run writes is distinct from every file it reads and from every other
// it writes, the names the response files take in their folder included; a folder whose
// files could not be named whole is refused too. False after one error finding that
// names both files: nothing is written then.
bool outputs_are_distinct(CheckRun& run) {
  const char* csv = run.responses ? run.response_options.csv_folder : nullptr;
  if (csv && !response_folder_fits(csv)) {
    report(run.findings, Severity::error, SourcePoint{csv, 0, 0},
           "is too long a folder name for the response files' names to be held whole "
           "(at most %d characters a path): nothing is written",
           kMaxPathLength);
    return false;
  }
  char summary[kPathSize] = "";
  if (csv) std::snprintf(summary, sizeof summary, "%s/summary.csv", csv);
  const char* list = run.selection && names_selection_file(run.selection) ? run.selection : nullptr;
  RuleLibraryFiles library;
  list_rule_library_files(run.library.table, library);
  const char* written[] = {run.report, csv ? summary : nullptr, run.fitted_file};
  const char* inputs[] = {run.data_file, list};
  const NameList read[] = {{inputs, 2}, {library.names, library.count}};
  Clash clash;
  if (find_clash(NameList{written, 3}, read, 2, clash)) {
    report(run.findings, Severity::error, SourcePoint{clash.written, 0, 0},
           "is the same file as [%s], which this run %s: nothing is written", clash.other,
           clash.other_written ? "writes too" : "reads");
    return false;
  }
  // A file read, or the report, under a name the response files take in their folder.
  if (!csv) return true;
  const char* others[] = {run.report, run.data_file, list, run.fitted_file};
  for (const NameList& names : {NameList{others, 4}, NameList{library.names, library.count}}) {
    for (int i = 0; i < names.count; ++i) {
      if (!names_file_in(names.names[i], csv, is_response_file_name)) continue;
      report(run.findings, Severity::error, SourcePoint{names.names[i], 0, 0},
             "takes a name the response files take in [%s] (summary.csv, fit.csv, "
             "L<line>-<output>.csv), which this run writes: nothing is written",
             csv);
      return false;
    }
  }
  return true;
}

// Writes the report whole, or not at all. False after an error finding.
bool write_report(CheckRun& run, bool with_responses, bool with_fits) {
  if (!open_output_file(run.report_file, run.report, run.report_buffer)) {
    report(run.findings, Severity::error, SourcePoint{run.report, 0, 0}, "cannot write the report");
    return false;
  }
  if (with_responses) make_response_plots(run.response_run);
  if (with_fits) make_fit_plots(run.fit_run);
  write_html_report(
      run.report_file.stream,
      ReportInput{run.data_file, run.bus_selection.basis, run.library.table, run.rules, run.tally,
                  run.kept, with_responses ? &run.response_run : nullptr,
                  with_fits ? &run.fit_run : nullptr});
  if (!close_output_file(run.report_file)) {
    report(run.findings, Severity::error, SourcePoint{run.report, 0, 0}, "cannot write the report");
    return false;
  }
  std::printf("Report written to [%s]\n", run.report);
  return true;
}

// The preview of the data file, and the report when one is asked for.
void preview_data_file(CheckRun& run, bool loaded) {
  if (!loaded) {
    std::printf("Preview skipped: the rule library does not load, so modelconv would not run%s\n",
                run.report ? "; no report written" : "");
    return;
  }
  if (!outputs_are_distinct(run)) return;
  const bool report_wanted = run.report != nullptr;
  start_rule_state(run.library.table, run.rules);
  if (report_wanted) start_report_tally(run.kept, run.library.table);
  ReportTallying kept(run.kept, run.library.table);
  ResponseObserver responses(run.response_run);
  bool compare =
      run.responses && start_responses(run.response_run, run.library.table, run.response_options,
                                       run.data_file, run.findings);
  const bool fit = compare && run.fitted_file;
  if (fit) {
    start_fits(run.fit_run, run.library.table, run.fits, run.response_run);
    if (!open_fit_file(run.response_run.files)) {
      report(run.findings, Severity::error, SourcePoint{run.response_options.csv_folder, 0, 0},
             "cannot write fit.csv there");
      compare = false;
    } else if (!open_output_file(run.fitted, run.fitted_file, run.fitted_buffer)) {
      report(run.findings, Severity::error, SourcePoint{run.fitted_file, 0, 0},
             "cannot open the fitted file for writing: nothing is fitted");
      compare = false;
    }
    if (!compare) abandon_responses(run.response_run);
  }
  const bool fitting = fit && compare;
  const Preview preview{run.library,
                        run.rules,
                        run.tally,
                        {report_wanted ? &kept : nullptr, compare ? &responses : nullptr},
                        run.bus_selection,
                        run.loop,
                        run.line,
                        run.findings,
                        fitting ? run.fitted.stream : nullptr,
                        fitting ? &run.fit_run : nullptr};
  const bool previewed = run_preview(preview, run.data_file, run.selection);
  if (fitting) {
    if (!previewed) {
      discard_output_file(run.fitted);
    } else if (close_output_file(run.fitted)) {
      std::printf("Fitted file written to [%s]\n", run.fitted_file);
    } else {
      report(run.findings, Severity::error, SourcePoint{run.fitted_file, 0, 0},
             "cannot write the fitted file");
    }
  }
  const auto fit_lines = [](const void* context, std::FILE* out) {
    finish_fits(*static_cast<const FitRun*>(context), out);
  };
  if (previewed && compare)
    finish_responses(run.response_run, run.findings, fitting ? +fit_lines : nullptr, &run.fit_run);
  else if (compare)
    abandon_responses(run.response_run);
  if (previewed && report_wanted) write_report(run, compare, fitting);
}

}  // namespace

int run_rulecheck(int argc, char** argv, CheckRun& run) {
  int status;
  if (ends_at_command_line(argc, argv, kProgram, 1, &status)) return status;
  if (!read_arguments(argc, argv, run)) {
    print_usage(kProgram);
    return 1;
  }
  if (run.mode != CheckMode::library) return tell_catalogue(run);
  // What the loader and the conversion would say on the console is reported here as
  // findings, on standard output.
  ConsoleSwitch quiet(nullptr);
  run.findings = Findings{stdout, 0, 0};
  const bool loaded =
      load_rules(run.library.table, LoadOptions{true, &run.sources}, run.failures, run.line);
  compile_library(run.library.table, run.library.compiled);
  load_fit_files(run.library.table, run.fits, run.fit_issues, run.line);
  const CheckedLibrary checked{run.library, run.sources, run.failures, run.findings};
  check_library(checked);
  check_fit_files(checked, run.fits, run.fit_issues);
  if (run.data_file) preview_data_file(run, loaded);
  write_finding_totals(run.findings);
  if (run.findings.errors > 0) status = 1;
  return status;
}
