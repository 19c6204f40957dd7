#include "get_los_check_values_form.h"

#include "data/los_settings.h"
#include "data/options.h"
#include "los/forms/los_settings_forms.h"
#include "mainwin/forms/form_colour.h"
#include "platform/main_window_ref.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

get_los_check_values_form::get_los_check_values_form(QWidget* parent) : form_base(parent) {
    setObjectName("get_los_check_values_form");
    setWindowTitle("LOS Check");
    auto* layout = new QVBoxLayout(this);
    auto* g1 = new QGroupBox("Type of Check", this);
    g1->setObjectName("groupb_1");
    auto* l1 = new QVBoxLayout(g1);
    single_ = new QRadioButton("Single LOS check (spotter to target)", g1);
    single_->setObjectName("single_check");
    area_ = new QRadioButton("Area LOS check (around the spotter)", g1);
    area_->setObjectName("area_check");
    l1->addWidget(single_);
    l1->addWidget(area_);
    auto* g3 = new QGroupBox("Area", this);
    g3->setObjectName("groupb_3");
    auto* l3 = new QGridLayout(g3);
    direction_ = new QListWidget(g3);
    direction_->setObjectName("direction");
    for (const char* d : {"Up (North)", "Right (East)", "Down (South)", "Left (West)", "All"})
        direction_->addItem(d);
    radius_ = new QSpinBox(g3);
    radius_->setObjectName("radius_ud");
    radius_->setRange(1, 99);
    l3->addWidget(direction_, 0, 0, 2, 1);
    l3->addWidget(new QLabel("Radius (hexes):", g3), 0, 1);
    l3->addWidget(radius_, 1, 1);
    auto* g4 = new QGroupBox("Heights Above Ground", this);
    g4->setObjectName("groupb_4");
    auto* l4 = new QGridLayout(g4);
    spotter_ = new QSpinBox(g4);
    spotter_->setObjectName("spot_agl_ud");
    spotter_->setRange(0, 999);
    target_ = new QSpinBox(g4);
    target_->setObjectName("tgt_agl_ud");
    target_->setRange(0, 999);
    l4->addWidget(new QLabel("Spotter:", g4), 0, 0);
    l4->addWidget(spotter_, 0, 1);
    l4->addWidget(new QLabel("Target:", g4), 1, 0);
    l4->addWidget(target_, 1, 1);
    settings_ = new QPushButton("LOS Characteristics", this);
    settings_->setObjectName("settings_button");
    ok_ = new QPushButton("OK", this);
    ok_->setObjectName("ok_button");
    cancel_ = new QPushButton("Cancel", this);
    cancel_->setObjectName("cancel");
    for (QWidget* w : std::initializer_list<QWidget*>{g1, g3, g4, settings_, ok_, cancel_})
        layout->addWidget(w);

    const los_check_struct& c = los_check;
    direction_->setCurrentRow(std::clamp(c.direction, 1, 5) - 1);
    radius_->setValue(std::clamp(c.radius, 1, 99));
    spotter_->setValue(std::clamp(c.spotter_height, 0, 999));
    target_->setValue(std::clamp(c.target_height, 0, 999));
    set_area(std::abs(c.check_type) == 2);
    connect(single_, &QRadioButton::clicked, this, [this] { set_area(false); });
    connect(area_, &QRadioButton::clicked, this, [this] { set_area(true); });
    set_event_handlers(this, {{CreateEvent, [this](QObject*, event_data&) {
                                   apply_form_colour(this);
                                   return false;
                               }}});
    set_event_handlers(settings_, {{ClickEvent, [this](QObject*, event_data&) {
                                        los_settings_form f(this);
                                        f.create_form();
                                        f.exec();
                                        return true;
                                    }}});
    set_event_handlers(ok_, {{ClickEvent, [this](QObject*, event_data&) {
                                  los_check_struct& check = los_check;
                                  const bool area = area_->isChecked();
                                  check.check_type = area ? 2 : 1;
                                  operation_mode = area ? 8 : 7;
                                  check.direction = direction_->currentRow() + 1;
                                  check.radius = radius_->value();
                                  check.spotter_height = spotter_->value();
                                  check.target_height = target_->value();
                                  accept();
                                  return true;
                              }}});
    set_event_handlers(cancel_, {{ClickEvent, [this](QObject*, event_data&) {
                                      if (los_check.check_type > 0)
                                          los_check.check_type = -los_check.check_type;
                                      reject();
                                      return true;
                                  }}});
}

void get_los_check_values_form::set_area(bool on) {
    single_->setChecked(!on);
    area_->setChecked(on);
    direction_->setEnabled(on);
    radius_->setEnabled(on);
}

void run_get_los_check_values_form() {
    los_check.spotter_hex = -1;
    los_check.target_hex = -1;
    get_los_check_values_form f(dialog_parent());
    f.create_form();
    f.exec();
}
