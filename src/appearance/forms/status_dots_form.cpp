#include "status_dots_form.h"

#include "appearance/status_dots.h"
#include "mainwin/colour_table.h"
#include "mainwin/forms/form_colour.h"
#include "platform/choosers.h"
#include "platform/main_window_ref.h"
#include "platform/qt_text.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

namespace {
constexpr int largest_dot = 60;

bool flag_condition(int condition) {
    return condition >= 1 && condition <= 4;
}
} // namespace

StatusDotsForm::StatusDotsForm(QWidget* parent) : form_base(parent) {
    setObjectName("StatusDotsForm");
    setWindowTitle("Edit Status Dots");
    for (int k = 0; k < 6; ++k) {
        dots_[static_cast<std::size_t>(k)] = game->status_dots[k];
        // A condition no list offers is shown, and kept, as "Not Used".
        if ((dots_[static_cast<std::size_t>(k)].kind & 0x0F) > 6) dots_[static_cast<std::size_t>(k)].kind = 0;
    }
    auto* layout = new QGridLayout(this);
    const char* heads[] = {"", "Type", "Value", "Show (>=)", "Color", "Position", "Size:   Zoom  1 / 2 / 3"};
    for (int c = 0; c < 7; ++c)
        layout->addWidget(new QLabel(heads[c], this), 0, c == 6 ? 6 : c, 1, c == 6 ? 3 : 1);
    for (int k = 0; k < 6; ++k) {
        row& r = rows_[static_cast<std::size_t>(k)];
        const status_dot_struct& d = dots_[static_cast<std::size_t>(k)];
        const int line = k + 1;
        layout->addWidget(new QLabel(QString("Dot #%1:").arg(k + 1), this), line, 0);
        r.type = new QComboBox(this);
        r.type->setObjectName(QString("type_%1").arg(k + 1));
        for (const char* t : status_dot_condition_texts)
            r.type->addItem(t);
        const int stored = d.kind & 0x0F;
        r.type->setCurrentIndex(stored <= 6 ? stored : 0);
        r.value = new QComboBox(this);
        r.value->setObjectName(QString("value_%1").arg(k + 1));
        r.limit = new QSpinBox(this);
        r.limit->setObjectName(QString("limit_%1").arg(k + 1));
        r.colour = new QPushButton(this);
        r.colour->setObjectName(QString("colour_%1").arg(k + 1));
        r.colour->setFixedWidth(40);
        r.position = new QComboBox(this);
        r.position->setObjectName(QString("position_%1").arg(k + 1));
        for (const char* t : status_dot_position_texts)
            r.position->addItem(t);
        r.position->setCurrentIndex(d.position <= 9 ? d.position : 0);
        layout->addWidget(r.type, line, 1);
        layout->addWidget(r.value, line, 2);
        layout->addWidget(r.limit, line, 3);
        layout->addWidget(r.colour, line, 4);
        layout->addWidget(r.position, line, 5);
        for (int z = 0; z < 3; ++z) {
            QSpinBox*& s = r.size[static_cast<std::size_t>(z)];
            s = new QSpinBox(this);
            s->setObjectName(QString("size_%1_%2").arg(k + 1).arg(z + 1));
            s->setRange(0, largest_dot);
            s->setValue(std::min<int>(d.size[z], largest_dot));
            layout->addWidget(s, line, 6 + z);
        }
        fill_values(k);
        show_colour(k);
        connect(r.type, &QComboBox::currentIndexChanged, this, [this, k](int condition) {
            // A new type starts at value 0.
            dots_[static_cast<std::size_t>(k)].kind = static_cast<std::uint8_t>(std::max(0, condition));
            fill_values(k);
        });
        connect(r.value, &QComboBox::currentIndexChanged, this, [this, k](int n) {
            status_dot_struct& dot = dots_[static_cast<std::size_t>(k)];
            const int condition = dot.kind & 0x0F;
            if ((condition == 5 || condition == 6) && n >= 0 && n < 8)
                dot.kind = static_cast<std::uint8_t>(condition | (n << 4));
        });
        connect(r.colour, &QPushButton::clicked, this, [this, k] {
            status_dot_struct& dot = dots_[static_cast<std::size_t>(k)];
            const std::uint8_t* now = colour_table[dot.colour];
            if (auto c = choose_colour("Pick Dot Color (Approximate)", {now[0], now[1], now[2]})) {
                dot.colour = static_cast<std::uint8_t>(nearest_table_colour((*c)[0], (*c)[1], (*c)[2]));
                show_colour(k);
            }
        });
    }
    ok_ = new QPushButton("OK", this);
    ok_->setObjectName("cb_1");
    layout->addWidget(ok_, 7, 8);
    set_event_handlers(this, {{CreateEvent, [this](QObject*, event_data&) {
                                   apply_form_colour(this);
                                   return false;
                               }}});
    set_event_handlers(ok_, {{ClickEvent, [this](QObject*, event_data&) {
                                  for (int k = 0; k < 6; ++k) {
                                      status_dot_struct d = dots_[static_cast<std::size_t>(k)];
                                      const row& r = rows_[static_cast<std::size_t>(k)];
                                      d.limit = r.limit->value();
                                      d.position =
                                          static_cast<std::uint8_t>(std::max(0, r.position->currentIndex()));
                                      for (int z = 0; z < 3; ++z)
                                          d.size[z] = static_cast<std::uint8_t>(
                                              r.size[static_cast<std::size_t>(z)]->value());
                                      game->status_dots[k] = d;
                                  }
                                  game_modified = 1;
                                  accept();
                                  return true;
                              }}});
}

void StatusDotsForm::fill_values(int k) {
    row& r = rows_[static_cast<std::size_t>(k)];
    status_dot_struct& d = dots_[static_cast<std::size_t>(k)];
    const int condition = d.kind & 0x0F;
    const QSignalBlocker quiet(r.value);
    r.value->clear();
    if (condition == 5 || condition == 6) {
        const auto& names = condition == 5 ? game->class_value_names : game->piece_value_names;
        for (const auto& n : names) {
            const std::string name = name_of(n);
            r.value->addItem(name.empty() ? QString("Value Not Named") : to_qstring(name));
        }
        const int n = d.kind >> 4;
        r.value->setCurrentIndex(n < 8 ? n : 0);
    } else {
        r.value->addItem("N/A");
    }
    if (flag_condition(condition)) {
        r.limit->setRange(0, 1);
        r.limit->setValue(d.limit != 0 ? 1 : 0);
    } else {
        r.limit->setRange(0, 32000);
        r.limit->setValue(std::clamp<std::int32_t>(d.limit, 0, 32000));
    }
}

void StatusDotsForm::show_colour(int k) {
    const std::uint8_t* c = colour_table[dots_[static_cast<std::size_t>(k)].colour];
    rows_[static_cast<std::size_t>(k)].colour->setStyleSheet(
        QString("background-color: rgb(%1, %2, %3);").arg(c[0]).arg(c[1]).arg(c[2]));
}

void run_status_dots_form() {
    StatusDotsForm f(dialog_parent());
    f.create_form();
    f.exec();
}
