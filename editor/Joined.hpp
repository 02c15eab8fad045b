#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace Editor {

// The parts one after the other. Built by appending: GCC 12 warns falsely (-Wrestrict) on
// chains of operator+ that start with a literal.
inline std::string Joined(std::initializer_list<std::string_view> parts) {
    std::string text;
    for (const std::string_view part : parts) {
        text += part;
    }
    return text;
}

} // namespace Editor
