// The standard test of each family run on a pair of records: make both models, start
// them, run OLD then NEW, and decide each compared output.
#pragma once
#include "dynamics/comparison/comparison.h"

void compare_governors(const RecordValues& old_record, const RecordValues& new_record,
                       const ComparisonOptions& options, Comparison& c, Trajectories& t,
                       FullResponse* full);
void compare_stabilizers(const RecordValues& old_record, const RecordValues& new_record,
                         const ComparisonOptions& options, Comparison& c, Trajectories& t);
void compare_exciters(const RecordValues& old_record, const RecordValues& new_record,
                      const ComparisonOptions& options, Comparison& c, Trajectories& t,
                      FullResponse* full);
void compare_generators(const RecordValues& old_record, const RecordValues& new_record,
                        const ComparisonOptions& options, Comparison& c, Trajectories& t,
                        FullResponse* full);
