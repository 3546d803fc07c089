#pragma once

namespace corvane {

// "corvane netlist ...": the copper's nets against the reference netlist.
// Needs no display and starts no GUI. `argc`/`argv` are the arguments after
// "netlist".
int RunNetlistCommand(int argc, char** argv);

}  // namespace corvane
