#include "ECS/Component/RegisterComponents.h"

#include "ECS/TypeName.h"

namespace Qel {

void assignComponentTypeNames() {
    forEachComponentType([]<class T>() { TypeName<T>::assign(componentNames<T>().typeName); });
}

} // namespace Qel
