#include "support/Forked.h"

#include <csignal>
#include <grp.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

ForkedResult runForked(const std::function<void()>& restrict,
                       const std::function<QByteArray()>& body)
{
    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        return {};
    const pid_t pid = fork();
    if (pid < 0)
        return {};
    if (pid == 0) {
        close(pipeFds[0]);
        restrict();
        const QByteArray out = body();
        const ssize_t written = ::write(pipeFds[1], out.constData(), size_t(out.size()));
        _exit(written == out.size() ? 0 : 3);
    }
    close(pipeFds[1]);
    ForkedResult result;
    char buffer[4096];
    ssize_t got;
    while ((got = ::read(pipeFds[0], buffer, sizeof buffer)) > 0)
        result.output.append(buffer, got);
    close(pipeFds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    result.ran = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return result;
}

} // namespace

ForkedResult runUnprivileged(const std::function<QByteArray()>& body)
{
    return runForked(
        [] {
            if (geteuid() == 0) {
                const gid_t nogroup = 65534;
                const uid_t nobody = 65534;
                if (setgroups(0, nullptr) != 0 || setgid(nogroup) != 0 || setuid(nobody) != 0)
                    _exit(4);
            }
        },
        body);
}

ForkedResult runWithFileSizeLimit(long long bytes, const std::function<QByteArray()>& body)
{
    return runForked(
        [bytes] {
            // Past the limit a write fails with EFBIG instead of killing the process.
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{rlim_t(bytes), rlim_t(bytes)};
            if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
                _exit(4);
        },
        body);
}
