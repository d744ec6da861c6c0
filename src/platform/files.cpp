// files.cpp - POSIX file access.
#include "platform/files.h"

#include <algorithm>
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

// The file a chain of symbolic links ends at (the path itself when it is no
// link); a dangling link gives the name it points to.
std::string linktarget(std::string path) {
    for (int hops = 0; hops < 40; hops++) {
        struct stat st;
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) break;
        char buf[4096];
        ssize_t n = ::readlink(path.c_str(), buf, sizeof buf - 1);
        if (n <= 0) break;
        std::string link(buf, (size_t)n);
        if (link[0] == '/')
            path = link;
        else
            path = path.substr(0, path.rfind('/') + 1) + link;
    }
    return path;
}

// Length of the valid UTF-8 sequence at s[0..n), or 0.
size_t utf8length(const unsigned char *s, size_t n) {
    unsigned char c = s[0];
    size_t len = c < 0x80                 ? 1
                 : c >= 0xC2 && c <= 0xDF ? 2
                 : c >= 0xE0 && c <= 0xEF ? 3
                 : c >= 0xF0 && c <= 0xF4 ? 4
                                          : 0;
    if (len == 0 || len > n) return 0;
    for (size_t k = 1; k < len; k++)
        if ((s[k] & 0xC0) != 0x80) return 0;
    // No overlong forms, surrogates or code points beyond U+10FFFF.
    if ((c == 0xE0 && s[1] < 0xA0) || (c == 0xED && s[1] > 0x9F) || (c == 0xF0 && s[1] < 0x90) ||
        (c == 0xF4 && s[1] > 0x8F))
        return 0;
    return len;
}

} // namespace

// The file system's names are UTF-8 bytes as they stand; a byte that belongs
// to no valid sequence (a name written in another encoding) is shown as the
// ISO-8859-1 character of that byte, so that every name shows as something.
std::string filenametext(const char *s, size_t n) {
    std::string t;
    const unsigned char *u = (const unsigned char *)s;
    for (size_t i = 0; i < n && s[i] != 0;) {
        size_t len = utf8length(u + i, n - i);
        if (len == 0) {
            t += (char)(0xC0 | (u[i] >> 6));
            t += (char)(0x80 | (u[i] & 0x3F));
            i++;
        } else {
            t.append(s + i, len);
            i += len;
        }
    }
    return t;
}

std::string filenametext(const std::string &s) { return filenametext(s.data(), s.size()); }

void setfilefault(FileFault op, int n) {
    faultop = op;
    faultcount = n;
}

int fileexists(const std::string &path) {
    struct stat st;
    return ::stat(hostpath(path).c_str(), &st) == 0 ? 1 : 0;
}

int isdirectory(const std::string &path) {
    struct stat st;
    return ::stat(hostpath(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode) ? 1 : 0;
}

bool readwholefile(const std::string &path, std::vector<uint8_t> &data, std::string *error,
                   size_t maxbytes) {
    data.clear();
    std::string name = hostpath(path);
    // Only regular files: a device or a pipe could block for ever or never end.
    struct stat st;
    if (::stat(name.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
        errno = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
        seterror(error, "cannot read " + path);
        return false;
    }
    // Non-blocking, so that a pipe put there since the check can't hold the open.
    int fd =
        fault(FAULT_OPEN) ? -1 : ::open(name.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        seterror(error, "cannot open " + path);
        return false;
    }
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        errno = EINVAL;
        seterror(error, "cannot read " + path);
        return false;
    }
    if (st.st_size > 0) data.reserve(std::min((size_t)st.st_size, maxbytes));
    uint8_t buf[65536];
    while (data.size() < maxbytes) {
        size_t want = std::min(sizeof buf, maxbytes - data.size());
        ssize_t n = fault(FAULT_READ) ? -1 : ::read(fd, buf, want);
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
    // Through a symbolic link the file it names is replaced and the link stays.
    std::string target = linktarget(hostpath(path));
    struct stat st;
    bool exists = ::stat(target.c_str(), &st) == 0;
    if (exists && !S_ISREG(st.st_mode)) {
        errno = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
        seterror(error, "cannot write " + path);
        return false;
    }
    // A file the user made read-only stays as it is, whoever runs the program.
    if (exists && (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0 ||
                   (st.st_uid == ::geteuid() && !(st.st_mode & S_IWUSR)))) {
        errno = EACCES;
        seterror(error, "cannot write " + path);
        return false;
    }
    std::string dir = target.substr(0, target.rfind('/') + 1);
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
    mode_t mode = 0666;
    if (exists)
        mode = st.st_mode & 07777;
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
    if (ok && (fault(FAULT_RENAME) || ::rename(tmp.c_str(), target.c_str()) != 0)) {
        seterror(error, "cannot write " + path);
        ok = false;
    }
    if (!ok) ::unlink(tmp.c_str());
    return ok;
}

std::string AddPart(const std::string &drawer, const std::string &file) {
    if (drawer.empty()) return file;
    if (!file.empty() && file[0] == '/') return file;
    if (drawer.back() == '/' || ownvolume(drawer) == drawer.size()) return drawer + file;
    return drawer + "/" + file;
}

std::string FilePart(const std::string &path) {
    size_t s = path.rfind('/');
    return path.substr(s == std::string::npos ? ownvolume(path) : s + 1);
}

std::string PathPart(const std::string &path) {
    return path.substr(0, path.size() - FilePart(path).size());
}

size_t ownvolume(const std::string &path) {
    for (const char *v : {"T:", "ram:", "progdir:"}) {
        size_t n = std::strlen(v);
        if (path.compare(0, n, v) == 0) return n;
    }
    return 0;
}

std::string hostpath(const std::string &path) {
    size_t n = ownvolume(path);
    if (n == 0) return path;
    std::string dir = path[0] == 'p' ? configdirectory() : tempdirectory();
    return dir + path.substr(n);
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

std::string userdatadirectory() {
    std::string base = envdir("XDG_DATA_HOME", "/.local/share");
    // Made with its parents when missing, as ~/.local/share may not exist yet.
    for (size_t p = base.find('/', 1); p != std::string::npos; p = base.find('/', p + 1))
        ::mkdir(base.substr(0, p).c_str(), 0700);
    ::mkdir(base.c_str(), 0700);
    return ensure(base + "/ideaweave") + "/";
}

std::string datadirectory() {
    if (const char *d = std::getenv("IDEAWEAVE_DATADIR"); d && *d) return std::string(d) + "/";
    // An installation, wherever its prefix was moved: bin/../share/ideaweave.
    char exe[4096];
    ssize_t n = ::readlink("/proc/self/exe", exe, sizeof exe - 1);
    if (n > 0) {
        std::string beside = PathPart(std::string(exe, (size_t)n)) + "../share/ideaweave";
        if (isdirectory(beside)) return beside + "/";
    }
    if (isdirectory(IW_DATADIR)) return std::string(IW_DATADIR) + "/";
    return std::string(IW_SOURCE_DATADIR) + "/";
}
