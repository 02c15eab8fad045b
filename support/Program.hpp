#pragma once

#include <filesystem>
#include <string>

// The running program as the system knows it.
namespace Program {

// Its short name, for the start of a message: "meandor".
std::string Name();

// The folder its program file lies in; empty when the system does not say.
std::filesystem::path Folder();

// Freed blocks of a screen's pictures go back to the system, so the heap does not keep the
// pictures of every later screen.
void ReturnLargeBlocks();

} // namespace Program
