#pragma once

#include "QelAudio/OpenAL.h"

namespace Qel {

/// OpenAL's own text for an error code.
const char* alErrorText(ALenum error);
/// libvorbisfile's documented meaning of one of its negative return codes.
const char* vorbisErrorText(int code);
/// Takes OpenAL's pending error; when there is one, logs "<what>: <text>" at MED and returns false.
bool alSucceeded(const char* what);

} // namespace Qel
