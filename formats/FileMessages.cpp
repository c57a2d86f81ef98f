#include "formats/FileMessages.h"

#include <cerrno>
#include <system_error>

namespace lumagrove {

std::string SaveFailureReason(int error) {
    switch (error) {
        case 0: return {};
        case ENOSPC: return " No space is left on the device.";
        case EDQUOT: return " The disk quota is used up.";
        case ENOENT: return " The folder does not exist.";
        case ENOTDIR: return " A part of the path is not a folder.";
        case EISDIR: return " It is a folder.";
        case EROFS: return " The folder is read-only.";
        case EACCES:
        case EPERM: return " Permission denied.";
        case EFBIG: return " The file would be larger than the file size limit allows.";
        case EPIPE: return " Its reader has closed it.";
        default: break;
    }
    std::string reason = " ";
    reason += std::system_category().message(error);
    reason += '.';
    return reason;
}

}  // namespace lumagrove
