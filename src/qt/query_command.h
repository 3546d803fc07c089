#pragma once

namespace corvane {

// "corvane query ...": prints the objects at a point or of a net or a
// component. Needs no display and starts no GUI. `argc`/`argv` are the
// arguments after "query".
int RunQueryCommand(int argc, char** argv);

}  // namespace corvane
