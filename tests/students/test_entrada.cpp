// The entry screen driven with real keys and clicks, up to the real exercise screen.

#include "fixture_alunos.h"

#include "course/uExercicio.h"
#include "data/records.h"
#include "data/text.h"
#include "platform/clock.h"
#include "platform/recordfile.h"
#include "ui/dialogs.h"
#include "platform/system.h"
#include "students/uDesempenho.h"
#include "course/uTreino.h"
#include "students/uEntrada.h"
#include "support/modal.h"
#include "support/teclado.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cerrno>
#include <memory>
#include <tuple>
#include <utility>
#include <vector>

namespace {

// What the exercise screen was given when it came up.
struct AulaAberta {
    int numExercicio;
    int numero;
    QString nome;
    QString ultimaData;
};

class Entrada : public ComAlunos {
protected:
    void abre()
    {
        tela = std::make_unique<TfEntrada>();
        lista = tela->findChild<QListWidget*>(QStringLiteral("lbAluno"));
        senha = tela->findChild<QLineEdit*>(QStringLiteral("edSenha"));
        fazerAula = tela->findChild<QPushButton*>(QStringLiteral("bbFazerAula"));
        ASSERT_TRUE(lista && senha && fazerAula);
        tela->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(tela.get()));
        QApplication::processEvents();  // the password gate runs once the screen is up
    }

    QString texto(const char* nome) const
    {
        return tela->findChild<QLabel*>(QLatin1String(nome))->text();
    }

    void escolheComAMouse(int linha)
    {
        // the list lays its lines out once events have run
        QTRY_VERIFY(!lista->visualItemRect(lista->item(linha)).isEmpty());
        const QRect lugar = lista->visualItemRect(lista->item(linha));
        QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, lugar.center());
    }

    // the next exercise screen records what it shows and is closed
    void esperaAula()
    {
        whenModal([this](QWidget* modal) {
            auto* exercicio = qobject_cast<TfExercicio*>(modal);
            if (exercicio)
                aulas.push_back({NumExercicio, ExercicioAtual.Numero, exercicio->lbNome->text(),
                                 exercicio->lbUltimaData->text()});
            modal->close();
        });
    }

    std::vector<BoxKind> tipos() const
    {
        std::vector<BoxKind> vistos;
        for (const auto& caixa : boxseam::shown())
            vistos.push_back(caixa.kind);
        return vistos;
    }

    std::unique_ptr<TfEntrada> tela;
    QListWidget* lista = nullptr;
    QLineEdit* senha = nullptr;
    QPushButton* fazerAula = nullptr;
    std::vector<AulaAberta> aulas;
};

const QString kSenhaErrada = QStringLiteral("Sua senha digitada não está correta.\rTente novamente, por favor.");

TEST_F(Entrada, AfterStartUpTheGateAsksForAPasswordBeforeAnyName)
{
    cadastra(QStringLiteral("Ana"), QStringLiteral("abc"));
    cadastra(QStringLiteral("Bia"));  // the last record is read raw: its password is never empty
    abre();

    EXPECT_TRUE(senha->isVisible());
    EXPECT_TRUE(tela->findChild<QLabel*>(QStringLiteral("lbComSenha"))->isVisible());
    EXPECT_FALSE(fazerAula->isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), senha);
    EXPECT_EQ(senha->palette().color(QPalette::Base), QColor(0x00, 0xFF, 0xFF));
    EXPECT_EQ(lista->count(), 2);
    EXPECT_EQ(lista->item(1)->text(), QStringLiteral("Bia"));
    EXPECT_EQ(texto("lbNumExerc"), QStringLiteral("1"));

    tecla(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), lista);
    EXPECT_EQ(senha->palette().color(QPalette::Base), QApplication::palette(senha).color(QPalette::Base));
    tecla(Qt::Key_S, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), senha);

    // F2 works while the button is disabled
    tecla(Qt::Key_F2);
    ASSERT_EQ(boxseam::shown().size(), 1u);
    EXPECT_EQ(boxseam::shown()[0].kind, BoxKind::Warning);
    EXPECT_EQ(boxseam::shown()[0].text, kSenhaErrada);
    EXPECT_EQ(NumExercicio, 0);

    tecla(Qt::Key_F10);
    EXPECT_FALSE(tela->isVisible());
}

