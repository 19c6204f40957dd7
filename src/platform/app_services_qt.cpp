#include "app_services.h"
#include "main_window_ref.h"
#include "qt_text.h"

#include <QApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <QSoundEffect>
#include <QUrl>
#include <QThread>
#include <QTimer>
#include <QWidget>

#include <cstdlib>
#include <map>
#include <utility>
#include <vector>

bool start_program_file(const std::string& path) {
    QFileInfo fi(path_to_qstring(path));
    if (!fi.isFile()) return false;
    return QProcess::startDetached(fi.absoluteFilePath(), {});
}

void process_pending_events() {
    if (QCoreApplication::instance()) QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
}

namespace {
int long_operation_depth = 0;
std::vector<std::function<void()>> put_off;

void post_to_event_loop(std::function<void()> work) {
    if (QCoreApplication* app = QCoreApplication::instance())
        QTimer::singleShot(0, app, std::move(work));
    else
        work();
}
} // namespace

long_operation::long_operation() {
    ++long_operation_depth;
}

long_operation::~long_operation() {
    if (--long_operation_depth > 0) return;
    // In the order they came; each may start an operation of its own and be put off again.
    std::vector<std::function<void()>> work = std::exchange(put_off, {});
    for (auto& w : work)
        post_to_event_loop(std::move(w));
}

bool long_operation_running() {
    return long_operation_depth > 0;
}

void after_long_operation(std::function<void()> work) {
    if (long_operation_running())
        put_off.push_back(std::move(work));
    else
        post_to_event_loop(std::move(work));
}

void wait_ms(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        process_pending_events();
        QThread::msleep(5);
    }
}

void show_busy_cursor(bool busy) {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return;
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        while (QApplication::overrideCursor())
            QApplication::restoreOverrideCursor();
}

void exit_program(int code) {
    std::exit(code);
}

namespace {
std::function<void(const std::string&)>& wave_player() {
    static std::function<void(const std::string&)> player;
    return player;
}
} // namespace

void set_wave_player(std::function<void(const std::string& path)> player) {
    wave_player() = std::move(player);
}

void play_wave_file(const std::string& path) {
    if (wave_player()) {
        wave_player()(path);
        return;
    }
    const QString file = path_to_qstring(path);
    if (!QFileInfo(file).isFile() || !QCoreApplication::instance()) return;
    // One effect per sound, kept while the program runs; without an audio device it stays
    // silent, and nothing waits for it.
    static std::map<QString, QSoundEffect*> effects;
    QSoundEffect*& effect = effects[file];
    if (!effect) {
        effect = new QSoundEffect(QCoreApplication::instance());
        effect->setSource(QUrl::fromLocalFile(file));
    }
    effect->play();
}
