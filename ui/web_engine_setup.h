// What the embedded web view of the preview needs before the application starts, and the test
// that the web engine can be created at all.
#pragma once

// Call before the QApplication is constructed: shares OpenGL contexts as the web engine
// requires, puts off the making of the shared context until StartSharedGraphicsContext (the
// engine's library would otherwise make it with the application, which loads the graphics
// driver and costs the most of the program's start), registers the preview's URL scheme, and, when
// the program runs as root, adds
// --no-sandbox to QTWEBENGINE_CHROMIUM_FLAGS (the engine refuses to start as root otherwise).
// Flags already set by the user are kept. The engine's report of its set-up (the logging
// category qt.webenginecontext, some 25 lines on standard error at every start) is kept out of
// the terminal unless PORUKANO_DEBUG_WEBENGINE=1 (or QT_LOGGING_RULES) asks for it; its
// warnings and errors, and every other message, still show.
void PrepareWebEngine();

// Makes the OpenGL context that the web engine's views share, once; call before the first
// profile or view of the engine is made.
void StartSharedGraphicsContext();

// True when the web engine's helper process and its resources are installed where the engine
// will look for them (QTWEBENGINEPROCESS_PATH and QTWEBENGINE_RESOURCES_PATH override the
// installed places). Without them the engine would end the program at its first use.
bool WebEngineAvailable();
