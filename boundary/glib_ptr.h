// The one owner of what GLib and GMime hand out: a GObject reference, a string to g_free, a byte array reference.
#pragma once

#include <glib-object.h>

#include <memory>

namespace telvorin::boundary {

struct GObjectUnref {
    void operator()(gpointer object) const { g_object_unref(object); }
};
// Holds one reference to a GObject (GMime's objects among them) and drops it
// when destroyed; constructed from a call that returns a new reference.
template <typename T>
using GObjectPtr = std::unique_ptr<T, GObjectUnref>;

struct GFree {
    void operator()(gpointer memory) const { g_free(memory); }
};
// A string that GLib allocated and the caller frees.
using GText = std::unique_ptr<char, GFree>;

// The deleter for a GByteArray held in a std::shared_ptr: drops one reference.
struct GByteArrayUnref {
    void operator()(GByteArray* array) const { g_byte_array_unref(array); }
};

}  // namespace telvorin::boundary
