#pragma once

namespace Qel {

class SystemManager;

/// Names and registers every engine system once, in frame order: the order of Load, Update,
/// Unload and entity notifications.
void registerSystems(SystemManager& systems);

} // namespace Qel
