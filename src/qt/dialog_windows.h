#pragma once

namespace corvane {

class AppShell;
class QtDialogRunner;

// Registers the window of every kind of dialog the core runs. A dialog's Help
// button opens its topic through the shell.
void RegisterDialogWindows(QtDialogRunner& runner, AppShell& shell);

}  // namespace corvane
