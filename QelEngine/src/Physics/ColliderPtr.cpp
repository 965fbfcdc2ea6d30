#include "Physics/ColliderPtr.h"

#include <utility>

namespace Qel {

namespace {
std::unique_ptr<Collider2D> cloneWithTrigger(const std::unique_ptr<Collider2D>& source) {
    if (!source) return nullptr;
    std::unique_ptr<Collider2D> copy = source->clone();
    copy->isTrigger = source->isTrigger;
    return copy;
}
} // namespace

ColliderPtr::ColliderPtr(std::unique_ptr<Collider2D> shape, std::string typeName)
    : collider(std::move(shape)), type(std::move(typeName)) {}

ColliderPtr::ColliderPtr(const ColliderPtr& other)
    : collider(cloneWithTrigger(other.collider)), type(other.type) {}

ColliderPtr& ColliderPtr::operator=(const ColliderPtr& other) {
    if (this != &other) {
        collider = cloneWithTrigger(other.collider);
        type = other.type;
    }
    return *this;
}

} // namespace Qel
