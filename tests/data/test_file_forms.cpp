#include "test_support.h"

#include "platform/files.h"

#include "data/board.h"
#include "data/dialog_globals.h"
#include "data/file_forms.h"
#include "data/game_file.h"
#include "mainwin/settings_files.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QTimer>

#include <fcntl.h>
#include <unistd.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace {
using form_fn = std::optional<std::string> (*)(const std::string&);

struct seen_dialog {
    QString object_name, title;
    QStringList filters;
    QString directory;
    bool save = false;
};

// Watches for the real file dialog while a form runs and handles each one as it appears:
// records what it shows, then lets `act` answer it (reject when not given).
class dialog_driver {
public:
    explicit dialog_driver(std::function<void(QFileDialog*)> act = {}) : act_(std::move(act)) {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
        timer_.start();
    }
    ~dialog_driver() { EXPECT_TRUE(unexpected.isEmpty()) << qPrintable(unexpected.join(", ")); }
    std::vector<seen_dialog> seen;
    QStringList unexpected;

private:
    void poll() {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            // Anything else that pops up (a warning of the dialog) would wait for ever: note it, close it.
            auto* other = qobject_cast<QDialog*>(w);
            if (other && other->isVisible() && !qobject_cast<QFileDialog*>(w)) {
                unexpected << other->windowTitle();
                other->reject();
                continue;
            }
            auto* d = qobject_cast<QFileDialog*>(w);
            // A later dialog may take the address of an earlier one: mark each one itself.
            if (!d || !d->isVisible() || d->property("zel_seen").toBool()) continue;
            d->setProperty("zel_seen", true);
            seen.push_back({d->objectName(), d->windowTitle(), d->nameFilters(),
                            d->directory().absolutePath(), d->acceptMode() == QFileDialog::AcceptSave});
            if (act_)
                act_(d);
            else
                d->reject();
        }
    }
    std::function<void(QFileDialog*)> act_;
    QTimer timer_;
};

class file_forms_test : public fresh_game_test {
protected:
    void SetUp() override {
        fresh_game_test::SetUp();
        folder = make_temp_folder();
        default_paths = {};
    }
    void TearDown() override { default_paths = {}; }
    std::string touch(const std::string& name) {
        QFile f(QString::fromStdString(folder + "/" + name));
        f.open(QIODevice::WriteOnly);
        return folder + "/" + name;
    }
    std::string folder;
};

struct form_row {
    const char* name;
    form_fn form;
    const char* title;
    const char* filter;
    bool save;
    bool asks_on_cancel;
};
const form_row forms[] = {
    {"OpenOpsForm", OpenOpsForm, "Select an ZEL Saved Game to Load", "ZEL Saved Games (*.OPS)", false, false},
    {"OpsSaveFileName", OpsSaveFileName, "Save Game File As", "ZEL Saved Games (*.OPS)", true, false},
    {"GetMapFileToLink", GetMapFileToLink, "Select The Map/Game Board To Use With This Game",
     "ZEL Maps/Game Boards (*.MAP)", false, true},
    {"GetSymFileToLink", GetSymFileToLink, "Select The Symbol Set To Use With This Map",
     "ZEL Symbols Sets (*.SET)", false, true},
    {"MapSaveFileName", MapSaveFileName, "Save Map/Board File As", "ZEL Map/Boards (*.MAP)", true, false},
    {"OpenMapForm", OpenMapForm, "Select an ZEL Map/Board to Load", "ZEL Saved Maps (*.MAP)", false, false},
    {"OpenSymForm", OpenSymForm, "Select an ZEL Symbol Set to Load", "ZEL Symbol Sets (*.SET)", false, false},
};