TEST_F(Entrada, ANewStudentShowsZeroAndStartsExerciseOne)
{
    catalogo(5);
    cadastra(QStringLiteral("Ana"));
    abre();

    // from the password the gate asks for on to the list
    tecla(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), lista);
    tecla(Qt::Key_Down);

    EXPECT_EQ(lista->currentRow(), 0);
    EXPECT_EQ(lista->visualItemRect(lista->item(0)).height(), 20);
    EXPECT_EQ(texto("lbNumExerc"), QStringLiteral("0"));
    EXPECT_EQ(texto("lbData"), QStringLiteral("10/12/2026"));
    EXPECT_EQ(texto("lbTempo"), QStringLiteral("0 t/m"));
    EXPECT_FALSE(senha->isVisible());
    EXPECT_TRUE(fazerAula->isEnabled());

    esperaAula();
    EXPECT_EQ(QApplication::focusWidget(), lista);
    tecla(Qt::Key_Return);  // the default button

    ASSERT_EQ(aulas.size(), 1u);
    EXPECT_EQ(aulas[0].numExercicio, 1);
    EXPECT_EQ(aulas[0].numero, 1);
    EXPECT_EQ(aulas[0].nome, QStringLiteral("Ana"));
    EXPECT_EQ(aulas[0].ultimaData, QStringLiteral("Última aula feita em: 10/12/2026"));
    EXPECT_TRUE(boxseam::shown().empty());
    EXPECT_EQ(NumExercicio, 0);  // the refresh after the lesson
}

TEST_F(Entrada, AStudentWithoutRecordsShowsDayZeroAndMeetsTheRule)
{
    catalogo(5);
    cadastra(QStringLiteral("Ana"));
    writeFile(kArquivoAulas, {});
    abre();

    escolheComAMouse(0);
    EXPECT_EQ(texto("lbNumExerc"), QStringLiteral("0"));
    EXPECT_EQ(texto("lbData"), QStringLiteral("30/12/1899"));
    EXPECT_EQ(texto("lbTempo"), QStringLiteral("0 t/m"));

    esperaAula();
    QTest::mouseClick(fazerAula, Qt::LeftButton);

    EXPECT_EQ(tipos(), (std::vector<BoxKind>{BoxKind::Information, BoxKind::Information}));
    ASSERT_EQ(aulas.size(), 1u);
    EXPECT_EQ(aulas[0].numExercicio, 1);
    EXPECT_EQ(aulas[0].ultimaData, QStringLiteral("Última aula feita em: 30/12/1899"));
}

// The practice-rhythm rule's two boxes, and the exercise lowered only once
// the student has closed them.
TEST_F(Entrada, AStudentAwayTooLongReadsWhyBeforeGoingBack)
{
    catalogo(12);
    registraAula(cadastra(QStringLiteral("Ana")), hoje() - 15, 60, 10);
    abre();
    escolheComAMouse(0);
    std::vector<int> durante;
    boxseam::onShow([&durante](const boxseam::Shown&) { durante.push_back(NumExercicio); });

    esperaAula();
    QTest::mouseClick(fazerAula, Qt::LeftButton);

    EXPECT_EQ(tipos(), (std::vector<BoxKind>{BoxKind::Information, BoxKind::Information}));
    ASSERT_EQ(boxseam::shown().size(), 2u);
    EXPECT_EQ(boxseam::shown()[0].text, QStringLiteral("Faz 15 dias que você não faz exercícios."));
    EXPECT_TRUE(boxseam::shown()[1].text.startsWith(QStringLiteral("Você escolheu fazer 1 vez por semana.")));
    EXPECT_TRUE(boxseam::shown()[1].text.endsWith(
        QStringLiteral("2 exercícios para rever o que havia feito.\rVocê estava no exercício 11 e voltará para o de Nº 9.")));
    EXPECT_EQ(durante, (std::vector<int>{11, 11}));
    ASSERT_EQ(aulas.size(), 1u);
    EXPECT_EQ(aulas[0].numExercicio, 9);
    EXPECT_EQ(aulas[0].numero, 9);
}

