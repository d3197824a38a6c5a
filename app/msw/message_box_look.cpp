#include "app/message_box_look.h"

// Windows' message boxes show the icon they are asked for and are as wide as their title needs.

void InstallMessageBoxLook() {}
