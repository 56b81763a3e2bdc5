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

tExercicio storedExercise(std::uint8_t n)
{
    tExercicio e{};
    e.Chave.set(kChave);
    e.Numero = n;
    e.Linha1.set(Embaralha("linha " + QByteArray::number(n), kChave));
    for (TextField<100>* line : {&e.Linha2, &e.Linha3, &e.Linha4})
        line->set(kMarcaTextoVazio);
    e.Instrucao.set(kMarcaTextoVazio);
    e.LinhasExigidas = 3;
    return e;
}

tAluno storedStudent(std::int32_t codigo)
{
    tAluno a{};
    a.Chave.set(kChave);
    a.Codigo = codigo;
    a.Nome.set(Embaralha("Aluno " + QByteArray::number(codigo), kChave));
    a.Senha.set(Embaralha("==", kChave));
    a.EMail.set(kMarcaTextoVazio);
    a.Periodo.set("1");
    return a;
}

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
