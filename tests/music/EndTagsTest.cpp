// The tags behind an MPEG stream, built as their formats lay them out, cut off whatever their
// order; a damaged one leaves nothing to decode.
#include "music/EndTags.hpp"

#include <cstdint>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <tuple>

namespace {

using namespace std::string_literals;

std::string Le32(std::int64_t value) {
    std::string bytes;
    for (int i = 0; i < 4; ++i) {
        bytes += static_cast<char>(static_cast<std::uint64_t>(value) >> (8 * i) & 0xFFU);
    }
    return bytes;
}

std::string Id3v1() {
    return "TAG" + std::string(125, 'x');
}

// `size` counts the items and the footer unless given; version 2000 with `header` adds one.
std::string Ape(std::int64_t version, bool header, std::optional<std::int64_t> size = {}) {
    const std::string items = Le32(5) + Le32(0) + "Title\0Frite"s;
    const auto part = [&](std::int64_t flags) {
        return "APETAGEX" + Le32(version) + Le32(size.value_or(items.size() + 32)) + Le32(1) +
               Le32(flags) + std::string(8, '\0');
    };
    const std::int64_t flags = header ? 0x80000000 : 0;
    return (header ? part(flags | 0x20000000) : "") + items + part(flags);
}

// Lyrics3 version 2 with its length as written, by default the begin mark and `text` in six
// digits.
std::string Lyrics3v2(const std::string& text, std::optional<std::string> length = {}) {
    const std::string body = "LYRICSBEGIN" + text;
    std::string digits = std::to_string(body.size());
    digits.insert(0, 6 - digits.size(), '0');
    return body + length.value_or(digits) + "LYRICS200";
}

std::string Lyrics3v1(const std::string& text) {
    return "LYRICSBEGIN" + text + "LYRICSEND";
}

// A MusicMatch tag as id3lib describes it, `image` bytes of picture; `imageSize` is what the
// image section claims and `unused` the four bytes before the version section.
struct MusicMatch {
    bool header = true;
    std::size_t data = 7868;
    std::int64_t image = 3;
    std::optional<std::int64_t> imageSize{};
    std::string unused = std::string(4, '\0');
    std::optional<std::int64_t> versionOffset{};

    std::string operator()() const {
        const std::string section = "18273645\0\0"s + std::string(20, 'v') + std::string(226, ' ');
        const std::int64_t imageOffset = 1000;
        const std::string offsets = Le32(imageOffset) + Le32(0) + Le32(0) +
                                    Le32(versionOffset.value_or(imageOffset + image + 12)) +
                                    Le32(0);
        return (header ? section : "") + ".jpg" + Le32(imageSize.value_or(image)) +
               std::string(static_cast<std::size_t>(image), 'i') + unused + section +
               std::string(data, 'd') + offsets + "Brava Software Inc.             3.00" +
               std::string(12, ' ');
    }
};

std::optional<std::size_t> End(const std::string& bytes) {
    return Music::EndOfAudio({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
}

const std::string Audio = "\xFF\xE3\x18\xC4"s + std::string(300, 'a');
constexpr std::optional<std::size_t> Damaged;

TEST(EndTags, EveryKindIsCutInAnyOrderAndNumber) {
    for (const auto& [what, tags] : {
             std::tuple{"none", ""s},
             {"ID3v1", Id3v1()},
             {"APE 2 with header", Ape(2000, true)},
             {"APE 1", Ape(1000, false)},
             {"Lyrics3 2, its length in spaces and a sign", Lyrics3v2("IND", "   +14"s)},
             // Version 1 has no length: it starts at the first begin mark of the last 5120 bytes.
             {"Lyrics3 1 with a begin mark in it", Lyrics3v1("LYRICSBEGIN")},
             {"Lyrics3 1 of 5120 bytes", Lyrics3v1(std::string(5120 - 20, 'l'))},
             {"MusicMatch", MusicMatch{}()},
             {"MusicMatch without header", MusicMatch{.header = false}()},
             {"MusicMatch of the last format", MusicMatch{.data = 8132, .image = 0}()},
             {"Lyrics3, APE and ID3v1", Lyrics3v2("") + Ape(2000, true) + Id3v1()},
             {"APE, Lyrics3 and ID3v1", Ape(1000, false) + Lyrics3v1("") + Id3v1()},
             {"MusicMatch and ID3v1, and back", MusicMatch{}() + Id3v1() + MusicMatch{}()},
         }) {
        EXPECT_EQ(End(Audio + tags), Audio.size()) << what;
    }
}

// Each behind an ID3v1 tag, as the mixer would have read that first.
TEST(EndTags, ADamagedTagLeavesNothing) {
    for (const auto& [what, tag] : {
             std::tuple{"APE larger than the stream", Ape(2000, true, 1000)},
             {"APE as large as the stream", Ape(1000, false, Audio.size() + 51)},
             {"APE smaller than its footer", Ape(1000, false, 31)},
             {"APE of a negative size", Ape(1000, false, -40)},
             {"Lyrics3 2 without its begin mark", Lyrics3v2("").substr(1)},
             {"Lyrics3 2 without digits", Lyrics3v2("", "length")},
             {"Lyrics3 2 longer than the stream", Lyrics3v2("", "999999")},
             {"Lyrics3 1 without its begin mark", "LAME3LYRICSEND"s},
             {"Lyrics3 1 begun out of reach", Lyrics3v1(std::string(5121 - 20, 'l'))},
             {"MusicMatch with the wrong image size", MusicMatch{.imageSize = 4}()},
             {"MusicMatch with its offsets the wrong way round",
              MusicMatch{.versionOffset = 900}()},
             {"MusicMatch with something before its version section",
              MusicMatch{.unused = "used"}()},
             {"MusicMatch of an unknown format", MusicMatch{.data = 8000}()},
         }) {
        EXPECT_EQ(End(Audio + tag + Id3v1()), Damaged) << what;
    }
}

} // namespace