TEST_F(Entrada, AWrongPasswordIsRefusedAndTheRightOneStartsTheLesson)
{
    catalogo(5);
    const auto ana = cadastra(QStringLiteral("Ana"), QStringLiteral("abc"));
    registraAula(ana, hoje(), 120, 2);
    abre();
    escolheComAMouse(0);
    EXPECT_EQ(QApplication::focusWidget(), senha);

    digita(QStringLiteral("abC"));
    EXPECT_TRUE(fazerAula->isEnabled());
    tecla(Qt::Key_Return);

    ASSERT_EQ(boxseam::shown().size(), 1u);
    EXPECT_EQ(boxseam::shown()[0].text, kSenhaErrada);
    EXPECT_TRUE(senha->text().isEmpty());
    EXPECT_FALSE(fazerAula->isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), senha);
    EXPECT_EQ(NumExercicio, 2);

    esperaAula();
    digita(QStringLiteral("abc"));
    tecla(Qt::Key_Return);
    ASSERT_EQ(aulas.size(), 1u);
    EXPECT_EQ(aulas[0].numExercicio, 3);
    EXPECT_EQ(texto("lbTempo"), QStringLiteral("120 t/m"));
    EXPECT_TRUE(senha->text().isEmpty());
}

// F3 and its menu item: the chosen student's progress, behind the same
// password as a lesson; nothing starts and nothing is written.
TEST_F(Entrada, F3ShowsTheProgressBehindThePasswordAndStartsNoLesson)
{
    catalogo(5);
    const auto ana = cadastra(QStringLiteral("Ana"), QStringLiteral("abc"));
    registraAula(ana, hoje() - 1, 120, 1);
    registraAula(ana, hoje(), 150, 2);
    const QByteArray aulasAntes = readFile(kArquivoAulas);
    abre();
    escolheComAMouse(0);
    EXPECT_EQ(tela->findChild<QAction*>(QStringLiteral("Desempenho1"))->text(), QStringLiteral("Desempenho - F3"));

    tecla(Qt::Key_F3);  // an empty field is a wrong password
    ASSERT_EQ(boxseam::shown().size(), 1u);
    EXPECT_EQ(boxseam::shown()[0].text, kSenhaErrada);
    EXPECT_EQ(QApplication::focusWidget(), senha);

    QStringList visto;
    whenModal([&visto](QWidget* modal) {
        if (qobject_cast<TfDesempenho*>(modal))
            for (const char* nome : {"lbNome", "lbPassagens", "lbPrimeiraAula", "lbUltimaAula", "lbMelhor"})
                visto << modal->findChild<QLabel*>(QLatin1String(nome))->text();
        tecla(Qt::Key_F10);
    });
    digita(QStringLiteral("abc"));
    tecla(Qt::Key_F3);

    // the first and last lessons are the passes, not the registration of today
    EXPECT_EQ(visto, (QStringList{QStringLiteral("Ana"), QStringLiteral("2"), QStringLiteral("09/12/2026"),
                                  QStringLiteral("10/12/2026"), QStringLiteral("150 t/m")}));
    EXPECT_EQ(boxseam::shown().size(), 1u);
    EXPECT_TRUE(aulas.empty());
    EXPECT_EQ(NumExercicio, 2);
    EXPECT_TRUE(senha->text().isEmpty());
    EXPECT_EQ(readFile(kArquivoAulas), aulasAntes);
}

// A student without a password who looked at the progress may start a
// lesson at once, as after a lesson.
TEST_F(Entrada, AfterTheProgressAStudentWithoutPasswordMayStartALesson)
{
    catalogo(5);
    cadastra(QStringLiteral("Bia"));
    abre();
    escolheComAMouse(0);
    whenModal([](QWidget*) { tecla(Qt::Key_F10); });
    tecla(Qt::Key_F3);
    EXPECT_TRUE(fazerAula->isEnabled());
    EXPECT_TRUE(tela->findChild<QPushButton*>(QStringLiteral("bbTreino"))->isEnabled());
}

