#pragma once

#include "ECS/Entity.h"

/// The first state: three logos while the content loads in the background, then the title scene
/// once loading is complete (at once on a key press, by itself after the third logo).
namespace GS_SPLASH {
/// The makers' notice the attribution line starts with.
inline constexpr const char* kMakersNotice = "(c) 2026 Qel Games. All rights reserved.";
/// The attribution shown with the audio logo: the library we ship, as its copyright file names it.
inline constexpr const char* kAudioAttribution =
    "Audio: OpenAL Soft (c) 1999-2014 the OpenAL team, (c) 2009-2015 Chris Robinson and contributors. "
    "LGPL-2+";

/// The logo (UITransform, SpriteRenderer), the loading line and the attribution line (UITransform,
/// Text). MAX_ENTITIES until initGSData created them.
inline Qel::Entity splashImageGO = Qel::MAX_ENTITIES;
inline Qel::Entity splashTextGO = Qel::MAX_ENTITIES;
inline Qel::Entity splashCopyrightGO = Qel::MAX_ENTITIES;

/// Names the title scene as the next scene (a strong assertion when it does not exist), starts the
/// systems, render targets and audio, clears to black and builds the splash entities.
void init();
/// Creates the three splash entities, lists them for the UI pass and starts the splash clock.
/// Needs the EntityManager, ComponentManager and AssetManager (strong assertions).
void initGSData();
/// Advances the splash clock, the loading line and the logo; hands over to the scene state.
void update();
} // namespace GS_SPLASH
