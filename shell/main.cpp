// Entry point of the editor. The main window comes with the application shell; until then the
// program says so and exits.
#include <cstdio>

int main()
{
    std::puts("The editor's main window is not available yet in this build.");
    return 0;
}
