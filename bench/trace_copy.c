/* The baseline of the copy scenario: only the work every line needs, with plain stdio.
   Reads each line, writes and flushes its number to the trace file, writes the line.
   Usage: trace_copy INPUT OUTPUT (the trace goes to rerr.txt) */
#include <stdio.h>

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  FILE* in = fopen(argv[1], "r");
  FILE* out = fopen(argv[2], "w");
  FILE* trace = fopen("rerr.txt", "w");
  if (!in || !out || !trace) return 1;
  char line[2000];
  int count = 0;
  while (fgets(line, 1998, in)) {
    fprintf(trace, "%8d\n", ++count);
    fflush(trace);
    fputs(line, out);
  }
  return fclose(out) != 0 || fclose(trace) != 0;
}
