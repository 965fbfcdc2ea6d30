#include "ECS/TypeName.h"

#include "data/NameHash.h"

#include <cstring>

namespace Qel {

const char* typeNameOf(const char* name, uint64_t hash) {
    if (!name) return nullptr;
    if (hash == 0 && hashName(name) == hashName(kUnassignedTypeName)) return nullptr;
    return name;
}

bool typeNamePCH(const char* name, uint64_t hash, uint64_t& out) {
    out = hash;
    if (hash != 0) return true;
    if (!name) return false;
    return name[0] == '\0' || std::strcmp(name, kUnassignedTypeName) != 0;
}

} // namespace Qel
