// Drives the next modal dialog of a given class once its event loop runs.
#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

// Checks every few milliseconds, for at most a few seconds, until the dialog is up.
template <class Form> void when_modal(std::function<void(Form&)> act, int tries = 1000) {
    QTimer::singleShot(5, [act, tries] {
        if (auto* f = qobject_cast<Form*>(QApplication::activeModalWidget())) {
            act(*f);
            return;
        }
        if (tries > 0) when_modal<Form>(act, tries - 1);
    });
}
