// The combat summary ("Combat Information") and its list of the pieces ("Combat Summary").
#pragma once

#include "platform/form.h"

class QLabel;
class QPushButton;
class QTreeWidget;

class combat_summary_form : public form_base {
    Q_OBJECT
public:
    explicit combat_summary_form(QWidget* parent);
    QTreeWidget* list() const { return list_; }
    QLabel* a_text() const { return a_text_; }
    QLabel* d_text() const { return d_text_; }
    QPushButton* show_pieces_button() const { return cb_2_; }
    void done(int result) override;

private:
    QTreeWidget* list_ = nullptr;
    QLabel* a_text_ = nullptr;
    QLabel* d_text_ = nullptr;
    QPushButton* cb_2_ = nullptr;
};

class show_combat_units_form : public form_base {
    Q_OBJECT
public:
    explicit show_combat_units_form(QWidget* parent);
    QTreeWidget* a_list() const { return a_list_; }
    QTreeWidget* d_list() const { return d_list_; }
    void done(int result) override;

private:
    QTreeWidget* a_list_ = nullptr;
    QTreeWidget* d_list_ = nullptr;
};

// Shows the summary modally for the current lists.
void run_combat_summary_form();
