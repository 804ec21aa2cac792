// Where a file goes: through links only as the system's rule for shared folders allows.
#include "platform/output_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace tracewell::platform {
namespace {

QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(unreadable)");
}

TEST(OutputFile, ALinkInASharedFolderIsFollowedOnlyIfItsOwnersMayAimIt) {
    constexpr uid_t kOther = 65534;  // nobody
    const uid_t me = geteuid();
    const struct {
        uid_t folderOwner, linkOwner;
        bool followed;
    } rows[] = {{me, kOther, false}, {me, me, true}, {kOther, kOther, true}};
    for (const auto& row : rows) {
        QTemporaryDir dir;
        const QString shared = dir.filePath("shared"), target = dir.filePath("target");
        ASSERT_TRUE(QDir().mkdir(shared));
        ASSERT_EQ(chmod(QFile::encodeName(shared), 01777), 0);  // as /tmp
        QFile(target).open(QIODevice::WriteOnly);
        const QByteArray link = QFile::encodeName(shared + "/plot.png");
        ASSERT_EQ(symlink("../target", link), 0);
        if (lchown(link, row.linkOwner, row.linkOwner) != 0 ||
            chown(QFile::encodeName(shared), row.folderOwner, row.folderOwner) != 0)
            GTEST_SKIP() << "giving a link to another user needs root";
        const QString why = writeFile(link, "picture");
        EXPECT_EQ(why.isEmpty(), row.followed) << why.toStdString();
        EXPECT_EQ(contents(target), row.followed ? "picture" : "") << row.linkOwner;
        EXPECT_TRUE(QFileInfo(QFile::decodeName(link)).isSymLink());
    }
}

}  // namespace
}  // namespace tracewell::platform
