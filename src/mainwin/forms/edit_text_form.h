// One line of text: a new game's name, a pool's or a deck's name ("Edit Name/Text").
#pragma once

#include "platform/form.h"

#include <string>

class QLineEdit;
class QPushButton;

class edit_text_form : public form_base {
    Q_OBJECT
public:
    // An empty caption is "Edit Name/Text", or "Enter New Game Name" while the game has no file.
    edit_text_form(QWidget* parent, const std::string& caption = {});
    QLineEdit* text_box() const { return text_; }
    QPushButton* ok_button() const { return ok_; }
    QPushButton* cancel_button() const { return cancel_; }

private:
    QLineEdit* text_ = nullptr;
    QPushButton *ok_ = nullptr, *cancel_ = nullptr;
};

// Shows form_result_text for editing; the text after OK, or empty when cancelled (form_result_text
// is emptied first, as every caller wants).
std::string run_edit_text_form(const std::string& start_text, const std::string& caption = {});
