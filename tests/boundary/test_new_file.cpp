// A new file appears complete under its name or not at all, and never replaces what it must not.
#include "boundary/new_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace telvorin::boundary;
using Existing = NewFile::Existing;

TEST(NewFile, PlacedCompleteOrNotAtAll)
{
    enum Before { nothing, regular, link };
    const struct { const char* name; Before before; Existing existing; bool placed; QByteArray after; } cases[] = {
        {"NewName", nothing, Existing::keep, true, "new"},
        {"ExistingFileIsNeverReplaced", regular, Existing::keep, false, "old"},
        {"DanglingLinkIsNeverReplaced", link, Existing::keep, false, ""},
        {"RegularFileReplacedWhenAsked", regular, Existing::replace_regular_file, true, "new"},
        {"LinkKeptEvenWhenAsked", link, Existing::replace_regular_file, false, ""},
    };
    for (const auto& c : cases) {
        QTemporaryDir dir;
        const QByteArray folder = QFile::encodeName(dir.path()), target = folder + "/t";
        QFile old(dir.filePath("t"));
        if (c.before == regular) {
            ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("old") == 3 && old.flush());
        } else if (c.before == link) {
            ASSERT_EQ(::symlink((folder + "/elsewhere").constData(), target.constData()), 0);
        }
        {
            NewFile file(folder, ".tmp-");
            ASSERT_GE(file.fd(), 0);
            ASSERT_EQ(std::fputs("new", file.stream()), 1);
            ASSERT_EQ(file.finish(), 0);
            EXPECT_EQ(file.place(target, c.existing), c.placed) << c.name;
        }
        QFile result(dir.filePath("t"));
        result.open(QIODevice::ReadOnly);
        EXPECT_EQ(result.readAll(), c.after) << c.name;
        // No temporary file is left, and no write went through the link.
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot | QDir::System),
                  QStringList{"t"}) << c.name;
    }
}

TEST(NewFile, ModeIsPrivateUnlessAPlainCreateIsAsked)
{
    QTemporaryDir dir;
    const mode_t mask = ::umask(022);
    for (const auto& [access, mode] : {std::pair{NewFile::Access::owner_only, 0600}, {NewFile::Access::as_plain_create, 0644}}) {
        NewFile file(QFile::encodeName(dir.path()), ".tmp-", access);
        struct stat info {};
        ASSERT_EQ(::fstat(file.fd(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, static_cast<mode_t>(mode));
    }
    ::umask(mask);
}
