#pragma once

// Writes a Movie, the engine's own plain data, as an SWF file: the mirror of
// SwfReader.h. The caller keeps the movie; the result is the whole file. What
// a file cannot hold (a coordinate past the field widths, more than 255
// glyphs in a run, a tag newer than the file's version) throws WriteError
// naming the character or frame, so a bad movie never turns into a file the
// reader would refuse.
//
// Definitions go first, in character id order (an id must come after what it
// refers to), then the main timeline frame by frame.

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/movie/SwfBitWriter.h"
#include "runtime/movie/SwfTypes.h"

namespace yelvanis::swf {

struct WriteOptions {
    uint8_t version = 8;
    bool compress = true; // zlib body (CWS)
};

std::vector<uint8_t> writeMovie(const Movie& movie, const WriteOptions& options = {});

// The tag writeMovie picks for a character or a display-list entry: the
// oldest that holds everything it carries.
uint16_t definitionTagFor(const Character& c);
uint16_t controlTagFor(const ControlTag& t);

// One whole tag of the given code, header included, or WriteError when the
// data does not fit that tag. References to other characters are not checked.
void writeDefinitionTag(BitWriter& out, uint16_t code, uint16_t id, const Character& c);
void writeControlTag(BitWriter& out, uint16_t code, const ControlTag& t);
void writeFrameLabel(BitWriter& out, const std::string& label);

} // namespace yelvanis::swf
