// The tool's run from start to exit status.
#pragma once

// Runs the tool with the process's arguments and returns the exit status
// (0 or -1). Creates the application object itself.
int telvorin_ausfuehren(int& argc, char** argv);
