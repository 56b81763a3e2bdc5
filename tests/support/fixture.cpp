#include "fixture.h"

#include "platform/clock.h"
#include "ui/dialogs.h"
#include "platform/errors.h"
#include "platform/preferences.h"
#include "platform/recordfile.h"
#include "platform/sharedlock.h"
#include "platform/system.h"
#include "support/somgravado.h"

#include <QFile>
#include <sys/wait.h>
#include <unistd.h>

void clearSeams()
{
    boxseam::clear();
    systemseam::clear();
    systemseam::setDisplayWidth(1280);
    clockseam::reset();
    fileseam::clear();
    lockseam::clear();
    recordedsound::clear();
    preferencesseam::install();
}

void InTempDir::SetUp()
{
    ASSERT_TRUE(dir_.isValid());
    previous_ = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir_.path()));
    clearSeams();
}

void InTempDir::TearDown()
{
    clearSeams();
    QDir::setCurrent(previous_);
}

QByteArray readFile(const QString& name)
{
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void writeFile(const QString& name, const QByteArray& bytes)
{
    QFile file(name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QString errorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const AppError& e) {
        return e.message();
    }
    return QStringLiteral("(no error)");
}

int accessDeniedAsUnprivilegedUser(const QString& file, const std::function<void()>& action)
{
    // the unprivileged user must reach the directory, or every open fails
    QFile::setPermissions(QStringLiteral("."), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                   QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                                   QFileDevice::ExeOther);
    // the file belongs to the unprivileged user, so only its protection refuses the write
    const bool asRoot = geteuid() == 0;
    if (asRoot && chown(QFile::encodeName(file).constData(), 65534, 65534) != 0)
        return 2;
    QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::ReadOther);
    const pid_t child = fork();
    if (child == 0) {
        if (asRoot && (setgid(65534) != 0 || setuid(65534) != 0))
            _exit(2);
        if (!fileExists(file))
            _exit(3);
        _exit(errorOf(action) == QStringLiteral("File access denied") ? 0 : 1);
    }
    int status = 0;
    if (waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}
