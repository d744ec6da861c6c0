// files.cpp - POSIX file access.
#include "platform/files.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

FileFault faultop = FAULT_NONE;
int faultcount = 0;

// True when the injected fault fires for this operation.
bool fault(FileFault op) {
    if (faultop != op) return false;
    if (--faultcount > 0) return false;
    faultop = FAULT_NONE;
    errno = EIO;
    return true;
}

void seterror(std::string *error, const std::string &what) {
    if (error) *error = what + ": " + std::strerror(errno);
}

} // namespace

void setfilefault(FileFault op, int n) {
    faultop = op;
    faultcount = n;
}

int fileexists(const std::string &path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 ? 1 : 0;
}

int isdirectory(const std::string &path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) ? 1 : 0;
}

bool readwholefile(const std::string &path, std::vector<uint8_t> &data, std::string *error) {
    data.clear();
    int fd = fault(FAULT_OPEN) ? -1 : ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        seterror(error, "cannot open " + path);
        return false;
    }
    struct stat st;
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        errno = EISDIR;
        seterror(error, "cannot read " + path);
        return false;
    }
    uint8_t buf[65536];
    for (;;) {
        ssize_t n = fault(FAULT_READ) ? -1 : ::read(fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR) continue;
            seterror(error, "cannot read " + path);
            ::close(fd);
            data.clear();
            return false;
        }
        if (n == 0) break;
        data.insert(data.end(), buf, buf + n);
    }
    ::close(fd);
    return true;
}

bool writefileatomic(const std::string &path, const std::vector<uint8_t> &data,
                     std::string *error) {
    std::string dir = PathPart(path);
    std::string tmpl = (dir.empty() ? std::string("./") : dir) + ".ideaweave-XXXXXX";
    std::vector<char> name(tmpl.begin(), tmpl.end());
    name.push_back(0);
    int fd = fault(FAULT_OPEN) ? -1 : ::mkstemp(name.data());
    if (fd < 0) {
        seterror(error, "cannot create " + path);
        return false;
    }
    std::string tmp(name.data());
    bool ok = true;
    size_t done = 0;
    while (ok && done < data.size()) {
        ssize_t n = fault(FAULT_WRITE) ? -1 : ::write(fd, data.data() + done, data.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            seterror(error, "cannot write " + path);
            ok = false;
        } else {
            done += (size_t)n;
        }
    }
    if (ok && (fault(FAULT_SYNC) || ::fsync(fd) != 0)) {
        seterror(error, "cannot write " + path);
        ok = false;
    }
    // Keep the permissions of a file that is replaced; a new one gets the
    // usual mode for documents.
    struct stat st;
    mode_t mode = 0666;
    if (::stat(path.c_str(), &st) == 0) mode = st.st_mode & 07777;
    else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        mode &= ~mask;
    }
    if (ok) ::fchmod(fd, mode);
    if (::close(fd) != 0 && ok) {
        seterror(error, "cannot write " + path);
        ok = false;
    }
    if (ok && (fault(FAULT_RENAME) || ::rename(tmp.c_str(), path.c_str()) != 0)) {
        seterror(error, "cannot write " + path);
        ok = false;
    }
    if (!ok) ::unlink(tmp.c_str());
    return ok;
}

std::string AddPart(const std::string &drawer, const std::string &file) {
    if (drawer.empty()) return file;
    if (!file.empty() && file[0] == '/') return file;
    if (drawer.back() == '/' || drawer.back() == ':') return drawer + file;
    return drawer + "/" + file;
}

std::string FilePart(const std::string &path) {
    size_t s = path.find_last_of("/:");
    return s == std::string::npos ? path : path.substr(s + 1);
}

std::string PathPart(const std::string &path) {
    return path.substr(0, path.size() - FilePart(path).size());
}

namespace {
std::string envdir(const char *var, const char *fallback) {
    const char *v = std::getenv(var);
    if (v && *v) return v;
    const char *home = std::getenv("HOME");
    return std::string(home && *home ? home : "/tmp") + fallback;
}
std::string ensure(const std::string &d) {
    ::mkdir(d.c_str(), 0700);
    return d;
}
} // namespace

std::string tempdirectory() {
    const char *t = std::getenv("TMPDIR");
    std::string base = t && *t ? t : "/tmp";
    return ensure(base + "/ideaweave-" + std::to_string(::getuid())) + "/";
}

std::string configdirectory() {
    std::string base = envdir("XDG_CONFIG_HOME", "/.config");
    ::mkdir(base.c_str(), 0700);
    return ensure(base + "/ideaweave") + "/";
}

std::string datadirectory() {
    if (const char *d = std::getenv("IDEAWEAVE_DATADIR"); d && *d) return std::string(d) + "/";
    if (isdirectory(IW_DATADIR)) return std::string(IW_DATADIR) + "/";
    return std::string(IW_SOURCE_DATADIR) + "/";
}
