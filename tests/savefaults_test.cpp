#include "appstate.h"
#include "commandid.h"
#include "mainloop.h"
#include "mainwindow.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <ostream>
#include <string>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

// Readable failure messages.
void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {

const QString failedSentence =
    QStringLiteral("Auswertung konnte nicht in Datei 'mc_result.txt' gespeichert werden.\n");
const std::string earlierReport = "an earlier report\r\n";

std::string readFile(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void writeFile(const fs::path &path, const std::string &bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

// Everything in a folder, names and bytes: a failed save must change nothing in it.
// Large files are kept as size and hash, so that a failure stays readable.
std::map<std::string, std::string> snapshot(const fs::path &folder)
{
    std::map<std::string, std::string> entries;
    std::error_code error;
    for (fs::recursive_directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        std::string content = it->is_directory() ? std::string("<folder>") : readFile(it->path());
        if (content.size() > 256)
            content = "<" + std::to_string(content.size()) + " bytes, hash "
                + std::to_string(std::hash<std::string>{}(content)) + ">";
        entries[fs::relative(it->path(), folder).string()] = content;
    }
    return entries;
}

// Answers every message box that comes up while it lives: records it, presses OK.
class BoxAnswerer
{
public:
    struct Box
    {
        QString caption, text;
        QMessageBox::Icon icon;
    };
    BoxAnswerer()
    {
        m_timer.callOnTimeout([this] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            boxes.push_back({box->windowTitle(), box->text(), box->icon()});
            box->button(QMessageBox::Ok)->click();
        });
        m_timer.start(0);
    }
    std::vector<Box> boxes;

private:
    QTimer m_timer;
};

// A program in the middle of a run, saving into folders of its own under /tmp.
class SaveFault : public ::testing::Test
{
protected:
    void SetUp() override
    {
        window = std::make_unique<MainWindow>(state, QSize(1024, 768));
        loop = std::make_unique<MainLoop>(state, *window);
        previous = fs::current_path();
        char pattern[] = "/tmp/mc-savefault-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr) << std::strerror(errno);
        base = pattern;
        window->command(IdStart);
        for (int i = 0; i < 3; ++i)
            loop->pass();
    }
    void TearDown() override
    {
        fs::current_path(previous);
        if (!mountPoint.empty() && ::umount2(mountPoint.c_str(), 0) != 0)
            ::umount2(mountPoint.c_str(), MNT_DETACH);
        // Undo the protections so that everything can be removed.
        std::error_code error;
        for (fs::recursive_directory_iterator it(base, error), end; !error && it != end;
             it.increment(error))
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, error);
        fs::permissions(base, fs::perms::owner_all, fs::perm_options::add, error);
        fs::remove_all(base, error);
    }

    fs::path enterFreshFolder(const char *name)
    {
        const fs::path folder = base / name;
        fs::create_directory(folder);
        fs::current_path(folder);
        return folder;
    }

    std::vector<BoxAnswerer::Box> save()
    {
        BoxAnswerer answerer;
        window->command(IdSaveResult);
        return answerer.boxes;
    }

    // One warning naming the reason, no confirmation, nothing in the folder
    // changed, and the run goes on.
    void expectFailedSave(const fs::path &folder, const char *reasonWord)
    {
        const auto before = snapshot(folder);
        const double shots = state.simulation.shots();
        const auto boxes = save();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].caption, QStringLiteral("Fehler: Speichern"));
        EXPECT_EQ(boxes[0].icon, QMessageBox::Warning);
        EXPECT_TRUE(boxes[0].text.startsWith(failedSentence)) << boxes[0].text.toStdString();
        const QString reason = boxes[0].text.mid(failedSentence.size());
        EXPECT_TRUE(reason.contains(QString::fromUtf8(reasonWord))) << reason.toStdString();
        EXPECT_TRUE(reason.endsWith(u'.')) << reason.toStdString();
        EXPECT_EQ(snapshot(folder), before);

        EXPECT_TRUE(state.simulation.running());
        loop->pass();
        EXPECT_EQ(state.simulation.shots(), shots + 1);
    }

    // Once the fault is gone, the same program saves again and confirms.
    void expectSaveWorks()
    {
        const Body &body = state.body;
        const Simulation &simulation = state.simulation;
        const std::string expected = ResultReport::compose(
            body.radius(), body.dimensions(), body.volume(), simulation.shots(), simulation.hits(),
            simulation.hitRatio(), simulation.variance(), state.pi.value());
        const auto boxes = save();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].caption, QStringLiteral("Ergebnis gespeichert."));
        EXPECT_EQ(readFile(ResultReport::fileName), expected);
    }

    AppState state;
    std::unique_ptr<MainWindow> window;
    std::unique_ptr<MainLoop> loop;
    fs::path previous, base, mountPoint;
};

