// Drives the next modal dialog of a given class once its event loop runs.
#pragma once

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <utility>

// Watches the application for the dialog's own show event, then acts from inside the dialog's
// event loop: no polling, no time limit of its own.
template <class Form> class modal_watcher : public QObject {
public:
    explicit modal_watcher(std::function<void(Form&)> act) : act_(std::move(act)) {
        QApplication::instance()->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (e->type() != QEvent::Show) return false;
        auto* form = qobject_cast<Form*>(watched);
        if (!form) return false;
        QApplication::instance()->removeEventFilter(this);
        QTimer::singleShot(0, form, [target = QPointer<Form>(form), act = act_] {
            if (target) act(*target);
        });
        deleteLater();
        return false;
    }

private:
    std::function<void(Form&)> act_;
};

template <class Form> void when_modal(std::function<void(Form&)> act) {
    new modal_watcher<Form>(std::move(act));
}
