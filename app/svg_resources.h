#pragma once

// The SVG pictures of res/icons/, compiled into the binary (generated at build time).

#include <cstddef>

struct CSvgResource {
    const char* name; // file name without ".svg"
    const char* data; // the SVG document
};

extern const CSvgResource kSvgResources[];
extern const size_t kSvgResourceCount;
