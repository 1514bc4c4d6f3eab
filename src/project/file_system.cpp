// What the POSIX and the Windows versions of the file-system calls share: the texts of
// the writer's own reason codes.
#include "project/file_system.h"

namespace vestrel::project::os {

std::string reasonText(int reason) {
    switch (reason) {
        case kUntrustedLink: return "the link is owned by another user";
        case kNotRegularFile: return "not a regular file";
        case kTooLarge: return "larger than " + std::to_string(kInputSizeLimit >> 20) + " MB, the limit for an input";
        case kLinkNotFollowed: return "it is a link (symbolic link or junction), which is not followed for a write";
        default: break;
    }
    return systemErrorText(reason);
}

}  // namespace vestrel::project::os
