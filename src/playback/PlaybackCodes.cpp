#include "playback/PlaybackCodes.h"

#include "base/ResultCodeText.h"

namespace notaro::playback {

std::ostream& operator<<(std::ostream& os, PlaybackResult r) {
    using R = PlaybackResult;
    static const std::pair<R, const char*> kNames[] = {
        {R::Ok, "Ok"},
        {R::Error, "Error"},
        {R::BadDevice, "BadDevice"},
        {R::NotOpen, "NotOpen"},
        {R::NoDriver, "NoDriver"},
        {R::InvalidParam, "InvalidParam"},
        {R::NoSoundFont, "NoSoundFont"},
        {R::BadArgument, "BadArgument"},
        {R::Stopped, "Stopped"},
        {R::AlreadyPlaying, "AlreadyPlaying"},
        {R::Failure, "Failure"},
        {R::WriteFailed, "WriteFailed"},
        {R::Cancelled, "Cancelled"},
    };
    return base::writeResultCode(os, r, kNames);
}

} // namespace notaro::playback
