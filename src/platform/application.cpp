#include "application.h"
#include "qt_text.h"

#include <QApplication>

#include <csignal>

void application_base::on_run() {
    set_exit_code(run_message_loop());
}

int run_message_loop() {
    return QApplication::exec();
}

int run_application(int argc, char** argv, application_base& app) {
    // A file-size limit makes a write fail (and the save report it) instead of ending the program.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication qt_app(argc, argv);
    std::string line;
    for (int i = 1; i < argc; ++i) {
        if (!line.empty()) line += ' ';
        line += from_qstring(QString::fromLocal8Bit(argv[i]));
    }
    app.set_command_line(line);
    app.on_start();
    if (!app.quit_requested()) {
        int code = app.exit_code();
        app.on_run();
        if (code != 0) app.set_exit_code(code);
    }
    app.on_end();
    return app.exit_code();
}
