#pragma once

namespace corvane {

// "corvane check ...": runs the fabrication rules over a working set. Needs no
// display and starts no GUI. `argc`/`argv` are the arguments after "check".
int RunCheckCommand(int argc, char** argv);

}  // namespace corvane
