#include "app_services.h"
#include "main_window_ref.h"
#include "qt_text.h"

#include <QApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <QThread>
#include <QWidget>

#include <cstdlib>

bool start_program_file(const std::string& path) {
    QFileInfo fi(to_qstring(path));
    if (!fi.isFile()) return false;
    return QProcess::startDetached(fi.absoluteFilePath(), {});
}

void process_pending_events() {
    if (QCoreApplication::instance()) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
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
        while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
}

void exit_program(int code) { std::exit(code); }
