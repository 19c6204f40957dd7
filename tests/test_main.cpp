// The test programs' main: a QApplication on the offscreen platform, then every test.
#include <QApplication>
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

#include "test_support.h"

#include <QTemporaryDir>

#include <cerrno>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <memory>
#include <vector>

std::string make_temp_folder() {
    static std::vector<std::unique_ptr<QTemporaryDir>> folders;
    folders.push_back(std::make_unique<QTemporaryDir>());
    return folders.back()->path().toStdString();
}

namespace {
int wait_for(pid_t child) {
    int status = 0;
    while (waitpid(child, &status, 0) < 0)
        if (errno != EINTR) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
} // namespace

int run_unable_to_write(const std::string& folder, const std::function<int()>& body) {
    const bool root = geteuid() == 0;
    struct stat before {};
    if (stat(folder.c_str(), &before) != 0) return -1;
    // Readable by all, writable by none (root writes anyway, so its child becomes "nobody").
    if (chmod(folder.c_str(), 0555) != 0) return -1;
    const pid_t child = fork();
    if (child == 0) {
        if (root && setuid(65534) != 0) _exit(102); // "nobody"
        _exit(body());
    }
    const int code = child < 0 ? -1 : wait_for(child);
    if (chmod(folder.c_str(), before.st_mode & 07777) != 0) return -1;
    return code;
}

int run_with_file_size_limit(long long max_file_bytes, const std::function<int()>& body) {
    const pid_t child = fork();
    if (child < 0) return -1;
    if (child == 0) {
        // Past the limit a write fails with EFBIG instead of ending the process.
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{};
        if (getrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(100);
        limit.rlim_cur = static_cast<rlim_t>(max_file_bytes);
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(101);
        _exit(body());
    }
    return wait_for(child);
}
