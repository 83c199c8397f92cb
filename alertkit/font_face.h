#pragma once

namespace alertkit {

// Whether an installed family's face name is the requested one: case-insensitive, on the
// first 31 characters (the platform's face-name limit).
bool FaceNamesMatch(const wchar_t* familyFace, const wchar_t* requestedFace);

// The requested face if a display font family has it, else the fallback face.
const wchar_t* CheckedFaceName(const wchar_t* requestedFace);

// Width in pixels of the widest of the text's lines drawn in `face` at `points` (8 when 0).
int WidestLineWidth(const wchar_t* text, const wchar_t* face, int points);

}  // namespace alertkit
