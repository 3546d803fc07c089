#pragma once

namespace corvane {

// "corvane diff ...": compares two revisions of a board and prints what
// differs. Needs no display and starts no GUI. `argc`/`argv` are the
// arguments after "diff".
int RunDiffCommand(int argc, char** argv);

}  // namespace corvane
