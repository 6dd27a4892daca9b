// Where the recent-file list is kept, and the settings files and entries that it
// must not trust: a FIFO in place of the file, an entry that holds a zero byte.
#include "platform/AfxRes.h"
#include "platform/CRecentFileList.h"
#include "tests/TempDir.h"

#include <QCoreApplication>
#include <QSettings>
#include <QThread>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <functional>
#include <optional>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr const char* kOrganisation = "Local AppWizard-Generated Applications";

// Sets or (with nullopt) unsets an environment variable for a test, and puts it back.
class ScopedVariable {
public:
    ScopedVariable(const char* name, std::optional<std::string> value) : m_name(name)
    {
        if (const char* old = std::getenv(name)) {
            m_old = old;
        }
        Set(value);
    }
    ~ScopedVariable() { Set(m_old); }

private:
    void Set(const std::optional<std::string>& value)
    {
        value ? ::setenv(m_name, value->c_str(), 1) : ::unsetenv(m_name);
    }
    const char* m_name;
    std::optional<std::string> m_old;
};

std::string SettingsFileWith(std::optional<std::string> home, std::optional<std::string> config)
{
    const ScopedVariable homeVariable("HOME", std::move(home));
    const ScopedVariable configVariable("XDG_CONFIG_HOME", std::move(config));
    return AfxGetSettingsFile(kOrganisation, "varno");
}

TEST(RecentFileList, SettingsLieInTheUsersConfigFolderWhateverTheEnvironmentHolds)
{
    // Without HOME the password database knows the user's home; "/.config" would be everyone's.
    const std::string userHome = ::getpwuid(::getuid())->pw_dir;
    const std::string file = "/Local AppWizard-Generated Applications/varno.conf";
    const struct {
        std::optional<std::string> home;
        std::optional<std::string> config;
        std::string folder;
    } cases[] = {
        {"/home/someone", std::nullopt, "/home/someone/.config"},
        {"/home/someone", "/elsewhere", "/elsewhere"},
        {"/home/someone", "relative", "/home/someone/.config"},
        {std::nullopt, std::nullopt, userHome + "/.config"},
        {"", std::nullopt, userHome + "/.config"},
        {std::nullopt, "/elsewhere", "/elsewhere"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SettingsFileWith(c.home, c.config), c.folder + file)
            << "HOME " << c.home.value_or("unset") << ", XDG_CONFIG_HOME " << c.config.value_or("unset");
    }
}

// A real FIFO in place of the settings file: the list is read, changed and written in a thread of its own,
// so that a reader or a writer that hangs in it can be freed and reported.
TEST(RecentFileList, ASettingsFileThatIsAFifoIsNeitherReadNorWritten)
{
    TempDir config;
    const ScopedVariable configVariable("XDG_CONFIG_HOME", config.Path().string());
    std::filesystem::create_directories(config.Path() / kOrganisation);
    const std::string fifo = AfxGetSettingsFile(kOrganisation, "varno");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);

    std::unique_ptr<QThread> user(QThread::create([] {
        CRecentFileList list(ID_FILE_MRU_FILE1, kOrganisation, "varno", 4);
        list.ReadList();
        list.Add("/tmp/c_1251.nls");
    }));
    user->start();
    const bool ended = user->wait(QDeadlineTimer(10000));
    // Opened at both ends, the FIFO frees a reader or a writer that waits in it.
    for (int attempt = 0; attempt < 30 && !user->wait(QDeadlineTimer(1000)); ++attempt) {
        ::close(::open(fifo.c_str(), O_RDWR | O_NONBLOCK));
    }
    EXPECT_TRUE(ended) << "the list hung in the FIFO";
    struct stat status {};
    EXPECT_TRUE(::stat(fifo.c_str(), &status) == 0 && S_ISFIFO(status.st_mode)) << "the FIFO was replaced";
}

TEST(RecentFileList, AnEntryHoldingAZeroByteIsDropped)
{
    TempDir config;
    const ScopedVariable configVariable("XDG_CONFIG_HOME", config.Path().string());
    CRecentFileList list(ID_FILE_MRU_FILE1, kOrganisation, "varno", 4);
    {
        // Shown up to the zero byte, opened as the whole: one name shown, another opened.
        QSettings settings(QString::fromStdString(AfxGetSettingsFile(kOrganisation, "varno")), QSettings::IniFormat);
        settings.setValue("Recent File List/File1", QByteArray("/tmp/a.nls\0/etc/shadow", 22));
        settings.setValue("Recent File List/File2", QString::fromUtf8("/tmp/b.nls\0/etc/shadow", 22));
        settings.setValue("Recent File List/File3", QStringLiteral("/tmp/c.nls"));
    }
    list.ReadList();
    ASSERT_EQ(list.GetCount(), 1);
    EXPECT_EQ(list[0], "/tmp/c.nls");
}

// Each run reads the list, changes it and ends at once, before a delayed write could come: the next run
// reads what the last change left, a removal too.
TEST(RecentFileList, TheNextRunReadsTheLastChange)
{
    TempDir config;
    const ScopedVariable configVariable("XDG_CONFIG_HOME", config.Path().string());
    // The delayed write's timer runs as in the program, though no event comes to fire it.
    int argc = 1;
    char name[] = "varno-test";
    char* argv[] = {name, nullptr};
    std::optional<QCoreApplication> application;
    if (QCoreApplication::instance() == nullptr) {
        application.emplace(argc, argv);
    }
    const struct {
        std::function<void(CRecentFileList&)> change;
        std::vector<std::string> readBack;
    } runs[] = {
        {[](CRecentFileList& list) {
             list.Add("/tmp/a.nls");
             list.Add("/tmp/b.nls");
         },
         {"/tmp/b.nls", "/tmp/a.nls"}},
        {[](CRecentFileList& list) { list.Remove(0); }, {"/tmp/a.nls"}},
    };
    for (const auto& run : runs) {
        {
            CRecentFileList list(ID_FILE_MRU_FILE1, kOrganisation, "varno", 4);
            list.ReadList();
            run.change(list);
        }
        CRecentFileList next(ID_FILE_MRU_FILE1, kOrganisation, "varno", 4);
        next.ReadList();
        std::vector<std::string> read;
        for (int i = 0; i < next.GetCount(); ++i) {
            read.push_back(next[i]);
        }
        EXPECT_EQ(read, run.readBack);
    }
}

} // namespace
