#include "choosers.h"
#include "main_window_ref.h"
#include "qt_text.h"
#include "responder.h"

#include <QColorDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QStringList>

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

std::optional<std::string> choose_file(const file_chooser_request& request) {
    auto* r = active_responder();
    if (r && !r->choosers_let_through()) {
        std::string filters;
        for (const auto& f : request.filters) {
            if (!filters.empty()) filters += ';';
            filters += f.pattern;
        }
        return r->take_text({"chooser", request.title, filters, box_buttons::ok_cancel, box_icon::none},
                            std::nullopt);
    }
    QFileDialog dialog(dialog_parent(), mixed_to_qstring(request.title),
                       path_to_qstring(request.start_folder));
    if (!request.name.empty()) dialog.setObjectName(to_qstring(request.name));
    QStringList filters;
    for (const auto& f : request.filters)
        filters << to_qstring(f.description);
    dialog.setNameFilters(filters);
    // Game files were named on a system that ignores letter case: "*.OPS" also finds "x.ops".
    dialog.setFilter(dialog.filter() & ~QDir::CaseSensitive);
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    if (!request.start_name.empty()) dialog.selectFile(path_to_qstring(request.start_name));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return path_from_qstring(dialog.selectedFiles().first());
}

bool chosen_file_is_held_open(const std::string& path, bool for_writing) {
    QByteArray native = QFile::encodeName(path_to_qstring(path));
    int fd = ::open(native.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false; // no such file: nobody holds it
    struct flock probe {};
    probe.l_type = for_writing ? F_WRLCK : F_RDLCK;
    probe.l_whence = SEEK_SET;
    probe.l_start = 0;
    probe.l_len = 0; // the whole file
    bool held = false;
    // Open-file-description locks see the locks of other processes and of other opens in ours.
    if (::fcntl(fd, F_OFD_GETLK, &probe) == 0) held = probe.l_type != F_UNLCK;
    ::close(fd);
    return held;
}

std::optional<std::array<std::uint8_t, 3>> choose_colour(const std::string& title,
                                                         const std::array<std::uint8_t, 3>& start) {
    if (auto* r = active_responder()) {
        auto text = r->take_text({"colour", title, "", box_buttons::ok_cancel, box_icon::none}, std::nullopt);
        if (!text) return std::nullopt;
        int v[3] = {-1, -1, -1};
        char tail = 0;
        if (std::sscanf(text->c_str(), "%d,%d,%d%c", &v[0], &v[1], &v[2], &tail) != 3) return std::nullopt;
        std::array<std::uint8_t, 3> c{};
        for (int i = 0; i < 3; ++i) {
            if (v[i] < 0 || v[i] > 255) return std::nullopt;
            c[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v[i]);
        }
        return c;
    }
    QColor chosen = QColorDialog::getColor(QColor(start[0], start[1], start[2]), dialog_parent(),
                                           to_qstring(title), QColorDialog::DontUseNativeDialog);
    if (!chosen.isValid()) return std::nullopt;
    return std::array<std::uint8_t, 3>{static_cast<std::uint8_t>(chosen.red()),
                                       static_cast<std::uint8_t>(chosen.green()),
                                       static_cast<std::uint8_t>(chosen.blue())};
}
