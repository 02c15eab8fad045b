#pragma once

#include <cstdint>
#include <optional>
#include <vector>

// The checks a sound file's bytes pass before the mixer sees them: the mixer trusts the lengths
// a file declares, and sizes its buffers by them.
namespace Music {

using Bytes = std::vector<std::uint8_t>;

// What the mixer is given of a file: a WAV file with its chunks cut to the file, or an MPEG
// audio stream from its first frame to the tags behind it, without the ID3v2 tags in front of
// it (the mixer allocates whatever length a tag's frames declare, and loses the text of tags
// it read before a damaged one; a sound needs no tags). Nothing else: the mixer would hand it
// to some decoder of its own (its module player takes whatever it cannot name), with no bound
// on what comes out.
std::optional<Bytes> Decodable(Bytes bytes);

} // namespace Music
