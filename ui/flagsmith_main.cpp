#include <windows.h>

#include <cstdlib>

#include "ui/startup.h"

#if defined(__GLIBCXX__)
// GCC's runtime reports an unhandled exception on a console that a windowed program does not
// have, and its reporting handler brings the runtime's demangler and formatted printing along,
// a quarter of the program's size. No exception gets that far (wWinMain and the window
// procedure catch everything), so the statically linked runtime takes this one instead.
namespace __gnu_cxx {
void __verbose_terminate_handler() {
    std::abort();
}
}  // namespace __gnu_cxx
#endif

// The runtime has set the user's locale and made the main window object by now (static
// objects of ui/startup.cpp); they are destroyed after this returns.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
    try {
        // Always shown normally, whatever the launcher's shortcut asked for.
        return RunIfFirstInstance(GetModuleHandleW(nullptr), nullptr, commandLine, SW_SHOWNORMAL);
    } catch (...) {
        // An exception leaving here would end the process through the runtime's abort notice
        // with exit code 3; the program ends with 0 in every case.
        return 0;
    }
}
