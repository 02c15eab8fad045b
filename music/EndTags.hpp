#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace Music {

// Where an MPEG audio stream ends without the tags behind it: ID3v1, APE, Lyrics3 and
// MusicMatch, in any order and number, each recognised and measured as SDL2_mixer 2.6 does.
// Nothing when a tag there declares a length the stream cannot hold.
//
// The mixer keeps the text of every ID3v1 and APE tag it reads, and when a tag it reads after
// them is damaged it drops the file without freeing that text. A stream cut here leaves it no
// tag to read; one that cannot be cut is a file the mixer would refuse anyway.
std::optional<std::size_t> EndOfAudio(std::span<const std::uint8_t> stream);

} // namespace Music
