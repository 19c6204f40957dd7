#include "combat_summary_form.h"

#include "data/command_state.h"
#include "data/records.h"
#include "mainwin/forms/form_colour.h"
#include "mainwin/info_panel.h"
#include "platform/main_window_ref.h"
#include "platform/qt_text.h"
#include "play/combat_summary.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QPoint summary_position(-1000, -1000), units_position(-1000, -1000);

QTreeWidget* report_list(QWidget* parent, const char* name,
                         const std::vector<std::pair<const char*, int>>& columns) {
    auto* list = new QTreeWidget(parent);
    list->setObjectName(name);
    list->setRootIsDecorated(false);
    QStringList titles;
    for (const auto& c : columns)
        titles << c.first;
    list->setHeaderLabels(titles);
    for (std::size_t i = 0; i < columns.size(); ++i)
        list->setColumnWidth(static_cast<int>(i), columns[i].second);
    return list;
}

// A piece as the player may know it: name, class, class values, piece values.
QStringList piece_line(std::int32_t p) {
    if (p < 0 || static_cast<std::size_t>(p) >= game->piece_array.size()) return {"Unknown Unit", "", "", ""};
    const piece_struct& piece = game->piece_array[static_cast<std::size_t>(p)];
    const int known = combat_value_visibility(p);
    const bool class_ok =
        piece.class_index >= 0 && static_cast<std::size_t>(piece.class_index) < game->class_array.size();
    QString class_name =
        !class_ok ? QString("Unknown Class")
        : known >= 2
            ? mixed_to_qstring(name_of(game->class_array[static_cast<std::size_t>(piece.class_index)].name))
            : QString("Unknown/Hidden");
    return {known >= 3 ? mixed_to_qstring(name_of(piece.name)) : QString("Unknown"), class_name,
            known >= 2 && class_ok ? mixed_to_qstring(format_class_values(piece.class_index)) : QString(),
            known >= 3 ? mixed_to_qstring(format_piece_values(p)) : QString()};
}

void fill_side(QTreeWidget* list, const std::int32_t* pieces) {
    for (int i = 0; i < combat_list_capacity && pieces[i] != -1; ++i)
        list->addTopLevelItem(new QTreeWidgetItem(piece_line(pieces[i])));
}

} // namespace

combat_summary_form::combat_summary_form(QWidget* parent) : form_base(parent) {
    setObjectName("combat_summary_form");
    setWindowTitle("Combat Information");
    auto* layout = new QVBoxLayout(this);
    auto* label_1 = new QLabel("Combat Summary", this);
    label_1->setObjectName("label_1");
    a_text_ = new QLabel(this);
    a_text_->setObjectName("a_text");
    d_text_ = new QLabel(this);
    d_text_->setObjectName("d_text");
    auto* label_2 = new QLabel("Sums (of Unmodifed Values):", this);
    label_2->setObjectName("label_2");
    list_ = report_list(this, "list", {{"Value", 132}, {"Attacker", 70}, {"Defender", 70}});
    auto* buttons = new QHBoxLayout;
    auto* cb_1 = new QPushButton("OK", this);
    cb_1->setObjectName("cb_1");
    cb_2_ = new QPushButton("Show Pieces", this);
    cb_2_->setObjectName("cb_2");
    buttons->addWidget(cb_1);
    buttons->addWidget(cb_2_);
    for (QWidget* w : std::initializer_list<QWidget*>{label_1, a_text_, d_text_, label_2, list_})
        layout->addWidget(w);
    layout->addLayout(buttons);
    set_event_handlers(this, {{CreateEvent, [this](QObject*, event_data&) {
                                   if (summary_position.x() != -1000) move(summary_position);
                                   apply_form_colour(this);
                                   const combat_summary s = make_combat_summary();
                                   a_text_->setText(mixed_to_qstring(s.attack_text));
                                   d_text_->setText(mixed_to_qstring(s.defend_text));
                                   for (const auto& r : s.rows)
                                       list_->addTopLevelItem(new QTreeWidgetItem(
                                           {mixed_to_qstring(r.name), mixed_to_qstring(r.attacker),
                                            mixed_to_qstring(r.defender)}));
                                   return false;
                               }}});
    set_event_handlers(cb_1, {{ClickEvent, [this](QObject*, event_data&) {
                                   accept();
                                   return true;
                               }}});
    set_event_handlers(cb_2_, {{ClickEvent, [this](QObject*, event_data&) {
                                    show_combat_units_form f(this);
                                    f.create_form();
                                    f.exec();
                                    return true;
                                }}});
}

void combat_summary_form::done(int result) {
    summary_position = pos();
    form_base::done(result);
}

show_combat_units_form::show_combat_units_form(QWidget* parent) : form_base(parent) {
    setObjectName("show_combat_units_form");
    setWindowTitle("Combat Summary");
    auto* layout = new QVBoxLayout(this);
    const std::vector<std::pair<const char*, int>> columns{
        {"Piece", 140}, {"Class", 140}, {"Class Values", 100}, {"Unit Values", 100}};
    auto* a_box = new QGroupBox(" Attacking Pieces ", this);
    auto* d_box = new QGroupBox(" Defending Pieces ", this);
    a_list_ = report_list(a_box, "a_list", columns);
    d_list_ = report_list(d_box, "d_list", columns);
    (new QVBoxLayout(a_box))->addWidget(a_list_);
    (new QVBoxLayout(d_box))->addWidget(d_list_);
    auto* cb_1 = new QPushButton("OK", this);
    cb_1->setObjectName("cb_1");
    layout->addWidget(a_box);
    layout->addWidget(d_box);
    layout->addWidget(cb_1);
    set_event_handlers(this, {{CreateEvent, [this](QObject*, event_data&) {
                                   if (units_position.x() != -1000) move(units_position);
                                   apply_form_colour(this);
                                   fill_side(a_list_, attacker_list);
                                   fill_side(d_list_, defender_list);
                                   return false;
                               }}});
    set_event_handlers(cb_1, {{ClickEvent, [this](QObject*, event_data&) {
                                   accept();
                                   return true;
                               }}});
}

void show_combat_units_form::done(int result) {
    units_position = pos();
    form_base::done(result);
}

void run_combat_summary_form() {
    combat_summary_form f(dialog_parent());
    f.create_form();
    f.exec();
}
