#include "cycle_units_form.h"

#include "data/command_state.h"
#include "data/records.h"
#include "mainwin/forms/form_colour.h"
#include "mainwin/info_panel.h"
#include "platform/main_window_ref.h"
#include "platform/qt_text.h"
#include "players/visibility.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
int remembered_start = 0;
}

cycle_units_form::cycle_units_form(QWidget* parent) : form_base(parent) {
    setObjectName("cycle_units_form");
    setWindowTitle("Cycle Through On-Map Pieces");
    auto* layout = new QVBoxLayout(this);
    auto* start_box = new QGroupBox(" Pick Start Piece ", this);
    start_ = new QListWidget(start_box);
    start_->setObjectName("start_list");
    (new QVBoxLayout(start_box))->addWidget(start_);
    auto* options = new QGroupBox(" Cycle Options ", this);
    auto* grid = new QGridLayout(options);
    not_moved_ = new QCheckBox("Limit to pieces which have not moved.", options);
    not_in_combat_ = new QCheckBox("Limit to pieces that have not been in combat.", options);
    by_player_ = new QCheckBox("Limit to player:", options);
    players_ = new QComboBox(options);
    by_class_ = new QCheckBox("Limit to class:", options);
    classes_ = new QComboBox(options);
    grid->addWidget(not_moved_, 0, 0, 1, 2);
    grid->addWidget(not_in_combat_, 1, 0, 1, 2);
    grid->addWidget(by_player_, 2, 0);
    grid->addWidget(players_, 2, 1);
    grid->addWidget(by_class_, 3, 0);
    grid->addWidget(classes_, 3, 1);
    ok_ = new QPushButton("OK", this);
    cancel_ = new QPushButton("Cancel", this);
    layout->addWidget(start_box);
    layout->addWidget(options);
    layout->addWidget(ok_);
    layout->addWidget(cancel_);

    const cycle_filter& f = remembered_cycle_filter;
    not_moved_->setChecked(f.not_moved);
    not_in_combat_->setChecked(f.not_in_combat);
    const int players = players_in_game();
    for (int p = 0; p < players; ++p)
        players_->addItem(mixed_to_qstring(player_display_name(p)));
    by_player_->setEnabled(players > 0);
    players_->setEnabled(players > 0);
    by_player_->setChecked(players > 0 && f.by_player);
    if (f.player < players) players_->setCurrentIndex(f.player);
    class_order_ = classes_alphabetically();
    for (int c : class_order_)
        classes_->addItem(mixed_to_qstring(name_of(game->class_array[static_cast<std::size_t>(c)].name)));
    const auto at = std::find(class_order_.begin(), class_order_.end(), f.class_index);
    if (at != class_order_.end()) classes_->setCurrentIndex(static_cast<int>(at - class_order_.begin()));
    by_class_->setChecked(f.by_class && at != class_order_.end());
    rebuild();
    if (remembered_start < start_->count()) start_->setCurrentRow(remembered_start);

    set_event_handlers(this, {{CreateEvent, [this](QObject*, event_data&) {
                                   apply_form_colour(this);
                                   return false;
                               }}});
    for (QCheckBox* b : {not_moved_, not_in_combat_, by_player_, by_class_})
        connect(b, &QCheckBox::clicked, this, [this] { rebuild(); });
    connect(players_, &QComboBox::activated, this, [this] {
        by_player_->setChecked(true);
        const cycle_filter now = read();
        if (now.by_class && now.class_index >= 0 &&
            game->class_array[static_cast<std::size_t>(now.class_index)].owner != now.player)
            by_class_->setChecked(false);
        rebuild();
    });
    connect(classes_, &QComboBox::activated, this, [this] {
        by_class_->setChecked(true);
        const cycle_filter now = read();
        if (now.by_player && now.class_index >= 0 &&
            game->class_array[static_cast<std::size_t>(now.class_index)].owner != now.player)
            by_player_->setChecked(false);
        rebuild();
    });
    set_event_handlers(ok_, {{ClickEvent, [this](QObject*, event_data&) {
                                  remembered_cycle_filter = read();
                                  remembered_start = std::max(0, start_->currentRow());
                                  cycle_start = start_->count() > 0 ? std::max(0, start_->currentRow()) : -1;
                                  accept();
                                  return true;
                              }}});
    set_event_handlers(cancel_, {{ClickEvent, [this](QObject*, event_data&) {
                                      cycle_start = -1;
                                      cycle_list[0] = -1;
                                      reject();
                                      return true;
                                  }}});
}

cycle_filter cycle_units_form::read() const {
    cycle_filter f;
    f.not_moved = not_moved_->isChecked();
    f.not_in_combat = not_in_combat_->isChecked();
    f.by_player = by_player_->isChecked();
    f.player = std::max(0, players_->currentIndex());
    const int row = classes_->currentIndex();
    f.class_index = row >= 0 && static_cast<std::size_t>(row) < class_order_.size()
                        ? class_order_[static_cast<std::size_t>(row)]
                        : -1;
    f.by_class = by_class_->isChecked() && f.class_index >= 0;
    return f;
}

void cycle_units_form::rebuild() {
    start_->clear();
    for (std::int32_t p : build_cycle_list(read()))
        start_->addItem(mixed_to_qstring(cycle_line(p)));
}

void install_cycle_form_hooks() {
    cycle_units_form_hook = [] {
        cycle_units_form f(dialog_parent());
        f.create_form();
        if (f.exec() != QDialog::Accepted) {
            cycle_start = -1;
            cycle_list[0] = -1;
        }
    };
}
