// The safe rewrite of the registration file. The new content goes to a
// fresh file beside tvlibs.dll (the same folder, so the rename cannot cross
// file systems), is forced to disk, and only then takes the old one's
// place: a full disk or a crash midway leaves the previous file intact.
#include "catalogue/save.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "catalogue/format.hpp"
#include "platform/console.hpp"
#include "shell/state.hpp"

static const char REGISTRATION[] = "tvlibs.dll";

static bool refuse(const char* why, int error) {
    consolePrint("Error...\n\nCannot save %s: %s (%s); it is left as it was...\n\n", REGISTRATION, why,
                 std::strerror(error));
    return false;
}

// The file the rewrite replaces: tvlibs.dll itself, or what it links to, so
// that a registration file kept elsewhere through a link stays linked.
static std::string targetPath() {
    struct stat link;
    if (lstat(REGISTRATION, &link) == 0 && S_ISLNK(link.st_mode)) {
        char resolved[PATH_MAX];
        if (realpath(REGISTRATION, resolved)) return resolved;
    }
    return REGISTRATION;
}

static std::string folderOf(const std::string& path) {
    std::string::size_type slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The mode a plain fopen("w") would have given: the old file's, or the
// default for a new file under the current umask.
static mode_t modeFor(const std::string& target) {
    struct stat old;
    if (stat(target.c_str(), &old) == 0) return old.st_mode & 07777;
    mode_t mask = umask(022);
    umask(mask);
    return 0666 & ~mask;
}

bool saveRegistration(int n, int skip, const char* addName, const char* addFile) {
    std::string target = targetPath();
    // A rename would replace even a file we may not write; honour it.
    if (access(target.c_str(), F_OK) == 0 && access(target.c_str(), W_OK) != 0) {
        return refuse("it may not be written", errno);
    }
    std::string temporary = target + ".XXXXXX";
    int fd = mkstemp(temporary.data());
    if (fd < 0) return refuse("a new file cannot be created beside it", errno);
    F = fdopen(fd, "w");
    if (!F) {
        int error = errno;
        close(fd);
        unlink(temporary.c_str());
        return refuse("a new file cannot be created beside it", error);
    }

    int error = 0;
    const char* step = nullptr;
    errno = 0;
    if (fchmod(fd, modeFor(target)) != 0) {
        error = errno, step = "the new file's permissions cannot be set";
    } else if (!writeLayout(F, n, skip, addName, addFile) || std::fflush(F) != 0) {
        error = errno ? errno : EIO, step = "the new file cannot be written";
    } else if (fsync(fd) != 0) {
        error = errno, step = "the new file cannot be flushed to disk";
    }
    if (std::fclose(F) != 0 && !step) error = errno, step = "the new file cannot be closed";
    F = nullptr;
    if (!step && std::rename(temporary.c_str(), target.c_str()) != 0) {
        error = errno, step = "the new file cannot replace it";
    }
    if (step) {
        unlink(temporary.c_str());
        return refuse(step, error);
    }
    // The rename itself lasts only once the folder's entry is on disk.
    int folder = open(folderOf(target).c_str(), O_RDONLY | O_DIRECTORY);
    if (folder >= 0) {
        fsync(folder);
        close(folder);
    }
    return true;
}
