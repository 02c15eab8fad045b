#pragma once

#include <string>

// The running program as the system knows it.
namespace Program {

// Its short name, for the start of a message: "meandor".
std::string Name();

// Freed blocks of a screen's pictures go back to the system, so the heap does not keep the
// pictures of every later screen.
void ReturnLargeBlocks();

} // namespace Program
