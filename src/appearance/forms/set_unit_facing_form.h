// The facing dial of one piece ("Set Piece Facing").
#pragma once

#include "platform/form.h"

#include <cstdint>

class QLabel;
class QPushButton;

class facing_dial : public QWidget {
    Q_OBJECT
public:
    facing_dial(QWidget* parent, int grid_type, int kind);
    // The code a point of the dial chooses (the centre square: 0).
    int code_at(int x, int y) const;
    int highlighted() const { return highlighted_; }
    void set_highlighted(int code);

protected:
    void paintEvent(QPaintEvent*) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;

private:
    int grid_, kind_;
    int highlighted_ = 0;
};

class set_unit_facing_form : public form_base {
    Q_OBJECT
public:
    set_unit_facing_form(QWidget* parent, std::int32_t piece);
    facing_dial* frame_1() const { return dial_; }
    QLabel* label_2() const { return style_; }
    QLabel* label_3() const { return current_; }
    QPushButton* ok_button() const { return ok_; }
    QPushButton* cb_1() const { return cancel_; }

private:
    std::int32_t piece_;
    facing_dial* dial_ = nullptr;
    QLabel *style_ = nullptr, *current_ = nullptr;
    QPushButton *ok_ = nullptr, *cancel_ = nullptr;
};

// The dial for a piece; its OK sets the facing and marks the game changed.
void run_set_unit_facing_form(std::int32_t piece);
// Fills facing_dial_hook.
void install_facing_dial_hook();
