#include "music/EndTags.hpp"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <string>
#include <string_view>

namespace Music {
namespace {

using Stream = std::span<const std::uint8_t>;
// The length of the tag that ends a stream: 0 when there is none, nothing when its length is
// damaged.
using TagLength = std::optional<std::size_t>;

bool Holds(Stream stream, std::size_t at, std::string_view text) {
    return stream.size() >= at + text.size() &&
           std::equal(text.begin(), text.end(), stream.begin() + static_cast<std::ptrdiff_t>(at),
                      [](char c, std::uint8_t b) { return static_cast<std::uint8_t>(c) == b; });
}

bool All(Stream stream, std::size_t from, std::size_t to, std::uint8_t byte) {
    return std::all_of(stream.begin() + static_cast<std::ptrdiff_t>(from),
                       stream.begin() + static_cast<std::ptrdiff_t>(to),
                       [byte](std::uint8_t b) { return b == byte; });
}

// Signed, as the mixer reads every length and offset of these tags.
std::int64_t Little32(Stream stream, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 4; i-- > 0;) {
        value = value << 8U | stream[at + i];
    }
    return static_cast<std::int32_t>(value);
}

// A length that holds at least the tag's own `least` bytes and leaves some of the stream: the
// mixer refuses a tag that takes it all.
TagLength Fits(std::int64_t length, std::int64_t least, Stream stream) {
    if (length < least || length >= static_cast<std::int64_t>(stream.size())) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(length);
}

TagLength Id3v1(Stream stream) {
    constexpr std::size_t Size = 128;
    return stream.size() >= Size && Holds(stream, stream.size() - Size, "TAG") ? Size : 0;
}

// The footer's size counts the items and the footer; in version 2 a header, flagged in the top
// bit, comes on top.
TagLength Ape(Stream stream) {
    constexpr std::size_t Footer = 32;
    if (stream.size() < Footer) {
        return 0;
    }
    const std::size_t at = stream.size() - Footer;
    const std::int64_t version = Little32(stream, at + 8);
    if (!Holds(stream, at, "APETAGEX") || (version != 1000 && version != 2000) ||
        !All(stream, at + 24, at + Footer, 0)) {
        return 0;
    }
    const bool header = version == 2000 && Little32(stream, at + 20) < 0;
    return Fits(Little32(stream, at + 12) + (header ? Footer : 0), Footer, stream);
}

constexpr std::size_t LyricsEnd = 15; // six digits of length and the end mark

// Version 2 gives its length without the last 15 bytes in six digits, which the mixer reads
// with strtol: spaces and a sign pass.
TagLength Lyrics3v2(Stream stream) {
    const auto digits = stream.last(LyricsEnd).first(6);
    const std::string text(digits.begin(), digits.end());
    const TagLength length = Fits(std::strtol(text.c_str(), nullptr, 10) + 15, 15, stream);
    if (!length || !Holds(stream, stream.size() - *length, "LYRICSBEGIN")) {
        return std::nullopt;
    }
    return length;
}

// Version 1 has no length: it starts at the first begin mark of the last 5120 bytes.
TagLength Lyrics3v1(Stream stream) {
    constexpr std::string_view Begin = "LYRICSBEGIN";
    constexpr std::size_t Window = 5120;
    constexpr std::size_t EndMark = 9;
    if (stream.size() < Begin.size() + EndMark) {
        return std::nullopt;
    }
    const auto first = stream.end() - static_cast<std::ptrdiff_t>(std::min(Window, stream.size()));
    const auto begin =
        std::search(first, stream.end() - EndMark, Begin.begin(), Begin.end(),
                    [](std::uint8_t b, char c) { return b == static_cast<std::uint8_t>(c); });
    if (begin == stream.end() - EndMark) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(stream.end() - begin);
}

TagLength Lyrics3(Stream stream) {
    if (stream.size() < LyricsEnd) {
        return 0;
    }
    const std::size_t mark = stream.size() - LyricsEnd + 6;
    if (Holds(stream, mark, "LYRICS200")) {
        return Lyrics3v2(stream);
    }
    return Holds(stream, mark, "LYRICSEND") ? Lyrics3v1(stream) : 0;
}

// A MusicMatch tag, back to front: a 48-byte footer, 20 bytes of section offsets, a data
// section whose size depends on the format's version, a 256-byte version section, four zero
// bytes, the image section and an optional 256-byte header. The sizes are worked out as
// id3lib describes the format, which is how the mixer works them out.
constexpr std::size_t MusicMatchFooter = 48;
constexpr std::size_t MusicMatchSection = 256;
constexpr std::size_t MusicMatchBehindData = MusicMatchFooter + 20 + MusicMatchSection;

bool IsMusicMatchFooter(Stream stream) {
    const std::size_t at = stream.size() - MusicMatchFooter;
    const auto digit = [&](std::size_t i) {
        return stream[at + i] >= '0' && stream[at + i] <= '9';
    };
    return Holds(stream, at, "Brava Software Inc.             ") && digit(32) &&
           stream[at + 33] == '.' && digit(34) && digit(35) &&
           All(stream, at + 36, stream.size(), ' ');
}

// The version section and the header: a sync string and spaces.
bool IsMusicMatchSection(Stream stream, std::size_t at) {
    using namespace std::string_view_literals;
    return Holds(stream, at, "18273645\0\0"sv) && All(stream, at + 30, at + MusicMatchSection, ' ');
}

// The length from the version section on.
TagLength MusicMatchVersion(Stream stream) {
    for (const std::size_t data : {7868U, 7936U, 8004U, 8132U}) {
        const std::size_t length = data + MusicMatchBehindData;
        if (stream.size() < length) {
            return std::nullopt;
        }
        if (IsMusicMatchSection(stream, stream.size() - length)) {
            return length;
        }
    }
    return std::nullopt;
}

TagLength MusicMatchLength(Stream stream) {
    const std::size_t offsets = stream.size() - MusicMatchFooter - 20;
    const std::int64_t image = Little32(stream, offsets);
    const std::int64_t version = Little32(stream, offsets + 12);
    if (version <= image || image <= 0) {
        return std::nullopt;
    }
    const TagLength fromVersion = MusicMatchVersion(stream);
    if (!fromVersion || stream.size() < *fromVersion + 4 ||
        !All(stream, stream.size() - *fromVersion - 4, stream.size() - *fromVersion, 0)) {
        return std::nullopt;
    }
    // The image section: its extension and its size, which must fill the space the offsets
    // leave it.
    const std::size_t length = *fromVersion + static_cast<std::size_t>(version - image);
    if (stream.size() < length) {
        return std::nullopt;
    }
    const std::int64_t imageSize = Little32(stream, stream.size() - length + 4);
    if (imageSize < 0 || imageSize + 12 != version - image) {
        return std::nullopt;
    }
    if (stream.size() >= length + MusicMatchSection &&
        IsMusicMatchSection(stream, stream.size() - length - MusicMatchSection)) {
        return length + MusicMatchSection;
    }
    return length;
}

TagLength MusicMatch(Stream stream) {
    if (stream.size() < MusicMatchFooter + 20 || !IsMusicMatchFooter(stream)) {
        return 0;
    }
    const TagLength length = MusicMatchLength(stream);
    return length ? Fits(static_cast<std::int64_t>(*length), 1, stream) : std::nullopt;
}

} // namespace

std::optional<std::size_t> EndOfAudio(std::span<const std::uint8_t> stream) {
    constexpr std::array<TagLength (*)(Stream), 4> Tags{Id3v1, Ape, Lyrics3, MusicMatch};
    std::size_t end = stream.size();
    for (std::size_t cut = 1; cut > 0;) {
        cut = 0;
        for (const auto tag : Tags) {
            const TagLength length = tag(stream.first(end));
            if (!length) {
                return std::nullopt;
            }
            end -= *length;
            cut += *length;
        }
    }
    return end;
}

} // namespace Music
