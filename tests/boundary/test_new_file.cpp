// A new file appears complete under its name or not at all, and never replaces what it must not.
#include "boundary/new_file.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <tuple>

using namespace telvorin::boundary;
using Existing = NewFile::Existing;

TEST(NewFile, PlacedCompleteOrNotAtAll)
{
    using Access = NewFile::Access;
    enum Before { nothing, regular };
    const struct { const char* name; Before before; Existing existing; Access access; QByteArray after; mode_t mode; } cases[] = {
        {"NewNameOwnerOnly", nothing, Existing::keep, Access::owner_only, "new", 0600},
        {"ExistingFileIsNeverReplaced", regular, Existing::keep, Access::owner_only, "old", 0640},
        {"RegularFileReplacedWhenAskedAsAPlainCreate", regular, Existing::replace_regular_file, Access::as_plain_create, "new", 0644},
    };
    const mode_t mask = ::umask(022);
    for (const auto& c : cases) {
        QTemporaryDir dir;
        const QByteArray folder = QFile::encodeName(dir.path()), target = folder + "/t";
        QFile old(dir.filePath("t"));
        ASSERT_TRUE(c.before != regular || (old.open(QIODevice::WriteOnly) && old.write("old") == 3 && old.flush()
                                            && old.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup)));
        {
            NewFile file(folder, c.access);
            ASSERT_TRUE(file.stream() && std::fputs("new", file.stream()) >= 0 && file.finish() == 0) << c.name;
            EXPECT_EQ(file.place(target, c.existing), c.after == "new") << c.name;
        }
        struct stat info {};
        EXPECT_EQ(::stat(target.constData(), &info) == 0 ? info.st_mode & 07777 : 0, c.mode) << c.name;
        QFile result(dir.filePath("t"));
        EXPECT_EQ(result.open(QIODevice::ReadOnly) ? result.readAll() : "", c.after) << c.name;
        // No temporary file is left.
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot | QDir::System),
                  QStringList{"t"}) << c.name;
    }
    ::umask(mask);
}

TEST(NewFile, UnnamedFileLeavesNoNameBehindAndReadsBackWhatWasWritten)
{
    QTemporaryDir dir;
    const QByteArray folder = QFile::encodeName(dir.path());
    {
        const UniqueFd fd = unnamed_file(folder);
        ASSERT_GE(fd.get(), 0);
        struct stat info {};
        ASSERT_EQ(::fstat(fd.get(), &info), 0);
        EXPECT_EQ(std::tuple(info.st_nlink, info.st_mode & 07777), std::tuple(nlink_t(0), mode_t(0600)));
        char back[4] = {};
        ASSERT_EQ(::write(fd.get(), "abc", 3), 3);
        EXPECT_EQ(::pread(fd.get(), back, 3, 0), 3);
        EXPECT_STREQ(back, "abc");
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
    }
    errno = 0;
    EXPECT_EQ(unnamed_file(folder + "/missing").get(), -1);
    EXPECT_EQ(errno, ENOENT);
}
