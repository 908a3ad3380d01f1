// GMime ownership helpers shared by the provider's sources.
#pragma once

#include "boundary/gmime_runtime.h"

#include <gmime/gmime.h>

#include <memory>

namespace telvorin::mapi {

struct GObjectUnref {
    void operator()(gpointer object) const { g_object_unref(object); }
};
// A GObject of ours; the pointer is released with g_object_unref.
template <typename T>
using GPtr = std::unique_ptr<T, GObjectUnref>;

struct GFree {
    void operator()(gpointer memory) const { g_free(memory); }
};
using GStringPtr = std::unique_ptr<char, GFree>;

}  // namespace telvorin::mapi
