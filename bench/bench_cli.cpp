// "gaming-mousectl show --json FILE" of a profile file as a whole process:
// wall time from fork to exit (manual time) and the child's peak memory.

#include "bench_support.h"

#include <QTemporaryDir>

#include <chrono>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct ChildRun
{
    bool ok = false;
    double seconds = 0;
    long peakKiB = 0;
};

ChildRun runShow(const QByteArray &profilePath)
{
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid < 0)
        return {};
    if (pid == 0) {
        const int null = open("/dev/null", O_WRONLY);
        if (null >= 0) {
            dup2(null, STDOUT_FILENO);
            dup2(null, STDERR_FILENO);
        }
        const char *argv[] = {GM_CLI_PATH, "show", "--json", profilePath.constData(), nullptr};
        execv(GM_CLI_PATH, const_cast<char **>(argv));
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid)
        return {};
    const auto end = std::chrono::steady_clock::now();
    ChildRun run;
    run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    run.seconds = std::chrono::duration<double>(end - start).count();
    run.peakKiB = usage.ru_maxrss;
    return run;
}

void BM_CliShowJsonProfileFile(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/default.bin");
    QFile file(path);
    const QByteArray image = defaultImageBytes();
    if (image.size() != kImageSize || !file.open(QIODevice::WriteOnly) ||
        file.write(image) != image.size()) {
        state.SkipWithError("cannot write the profile file");
        return;
    }
    file.close();
    const QByteArray nativePath = QFile::encodeName(path);

    long peakKiB = 0;
    for (auto _ : state) {
        const ChildRun run = runShow(nativePath);
        if (!run.ok) {
            state.SkipWithError("gaming-mousectl show --json failed");
            return;
        }
        state.SetIterationTime(run.seconds);
        peakKiB = std::max(peakKiB, run.peakKiB);
    }
    state.counters["peak_MiB"] = double(peakKiB) / 1024.0;
}
BENCHMARK(BM_CliShowJsonProfileFile)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(30);

} // namespace
