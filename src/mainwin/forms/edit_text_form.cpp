#include "edit_text_form.h"

#include "data/dialog_globals.h"
#include "data/game_file.h"
#include "mainwin/forms/form_colour.h"
#include "platform/main_window_ref.h"
#include "platform/qt_text.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

edit_text_form::edit_text_form(QWidget* parent, const std::string& caption) : form_base(parent) {
    setObjectName("edit_text_form");
    setWindowTitle(!caption.empty()            ? mixed_to_qstring(caption)
                   : current_game_path.empty() ? QString("Enter New Game Name")
                                               : QString("Edit Name/Text"));
    auto* layout = new QVBoxLayout(this);
    text_ = new QLineEdit(this);
    text_->setObjectName("text_box");
    layout->addWidget(text_);
    auto* row = new QHBoxLayout;
    ok_ = new QPushButton("OK", this);
    ok_->setObjectName("ok_button");
    ok_->setDefault(true);
    cancel_ = new QPushButton("Cancel", this);
    cancel_->setObjectName("cancel_button");
    row->addWidget(ok_);
    row->addWidget(cancel_);
    layout->addLayout(row);
    set_event_handlers(this, {{CreateEvent, [this](QObject*, event_data&) {
                                   apply_form_colour(this);
                                   text_->setText(to_qstring(form_result_text));
                                   text_->selectAll();
                                   text_->setFocus();
                                   return false;
                               }}});
    set_event_handlers(ok_, {{ClickEvent, [this](QObject*, event_data&) {
                                  form_result_text = from_qstring(text_->text());
                                  accept();
                                  return true;
                              }}});
    set_event_handlers(cancel_, {{ClickEvent, [this](QObject*, event_data&) {
                                      reject();
                                      return true;
                                  }}});
}

std::string run_edit_text_form(const std::string& start_text, const std::string& caption) {
    form_result_text = start_text;
    edit_text_form f(dialog_parent(), caption);
    f.create_form();
    if (f.exec() != QDialog::Accepted) form_result_text.clear();
    return form_result_text;
}
