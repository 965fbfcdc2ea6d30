#pragma once

// The one place the OpenAL headers come in: the EFX filter and loopback entry points are
// called directly (OpenAL Soft exports them), so their prototypes are declared.
#define AL_ALEXT_PROTOTYPES
#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>
#include <AL/efx.h>
