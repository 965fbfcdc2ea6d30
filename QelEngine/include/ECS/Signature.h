#pragma once

#include <cstddef>
#include <cstdint>

namespace Qel {

/// Registration index of a component type; doubles as its signature bit.
using ComponentType = uint8_t;

/// A signature has one bit per component type, so at most this many types can be registered.
constexpr ComponentType MAX_COMPONENTS = 32;

/// Set of component types: bit t is set when the entity has the component of type t.
class Signature {
public:
    constexpr Signature() = default;
    constexpr explicit Signature(uint32_t bits) : bits(bits) {}

    /// Throws std::out_of_range("invalid bitset position") for a position of 32 or more.
    Signature& set(size_t position, bool value = true);
    Signature& reset(size_t position) { return set(position, false); }
    /// Throws like set() for a position of 32 or more.
    bool test(size_t position) const;

    bool none() const { return bits == 0; }
    /// True when every bit of `required` is also set here (an empty `required` always matches).
    bool contains(Signature required) const { return (bits & required.bits) == required.bits; }
    uint32_t value() const { return bits; }

    Signature& operator|=(Signature other) {
        bits |= other.bits;
        return *this;
    }
    friend bool operator==(Signature, Signature) = default;

private:
    uint32_t bits = 0;
};

} // namespace Qel
