#include "Physics/ContactTest.h"

#include "Physics/Circle.h"
#include "Physics/OBB.h"
#include "Physics/Rect2D.h"

#include <glm/common.hpp>
#include <glm/geometric.hpp>

#include <array>
#include <cfloat>
#include <cmath>
#include <limits>
#include <utility>

namespace Qel {

namespace {

using Corners = std::array<glm::vec2, 4>;

bool finite(const glm::vec2& v) {
    return std::isfinite(v.x) && std::isfinite(v.y);
}

// NaN or infinite geometry would otherwise slip through every comparison and hand the solver a
// NaN or infinite push.
bool usable(const Rect2D& box) {
    return finite(box.position) && finite(box.min) && finite(box.max);
}
bool usable(const OBB& box) {
    return finite(box.position) && finite(box.halfExtents) && finite(box.axisX) && finite(box.axisY);
}
bool usable(const Circle& disc) {
    return finite(disc.position) && std::isfinite(disc.radius);
}

std::pair<float, float> project(const Corners& corners, const glm::vec2& axis) {
    float low = std::numeric_limits<float>::infinity();
    float high = -low;
    for (const glm::vec2& corner : corners) {
        const float d = glm::dot(corner, axis);
        low = std::min(low, d);
        high = std::max(high, d);
    }
    return {low, high};
}

// Shared by the oriented tests once their bounding boxes overlap: the smallest overlap over the
// axes wins, earlier axes win ties.
ContactResult separatingAxes(const Corners& cornersA, const Corners& cornersB, const Corners& axes,
                             const glm::vec2& centreA, const glm::vec2& centreB) {
    ContactResult result;
    float best = std::numeric_limits<float>::infinity();
    for (const glm::vec2& axis : axes) {
        const auto [minA, maxA] = project(cornersA, axis);
        const auto [minB, maxB] = project(cornersB, axis);
        const float overlap =
            (minA > maxB || minB > maxA) ? 0.0f : std::min(maxA, maxB) - std::max(minA, minB);
        if (std::abs(overlap) < FLT_EPSILON) return ContactResult{};
        if (overlap < best) {
            best = overlap;
            result.normal = axis;
        }
    }
    result.penetration = glm::dot(centreA - centreB, result.normal) < 0.0f ? -best : best;
    result.colliding = true;
    return result;
}

// A disc against the box [low, high] in the box's own frame; the normal points from the box
// towards the disc.
ContactResult discAgainstBox(const glm::vec2& centre, float radius, const glm::vec2& low,
                             const glm::vec2& high) {
    ContactResult result;
    const glm::vec2 away = centre - glm::clamp(centre, low, high);
    const float distanceSq = glm::dot(away, away);
    if (distanceSq > 0.0f) {
        if (distanceSq > radius * radius) return result;
        const float distance = std::sqrt(distanceSq);
        result.normal = away / distance;
        result.penetration = radius - distance;
    } else {
        // The centre is inside: push out through the nearest face, y before x as box-box does.
        const std::array<std::pair<glm::vec2, float>, 4> faces{{{{0.0f, 1.0f}, high.y - centre.y},
                                                                {{0.0f, -1.0f}, centre.y - low.y},
                                                                {{1.0f, 0.0f}, high.x - centre.x},
                                                                {{-1.0f, 0.0f}, centre.x - low.x}}};
        std::pair<glm::vec2, float> nearest = faces[0];
        for (const auto& face : faces) {
            if (face.second < nearest.second) nearest = face;
        }
        result.normal = nearest.first;
        result.penetration = radius + nearest.second;
    }
    result.colliding = true;
    return result;
}

template <class A, class B, ContactResult (*Test)(const B&, const A&)>
ContactResult mirrored(const A& a, const B& b) {
    ContactResult result = Test(b, a);
    if (result.colliding) result.penetration = -result.penetration;
    return result;
}

template <class A, class B, ContactResult (*Test)(const A&, const B&)>
ContactResult dispatch(const Collider2D& a, const Collider2D& b) {
    return Test(static_cast<const A&>(a), static_cast<const B&>(b));
}

} // namespace

bool areApart(const Rect2D& a, const Rect2D& b) {
    return a.min.x > b.max.x || b.min.x > a.max.x || a.min.y > b.max.y || b.min.y > a.max.y;
}

ContactResult testBoxBox(const Rect2D& a, const Rect2D& b) {
    ContactResult result;
    if (!usable(a) || !usable(b) || areApart(a, b)) return result;
    const float ox = std::min(a.max.x, b.max.x) - std::max(a.min.x, b.min.x);
    const float oy = std::min(a.max.y, b.max.y) - std::max(a.min.y, b.min.y);
    if (std::abs(oy) <= std::abs(ox)) {
        result.normal = {0.0f, 1.0f};
        result.penetration = oy;
    } else {
        result.normal = {1.0f, 0.0f};
        result.penetration = ox;
    }
    if (glm::dot(a.min - b.min, result.normal) < 0.0f) result.penetration = -result.penetration;
    result.colliding = true;
    return result;
}

ContactResult testOrientedOriented(const OBB& a, const OBB& b) {
    if (!usable(a) || !usable(b) || areApart(a.getAABB(), b.getAABB())) return ContactResult{};
    return separatingAxes(a.getCorners(), b.getCorners(), {a.axisX, a.axisY, b.axisX, b.axisY}, a.position,
                          b.position);
}

ContactResult testOrientedBox(const OBB& a, const Rect2D& b) {
    if (!usable(a) || !usable(b) || areApart(a.getAABB(), b)) return ContactResult{};
    return separatingAxes(a.getCorners(), b.getCorners(),
                          {glm::vec2{0.0f, 1.0f}, glm::vec2{1.0f, 0.0f}, a.axisX, a.axisY}, a.position,
                          b.position);
}

ContactResult testBoxOriented(const Rect2D& a, const OBB& b) {
    return mirrored<Rect2D, OBB, testOrientedBox>(a, b);
}

ContactResult testCircleCircle(const Circle& a, const Circle& b) {
    ContactResult result;
    if (!usable(a) || !usable(b)) return result;
    const glm::vec2 away = a.position - b.position;
    const float reach = a.contactRadius() + b.contactRadius();
    const float distanceSq = glm::dot(away, away);
    if (distanceSq > reach * reach) return result;
    const float distance = std::sqrt(distanceSq);
    result.normal = distance > 0.0f ? away / distance : glm::vec2{0.0f, 1.0f};
    result.penetration = reach - distance;
    result.colliding = true;
    return result;
}

ContactResult testCircleBox(const Circle& a, const Rect2D& b) {
    if (!usable(a) || !usable(b)) return ContactResult{};
    return discAgainstBox(a.position, a.contactRadius(), b.min, b.max);
}

ContactResult testCircleOriented(const Circle& a, const OBB& b) {
    if (!usable(a) || !usable(b)) return ContactResult{};
    const glm::vec2 relative = a.position - b.position;
    const glm::vec2 local{glm::dot(relative, b.axisX), glm::dot(relative, b.axisY)};
    ContactResult result = discAgainstBox(local, a.contactRadius(), -b.halfExtents, b.halfExtents);
    result.normal = result.normal.x * b.axisX + result.normal.y * b.axisY;
    return result;
}

ContactResult testBoxCircle(const Rect2D& a, const Circle& b) {
    return mirrored<Rect2D, Circle, testCircleBox>(a, b);
}

ContactResult testOrientedCircle(const OBB& a, const Circle& b) {
    return mirrored<OBB, Circle, testCircleOriented>(a, b);
}

const ContactTestFn ContactTest[kColliderTypeCount][kColliderTypeCount] = {
    {dispatch<Circle, Circle, testCircleCircle>, dispatch<Circle, Rect2D, testCircleBox>,
     dispatch<Circle, OBB, testCircleOriented>},
    {dispatch<Rect2D, Circle, testBoxCircle>, dispatch<Rect2D, Rect2D, testBoxBox>,
     dispatch<Rect2D, OBB, testBoxOriented>},
    {dispatch<OBB, Circle, testOrientedCircle>, dispatch<OBB, Rect2D, testOrientedBox>,
     dispatch<OBB, OBB, testOrientedOriented>},
};

ContactResult testContact(const Collider2D& a, const Collider2D& b) {
    return ContactTest[static_cast<std::size_t>(a.getType())][static_cast<std::size_t>(b.getType())](a, b);
}

} // namespace Qel
