#include "files.h"

#include "qt_text.h"
#include <algorithm>
#include <cctype>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace {
long long write_failure_after = -1;
std::string file_error_text;

bool failed_with(int error) {
    file_error_text = std::strerror(error);
    return false;
}

QString q(const std::string& path) {
    return path_to_qstring(path);
}

// The system's facts of a path (our paths are the file system's own bytes); false when it is not there.
bool stat_path(const std::string& path, struct stat& st) {
    return ::stat(path.c_str(), &st) == 0;
}

// The reason given for a path that is there but is no regular file.
int not_regular_error(const struct stat& st) {
    return S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
}

// A path read from a file may hold anything: one with control bytes names no file of ours and
// is refused before it reaches the system.
bool usable(const std::string& path) {
    return !path.empty() && std::none_of(path.begin(), path.end(),
                                         [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}
} // namespace

std::function<void(const std::string&)>& read_observer() {
    static std::function<void(const std::string&)> observer;
    return observer;
}

void set_file_read_observer(std::function<void(const std::string& path)> observer) {
    read_observer() = std::move(observer);
}

std::optional<byte_buffer> read_whole_file(const std::string& path) {
    if (read_observer()) read_observer()(path);
    if (!usable(path)) {
        failed_with(ENOENT);
        return std::nullopt;
    }
    // Only a regular file, and one no format of ours could exceed: a pipe or a device named by
    // a link would block or never end.
    struct stat st {};
    if (!stat_path(path, st)) {
        failed_with(errno);
        return std::nullopt;
    }
    if (!S_ISREG(st.st_mode)) {
        failed_with(not_regular_error(st));
        return std::nullopt;
    }
    if (static_cast<unsigned long long>(st.st_size) > max_file_bytes) {
        failed_with(EFBIG);
        return std::nullopt;
    }
    QFile f(q(path));
    if (!f.open(QIODevice::ReadOnly)) {
        file_error_text = f.errorString().toStdString();
        return std::nullopt;
    }
    QByteArray data = f.readAll();
    if (f.error() != QFileDevice::NoError) {
        file_error_text = f.errorString().toStdString();
        return std::nullopt;
    }
    return byte_buffer(data.begin(), data.end());
}

void set_write_failure_after(long long bytes_ok) {
    write_failure_after = bytes_ok;
}

std::string last_file_error() {
    return file_error_text;
}

file_stamp stamp_of_file(const std::string& path) {
    struct stat st {};
    if (!stat_path(path, st)) return {};
    file_stamp s;
    s.exists = true;
    s.device = st.st_dev;
    s.inode = st.st_ino;
    s.size = st.st_size;
    s.modified_ns = static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
    return s;
}

// Written by hand rather than through QSaveFile: its commit renames the new file over the old
// one even when the last buffered write failed (a full disk), so every call here is checked and
// the old file is replaced only by a new one that is whole and on the disk.
bool write_file_atomic(const std::string& path, const byte_buffer& bytes) {
    if (!usable(path)) return failed_with(ENOENT);
    QString target = q(path);
    // A link keeps being a link: the file it names is the one replaced.
    QFileInfo info(target);
    if (info.isSymLink() && !info.canonicalFilePath().isEmpty()) target = info.canonicalFilePath();
    const QByteArray native = QFile::encodeName(target);

    mode_t mode = 0;
    struct stat old_file {};
    if (::stat(native.constData(), &old_file) == 0) {
        if (!S_ISREG(old_file.st_mode)) return failed_with(not_regular_error(old_file));
        mode = old_file.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }

    std::string temp = native.toStdString() + ".XXXXXX";
    int fd = ::mkstemp(temp.data());
    if (fd < 0) return failed_with(errno);
    auto fail = [&] {
        const int error = errno;
        if (fd >= 0) ::close(fd);
        ::unlink(temp.c_str());
        return failed_with(error);
    };
    if (::fchmod(fd, mode) != 0) return fail();

    const std::size_t size = bytes.size();
    std::size_t allowed = size;
    if (write_failure_after >= 0 && static_cast<unsigned long long>(write_failure_after) < size)
        allowed = static_cast<std::size_t>(write_failure_after);
    std::size_t done = 0;
    while (done < allowed) {
        const ssize_t n = ::write(fd, bytes.data() + done, allowed - done);
        if (n < 0 && errno == EINTR) continue;
        if (n == 0) errno = ENOSPC;
        if (n <= 0) return fail();
        done += static_cast<std::size_t>(n);
    }
    if (done != size) {
        errno = ENOSPC; // the failure the tests stand in for
        return fail();
    }
    if (::fsync(fd) != 0) return fail();
    const int closed = ::close(fd);
    fd = -1;
    if (closed != 0) return fail();
    if (::rename(temp.c_str(), native.constData()) != 0) return fail();
    return true;
}

std::string translate_stored_path(const std::string& stored) {
    std::string p = stored;
    for (char& c : p)
        if (c == '\\') c = '/';
    if (p.size() >= 2 && p[1] == ':' && std::isalpha(static_cast<unsigned char>(p[0]))) p.erase(0, 2);
    return p;
}

std::optional<std::string> find_file_case_blind(const std::string& path) {
    std::string p = translate_stored_path(path);
    if (!usable(p)) return std::nullopt;
    QString qp = q(p);
    if (QFileInfo::exists(qp)) return p;

    // Walk the parts of the path, matching each ignoring case.
    bool absolute = qp.startsWith('/');
    QStringList parts = qp.split('/', Qt::SkipEmptyParts);
    QDir dir(absolute ? QStringLiteral("/") : QDir::currentPath());
    QString built = absolute ? QStringLiteral("/") : QString();
    for (int i = 0; i < parts.size(); ++i) {
        const QString& part = parts[i];
        QString found;
        if (part == "." || part == "..") {
            found = part;
        } else if (QFileInfo::exists(dir.filePath(part))) {
            found = part;
        } else {
            const QStringList entries =
                dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
            for (const QString& e : entries)
                if (e.compare(part, Qt::CaseInsensitive) == 0) {
                    found = e;
                    break;
                }
        }
        if (found.isEmpty()) return std::nullopt;
        built = built.isEmpty() || built.endsWith('/') ? built + found : built + '/' + found;
        if (i + 1 < parts.size()) {
            if (!dir.cd(found)) return std::nullopt;
        }
    }
    return path_from_qstring(built);
}

std::optional<std::string> find_linked_file(const std::string& stored, const std::string& holder_folder) {
    const std::string p = translate_stored_path(stored);
    if (p.empty()) return std::nullopt;
    auto found = p[0] == '/' || holder_folder.empty()
                     ? find_file_case_blind(p)
                     : find_file_case_blind(
                           path_from_qstring(QDir::cleanPath(path_to_qstring(join_path(holder_folder, p)))));
    // A link names a file: a pipe, a device or a folder of that name is not it.
    if (found && !path_is_readable_file(*found)) return std::nullopt;
    return found;
}

bool path_is_readable_file(const std::string& path) {
    if (!usable(path)) return false;
    // A regular file only: Qt counts pipes and devices as files too.
    struct stat st {};
    return stat_path(path, st) && S_ISREG(st.st_mode) && ::access(path.c_str(), R_OK) == 0;
}

bool path_is_folder(const std::string& path) {
    return usable(path) && QFileInfo(q(path)).isDir();
}

bool set_current_folder(const std::string& path) {
    return !path.empty() && QDir::setCurrent(q(path));
}

bool make_folder(const std::string& path) {
    return QDir().mkpath(q(path));
}

bool copy_file_replacing(const std::string& from, const std::string& to) {
    auto data = read_whole_file(from);
    if (!data) return false;
    return write_file_atomic(to, *data);
}

bool remove_file(const std::string& path) {
    return usable(path) && QFile::remove(q(path));
}

bool rename_file(const std::string& from, const std::string& to) {
    if (!usable(from) || !usable(to)) return false;
    if (QFileInfo::exists(q(to))) QFile::remove(q(to));
    return QFile::rename(q(from), q(to));
}

std::vector<std::string> list_files(const std::string& folder, const std::string& pattern) {
    QDir dir(q(folder.empty() ? "." : folder));
    QRegularExpression re(QRegularExpression::wildcardToRegularExpression(q(pattern)),
                          QRegularExpression::CaseInsensitiveOption);
    std::vector<std::string> out;
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString& e : entries)
        if (re.match(e).hasMatch()) out.push_back(path_from_qstring(e));
    return out;
}

bool equal_ignoring_case(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

std::string folder_of(const std::string& path) {
    auto pos = path.find_last_of('/');
    if (pos == std::string::npos) return {};
    if (pos == 0) return "/";
    return path.substr(0, pos);
}

std::string file_name_of(const std::string& path) {
    auto pos = path.find_last_of('/');
    return pos == std::string::npos ? path : path.substr(pos + 1);
}

std::string without_extension(const std::string& path) {
    std::size_t slash = path.find_last_of("/\\");
    std::size_t dot = path.find_last_of('.');
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) return path.substr(0, dot);
    return path;
}

std::string base_name_of(const std::string& path) {
    return without_extension(file_name_of(path));
}

std::string join_path(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    if (folder.back() == '/') return folder + name;
    return folder + "/" + name;
}

std::string executable_folder() {
    if (QCoreApplication::instance()) return path_from_qstring(QCoreApplication::applicationDirPath());
    return path_from_qstring(QDir::currentPath());
}
