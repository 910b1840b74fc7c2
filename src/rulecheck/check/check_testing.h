// Tests of the library check: a temporary library folder loaded, compiled and checked as
// the checker does it, with the findings it writes.
#pragma once
#include <string>

#include "io/console.h"
#include "rulecheck/check/library_check.h"
#include "rulecheck/findings/findings.h"
#include "rules/rule_loader.h"
#include "test_support.h"

namespace test_support {

class CheckedFolder : public InLibraryFolder {
 protected:
  // Loads the library of the working folder afresh (loaded_ says whether it loaded),
  // checks it and returns its findings; *errors, where given, their count of errors.
  std::string check_folder(int* errors = nullptr) {
    ConsoleSwitch quiet(nullptr);
    reset_rule_table(library_->table);
    loaded_ = load_rules(library_->table, LoadOptions{true, &*sources_}, *failures_, *line_);
    compile_library(library_->table, library_->compiled);
    CapturedFile out;
    Findings findings{out.f, 0, 0};
    check_library(CheckedLibrary{*library_, *sources_, *failures_, findings});
    if (errors) *errors = findings.errors;
    return out.text();
  }
  Zeroed<RuleLibrary> library_;
  Zeroed<RuleSources> sources_;
  Zeroed<LoadFailures> failures_;
  Zeroed<WholeLine> line_;
  bool loaded_ = false;
};

}  // namespace test_support
