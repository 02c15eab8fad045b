#pragma once

// Ctrl+C, kill and the end of a login session end the game as the window's close box does:
// the window closes, every wait unwinds, the sound stops and the program returns. On Windows
// the console's events stand for the signals: Ctrl+C, Ctrl+Break, a closed console, log-off
// and shutdown, and a stopped program ends with the status Ctrl+C gives (0xC000013A).
namespace Meandor {

// Takes SIGINT, SIGTERM and SIGHUP over from their default handling, but for those that the
// program inherited as ignored, which stay ignored. Call first thing in main, before any other
// thread starts, so that every thread leaves them to this one.
void StopOnSignals();

// Call as the program ends, whichever way. If a signal stopped the game, ends the process by
// that signal with its default action, so that whoever started the program sees it stopped by
// it (a shell reports status 128 + the number). From then on a signal ends the process at
// once, as if this module had never taken it over.
void EndIfSignalled();

// While one lives, a stopping signal ends the process at once by that signal, for a wait the
// program cannot break off (a question in the system's message box, a program it runs). One
// that came before it was made ends the process as it is made.
class EndAtOnce {
  public:
    EndAtOnce();
    ~EndAtOnce();
    EndAtOnce(const EndAtOnce&) = delete;
    EndAtOnce& operator=(const EndAtOnce&) = delete;
};

} // namespace Meandor
