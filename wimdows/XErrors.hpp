#pragma once

namespace Wimdows {

// Keeps an X protocol error about a window that no longer exists from ending the program (the
// X library's own handler calls exit()); any other error ends it at once with status 1 and one
// line on standard error. A display that goes away ends the program at once, as a hang-up does
// (status 129 to a shell), silently. Neither runs the program's destructors. Call
// before SDL's video starts: SDL chains to the handler it finds and puts it back when video
// stops, before it closes its connections, which is when such an error is read.
void ForgiveErrorsOnGoneWindows();

} // namespace Wimdows
