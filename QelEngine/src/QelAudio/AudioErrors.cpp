#include "QelAudio/AudioErrors.h"

#include "QelCore/LogManager.h"

#include <vorbis/codec.h>

namespace Qel {

const char* alErrorText(ALenum error) {
    // Without a current context OpenAL has no strings to give.
    const ALchar* text = alGetString(error);
    return text ? text : "Unknown OpenAL error";
}

const char* vorbisErrorText(int code) {
    switch (code) {
    case OV_FALSE: return "Not true, or no data available";
    case OV_HOLE: return "Interruption in the data";
    case OV_EREAD: return "A read from media returned an error";
    case OV_EFAULT: return "Internal logic fault; indicates a bug or heap/stack corruption";
    case OV_EIMPL: return "Feature not implemented";
    case OV_EINVAL: return "Invalid argument value";
    case OV_ENOTVORBIS: return "Bitstream does not contain any Vorbis data";
    case OV_EBADHEADER: return "Invalid Vorbis bitstream header";
    case OV_EVERSION: return "Vorbis version mismatch";
    case OV_EBADLINK: return "Invalid stream section, or the requested link is corrupt";
    case OV_ENOSEEK: return "Bitstream is not seekable";
    default: return "Unknown Vorbis error";
    }
}

bool alSucceeded(const char* what) {
    const ALenum error = alGetError();
    if (error == AL_NO_ERROR) return true;
    logf(LOG_MED, "%s: %s", what, alErrorText(error));
    return false;
}

} // namespace Qel
