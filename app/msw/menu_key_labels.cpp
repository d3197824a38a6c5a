#include "app/menu_key_labels.h"

// Windows' menus print the key names as the menu table writes them.

void ShowMenuKeyNames(wxMenu*) {}
