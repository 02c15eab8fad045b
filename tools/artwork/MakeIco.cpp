// Writes the Windows icon file: the desktop icon at the sizes Explorer, the title bar and the
// taskbar ask for, each entry a PNG image, as Windows reads them since Vista.
#include "tools/artwork/Icon.hpp"

#include <array>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

namespace {

constexpr std::array<int, 6> Sizes{16, 24, 32, 48, 64, 256};

void Put16(std::string& out, std::uint16_t value) {
    out.push_back(static_cast<char>(value & 0xFFU));
    out.push_back(static_cast<char>(value >> 8U));
}

void Put32(std::string& out, std::uint32_t value) {
    Put16(out, static_cast<std::uint16_t>(value & 0xFFFFU));
    Put16(out, static_cast<std::uint16_t>(value >> 16U));
}

std::string ReadAll(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string Ico(const std::vector<std::string>& pngs) {
    constexpr std::uint32_t HeaderSize = 6;
    constexpr std::uint32_t EntrySize = 16;
    std::string out;
    Put16(out, 0);
    Put16(out, 1); // an icon, not a cursor
    Put16(out, static_cast<std::uint16_t>(pngs.size()));
    std::uint32_t offset = HeaderSize + EntrySize * static_cast<std::uint32_t>(pngs.size());
    for (std::size_t i = 0; i < pngs.size(); ++i) {
        const auto side = static_cast<char>(Sizes[i] == 256 ? 0 : Sizes[i]); // 0 stands for 256
        out += {side, side, 0, 0};
        Put16(out, 1);  // planes
        Put16(out, 32); // bits a pixel
        Put32(out, static_cast<std::uint32_t>(pngs[i].size()));
        Put32(out, offset);
        offset += static_cast<std::uint32_t>(pngs[i].size());
    }
    for (const std::string& png : pngs) {
        out += png;
    }
    return out;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: meandor_ico FILE.ico\n";
        return 2;
    }
    try {
        const std::filesystem::path ico = argv[1];
        if (ico.has_parent_path()) {
            std::filesystem::create_directories(ico.parent_path());
        }
        std::vector<std::string> pngs;
        for (const int size : Sizes) {
            const std::filesystem::path png = ico.string() + "." + std::to_string(size) + ".png";
            Artwork::WriteIcon(size, png);
            pngs.push_back(ReadAll(png));
            std::filesystem::remove(png);
        }
        std::ofstream out(ico, std::ios::binary);
        if (!(out << Ico(pngs)).flush()) {
            std::cerr << "meandor_ico: cannot write " << ico << '\n';
            return 1;
        }
    } catch (const std::exception& e) {
        std::cerr << "meandor_ico: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
