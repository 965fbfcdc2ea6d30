#pragma once

#include "Physics/Collider2D.h"

#include <glm/vec2.hpp>

namespace Qel {

class Circle;
class OBB;
class Rect2D;

/// Outcome of one pair test. normal and penetration mean something only when colliding.
/// A positive penetration says the normal points from B towards A, a negative one that it points
/// from A towards B; the physics step turns every contact into the first form.
struct ContactResult {
    glm::vec2 normal{0.0f, 0.0f};
    float penetration = 0.0f; ///< world units
    bool colliding = false;
};

/// True when the boxes do not overlap; boxes that only touch count as overlapping.
bool areApart(const Rect2D& a, const Rect2D& b);

/// Axis-aligned boxes. The normal is (0, 1) or (1, 0), the smaller overlap wins, a tie picks y;
/// the sign comes from the min corners. Touching boxes collide with penetration 0.
ContactResult testBoxBox(const Rect2D& a, const Rect2D& b);
/// Separating axes over both boxes' axes; an overlap below FLT_EPSILON on any axis is no contact.
ContactResult testOrientedOriented(const OBB& a, const OBB& b);
/// As testOrientedOriented, with the world axes (0, 1), (1, 0) tried before A's axes.
ContactResult testOrientedBox(const OBB& a, const Rect2D& b);
/// testOrientedBox with the arguments swapped; same normal, opposite penetration.
ContactResult testBoxOriented(const Rect2D& a, const OBB& b);

/// The disc tests report the normal from B towards A with a penetration >= 0; touching counts
/// as a contact. A centre inside a box leaves through the nearest face; when no direction
/// exists (equal centres) the normal is (0, 1).
ContactResult testCircleCircle(const Circle& a, const Circle& b);
ContactResult testCircleBox(const Circle& a, const Rect2D& b);
ContactResult testCircleOriented(const Circle& a, const OBB& b);
/// The swapped disc tests: same normal, opposite penetration.
ContactResult testBoxCircle(const Rect2D& a, const Circle& b);
ContactResult testOrientedCircle(const OBB& a, const Circle& b);

using ContactTestFn = ContactResult (*)(const Collider2D& a, const Collider2D& b);

/// Pair tests indexed [A's type][B's type].
extern const ContactTestFn ContactTest[kColliderTypeCount][kColliderTypeCount];

/// Runs the table entry for the two shapes' types.
ContactResult testContact(const Collider2D& a, const Collider2D& b);

} // namespace Qel
