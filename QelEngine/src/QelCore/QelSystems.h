#pragma once

#include "QelCore/Singleton.h"

namespace Qel {

class LogManager;
class FileHelper;

/// Owns every engine manager: creates them in a fixed order, performs start-up, and deletes
/// them in exactly the reverse order.
class Systems : public Singleton<Systems> {
public:
    /// Creates the managers (reusing any that already exist) and runs start-up.
    Systems();
    /// Shutdown: restores the standard cursor, releases the cursors, deletes the managers.
    ~Systems() override;

    /// Deletes every existing manager in reverse creation order; missing ones are skipped.
    /// Also run on its own by the strong assertion.
    static void deleteManagers();

    LogManager* logManager = nullptr;
    FileHelper* fileHelper = nullptr;
};

} // namespace Qel
