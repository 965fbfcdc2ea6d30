#pragma once

#include "data/NameHash.h"

#include <cstdint>

namespace Qel {

/// Text of a type-name record that was never assigned.
inline constexpr const char* kUnassignedTypeName = "INVALID";

/// The type-name query over a record: `name`, or null while the record still holds the
/// unassigned text with a zero hash.
const char* typeNameOf(const char* name, uint64_t hash);

/// The PCH rule over a record: writes `hash`; true when it is non-zero, else true for an empty
/// name and for any name other than the unassigned text.
bool typeNamePCH(const char* name, uint64_t hash, uint64_t& out);

/// A PCH function: writes the 64-bit addressee key of a system or manager, false when it has none.
using PCHFunction = bool (*)(uint64_t& out);

/// One static name record per component, system and manager type. Maps keyed by type compare
/// the `name` pointer, not its text, so assign each record once, before any registration.
template <class T> struct TypeName {
    static inline const char* name = kUnassignedTypeName;
    static inline uint64_t hash = 0;

    /// `text` must outlive the program (a string literal). Sets `hash` to its name hash.
    static void assign(const char* text) {
        name = text;
        hash = text ? hashName(text) : 0;
    }

    /// The type's name, or null when the record was never assigned.
    static const char* get() { return typeNameOf(name, hash); }

    /// The PCH function of T: its messaging key is the hash of its name.
    static bool pch(uint64_t& out) { return typeNamePCH(name, hash, out); }
};

} // namespace Qel
