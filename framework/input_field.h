#pragma once

// The text-input window's edit field (InputWindowProc's OK reads it by this identifier) and the
// most UTF-16 code units OK copies from it. Plain values, so window-free code can name the field.
constexpr int INPUT_TEXT_FIELD_ID = 101;
constexpr int INPUT_TEXT_LIMIT = 2048;
