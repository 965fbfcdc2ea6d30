#include "messaging/Message.h"

#include "QelCore/LogManager.h"

namespace Qel {

void logArgumentMismatch(uint64_t messageHash) {
    logf(LOG_MED, "Message 0x%016llx does not carry the arguments its handler expects; ignored",
         static_cast<unsigned long long>(messageHash));
}

} // namespace Qel
