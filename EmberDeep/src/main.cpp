#include "QelCore/QelSystems.h"

int main() {
    if (!Qel::Systems::instance()) new Qel::Systems();
    delete Qel::Systems::instance();
    return 0;
}
