// The eight value boxes shared by the class and piece editors: a name, a value and four type
// options each, in group boxes " <kind> Value 1 " .. 8. They work on a copy of the values.
#pragma once

#include "classes/value_editing.h"
#include "data/records.h"

#include <QObject>

#include <array>
#include <functional>

class QButtonGroup;
class QGridLayout;
class QLineEdit;
class QRadioButton;
class QWidget;
class form_base;

class value_rows : public QObject {
    Q_OBJECT
public:
    // `values` is the copy the handlers change (the Yes/No click, a reset number).
    value_rows(form_base* form, QGridLayout* into, const char* kind, value_bytes* values);

    QLineEdit* name_box(int k) const { return names_[static_cast<std::size_t>(k)]; }
    QLineEdit* value_box(int k) const { return texts_[static_cast<std::size_t>(k)]; }
    // 0 Numeric, 1 Text, 2 Yes/No, 3 Not Used.
    QRadioButton* type_option(int k, int option) const;

    // Shows the names, the values by their types and the type options.
    void show(const value_name (&names)[8], const std::uint8_t (&types)[8]);
    // What the boxes and options hold now.
    value_edit read() const;
    // The texts after a save's adjustments.
    void show_texts(const value_edit& edit);

private:
    void show_value(int k, int type);
    void on_type(int k, int option);
    void on_value_click(int k);

    value_bytes* values_;
    std::array<QLineEdit*, 8> names_{}, texts_{};
    std::array<QButtonGroup*, 8> groups_{};
};
