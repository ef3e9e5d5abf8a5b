#include "platform/WritableFolder.h"

#include <sys/stat.h>
#include <unistd.h>

bool IsWritableFolder(const std::filesystem::path& folder) {
    struct stat status {};
    if (stat(folder.c_str(), &status) != 0 || !S_ISDIR(status.st_mode)) {
        return false;
    }
    if ((status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
        return false;
    }
    return access(folder.c_str(), W_OK | X_OK) == 0;
}
