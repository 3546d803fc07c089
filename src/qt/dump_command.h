#pragma once

namespace corvane {

// "corvane dump ...": prints the records of the loaded working set to standard
// output. Needs no display and starts no GUI. `argc`/`argv` are the arguments
// after "dump".
int RunDumpCommand(int argc, char** argv);

}  // namespace corvane
