#pragma once

#include "ECS/Entity.h"

#include <array>
#include <span>
#include <string>

namespace Qel {

/// The four volumes of the audio settings, in the order of their menu rows.
enum class VolumeChannel { Master, SFX, BGM, MFX };
constexpr size_t kVolumeChannels = 4;

/// One volume step of a menu button.
constexpr float kVolumeStep = 0.1f;

/// volume + step within 0..1; what lands below the audio's silence threshold is 0, since ten
/// steps of 0.1 do not land on 0 exactly.
float steppedVolume(float volume, float step);
/// The volume in percent, rounded, followed by "%": 0.6 shows "60%".
std::string volumeLabel(float volume);

/// The settings entities both menus share, bound by the same names in both menu files: a label
/// per volume, a mute indicator per volume, the display-mode label, the panel's backdrop and the
/// three entities of the unsaved-changes confirmation.
struct SettingsView {
    static const std::array<const char*, 13> kNames;

    std::array<Entity, 13> slots;

    SettingsView() { slots.fill(MAX_ENTITIES); }
    Entity label(VolumeChannel channel) const { return slots[static_cast<size_t>(channel)]; }
    Entity indicator(VolumeChannel channel) const { return slots[4 + static_cast<size_t>(channel)]; }
    Entity displayMode() const { return slots[8]; }
    Entity backdrop() const { return slots[9]; }
    /// Labels, indicators, display mode and backdrop.
    std::span<const Entity> panelEntities() const { return std::span(slots).first(10); }
    std::span<const Entity> unsavedConfirmation() const { return std::span(slots).subspan(10); }
};

/// Shows the unsaved-changes confirmation as the only thing to click: every other entity of
/// `menu` but the backdrop is hidden, since buttons under the confirmation would take its clicks too.
void showUnsavedConfirmation(const SettingsView& view, std::span<const Entity> menu);

/// The settings edits behind the menus' buttons. Each changes the audio manager's settings (or
/// the window's mode), applies them and updates the view's entities; without an audio manager or
/// window the view is still kept consistent with what exists.
void stepVolume(const SettingsView& view, VolumeChannel channel, float step);
void toggleMute(const SettingsView& view, VolumeChannel channel);
void toggleDisplayMode(const SettingsView& view);
/// Labels, indicators and display-mode label from the current settings.
void refreshSettingsView(const SettingsView& view);

/// Writes the fullscreen bit and the eight audio keys into the user configuration, keeping every
/// other key, atomically. No configuration at all is a strong assertion; one that does not parse
/// is logged ("error parsing config file") and left as it is.
void writeSettingsToConfig();
/// Reads the fullscreen bit and the eight audio keys back from the user configuration and applies
/// them; a key that is missing or mistyped keeps its current value. Failures as above.
void readSettingsFromConfig();

} // namespace Qel
