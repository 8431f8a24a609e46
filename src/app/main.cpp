// The game. It takes no command line: settings come from zenit.ini and the
// settings dialog.
#include <cstdio>

int main() {
    std::puts("zenit: the game is not yet playable; the engine is being built.");
    return 0;
}
