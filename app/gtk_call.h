#pragma once

// The GTK library is loaded by the toolkit: its calls are looked up in the running program, so
// the build needs no GTK headers of its own.

#include <dlfcn.h>

template <class F>
F GtkCall(const char* name)
{
    static void* self = dlopen(nullptr, RTLD_LAZY);
    return self ? reinterpret_cast<F>(dlsym(self, name)) : nullptr;
}
