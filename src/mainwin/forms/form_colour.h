// Every dialog takes the form colour of the preferences as its background.
#pragma once

class QWidget;

void apply_form_colour(QWidget* form);
