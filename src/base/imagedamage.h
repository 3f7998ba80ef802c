#pragma once

class QIODevice;

namespace tarvello {

// What is wrong inside a JPEG or PNG file whose picture may still decode, in part or whole:
// decoders fill a cut-off JPEG with grey and say so only in a warning.
enum class ImageDamage {
    None,      // whole, or a format this does not look into
    Truncated, // the file ends before its end marker
    Corrupt,   // its structure or a checksum is wrong
};

// Reads the JPEG or PNG in `device` through to its end marker, checking its structure (and a
// PNG's checksums), without decoding a pixel; other content is not judged. Memory stays small
// whatever the file's size. The device is left where it was.
ImageDamage imageDamage(QIODevice &device);

} // namespace tarvello
