#include "app_services.h"
#include "form.h"
#include "main_window_ref.h"
#include "progress.h"
#include "qt_text.h"
#include "responder.h"

#include <QFont>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

#include <algorithm>

namespace {
std::vector<progress_log_entry> log_entries;

// The log is for tests; in a long run of the program it keeps only the recent entries.
void log_push(progress_log_entry e) {
    constexpr std::size_t keep = 1000;
    if (log_entries.size() >= keep) log_entries.erase(log_entries.begin(), log_entries.begin() + keep / 2);
    log_entries.push_back(std::move(e));
}

// The modeless form "prog_bar": its text line `label_1` above the bar `bar`.
class prog_bar : public form_base {
public:
    explicit prog_bar(QWidget* parent) : form_base(parent) {
        setObjectName("prog_bar");
        setModal(false);
        QFont caption_font(QStringLiteral("Times New Roman"), 12);
        caption_font.setBold(true);
        setFont(caption_font);
        auto* layout = new QVBoxLayout(this);
        label_1 = new QLabel(this);
        label_1->setObjectName("label_1");
        QFont label_font(QStringLiteral("MS Sans Serif"), 8);
        label_font.setBold(true);
        label_1->setFont(label_font);
        label_1->setMinimumWidth(320);
        bar = new QProgressBar(this);
        bar->setObjectName("bar");
        bar->setTextVisible(false);
        layout->addWidget(label_1);
        layout->addWidget(bar);
        // A close request only hides the window: the operation it shows goes on.
        set_event_handlers(this, {{CloseEvent,
                                   [this](QObject*, event_data&) {
                                       hide();
                                       return true;
                                   }},
                                  {NullEvent, nullptr}});
        create_form();
    }
    void reject() override { hide(); }

    QLabel* label_1 = nullptr;
    QProgressBar* bar = nullptr;
};
} // namespace

const std::vector<progress_log_entry>& progress_log() {
    return log_entries;
}
void clear_progress_log() {
    log_entries.clear();
}

struct progress_window::impl {
    prog_bar* form = nullptr;
};

progress_window::progress_window() : impl_(std::make_unique<impl>()) {}
progress_window::~progress_window() {
    close();
}

void progress_window::open(const std::string& caption, const std::string& label) {
    close();
    open_ = true;
    caption_ = caption;
    label_ = label;
    minimum_ = 0;
    maximum_ = 100;
    position_ = 0;
    log_push({caption_, label_, 0});
    // Nothing on screen under a scripted test; the events are let through all the same.
    if (!active_responder()) {
        impl_->form = new prog_bar(dialog_parent());
        impl_->form->setWindowTitle(mixed_to_qstring(caption));
        impl_->form->label_1->setText(mixed_to_qstring(label));
        impl_->form->bar->setRange(minimum_, maximum_);
        impl_->form->bar->setValue(position_);
        impl_->form->show();
    }
    process_pending_events();
}

void progress_window::set_caption(const std::string& caption) {
    caption_ = caption;
    if (impl_->form) impl_->form->setWindowTitle(mixed_to_qstring(caption));
    process_pending_events();
}

void progress_window::set_label(const std::string& label) {
    label_ = label;
    if (open_) log_push({caption_, label_, position_});
    if (impl_->form) impl_->form->label_1->setText(mixed_to_qstring(label));
    process_pending_events();
}

void progress_window::set_range(int minimum, int maximum) {
    minimum_ = minimum;
    maximum_ = std::max(minimum, maximum);
    if (impl_->form) impl_->form->bar->setRange(minimum_, maximum_);
    set_position(position_);
}

void progress_window::set_position(int position) {
    position_ = std::clamp(position, minimum_, maximum_);
    if (open_ && !log_entries.empty()) log_entries.back().position = position_;
    if (impl_->form) impl_->form->bar->setValue(position_);
    process_pending_events();
}

void progress_window::step(int by) {
    long long next = static_cast<long long>(position_) + by;
    set_position(static_cast<int>(std::clamp<long long>(next, minimum_, maximum_)));
}

void progress_window::close() {
    if (impl_ && impl_->form) {
        delete impl_->form; // takes its label and bar with it
        impl_->form = nullptr;
    }
    open_ = false;
}
