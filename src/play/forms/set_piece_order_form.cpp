#include "set_piece_order_form.h"

#include "data/hex_geometry.h"
#include "mainwin/forms/form_colour.h"
#include "platform/main_window_ref.h"
#include "platform/qt_text.h"
#include "play/piece_actions.h"
#include "play/piece_order.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

set_piece_order_form::set_piece_order_form(QWidget* parent, std::int32_t hex) : form_base(parent), hex_(hex) {
    setObjectName("set_piece_order_form");
    setWindowTitle(mixed_to_qstring("Sorting Pieces: Location " + hex_coordinate_label(hex)));
    auto* layout = new QGridLayout(this);
    old_ = new QListWidget(this);
    old_->setObjectName("oldlist");
    new_ = new QListWidget(this);
    new_->setObjectName("newlist");
    layout->addWidget(new QLabel("Current Piece Order", this), 0, 0);
    layout->addWidget(new QLabel("New Piece Order", this), 0, 1);
    layout->addWidget(old_, 1, 0);
    layout->addWidget(new_, 1, 1);
    layout->addWidget(new QLabel("Double Click to move a piece to next open position new order.", this), 2,
                      0);
    layout->addWidget(new QLabel("Double Click to return piece to the Current (unsorted) order list.", this),
                      2, 1);
    layout->addWidget(
        new QLabel("Pieces left unselected fill the open positions in their current order; \"<DOT> \" "
                   "marks a piece drawn on top.",
                   this),
        3, 0, 1, 2);
    save_ = new QPushButton("Save New Order", this);
    save_->setObjectName("save_button");
    cancel_ = new QPushButton("Cancel", this);
    cancel_->setObjectName("cancel");
    layout->addWidget(save_, 4, 0);
    layout->addWidget(cancel_, 4, 1);
    old_order_ = pieces_to_order(hex);
    places_ = old_order_.size();
    show_lists();
    set_event_handlers(this, {{CreateEvent, [this](QObject*, event_data&) {
                                   apply_form_colour(this);
                                   return false;
                               }}});
    set_event_handlers(save_, {{ClickEvent, [this](QObject*, event_data&) {
                                    // What was not placed fills the open places in its current order.
                                    std::vector<int> order = new_order_;
                                    order.insert(order.end(), old_order_.begin(), old_order_.end());
                                    save_new_piece_order(order);
                                    accept();
                                    return true;
                                }}});
    set_event_handlers(cancel_, {{ClickEvent, [this](QObject*, event_data&) {
                                      reject();
                                      return true;
                                  }}});
    connect(old_, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* i) { take_into_new(old_->row(i)); });
    connect(new_, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* i) { give_back(new_->row(i)); });
}

void set_piece_order_form::take_into_new(int row) {
    if (row < 0 || static_cast<std::size_t>(row) >= old_order_.size()) return;
    new_order_.push_back(old_order_[static_cast<std::size_t>(row)]);
    old_order_.erase(old_order_.begin() + row);
    show_lists(static_cast<int>(new_order_.size()) - 1);
}

void set_piece_order_form::give_back(int row) {
    if (row < 0 || static_cast<std::size_t>(row) >= new_order_.size()) return;
    old_order_.push_back(new_order_[static_cast<std::size_t>(row)]);
    new_order_.erase(new_order_.begin() + row);
    show_lists();
}

void set_piece_order_form::show_lists(int filled) {
    old_->clear();
    for (int p : old_order_)
        old_->addItem(mixed_to_qstring(piece_order_line(p)));
    new_->clear();
    for (int p : new_order_)
        new_->addItem(mixed_to_qstring(piece_order_line(p)));
    for (std::size_t i = new_order_.size(); i < places_; ++i)
        new_->addItem(i == new_order_.size() ? "** PLACE PIECE HERE **" : "Open");
    if (filled >= 0)
        new_->scrollToItem(new_->item(std::max(0, filled >= 7 ? filled - 6 : 0)),
                           QAbstractItemView::PositionAtTop);
}

void install_piece_order_hooks() {
    piece_order_form_hook = [](std::int32_t hex) {
        set_piece_order_form f(dialog_parent(), hex);
        f.create_form();
        f.exec();
    };
}
