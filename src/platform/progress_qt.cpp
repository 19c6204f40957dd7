#include "progress.h"
#include "app_services.h"
#include "main_window_ref.h"
#include "qt_text.h"
#include "responder.h"

#include <QDialog>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace {
std::vector<progress_log_entry> log_entries;
}

const std::vector<progress_log_entry>& progress_log() { return log_entries; }
void clear_progress_log() { log_entries.clear(); }

struct progress_window::impl {
    QDialog* dialog = nullptr;
    QLabel* label = nullptr;
    QProgressBar* bar = nullptr;
};

progress_window::progress_window() : impl_(std::make_unique<impl>()) {}
progress_window::~progress_window() { close(); }

void progress_window::open(const std::string& caption, const std::string& label) {
    close();
    open_ = true;
    caption_ = caption;
    label_ = label;
    position_ = 0;
    log_entries.push_back({caption_, label_, 0});
    if (active_responder()) return; // nothing on screen under a scripted test
    impl_->dialog = new QDialog(dialog_parent());
    impl_->dialog->setObjectName("prog_bar");
    impl_->dialog->setWindowTitle(to_qstring(caption));
    auto* layout = new QVBoxLayout(impl_->dialog);
    impl_->label = new QLabel(to_qstring(label), impl_->dialog);
    impl_->label->setObjectName("label_1");
    impl_->bar = new QProgressBar(impl_->dialog);
    impl_->bar->setObjectName("bar_1");
    impl_->bar->setRange(0, 100);
    layout->addWidget(impl_->label);
    layout->addWidget(impl_->bar);
    impl_->dialog->setModal(false);
    impl_->dialog->show();
    process_pending_events();
}

void progress_window::set_label(const std::string& label) {
    label_ = label;
    if (!log_entries.empty()) log_entries.push_back({caption_, label_, position_});
    if (impl_->label) impl_->label->setText(to_qstring(label));
    process_pending_events();
}

void progress_window::set_position(int percent) {
    position_ = percent < 0 ? 0 : percent > 100 ? 100 : percent;
    if (!log_entries.empty()) log_entries.back().position = position_;
    if (impl_->bar) impl_->bar->setValue(position_);
    process_pending_events();
}

void progress_window::close() {
    if (impl_ && impl_->dialog) {
        impl_->dialog->close();
        delete impl_->dialog;
        impl_->dialog = nullptr;
        impl_->label = nullptr;
        impl_->bar = nullptr;
    }
    open_ = false;
}
