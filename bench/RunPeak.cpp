// run-peak PROGRAM [ARGUMENTS...]: runs the program, its output thrown away, and prints
// "<exit status> <seconds> <peak resident KB>" of it alone.
//
// A process's peak memory on Linux counts the memory of whatever it was before its exec,
// and a child forked by the benchmark starts as a copy of the benchmark. This small
// program stands between them: the child it forks is a copy of it, not of the benchmark.
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

int main(int argc, char *argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "Usage: run-peak PROGRAM [ARGUMENTS...]\n");
        return 2;
    }
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid < 0)
        return 3;
    if (pid == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        execv(argv[1], argv + 1);
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) < 0)
        return 3;
    const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
    std::printf("%d %.3f %ld\n", WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status),
                seconds.count(), usage.ru_maxrss);
    return 0;
}
