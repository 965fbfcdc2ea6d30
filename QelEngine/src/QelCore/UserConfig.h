#pragma once

#include "QelAudio/AudioSettings.h"

#include <filesystem>

namespace Qel {

class ConfigTargets;
class JSON;

/// Oldest "CFGVersion" the program still reads.
constexpr int kMinConfigVersion = 1;
/// Largest window side a configuration may ask for, in screen coordinates.
constexpr int kMaxConfigWindowSide = 16384;

/// Parsed, an object, and "CFGVersion" an integer of at least kMinConfigVersion.
bool isValidConfig(const JSON& config);

/// Logs "CFG Validated ..." for a valid configuration; otherwise replaces it by the default
/// file at `defaultPath` (itself validated). Whatever the outcome, `config` is left as an object
/// the repair step can write into: a root that is not an object becomes an empty document.
void validateConfig(JSON& config, const std::filesystem::path& defaultPath);

/// Applies every setting to `targets` (fullscreen before the window size) and writes back the
/// keys the program repairs; unknown keys stay as they are.
void applyConfig(JSON& config, ConfigTargets& targets);

/// The eight audio keys; a key that is not read leaves its field as it was.
void readAudioSettings(const JSON& config, AudioSettings& settings);
/// Replaces or adds the eight audio keys, volumes as reals.
void writeAudioSettings(JSON& config, const AudioSettings& settings);

/// Start-up configuration from the user folder: open (restoring the default copy), parse,
/// validate, apply, and write the repaired file back atomically. A missing configuration and
/// default is a strong assertion.
void loadUserConfig(ConfigTargets& targets);

} // namespace Qel
