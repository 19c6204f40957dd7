// The facing sets of the game ("Facing Styles").
#pragma once

#include "platform/form.h"

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;

class facing_options_form : public form_base {
    Q_OBJECT
public:
    explicit facing_options_form(QWidget* parent);
    QComboBox* set_name() const { return name_; }
    QRadioButton* direction_button(int kind) const { return directions_[static_cast<std::size_t>(kind - 1)]; }
    QRadioButton* style_button(int style) const { return styles_[static_cast<std::size_t>(style)]; }
    QComboBox* combo_1() const { return fill_; }
    QComboBox* combo_2() const { return outline_; }
    QSpinBox* updown(int zoom) const { return sizes_[static_cast<std::size_t>(zoom)]; }
    QLabel* zoom_sizes(int zoom) const { return size_texts_[static_cast<std::size_t>(zoom)]; }
    QLabel* preview(int zoom) const { return previews_[static_cast<std::size_t>(zoom)]; }
    QCheckBox* checkbox_1() const { return all_classes_; }
    QPushButton* ok_button() const { return ok_; }
    QPushButton* cb_2() const { return add_new_; }
    QPushButton* cb_3() const { return defaults_; }
    QPushButton* cb_4() const { return exit_; }

private:
    bool on_created();
    void show_set(int index);
    void draw_previews();
    // The set the name box names (ignoring letter case), or -1.
    int named_set() const;
    // Stores the controls into the set of that name, or a new one; -1 when nothing was stored.
    int store(bool ask_before_changing);

    QComboBox *name_ = nullptr, *fill_ = nullptr, *outline_ = nullptr;
    std::array<QRadioButton*, 3> directions_{};
    std::array<QRadioButton*, 5> styles_{};
    std::array<QSpinBox*, 3> sizes_{};
    std::array<QLabel*, 3> size_texts_{}, previews_{};
    QLabel* colour_preview_ = nullptr;
    QCheckBox* all_classes_ = nullptr;
    QPushButton *ok_ = nullptr, *add_new_ = nullptr, *defaults_ = nullptr, *exit_ = nullptr;
};

void run_facing_options_form();
