#include "engine/storage/file_id.h"

#include <sys/stat.h>

std::optional<FileId> fileIdOf(const QByteArray& path) {
    struct stat status;
    if (::stat(path.constData(), &status) != 0)
        return std::nullopt;
    return FileId{quint64(status.st_dev), quint64(status.st_ino)};
}
