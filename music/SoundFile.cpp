#include "music/SoundFile.hpp"

#include "music/EndTags.hpp"

#include <algorithm>
#include <array>
#include <cstddef>
#include <limits>
#include <string_view>

namespace Music {
namespace {

// How far past its ID3v2 tags an MP3 file's first frame is looked for.
constexpr std::size_t PaddingLimit = 64 * 1024;

std::uint32_t Little32(const Bytes& bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8U |
           static_cast<std::uint32_t>(bytes[at + 2]) << 16U |
           static_cast<std::uint32_t>(bytes[at + 3]) << 24U;
}

void PutLittle32(Bytes& bytes, std::size_t at, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) {
        bytes[at + i] = static_cast<std::uint8_t>(value >> (8U * i));
    }
}

bool StartsWith(const Bytes& bytes, std::size_t at, std::string_view text) {
    return bytes.size() >= at + text.size() &&
           std::equal(text.begin(), text.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at),
                      [](char c, std::uint8_t b) { return static_cast<std::uint8_t>(c) == b; });
}

bool IsWav(const Bytes& bytes) {
    return StartsWith(bytes, 0, "RIFF") && StartsWith(bytes, 8, "WAVE");
}

// What an MPEG audio frame header says, as far as finding the next frame needs.
struct MpegFrame {
    unsigned version = 0; // 0 MPEG 2.5, 2 MPEG 2, 3 MPEG 1
    unsigned layer = 0;   // 1 layer III, 2 layer II, 3 layer I
    unsigned bitrate = 0;
    unsigned rate = 0;
    unsigned padding = 0;

    bool SameStream(const MpegFrame& other) const {
        return version == other.version && layer == other.layer && rate == other.rate;
    }
};

// The frame header at `at`: sync bits, a known version and layer, a bit rate other than "free"
// or "bad" and a known sampling rate.
std::optional<MpegFrame> MpegFrameAt(const Bytes& bytes, std::size_t at) {
    if (bytes.size() < 4 || at > bytes.size() - 4 || bytes[at] != 0xFF ||
        (bytes[at + 1] & 0xE0U) != 0xE0U) {
        return std::nullopt;
    }
    const unsigned second = bytes[at + 1];
    const unsigned third = bytes[at + 2];
    const MpegFrame frame{.version = (second >> 3U) & 3U,
                          .layer = (second >> 1U) & 3U,
                          .bitrate = third >> 4U,
                          .rate = (third >> 2U) & 3U,
                          .padding = (third >> 1U) & 1U};
    if (frame.version == 1 || frame.layer == 0 || frame.bitrate == 0 || frame.bitrate == 15 ||
        frame.rate == 3) {
        return std::nullopt;
    }
    return frame;
}

// The length of a frame in bytes, header included.
std::size_t FrameLength(const MpegFrame& frame) {
    // Kilobits a second by layer I, II, III; MPEG 1 first, then MPEG 2 and 2.5.
    constexpr std::array<std::array<std::array<unsigned, 15>, 3>, 2> Bitrates{{
        {{{0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448},
          {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384},
          {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320}}},
        {{{0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256},
          {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160},
          {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160}}},
    }};
    constexpr std::array<std::array<unsigned, 3>, 4> Rates{
        {{11025, 12000, 8000}, {}, {22050, 24000, 16000}, {44100, 48000, 32000}}};
    const bool mpeg1 = frame.version == 3;
    const unsigned layer = 4 - frame.layer;
    const std::size_t bitsPerSecond = 1000U * Bitrates[mpeg1 ? 0 : 1][layer - 1][frame.bitrate];
    const std::size_t rate = Rates[frame.version][frame.rate];
    if (layer == 1) {
        return (12 * bitsPerSecond / rate + frame.padding) * 4; // in slots of four bytes
    }
    const std::size_t samples = layer == 3 && !mpeg1 ? 576 : 1152;
    return samples / 8 * bitsPerSecond / rate + frame.padding;
}

// A frame header at `at` with another of the same stream right after it: padding and junk
// can hold a sync pattern, but hardly two a frame apart.
bool ConfirmedFrameAt(const Bytes& bytes, std::size_t at) {
    const std::optional<MpegFrame> frame = MpegFrameAt(bytes, at);
    if (!frame) {
        return false;
    }
    const std::optional<MpegFrame> next = MpegFrameAt(bytes, at + FrameLength(*frame));
    return next && next->SameStream(*frame);
}

// Where the audio starts: at once, or else the first confirmed frame before `searchEnd`.
std::optional<std::size_t> FirstFrame(const Bytes& bytes, std::size_t searchEnd) {
    if (MpegFrameAt(bytes, 0)) {
        return 0;
    }
    for (std::size_t at = 1; at < std::min(searchEnd, bytes.size()); ++at) {
        if (ConfirmedFrameAt(bytes, at)) {
            return at;
        }
    }
    return std::nullopt;
}

// The length of the ID3v2 tag at the start, header and footer included; 0 without one.
std::size_t Id3v2Length(const Bytes& bytes) {
    constexpr std::size_t HeaderSize = 10;
    if (!StartsWith(bytes, 0, "ID3") || bytes.size() < HeaderSize) {
        return 0;
    }
    std::size_t length = 0;
    for (std::size_t i = 6; i < HeaderSize; ++i) {
        length = length << 7U | (bytes[i] & 0x7FU); // "synchsafe": seven bits a byte
    }
    const bool footer = (bytes[5] & 0x10U) != 0;
    return HeaderSize + length + (footer ? HeaderSize : 0);
}

// SDL allocates each WAV chunk at the length its header declares, gigabytes for a file of a
// few bytes. A length that runs past the end of the file is cut to what the file holds: all
// that the decoder could read of it anyway.
void CutChunksToFile(Bytes& bytes) {
    constexpr std::size_t HeaderSize = 8;
    std::size_t at = 12; // after "RIFF", its size and "WAVE"
    while (at + HeaderSize <= bytes.size()) {
        const std::size_t left = bytes.size() - at - HeaderSize;
        const std::uint32_t length = Little32(bytes, at + 4);
        if (length > left) {
            PutLittle32(bytes, at + 4, static_cast<std::uint32_t>(left));
            return;
        }
        at += HeaderSize + length + (length & 1U);
    }
}

} // namespace

std::optional<Bytes> Decodable(Bytes bytes) {
    if (bytes.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
        return std::nullopt;
    }
    if (IsWav(bytes)) {
        CutChunksToFile(bytes);
        return bytes;
    }
    const bool tagged = Id3v2Length(bytes) > 0;
    for (std::size_t tag = Id3v2Length(bytes); tag > 0; tag = Id3v2Length(bytes)) {
        if (tag >= bytes.size()) {
            return std::nullopt;
        }
        bytes.erase(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(tag));
    }
    // Taggers leave padding between the tag and the audio, which players (and the mixer) skip.
    // Without a tag the audio must start at once: the mixer recognises MP3 by its first bytes.
    const std::optional<std::size_t> audio = FirstFrame(bytes, tagged ? PaddingLimit : 0);
    if (!audio) {
        return std::nullopt;
    }
    bytes.erase(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(*audio));
    const std::optional<std::size_t> end = EndOfAudio(bytes);
    if (!end) {
        return std::nullopt;
    }
    bytes.resize(*end);
    return bytes;
}

} // namespace Music
