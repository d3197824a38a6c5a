#pragma once

// Message boxes as the program draws them: the exclamation icon where a box asks for one (the
// toolkit's own boxes no longer show it) and a width that leaves the whole title readable in
// the window manager's title bar. Installed once, before the first box.
void InstallMessageBoxLook();