TEST_F(file_forms_test, each_form_shows_the_real_dialog_with_its_title_and_filters) {
    responder.let_choosers_through();
    for (const auto& f : forms) {
        SCOPED_TRACE(f.name);
        responder.clear();
        // The link forms ask before giving up: No shows the dialog again, Yes gives up.
        if (f.asks_on_cancel) responder.answer(box_answer::no).answer(box_answer::yes);
        dialog_driver driver;
        dialog_result = 1;
        load_for_game = true;
        std::optional<std::string> got = f.form(folder + "/start.XYZ");
        EXPECT_FALSE(got.has_value());
        EXPECT_EQ(dialog_result, 0);
        EXPECT_FALSE(load_for_game);
        ASSERT_EQ(driver.seen.size(), f.asks_on_cancel ? 2u : 1u);
        for (const auto& d : driver.seen) {
            EXPECT_EQ(d.object_name.toStdString(), f.name);
            EXPECT_EQ(d.title.toStdString(), f.title);
            EXPECT_EQ(d.filters.join('|').toStdString(), std::string(f.filter) + "|All Files (*.*)");
            EXPECT_EQ(d.save, f.save);
            EXPECT_EQ(QDir(d.directory), QDir(QString::fromStdString(folder)));
        }
        EXPECT_EQ(responder.count("Confirmation", "Really want to cancel file converion?"),
                  f.asks_on_cancel ? 2 : 0);
    }
}

TEST_F(file_forms_test, the_real_dialog_matches_both_letter_cases_and_returns_the_choice) {
    responder.let_choosers_through();
    std::string upper = touch("a.OPS");
    touch("b.ops");
    touch("c.txt");
    QStringList enabled;
    dialog_driver driver([&](QFileDialog* d) {
        // The folder is listed in the background; look until both games are there.
        auto* model = d->findChild<QFileSystemModel*>();
        ASSERT_NE(model, nullptr);
        for (int tries = 0; tries < 400 && enabled.size() < 2; ++tries) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            enabled.clear();
            QModelIndex root = model->index(QString::fromStdString(folder));
            for (int r = 0; r < model->rowCount(root); ++r) {
                QModelIndex i = model->index(r, 0, root);
                if (model->flags(i) & Qt::ItemIsEnabled) enabled << model->fileName(i);
            }
            if (enabled.size() < 2) usleep(5000);
        }
        // Type the name as a user would, then press Open.
        auto* name_edit = d->findChild<QLineEdit*>("fileNameEdit");
        ASSERT_NE(name_edit, nullptr);
        name_edit->setText("a.OPS");
        static_cast<QDialog*>(d)->accept(); // the dialog's own checks run
    });
    std::optional<std::string> got = OpenOpsForm(folder + "/x.OPS");
    enabled.sort();
    EXPECT_EQ(enabled.join(',').toStdString(), "a.OPS,b.ops");
    ASSERT_TRUE(got.has_value());
    EXPECT_EQ(*got, upper);
    EXPECT_EQ(dialog_result, 1);
    EXPECT_TRUE(load_for_game);
}

TEST_F(file_forms_test, the_real_dialog_gives_a_name_outside_the_code_page_as_the_file_system_spells_it) {
    responder.let_choosers_through();
    const std::string games = folder + "/Gry łódź ゲーム 🎲";
    ASSERT_TRUE(make_folder(games));
    dialog_driver driver([&](QFileDialog* d) {
        auto* name_edit = d->findChild<QLineEdit*>("fileNameEdit");
        ASSERT_NE(name_edit, nullptr);
        name_edit->setText(QString::fromUtf8("Bitwa ł.OPS"));
        static_cast<QDialog*>(d)->accept();
    });
    std::optional<std::string> got = OpsSaveFileName(games + "/x.OPS");
    ASSERT_TRUE(got.has_value());
    EXPECT_EQ(*got, games + "/Bitwa ł.OPS");
    ASSERT_EQ(driver.seen.size(), 1u);
    EXPECT_EQ(QDir(driver.seen[0].directory), QDir(QString::fromStdString(games)));
}

TEST_F(file_forms_test, a_game_form_without_a_folder_starts_in_the_default_games_folder) {
    responder.let_choosers_through();
    default_paths.games = folder + "/";
    dialog_driver driver;
    OpenOpsForm("");
    ASSERT_EQ(driver.seen.size(), 1u);
    EXPECT_EQ(QDir(driver.seen[0].directory), QDir(QString::fromStdString(folder)));
}

