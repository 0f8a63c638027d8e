// How many cores this process may run its threads on.
#pragma once

// The cores the process may run on (its CPU affinity where the system has one, as `taskset`
// sets it), else the cores the machine has; at least 1.
unsigned UsableCores();
