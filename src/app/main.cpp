// The game. It takes no command line: settings come from zenit.ini and the
// settings dialog.
#include "app/program.h"

int main() { return Main(); }
