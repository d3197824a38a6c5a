#pragma once

class wxMenu;

// Shows the key names of the program's menus as its menu table writes them ("Enter", "Del")
// where the toolkit would print its own ("Return", "Delete"). Goes through `menu` and its
// submenus; the keys themselves work as before.
void ShowMenuKeyNames(wxMenu* menu);
