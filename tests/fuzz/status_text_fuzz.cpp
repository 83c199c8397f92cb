// Any FBWINCompiler32 value gives the two labels around two pieces of the value, never longer
// than the status bar's buffer allows.
#include <stddef.h>
#include <stdint.h>

#include <cstdlib>
#include <string>

#include "app/status_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string value(reinterpret_cast<const char*>(data), size);
    const Text8 status = StatusTextFromCompilerPath(value);
    const std::string text(status.c_str(), status.size());
    const std::string head = " fbc ";
    if (text.compare(0, head.size(), head) != 0 || text.find(" / gcc ") == std::string::npos ||
        text.size() > head.size() + 7 + 2 * value.size()) {
        std::abort();
    }
    return 0;
}
