#include "settings/SettingsCodes.h"

#include "base/ResultCodeText.h"

namespace notaro {

std::ostream& operator<<(std::ostream& os, IniResult r) {
    static const std::pair<IniResult, const char*> kNames[] = {{IniResult::Failed, "Failed"},
                                                               {IniResult::Done, "Done"}};
    return base::writeResultCode(os, r, kNames);
}

} // namespace notaro
