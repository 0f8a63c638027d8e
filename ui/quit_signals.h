// Ctrl+C in the terminal (SIGINT) and SIGTERM end the window program through its event loop, as
// "終了" does, instead of killing it where it stands: the windows are then destroyed in order, so
// the preview's private folder goes with them and the exit status is 0.
#pragma once

// Call once the application exists. Safe to call again: the handlers are set up once.
void QuitOnTerminationSignals();
