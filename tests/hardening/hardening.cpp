#include "hardening.h"

#include "data/scrambling.h"
#include "ui/acao.h"
#include "ui/dialogs.h"
#include "platform/errors.h"
#include "support/fixture.h"

#include <QCoreApplication>
#include <QObject>
#include <sys/wait.h>
#include <unistd.h>

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
