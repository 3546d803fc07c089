#pragma once

namespace corvane {

// "corvane stats ...": prints each layer's geometry in figures. Needs no
// display and starts no GUI. `argc`/`argv` are the arguments after "stats".
int RunStatsCommand(int argc, char** argv);

}  // namespace corvane
