#pragma once

// The SVG pictures of res/icons/, compiled into the binary (generated at build time).

#include <cstddef>

struct SvgResource {
    const char* name; // file name without ".svg"
    const char* data; // the SVG document
};

extern const SvgResource kSvgResources[];
extern const size_t kSvgResourceCount;
