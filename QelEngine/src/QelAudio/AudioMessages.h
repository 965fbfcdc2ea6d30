#pragma once

namespace Qel {

class BroadcastReceiver;

/// Adds the handlers of the audio manager's 26 messages to its receiver. They act on the current
/// AudioManager, and do nothing while there is none.
void addAudioHandlers(BroadcastReceiver& receiver);

} // namespace Qel
