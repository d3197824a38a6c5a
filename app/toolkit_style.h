#pragma once

// Makes the toolbar's buttons as compact as the program's 16-pixel pictures need, so that all
// fifteen fit in the default 500-pixel-wide window. Does nothing when the toolkit offers no
// way to do it.
void ApplyCompactToolbarStyle();
