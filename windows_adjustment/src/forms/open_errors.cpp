// The run-time's error numbers of a failed open, from the C library's errno.
#include "forms/seqfile.h"

#include <cerrno>
#include <filesystem>

namespace forms {

namespace {
// True when the folder part of the name exists (the current folder for a bare name).
bool folderExists(const std::string& path)
{
    std::error_code error;
    const auto folder = std::filesystem::path(path).parent_path();
    return folder.empty() || std::filesystem::is_directory(folder, error);
}
}  // namespace

int openErrorNumber(int errnoValue, const std::string& path)
{
    switch (errnoValue) {
    case 0:
        return OpenError::none;
    case ENOENT:
        return folderExists(path) ? OpenError::fileNotFound : OpenError::pathNotFound;
    case ENOTDIR:
    case ELOOP:
        return OpenError::pathNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY:
    case EBUSY:
        return OpenError::pathFileAccessError;
    case ENAMETOOLONG:
    case EINVAL:
        return OpenError::badFileName;
    case ENXIO:
    case ENODEV:
        return OpenError::deviceUnavailable;
    case ENOMEDIUM:
    case EIO:
        return OpenError::diskNotReady;
    case EMFILE:
    case ENFILE:
        return OpenError::tooManyFiles;
    default:
        return OpenError::deviceIoError;
    }
}

}  // namespace forms
