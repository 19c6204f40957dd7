#include "remove_unit_to_form.h"

#include "data/records.h"
#include "data/value_text.h"
#include "mainwin/forms/form_colour.h"
#include "platform/boxes.h"
#include "platform/main_window_ref.h"
#include "platform/qt_text.h"
#include "play/pools.h"
#include "play/removal.h"
#include "players/visibility.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
QRect remembered_geometry;

} // namespace

remove_unit_to_form::remove_unit_to_form(QWidget* parent, std::int32_t piece, bool propose_pool)
    : form_base(parent), piece_(piece), propose_pool_(propose_pool) {
    setObjectName("remove_unit_to_form");
    setWindowTitle("Remove From Board Options");
    auto* layout = new QVBoxLayout(this);
    unit_text_ = new QLabel(this);
    unit_text_->setObjectName("unit_text");
    leave_ = new QRadioButton("Remove piece from the game. ", this);
    leave_->setObjectName("remove_button");
    to_pool_ = new QRadioButton("Remove piece to a force pool (below). ", this);
    to_pool_->setObjectName("place_to_pool_button");
    pools_ = new QListWidget(this);
    pools_->setObjectName("pool_list");
    pieces_ = new QListWidget(this);
    pieces_->setObjectName("piece_list");
    now_ = new QPushButton("Remove Now!", this);
    now_->setObjectName("cb_2");
    cancel_ = new QPushButton("Cancel", this);
    cancel_->setObjectName("cb_1");
    layout->addWidget(unit_text_);
    layout->addWidget(leave_);
    layout->addWidget(to_pool_);
    layout->addWidget(new QLabel("Select force pool:", this));
    layout->addWidget(pools_);
    layout->addWidget(new QLabel("Pieces in selected pool:", this));
    layout->addWidget(pieces_);
    layout->addWidget(now_);
    layout->addWidget(cancel_);
    leave_->setChecked(true);

    set_event_handlers(this, {{CreateEvent, [this](QObject*, event_data&) { return on_created(); }}});
    set_event_handlers(now_, {{ClickEvent, [this](QObject*, event_data&) {
                                   on_remove_now();
                                   return true;
                               }}});
    set_event_handlers(cancel_, {{ClickEvent, [this](QObject*, event_data&) {
                                      reject();
                                      return true;
                                  }}});
    connect(pools_, &QListWidget::currentRowChanged, this, [this] {
        to_pool_->setChecked(true);
        show_pool_pieces();
    });
    connect(leave_, &QRadioButton::clicked, this, [this] {
        pools_->setCurrentRow(-1);
        pools_->setEnabled(false);
        pieces_->setEnabled(false);
        pieces_->clear();
    });
    connect(to_pool_, &QRadioButton::clicked, this, [this] {
        pools_->setEnabled(true);
        pieces_->setEnabled(true);
        if (pools_->currentRow() < 0 && pools_->count() > 0) pools_->setCurrentRow(0);
    });
    connect(pieces_, &QListWidget::itemClicked, this, [this] { pieces_->clearSelection(); });
}

bool remove_unit_to_form::on_created() {
    apply_form_colour(this);
    if (remembered_geometry.isValid()) setGeometry(remembered_geometry);
    unit_text_->setText(mixed_to_qstring(piece_and_class_name(piece_)));
    pool_indices_ = force_pools();
    const std::vector<std::string> rows = pool_row_texts({});
    for (int pool : pool_indices_)
        pools_->addItem(mixed_to_qstring(rows[static_cast<std::size_t>(pool)]));
    if (last_remove_to_pool || propose_pool_) {
        const auto at = std::find(pool_indices_.begin(), pool_indices_.end(), last_remove_pool);
        if (at != pool_indices_.end()) pools_->setCurrentRow(static_cast<int>(at - pool_indices_.begin()));
        to_pool_->setChecked(true);
    }
    return false;
}

void remove_unit_to_form::show_pool_pieces() {
    pieces_->clear();
    const int row = pools_->currentRow();
    if (row < 0 || static_cast<std::size_t>(row) >= pool_indices_.size()) return;
    const int pool = pool_indices_[static_cast<std::size_t>(row)];
    for (std::int32_t piece : known_pool_pieces(pool, {}))
        pieces_->addItem(mixed_to_qstring(format_piece_description(piece)));
}

void remove_unit_to_form::on_remove_now() {
    if (to_pool_->isChecked()) {
        const int row = pools_->currentRow();
        if (row < 0 || static_cast<std::size_t>(row) >= pool_indices_.size()) {
            message_box("No Pool Selected",
                        "Select the force pool the piece goes into, or remove it from the game.",
                        box_buttons::ok, box_icon::exclamation);
            return;
        }
        remove_choice = remove_into_pool;
        remove_pool = last_remove_pool = pool_indices_[static_cast<std::size_t>(row)];
        last_remove_to_pool = 1;
    } else {
        remove_choice = remove_leave_game;
        last_remove_to_pool = 0;
    }
    game_modified = 1;
    answered_ = true;
    accept();
}

void remove_unit_to_form::done(int result) {
    remembered_geometry = geometry();
    // The close box counts as Cancel: nothing is removed unasked.
    if (!answered_) remove_choice = remove_cancelled;
    form_base::done(result);
}

void install_removal_hooks() {
    remove_question_hook = [](std::int32_t piece, bool propose_pool) {
        remove_unit_to_form f(dialog_parent(), piece, propose_pool);
        f.create_form();
        f.exec();
    };
}
