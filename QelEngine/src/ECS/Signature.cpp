#include "ECS/Signature.h"

#include <stdexcept>

namespace Qel {

namespace {

void checkPosition(size_t position) {
    if (position >= MAX_COMPONENTS) throw std::out_of_range("invalid bitset position");
}

} // namespace

Signature& Signature::set(size_t position, bool value) {
    checkPosition(position);
    const uint32_t mask = uint32_t{1} << position;
    bits = value ? (bits | mask) : (bits & ~mask);
    return *this;
}

bool Signature::test(size_t position) const {
    checkPosition(position);
    return (bits >> position) & 1u;
}

} // namespace Qel
