#include "form_colour.h"

#include "mainwin/settings_files.h"

#include <QPalette>
#include <QWidget>

void apply_form_colour(QWidget* form) {
    QPalette pal = form->palette();
    pal.setColor(QPalette::Window,
                 QColor(preferences.form_colour[0], preferences.form_colour[1], preferences.form_colour[2]));
    form->setPalette(pal);
    form->setAutoFillBackground(true);
}