// F5, its button and its menu item: the practice of the chosen student,
// behind the same password, with the characters of the exercises passed so
// far; no lesson starts and no lesson record is written.
TEST_F(Entrada, F5OpensThePracticeBehindThePasswordWithTheCharactersMetSoFar)
{
    catalogo(5);
    Exercicios[3].Linha1.set("zzz");
    writeFile(treino::kArquivoPalavras, "sala\nfada\nzaza\n");
    const auto ana = cadastra(QStringLiteral("Ana"), QStringLiteral("abc"));
    registraAula(ana, hoje(), 150, 2);
    const QByteArray aulasAntes = readFile(kArquivoAulas);
    abre();
    escolheComAMouse(0);
    auto* treino = tela->findChild<QPushButton*>(QStringLiteral("bbTreino"));
    EXPECT_EQ(treino->text(), QStringLiteral("Treino - F5"));
    EXPECT_FALSE(treino->isEnabled());  // it follows the password field, as the lesson's button does
    EXPECT_EQ(tela->findChild<QAction*>(QStringLiteral("Treino1"))->text(), QStringLiteral("Treino - F5"));

    tecla(Qt::Key_F5);
    ASSERT_EQ(boxseam::shown().size(), 1u);
    EXPECT_EQ(boxseam::shown()[0].text, kSenhaErrada);

    QString linha;
    whenModal([&linha](QWidget* modal) {
        if (qobject_cast<TfTreino*>(modal))
            linha = modal->findChild<QLabel*>(QStringLiteral("dbLinha"))->text();
        tecla(Qt::Key_Escape);
    });
    digita(QStringLiteral("abc"));
    EXPECT_TRUE(treino->isEnabled());
    tecla(Qt::Key_F5);

    ASSERT_FALSE(linha.isEmpty());
    // "asdf 1" and "asdf 2" were passed; the "z" of exercise 3 was not
    for (const QChar c : linha)
        EXPECT_TRUE(QStringLiteral("asdf12 ").contains(c)) << linha.toStdString();
    EXPECT_TRUE(aulas.empty());
    EXPECT_TRUE(senha->text().isEmpty());
    EXPECT_EQ(readFile(kArquivoAulas), aulasAntes);
}

// The practice's phrases come from the course folder beside its words: with
// every character taught held by the one phrase, the line is that phrase.
TEST_F(Entrada, F5MakesThePracticeFromTheCourseFoldersPhrases)
{
    catalogo(5);
    Exercicios[1].Linha1.set("Sala da fada.");
    Exercicios[2].Linha1.set("fada.");
    writeFile(treino::kArquivoPalavras, "");
    writeFile(treino::kArquivoFrases, "# frases do treino\nSala da fada.\nSala 12.\n");
    const auto ana = cadastra(QStringLiteral("Ana"), QString());
    registraAula(ana, hoje(), 150, 2);
    abre();
    escolheComAMouse(0);

    QString linha;
    whenModal([&linha](QWidget* modal) {
        if (qobject_cast<TfTreino*>(modal))
            linha = modal->findChild<QLabel*>(QStringLiteral("dbLinha"))->text();
        tecla(Qt::Key_Escape);
    });
    tecla(Qt::Key_F5);
    EXPECT_EQ(linha, QStringLiteral("Sala da fada."));
}

