#pragma once
#include <string>
#include <vector>

namespace alertkit {

// Whether an installed family's face name is the requested one: case-insensitive, on the
// first 31 characters (the platform's face-name limit).
bool FaceNamesMatch(const wchar_t* familyFace, const wchar_t* requestedFace);

// The requested face if a display font family has it, else the fallback face.
std::wstring CheckedFaceName(const std::wstring& requestedFace);

// Width in pixels of the widest line drawn in `face` at `points` (8 when 0).
int WidestLineWidth(const std::vector<std::wstring>& lines, const std::wstring& face, int points);

}  // namespace alertkit