TEST_F(file_forms_test, choices_are_checked) {
    std::string game = touch("game.OPS");
    std::string set = touch("symbols.SET");
    struct row {
        const char* what;
        form_fn form;
        std::vector<std::optional<std::string>> answers;
        std::optional<std::string> result;
        const char* error_caption; // or null
        const char* error_text;
    };
    const row table[] = {
        {"open a game", OpenOpsForm, {game}, game, nullptr, nullptr},
        {"open a missing game",
         OpenOpsForm,
         {folder + "/none.OPS"},
         std::nullopt,
         "Game File Error",
         "Error Code: File or Path does not exist."},
        {"save without a name asks again",
         OpsSaveFileName,
         {"", folder + "/new"},
         folder + "/new.OPS",
         "Game File Error",
         "Error Code: File or path can not be created."},
        {"save keeps the extension's case",
         OpsSaveFileName,
         {folder + "/new.ops"},
         folder + "/new.ops",
         nullptr,
         nullptr},
        {"save a map", MapSaveFileName, {folder + "/board.txt"}, folder + "/board.MAP", nullptr, nullptr},
        {"link a set by its name", GetSymFileToLink, {folder + "/symbols"}, set, nullptr, nullptr},
        {"link a missing map",
         GetMapFileToLink,
         {folder + "/none.MAP"},
         std::nullopt,
         "Map File Error",
         "Error Code: File or Path does not exist."},
        {"open a missing set",
         OpenSymForm,
         {folder + "/none.SET"},
         std::nullopt,
         "Symbol File Error",
         "Error Code: File or Path does not exist."},
    };
    for (const auto& r : table) {
        SCOPED_TRACE(r.what);
        scripted_responder answers;
        for (const auto& a : r.answers)
            answers.answer_text(a);
        std::optional<std::string> got = r.form(folder + "/old.OPS");
        EXPECT_EQ(got, r.result);
        EXPECT_EQ(dialog_result, r.result ? 1 : 0);
        if (r.error_caption) {
            EXPECT_EQ(answers.count(r.error_caption, r.error_text), 1);
            for (const auto& d : answers.shown()) {
                if (d.caption != r.error_caption) continue;
                EXPECT_EQ(d.icon, box_icon::stop);
                EXPECT_EQ(d.owner, box_owner::none);
            }
        }
        int choosers = 0;
        for (const auto& d : answers.shown())
            choosers += d.kind == "chooser";
        EXPECT_EQ(choosers, static_cast<int>(r.answers.size()));
    }
}

TEST_F(file_forms_test, a_file_held_by_another_program_is_refused_and_the_path_kept) {
    std::string held = touch("held.OPS");
    for (const char* ext : {".MAP", ".SET"})
        touch(std::string("held") + ext);
    std::vector<int> fds;
    for (const char* ext : {".OPS", ".MAP", ".SET"}) {
        int fd = ::open((folder + "/held" + ext).c_str(), O_RDWR);
        ASSERT_GE(fd, 0);
        struct flock lock {};
        lock.l_type = F_WRLCK;
        lock.l_whence = SEEK_SET;
        ASSERT_EQ(::fcntl(fd, F_OFD_SETLK, &lock), 0);
        fds.push_back(fd);
    }
    for (const auto& f : forms) {
        SCOPED_TRACE(f.name);
        std::string ext = std::string(f.filter).substr(std::string(f.filter).find("*.") + 1, 4);
        scripted_responder answers;
        answers.answer_text(folder + "/held" + ext);
        current_game_path = "kept.OPS";
        // The callers' way: store only what the form returns.
        if (auto p = f.form(current_game_path)) current_game_path = *p;
        EXPECT_EQ(current_game_path, "kept.OPS");
        EXPECT_EQ(dialog_result, 0);
        EXPECT_EQ(answers.count("File Sharing Error!", "The selected file is already loaded into ZEL"), 1);
    }
    for (int fd : fds)
        ::close(fd);
    scripted_responder answers;
    answers.answer_text(held);
    EXPECT_EQ(OpenOpsForm(""), held) << "once the lock is gone the file is taken";
}

TEST(with_extension, sets_or_keeps_the_extension) {
    struct row {
        const char* in;
        const char* out;
    };
    const row table[] = {{"/g/x", "/g/x.OPS"},     {"/g/x.ops", "/g/x.ops"}, {"/g/x.txt", "/g/x.OPS"},
                         {"/g.d/x", "/g.d/x.OPS"}, {"x.OPS", "x.OPS"},       {"/g/x.tar.gz", "/g/x.tar.OPS"}};
    for (const auto& r : table)
        EXPECT_EQ(with_extension(r.in, ".OPS"), r.out) << r.in;
}
} // namespace