// The button follows the field also where emptying it changes no text: the
// field was empty already.
TEST_F(Entrada, TheLessonButtonFollowsThePasswordFieldAtEveryStep)
{
    catalogo(5);
    cadastra(QStringLiteral("Bia"));
    cadastra(QStringLiteral("Ana"), QStringLiteral("abc"));
    abre();
    escolheComAMouse(0);
    ASSERT_TRUE(fazerAula->isEnabled());

    // a student with a password right after one without
    escolheComAMouse(1);
    EXPECT_EQ(comFoco(), senha);
    EXPECT_TRUE(fazerAula->isEnabled());
    QTest::mouseClick(fazerAula, Qt::LeftButton);
    ASSERT_EQ(boxseam::shown().size(), 1u);
    EXPECT_EQ(boxseam::shown()[0].text, kSenhaErrada);
    EXPECT_FALSE(fazerAula->isEnabled());

    // a lesson of a student without a password that fails to open
    ListaAlunos[1].Periodo.set("x");
    escolheComAMouse(0);
    ASSERT_TRUE(fazerAula->isEnabled());
    boxseam::clear();
    QTest::mouseClick(fazerAula, Qt::LeftButton);
    EXPECT_EQ(tipos(), std::vector<BoxKind>{BoxKind::ErrorReport});
    EXPECT_FALSE(fazerAula->isEnabled());
}

// Every password box hides what is typed behind asterisks.
TEST_F(Entrada, ThePasswordShowsAnAsteriskForEachCharacter)
{
    cadastra(QStringLiteral("Ana"), QStringLiteral("abc"));
    abre();
    ASSERT_EQ(comFoco(), senha);
    digita(QStringLiteral("abç"));
    EXPECT_EQ(senha->displayText(), QStringLiteral("***"));
}

TEST_F(Entrada, TheProgressBoxesLieAtTheirDesignPlacesTheirTitlesAboveTheirValues)
{
    abre();
    // the date's box lower than the others: the line under it may take two lines
    const std::tuple<const char*, const char*, QRect> caixas[] = {
        {"Exercício feito", "lbNumExerc", {300, 112, 105, 77}},
        {"Data do último exercício", "lbData", {300, 194, 285, 58}},
        {"Melhor Tempo", "lbTempo", {412, 112, 173, 77}},
    };
    for (const auto& [titulo, nomeDoValor, lugar] : caixas) {
        SCOPED_TRACE(titulo);
        const auto* valor = tela->findChild<QLabel*>(QLatin1String(nomeDoValor));
        ASSERT_NE(valor, nullptr);
        const QWidget* moldura = valor->parentWidget();
        EXPECT_EQ(moldura->geometry(), lugar);
        const auto rotulos = moldura->findChildren<QLabel*>();
        const auto cabeca = std::find_if(rotulos.begin(), rotulos.end(),
                                         [titulo = QString::fromUtf8(titulo)](QLabel* l) { return l->text() == titulo; });
        ASSERT_NE(cabeca, rotulos.end());
        EXPECT_LT((*cabeca)->geometry().bottom(), valor->geometry().top());
        EXPECT_EQ((*cabeca)->width(), valor->width());
        EXPECT_TRUE(moldura->contentsRect().contains((*cabeca)->geometry().united(valor->geometry())));
    }
}

TEST_F(Entrada, TextTypedForAnotherStudentIsDroppedWhenTheFieldHides)
{
    catalogo(5);
    cadastra(QStringLiteral("Ana"), QStringLiteral("abc"));
    cadastra(QStringLiteral("Bia"));
    abre();
    escolheComAMouse(0);
    EXPECT_EQ(QApplication::focusWidget(), senha);
    digita(QStringLiteral("xy"));

    escolheComAMouse(1);
    EXPECT_FALSE(senha->isVisible());
    EXPECT_TRUE(senha->text().isEmpty());
    EXPECT_TRUE(fazerAula->isEnabled());

    esperaAula();
    tecla(Qt::Key_F2);
    EXPECT_TRUE(boxseam::shown().empty());
    ASSERT_EQ(aulas.size(), 1u);
    EXPECT_EQ(aulas[0].nome, QStringLiteral("Bia"));
}

