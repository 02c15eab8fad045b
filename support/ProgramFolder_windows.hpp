#pragma once

#include <filesystem>

// Where the Windows build finds what it brings beside the program: its files and fonts.
namespace Program {

// The folder the program file lies in; empty when the system does not say.
std::filesystem::path Folder();

} // namespace Program
