#pragma once
// The start of a run: the program folder becomes current, the version is set, the shell's
// windows are hooked to the main window, and the login window opens.
namespace shell {

void startProgram();

} // namespace shell