// Root writes into any folder: ctest runs this case again as user nobody.
TEST_F(SaveFault, UnwritableFolder)
{
    // A report the user may write is written in place, where no replace is allowed.
    const struct { const char *name; int reportMode; const char *reasonWord; } rows[] = {
        {"no report yet", 0, "Keine Schreibberechtigung"},
        {"read-only report in it", 0444, "schreibgeschützt"},
        {"writable report in it", 0644, nullptr},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        const fs::path folder = enterFreshFolder(row.name);
        if (row.reportMode) {
            writeFile(ResultReport::fileName, earlierReport);
            fs::permissions(ResultReport::fileName, fs::perms(row.reportMode));
        }
        fs::permissions(folder, fs::perms(0555));
        if (::access(".", W_OK) == 0)
            GTEST_SKIP() << "folder permissions do not stop this user (root?); ctest runs this "
                            "case as user nobody in savefault.UnwritableFolderAsNobody";
        if (row.reasonWord) {
            expectFailedSave(folder, row.reasonWord);
            fs::permissions(folder, fs::perms(0755));
            if (row.reportMode)
                fs::permissions(ResultReport::fileName, fs::perms(0644));
        }
        expectSaveWorks();
    }
}

// The sticky /tmp lets nobody replace root's file, but the file itself is writable.
TEST_F(SaveFault, OtherUsersFileInStickyFolder)
{
    if (::getuid() != 0)
        GTEST_SKIP() << "needs root to hand a file to another user";
    const fs::path folder = enterFreshFolder("sticky");
    writeFile(ResultReport::fileName, earlierReport);
    fs::permissions(ResultReport::fileName, fs::perms(0666));
    fs::permissions(folder, fs::perms(01777));
    ASSERT_TRUE(::setegid(65534) == 0 && ::seteuid(65534) == 0) << std::strerror(errno);
    expectSaveWorks();
    ASSERT_TRUE(::seteuid(0) == 0 && ::setegid(0) == 0) << std::strerror(errno);
    EXPECT_EQ(snapshot(folder).size(), 1u); // no temporary file left
}

// The link stays and its final target gets the report; relative links count from
// their own folder.
TEST_F(SaveFault, ThroughSymbolicLinks)
{
    const struct { const char *name, *linkTo; bool targetExists; } rows[] = {
        {"relative", "sub/report.txt", true}, {"chained", "sub/hop", true},
        {"absolute", "absolute", true}, {"dangling", "sub/report.txt", false}};
    for (const auto &[name, linkTo, targetExists] : rows) {
        SCOPED_TRACE(name);
        const fs::path folder = enterFreshFolder(name);
        fs::create_directory("sub");
        if (targetExists)
            writeFile("sub/report.txt", earlierReport);
        fs::create_symlink("report.txt", "sub/hop");
        fs::create_symlink(folder / "sub/report.txt", "absolute");
        fs::create_symlink(linkTo, ResultReport::fileName);
        expectSaveWorks();
        EXPECT_EQ(fs::read_symlink(ResultReport::fileName), linkTo);
        EXPECT_EQ(std::distance(fs::recursive_directory_iterator(folder), {}), 5); // no temporary file
    }
}

TEST_F(SaveFault, SomethingInTheWay)
{
    struct Row
    {
        const char *name;
        void (*prepare)(const fs::path &folder);
        const char *reasonWord;
        void (*repair)(const fs::path &folder);
    };
    const Row rows[] = {
        {"read-only report",
         [](const fs::path &) {
             writeFile(ResultReport::fileName, earlierReport);
             fs::permissions(ResultReport::fileName, fs::perms(0444));
         },
         "schreibgeschützt",
         [](const fs::path &) { fs::permissions(ResultReport::fileName, fs::perms(0644)); }},
        {"folder under the report's name",
         [](const fs::path &) {
             fs::create_directory(ResultReport::fileName);
             writeFile(fs::path(ResultReport::fileName) / "inside.txt", earlierReport);
         },
         "Ordner", [](const fs::path &) { fs::remove_all(ResultReport::fileName); }},
        {"working folder removed", [](const fs::path &folder) { fs::remove_all(folder); },
         "nicht mehr vorhanden",
         [](const fs::path &folder) {
             fs::create_directory(folder);
             fs::current_path(folder);
         }},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const fs::path folder = enterFreshFolder(row.name);
        row.prepare(folder);
        expectFailedSave(folder, row.reasonWord);
        row.repair(folder);
        expectSaveWorks();
    }
}

TEST_F(SaveFault, FullFileSystem)
{
    const fs::path folder = enterFreshFolder("full");
    if (::mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=16k") != 0)
        GTEST_SKIP() << "cannot mount a small tmpfs to fill (" << std::strerror(errno)
                     << "): needs root with CAP_SYS_ADMIN";
    mountPoint = folder;
    fs::current_path(folder); // into the mounted file system
    writeFile(ResultReport::fileName, earlierReport);

    const int fd = ::open("filler", O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0) << std::strerror(errno);
    const std::string block(4096, 'x');
    int error = 0;
    for (int i = 0; i < 64 && error == 0; ++i)
        if (::write(fd, block.data(), block.size()) < 0)
            error = errno;
    ::close(fd);
    ASSERT_EQ(error, ENOSPC) << "the 16 KiB file system did not fill up";

    expectFailedSave(folder, "voll");
    fs::remove("filler");
    expectSaveWorks();
}

} // namespace
