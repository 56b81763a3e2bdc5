#include "fixture_aula.h"

#include "ui/uAjusta.h"
#include "course/aula.h"
#include "platform/clock.h"
#include "support/somgravado.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

tExercicio umExercicio(std::uint8_t numero, std::initializer_list<QByteArray> linhas, int exigidas,
                       int toques)
{
    tExercicio exercicio;
    clearRecord(exercicio);
    exercicio.Numero = numero;
    TextField<100>* campos[] = {&exercicio.Linha1, &exercicio.Linha2, &exercicio.Linha3,
                                &exercicio.Linha4};
    int k = 0;
    for (const QByteArray& linha : linhas)
        campos[k++]->set(linha);
    exercicio.Instrucao.set("Copie as linhas");
    exercicio.NumToques = toques;
    exercicio.LinhasExigidas = std::uint8_t(exigidas);
    return exercicio;
}

QDateTime as(int hora, int minuto, int segundo, int ms)
{
    return QDateTime(QDate(2026, 12, 10), QTime(hora, minuto, segundo, ms));
}

void Aula::SetUp()
{
    InTempDir::SetUp();
    LarguraTela = 1280;
    InicioLinha = 0;
    TempoMaximo = 0;
    UltimaTecla = 0;
    Exercicios.clear();
    clearRecord(ExercicioAtual);
    clearRecord(AulaAtual);
    NumExercicio = 1;
    CodAlunoAtual = 7;
    clockseam::set(as(10));
    recordedsound::install();
    recordedsound::clear();
    writeFile(kArquivoAulas, {});
}

void Aula::TearDown()
{
    fecha();
    recordedsound::uninstall();
    InTempDir::TearDown();
}

void Aula::abre(const tExercicio& exercicio)
{
    fecha();
    Exercicios[NumExercicio] = exercicio;
    ExercicioAtual = exercicio;
    tela = std::make_unique<TfExercicio>();
    tela->MostraExercicio();
    tela->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(tela.get()));
    edDig = tela->findChild<QLineEdit*>(QStringLiteral("edDig"));
    edNumLinha = tela->findChild<QLineEdit*>(QStringLiteral("edNumLinha"));
    lbDigitado = tela->findChild<QLabel*>(QStringLiteral("lbDigitado"));
    mmResultado = tela->findChild<QPlainTextEdit*>(QStringLiteral("mmResultado"));
    ASSERT_TRUE(edDig && edNumLinha && lbDigitado && mmResultado);
}

void Aula::fecha()
{
    if (tela)
        tela->close();
    tela.reset();
    edDig = edNumLinha = nullptr;
    lbDigitado = nullptr;
    mmResultado = nullptr;
}

void Aula::enter()
{
    tecla(Qt::Key_Return);
}

void Aula::linha(const QString& texto)
{
    digita(texto);
    enter();
}

QString Aula::status() const
{
    return lbDigitado->text();
}

QColor Aula::corStatus() const
{
    return lbDigitado->palette().color(QPalette::WindowText);
}

QColor Aula::fundoStatus() const
{
    return lbDigitado->palette().color(QPalette::Window);
}

QString Aula::resultado() const
{
    return mmResultado->toPlainText();
}

QString Aula::campo() const
{
    return edDig->text();
}

QColor Aula::corDaLinha(int k) const
{
    const auto* label = tela->findChild<QLabel*>(QStringLiteral("dbExercLin%1").arg(k));
    return label->palette().color(QPalette::WindowText);
}

namespace cor {

QColor faceDeBotao()
{
    return QApplication::palette().color(QPalette::Button);
}

QColor textoDeJanela()
{
    return QApplication::palette().color(QPalette::WindowText);
}

}  // namespace cor
