#pragma once

class wxWindow;

// Makes the toolbar's buttons as compact as the program's 16-pixel pictures need, so that all
// fifteen fit in the default 500-pixel-wide window. Does nothing when the toolkit offers no
// way to do it.
void ApplyCompactToolbarStyle();

// How much larger than at the standard 96 dots per inch the desktop draws text for `window`:
// 1.5 where the user scales text by half as much again, 1 at the standard size.
double TextScale(const wxWindow& window);
