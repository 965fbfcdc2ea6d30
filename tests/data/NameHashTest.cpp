#include "data/NameHash.h"

#include <gtest/gtest.h>

#include <string>

namespace Qel {
namespace {

TEST(NameHash, MatchesFnv1aForAsciiAndSignExtendsHighBytes) {
    static_assert(hashName("") == 0xcbf29ce484222325ULL);
    // A published FNV-1a 64 value.
    EXPECT_EQ(hashName("foobar"), 0x85944171f73967e8ULL);

    // 0xE9 is XORed in as 0xFFFFFFFFFFFFFFE9, where textbook FNV-1a uses 0xE9.
    const uint64_t prefix = hashName("caf");
    EXPECT_EQ(hashName("caf\xE9"), (prefix ^ 0xFFFFFFFFFFFFFFE9ULL) * 0x100000001b3ULL);
}

} // namespace
} // namespace Qel
