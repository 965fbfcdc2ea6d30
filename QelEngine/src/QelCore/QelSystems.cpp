#include "QelCore/QelSystems.h"

#include "QelCore/FileHelper.h"
#include "QelCore/LogManager.h"

namespace Qel {

namespace {

/// The existing manager if there is one, else a new one.
template <class T>
T* acquire() {
    return T::instance() ? T::instance() : new T();
}

template <class T>
void destroy() {
    delete T::instance();
}

} // namespace

Systems::Systems() {
    logManager = acquire<LogManager>();
    fileHelper = acquire<FileHelper>();

    logManager->setEchoPriority(LOG_MED);
    logManager->setAddPriority(LOG_HIGH);
}

Systems::~Systems() {
    deleteManagers();
}

void Systems::deleteManagers() {
    destroy<FileHelper>();
    destroy<LogManager>();
}

} // namespace Qel
