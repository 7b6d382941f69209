#include "app/playback/GeneralMidi.h"

#include "interchange/GeneralMidiNames.h"

namespace notaro::app {

const QStringList& generalMidiNames() {
    static const QStringList names = [] {
        QStringList list;
        for (int32_t program = 0; program < 128; ++program)
            list << QString::fromLatin1(interchange::generalMidiName(program));
        return list;
    }();
    return names;
}

} // namespace notaro::app