TEST_F(Entrada, AFinishedCourseOpensNoLesson)
{
    catalogo(3);
    const int ultimos[] = {3, 255};  // the catalogue's last exercise; past the table
    for (int ultimo : ultimos)
        registraAula(cadastra(QStringLiteral("Ana")), hoje(), 90, ultimo);
    abre();

    for (int linha : {0, 1}) {
        SCOPED_TRACE(ultimos[linha]);
        boxseam::clear();
        escolheComAMouse(linha);
        QTimer::singleShot(0, [] {
            if (QWidget* aula = QApplication::activeModalWidget()) {
                ADD_FAILURE() << "a lesson opened";
                aula->close();
            }
        });
        tecla(Qt::Key_F2);

        ASSERT_EQ(boxseam::shown().size(), 1u);
        EXPECT_EQ(boxseam::shown()[0].kind, BoxKind::Information);
        EXPECT_TRUE(boxseam::shown()[0].text.contains(QStringLiteral("concluiu")));
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
        EXPECT_EQ(NumExercicio, ultimos[linha]);
    }
}

TEST_F(Entrada, AStudentWithoutPasswordChosenEarlierStartsAtOnce)
{
    catalogo(5);
    cadastra(QStringLiteral("Ana"), QStringLiteral("abc"));
    const auto bia = cadastra(QStringLiteral("Bia"));
    registraAula(bia, hoje() - 3, 60, 2);
    abre();
    escolheComAMouse(1);
    tecla(Qt::Key_Escape);
    EXPECT_FALSE(tela->isVisible());
    EXPECT_TRUE(aulas.empty());

    esperaAula();
    abre();
    ASSERT_EQ(aulas.size(), 1u);
    EXPECT_EQ(aulas[0].numExercicio, 3);
    EXPECT_EQ(aulas[0].nome, QStringLiteral("Bia"));
    EXPECT_EQ(texto("lbNumExerc"), QStringLiteral("2"));
    EXPECT_EQ(lista->currentRow(), -1);
}

TEST_F(Entrada, WithoutStudentsThePeriodFailsAndTheScreenStaysOpen)
{
    abre();

    ASSERT_EQ(boxseam::shown().size(), 1u);
    EXPECT_EQ(boxseam::shown()[0].kind, BoxKind::ErrorReport);
    EXPECT_TRUE(boxseam::shown()[0].text.startsWith(QStringLiteral("'' is not a valid integer value")));
    EXPECT_TRUE(tela->isVisible());
    EXPECT_EQ(lista->count(), 0);
    EXPECT_EQ(NumExercicio, 1);
    QTRY_VERIFY(tela->findChildren<TfExercicio*>().isEmpty());  // discarded all the same
}

TEST_F(Entrada, AHistoryThatCannotBeReadKeepsTheProgressShown)
{
    cadastra(QStringLiteral("Ana"), QStringLiteral("abc"));
    const auto bia = cadastra(QStringLiteral("Bia"));
    QFile::remove(kArquivoAulas);
    abre();

    escolheComAMouse(1);

    ASSERT_EQ(boxseam::shown().size(), 1u);
    EXPECT_EQ(boxseam::shown()[0].kind, BoxKind::ErrorReport);
    EXPECT_TRUE(boxseam::shown()[0].text.startsWith(QStringLiteral("File not found")));
    EXPECT_EQ(CodAlunoAtual, bia);
    EXPECT_EQ(texto("lbNumExerc"), QStringLiteral("1"));
    EXPECT_TRUE(senha->isVisible());  // the gate as the screen opened
    EXPECT_TRUE(tela->isVisible());

    // the failed read does not block the next choice
    writeFile(kArquivoAulas, {});
    escolheComAMouse(0);
    EXPECT_EQ(texto("lbNumExerc"), QStringLiteral("0"));
}


// Every click reads the history again, whether it chooses a new line or the
// line already chosen: a record appended meanwhile then shows.
TEST_F(Entrada, EveryClickOnANameReadsItsHistoryAgain)
{
    const auto ana = cadastra(QStringLiteral("Ana"));
    abre();
    for (const int ultimo : {4, 7}) {
        SCOPED_TRACE(ultimo);
        registraAula(ana, hoje(), 50, ultimo);
        escolheComAMouse(0);
        EXPECT_EQ(texto("lbNumExerc"), QString::number(ultimo));
    }
}

}  // namespace
