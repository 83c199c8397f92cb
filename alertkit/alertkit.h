#pragma once
#include <stdint.h>

// The message box of the whole system. Every argument is passed by reference; numbers are
// signed 32-bit values, texts NUL-terminated UTF-16. Returns the pressed button's result.
#ifdef __cplusplus
extern "C" {
#endif

#ifdef ALERTKIT_BUILDING
#define ALERTKIT_API __declspec(dllexport)
#else
#define ALERTKIT_API __declspec(dllimport)
#endif

ALERTKIT_API int32_t __stdcall ALERTKIT(const int32_t* ownerWindow,
                                        const wchar_t* text,
                                        const wchar_t* caption,
                                        const int32_t* style,
                                        const int32_t* timeoutSeconds,
                                        const wchar_t* fontName,
                                        const int32_t* fontSize,
                                        const int32_t* textColor,
                                        const int32_t* backColor);

#ifdef __cplusplus
}
#endif
