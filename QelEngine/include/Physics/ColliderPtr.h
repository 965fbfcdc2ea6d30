#pragma once

#include "Physics/Collider2D.h"

#include <memory>
#include <string>

namespace Qel {

/// Component: the entity's collider shape, owned on the heap. A copy gets its own clone of the
/// shape (same geometry and trigger flag, fresh contact state, no callbacks).
struct ColliderPtr {
    ColliderPtr() = default;
    ColliderPtr(std::unique_ptr<Collider2D> shape, std::string typeName);
    ColliderPtr(const ColliderPtr& other);
    ColliderPtr& operator=(const ColliderPtr& other);
    ColliderPtr(ColliderPtr&&) noexcept = default;
    ColliderPtr& operator=(ColliderPtr&&) noexcept = default;
    ~ColliderPtr() = default;

    std::unique_ptr<Collider2D> collider;
    std::string type; ///< the shape name as written in the file
};

} // namespace Qel
