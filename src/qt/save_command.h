#pragma once

namespace corvane {

// "corvane save ... -o OUT.wrk FILE...": writes the loaded working set as a
// work file. Needs no display and starts no GUI. `argc`/`argv` are the
// arguments after "save".
int RunSaveCommand(int argc, char** argv);

}  // namespace corvane
