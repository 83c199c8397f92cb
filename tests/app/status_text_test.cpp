#include "app/status_text.h"

#include <gtest/gtest.h>

TEST(StatusText, VersionsFromTheCompilerFolderName) {
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\WinFBE\\Toolchains\\FreeBASIC-1.10.1-winlibs-gcc-9.3.0\\fbc32.exe",
         " fbc 1.10.1 / gcc 9.3.0"},
        {"", " fbc  / gcc "},
        {"C:\\WinFBE\\fbc32.exe", " fbc C:\\WinFBE\\fbc32.exe / gcc C:"},
        {"fbc32", " fbc fbc32 / gcc fbc32"},
        {"-", " fbc  / gcc "},
        {"\\", " fbc \\ / gcc "},
        {"C:\\Tools\\FB-1.2-3.4", " fbc 1.2 / gcc 3.4"},
        {"C:\\FB-1.2\\bin\\fbc.exe", " fbc 1.2\\bin\\fbc.exe / gcc 1.2"},
        {"FB-1.2-x-3.4\\", " fbc 1.2 / gcc 3.4"},
        {"FB--x", " fbc  / gcc x"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.first);
        EXPECT_EQ(c.second, StatusTextFromCompilerPath(c.first));
    }
}
