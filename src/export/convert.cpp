// convert.cpp - running the external SVG converters.
#include "export/convert.h"

#include "platform/files.h"
#include "platform/platform.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace {

const char *EXPORTMESSAGE = "Exporting drawing. Please be patient...";
const char *FAILURE = "Sorry. Couldn't export in the format requested.\n"
                      "Please check svgtools is correctly installed.\n"
                      " An error log can be found in ";

bool executable(const std::string &path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
           ::access(path.c_str(), X_OK) == 0;
}

// What the target looked like before the converter ran.
struct Stamp {
    bool exists = false;
    struct stat st {};
};

Stamp stamp(const std::string &path) {
    Stamp s;
    s.exists = ::stat(path.c_str(), &s.st) == 0;
    return s;
}

bool written(const Stamp &before, const std::string &path) {
    Stamp after = stamp(path);
    if (!after.exists || !S_ISREG(after.st.st_mode) || after.st.st_size == 0) return false;
    if (!before.exists) return true;
    return after.st.st_ino != before.st.st_ino ||
           after.st.st_mtim.tv_sec != before.st.st_mtim.tv_sec ||
           after.st.st_mtim.tv_nsec != before.st.st_mtim.tv_nsec ||
           after.st.st_size != before.st.st_size;
}

void logline(int fd, const std::string &text) {
    std::string line = text + "\n";
    if (::write(fd, line.data(), line.size()) < 0) {
        // Nothing more to be done: the failure is reported anyway.
    }
}

// Runs argv with standard input from /dev/null and both outputs into logfd.
// Returns the exit status, or -1 (with the reason logged) when it can't run.
int run(const std::vector<std::string> &args, int logfd) {
    std::vector<char *> argv;
    for (const std::string &a : args) argv.push_back(const_cast<char *>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t fa;
    posix_spawn_file_actions_init(&fa);
    posix_spawn_file_actions_addopen(&fa, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&fa, logfd, 1);
    posix_spawn_file_actions_adddup2(&fa, logfd, 2);
    pid_t pid;
    int rc = posix_spawn(&pid, argv[0], &fa, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&fa);
    if (rc != 0) {
        logline(logfd, args[0] + ": can't be started: " + std::strerror(rc));
        return -1;
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0)
        if (errno != EINTR) {
            logline(logfd, args[0] + ": lost: " + std::strerror(errno));
            return -1;
        }
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    logline(logfd, args[0] + ": ended by signal " + std::to_string(WTERMSIG(status)));
    return -1;
}

} // namespace

std::string converterdirectory() {
    const char *dir = std::getenv("IDEAWEAVE_CONVERTERS");
    if (!dir || !*dir || !isdirectory(dir)) return "";
    return dir;
}

std::string findconverter(const char *name) {
    const std::string dir = converterdirectory();
    if (dir.empty()) return "";
    const std::string p = AddPart(dir, name);
    return executable(p) ? p : "";
}

int convertSVG(const std::string &svg, const std::string &target, ExportFormat format,
               std::string *message) {
    ConverterRun job;
    job.name = format == EXPORT_PDF ? "svg2pdf" : "svg2png";
    job.busy = EXPORTMESSAGE;
    job.failure = FAILURE;
    return runconverter(job, svg, target, message);
}

int runconverter(const ConverterRun &job, const std::string &svg, const std::string &target,
                 std::string *message) {
    const char *name = job.name;
    const std::string temp = tempdirectory();
    std::string logpath = temp + "IdeaweaveLog-XXXXXX.txt";
    int logfd = ::mkstemps(logpath.data(), 4);
    auto fail = [&](const std::string &where) {
        if (message) *message = job.failure + where;
        return 0;
    };
    if (logfd < 0) return fail(temp);

    std::string dir = temp + "export-XXXXXX";
    if (!::mkdtemp(dir.data())) {
        logline(logfd, "can't make a temporary directory in " + temp + ": " + std::strerror(errno));
        ::close(logfd);
        return fail(logpath);
    }
    const std::string svgpath = dir + "/" + job.svgname;
    std::string error;
    bool ok = writefileatomic(svgpath, std::vector<uint8_t>(svg.begin(), svg.end()), &error);
    if (!ok) logline(logfd, "can't write " + svgpath + ": " + error);

    const std::string converter = findconverter(name);
    if (ok && converter.empty()) {
        logline(logfd, std::string(name) + ": not found in IDEAWEAVE_CONVERTERS (" +
                           converterdirectory() + ")");
        ok = false;
    }
    if (ok) {
        const Stamp before = stamp(target);
        const bool shown = platformui().openmessage("Ideaweave Message", job.busy);
        std::vector<std::string> args{converter};
        args.insert(args.end(), job.options.begin(), job.options.end());
        args.push_back(svgpath);
        args.push_back(target);
        const int status = run(args, logfd);
        if (shown) platformui().closemessage();
        if (status > 0)
            logline(logfd, std::string(name) + " exited with status " + std::to_string(status));
        struct stat st;
        const bool quiet = ::fstat(logfd, &st) == 0 && st.st_size == 0;
        ok = status == 0 && quiet;
        if (ok && !written(before, target)) {
            logline(logfd, std::string(name) + " wrote nothing to " + target);
            ok = false;
        }
    }
    ::close(logfd);
    ::unlink(svgpath.c_str());
    ::rmdir(dir.c_str());
    if (!ok) return fail(logpath);
    ::unlink(logpath.c_str());
    return 1;
}
