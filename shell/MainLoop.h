#pragma once

// The program's life after its folder and language are set: the main window
// and its message loop, and the way SIGINT, SIGTERM and SIGHUP end it. The
// program's main() and the tests that end the program by signal share it.

namespace shell {

// Blocks SIGINT, SIGTERM and SIGHUP in this thread and in every thread
// started later, the Firebird client's included, and returns a descriptor
// they can be read from (-1 if none could be made). Call it first thing in main(),
// before any thread starts.
int blockTerminationSignals();

// Creates the main window, shows it maximised (it brings up the data module
// and the login) and runs the message loop until the main window closes. A
// signal arriving on `signalDescriptor` closes the main window and ends every
// running loop, modal windows' included, without asking anything. Then the
// main window is destroyed with the data module, which commits what is
// pending. Returns the loop's exit code.
int runMainWindow(int signalDescriptor);

}  // namespace shell
