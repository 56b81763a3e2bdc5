#include "hardening.h"

#include "data/scrambling.h"
#include "ui/acao.h"
#include "ui/dialogs.h"
#include "platform/errors.h"
#include "support/fixture.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QObject>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

tAula lesson(std::int32_t student, std::int32_t tempo)
{
    tAula a{};
    a.CodAluno = student;
    a.Data = 46000;
    a.Tempo = tempo;
    a.NumExerc = 1;
    return a;
}

QStringList reportsOf(const std::function<void()>& action)
{
    boxseam::clear();
    QObject receiver;
    QMetaObject::invokeMethod(&receiver, [&action] { executaAcao(action); }, Qt::QueuedConnection);
    QCoreApplication::sendPostedEvents(&receiver, QEvent::MetaCall);
    QStringList texts;
    for (const boxseam::Shown& box : boxseam::shown()) {
        if (box.kind == BoxKind::ErrorReport && box.title == kApplicationTitle)
            texts << box.text;
    }
    return texts;
}

QString errorInChild(const std::function<bool()>& prepare, const std::function<void()>& action)
{
    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        return QStringLiteral("(no pipe)");
    const pid_t child = fork();
    if (child == 0) {
        ::close(pipeFds[0]);
        const QByteArray message = prepare() ? errorOf(action).toUtf8() : QByteArray("(not prepared)");
        const bool written = ::write(pipeFds[1], message.constData(), size_t(message.size())) == message.size();
        _exit(written ? 0 : 1);
    }
    ::close(pipeFds[1]);
    QByteArray message;
    char buffer[256];
    ssize_t n;
    while ((n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0)
        message.append(buffer, n);
    ::close(pipeFds[0]);
    int status = 0;
    if (waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return QStringLiteral("(child died)");
    return QString::fromUtf8(message);
}

bool dropRoot()
{
    return geteuid() != 0 || (setgid(65534) == 0 && setuid(65534) == 0);
}

QString fastTemporaryRoot()
{
    const QFileInfo shm(QStringLiteral("/dev/shm"));
    return shm.isDir() && shm.isWritable() ? shm.filePath() : QDir::tempPath();
}

pid_t startWriterProgram(const QString& dir, const std::string& what, long count,
                         const std::vector<std::string>& environment)
{
    const QByteArray folder = QFile::encodeName(dir);
    const std::string howMany = std::to_string(count);
    char* const argv[] = {const_cast<char*>(QUIRAVO_GRAVADOR), const_cast<char*>(folder.constData()),
                          const_cast<char*>(what.c_str()), const_cast<char*>(howMany.c_str()), nullptr};
    std::vector<char*> envp;
    for (char** variable = environ; *variable; ++variable)
        envp.push_back(*variable);
    for (const std::string& variable : environment)
        envp.push_back(const_cast<char*>(variable.c_str()));
    envp.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawn(&pid, QUIRAVO_GRAVADOR, nullptr, nullptr, argv, envp.data()) != 0)
        return -1;
    return pid;
}

int exitCodeOf(pid_t pid)
{
    int status = 0;
    if (waitpid(pid, &status, 0) != pid)
        return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}
