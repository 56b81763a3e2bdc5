// The teacher's screen from the main menu's context menu, behind the
// teacher's password, driven with real keys at every width band: a forgotten
// password cleared, a name, an e-mail and a rhythm corrected, a new password
// given, each in the student file at once and in the log, nothing else moved.

#include "fixture_app.h"
#include "support/modal.h"
#include "support/teclado.h"

#include "app/uPrin.h"
#include "data/alteracoes.h"
#include "data/datafiles.h"
#include "data/records.h"
#include "data/text.h"
#include "platform/clock.h"
#include "platform/recordfile.h"
#include "platform/system.h"
#include "students/desempenho.h"
#include "students/senhaprofessor.h"
#include "ui/dialogs.h"
#include "ui/uAjusta.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <cerrno>

namespace {

const QString kSenha = QStringLiteral("diario7");

class Professor : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        clockseam::set(QDateTime(QDate(2026, 12, 10), QTime(10, 0)));
        ErrosSenhaProfessor = 0;
    }

    // A fresh class at the width: Ana with a password she forgot, João with
    // a lesson and the rhythm he never chose.
    void preparaTurma(int largura)
    {
        programa.reset();
        for (const QString& arquivo : QDir().entryList(QDir::Files))
            QDir().remove(arquivo);
        LarguraTela = largura;
        systemseam::setDisplayWidth(largura);
        criaCatalogo();
        MaiorCodigo();
        GravaAluno(QStringLiteral("Ana Lima"), QStringLiteral("esqueci"), QStringLiteral("ana@escola.br"), today(), 0);
        GravaAluno(QStringLiteral("Joao Sousa"), {}, {}, today(), 2);
        AulaAtual.Tempo = 150;
        AulaAtual.NumExerc = 1;
        GravaAula();
        licoes = readFile(kArquivoAulas);
    }

    // Asks for the teacher's screen from the main menu's context menu; acoes
    // run in it when it opens, then F10 closes it.
    void pedeOProfessor(const std::function<void(QWidget*)>& acoes = {})
    {
        if (!programa)
            inicia();
        QMenu* contexto = abreMenuDeContexto(botao("bbFazerAula"));
        ASSERT_NE(contexto, nullptr);
        if (acoes) {
            whenModal([&](QWidget* tela) {
                aberta = tela->objectName();
                acoes(tela);
                tecla(Qt::Key_F10);
            });
        }
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(contexto, Qt::Key_Down);
        QTest::keyClick(contexto, Qt::Key_Return);
        ASSERT_TRUE(espera([] { return QApplication::activeModalWidget() == nullptr; }));
    }

    static tAluno aluno(int k)
    {
        NumAlunos = CarregaAlunos();
        return ListaAlunos[k];
    }

    static QStringList caixasCom(BoxKind tipo)
    {
        QStringList textos;
        for (const boxseam::Shown& caixa : boxseam::shown()) {
            if (caixa.kind == tipo)
                textos << caixa.text;
        }
        return textos;
    }

    QByteArray licoes;
    QString aberta;
};

TEST_F(Professor, TheFirstTimeTheTeacherSetsAPasswordOfSixCharactersTypedTwice)
{
    preparaTurma(1024);
    boxseam::queueInput(QStringLiteral("curta"));
    pedeOProfessor();
    EXPECT_EQ(caixasCom(BoxKind::Warning),
              QStringList{QStringLiteral("A senha do professor precisa ter pelo menos 6 caracteres.")});
    EXPECT_FALSE(ProfessorTemSenha());

    boxseam::clear();
    boxseam::queueInput(kSenha);
    boxseam::queueInput(QStringLiteral("diario8"));
    pedeOProfessor();
    EXPECT_EQ(caixasCom(BoxKind::Error), QStringList{QStringLiteral("As senhas digitadas não conferem.\rDigite novamente.")});
    EXPECT_FALSE(ProfessorTemSenha());

    boxseam::clear();
    boxseam::queueInput(kSenha);
    boxseam::queueInput(kSenha);
    pedeOProfessor([](QWidget*) {});
    EXPECT_EQ(aberta, QStringLiteral("fProfessor"));
    ASSERT_TRUE(ProfessorTemSenha());
    EXPECT_FALSE(readFile(kArquivoSenhaProfessor).contains(kSenha.toUtf8()));
    // every box asked for the password hidden
    for (const boxseam::Shown& caixa : boxseam::shown()) {
        if (caixa.kind == BoxKind::Input) {
            EXPECT_EQ(caixa.echo, InputEcho::Password) << caixa.text.toStdString();
        }
    }
}

TEST_F(Professor, AWrongPasswordIsRefusedAfterAWaitThatGrows)
{
    preparaTurma(1024);
    ASSERT_TRUE(CriaSenhaProfessor(kSenha));
    inicia();
    systemseam::clear();  // the splash screen's wait
    for (const char* errada : {"Diario7", "diario"}) {
        boxseam::queueInput(QString::fromUtf8(errada));
        pedeOProfessor();
    }
    EXPECT_EQ(caixasCom(BoxKind::Warning), QStringList(2, QStringLiteral("A senha do professor não está correta.")));
    EXPECT_EQ(systemseam::sleeps(), (std::vector<int>{1000, 2000}));

    boxseam::queueInput(kSenha);
    pedeOProfessor([](QWidget*) {});
    EXPECT_EQ(aberta, QStringLiteral("fProfessor"));
}

// What the teacher of the issue does: a forgotten password cleared, a name,
// an e-mail and a rhythm corrected, a new password given.
TEST_F(Professor, TheTeacherCorrectsStudentsWithKeysAtEveryWidthBand)
{
    for (int largura : {800, 1024, 1280}) {
        SCOPED_TRACE(largura);
        preparaTurma(largura);
        ASSERT_TRUE(CriaSenhaProfessor(kSenha));
        boxseam::clear();
        boxseam::queueInput(kSenha);
        QString codigo;
        QStringList roster;
        QString ultimaAlteracao;
        pedeOProfessor([&](QWidget* tela) {
            const auto* lista = tela->findChild<QTableView*>(QStringLiteral("lbAlunos"));
            for (int linha = 0; linha < lista->model()->rowCount(); ++linha) {
                QStringList colunas;
                for (int coluna = 0; coluna < 3; ++coluna)
                    colunas << lista->model()->index(linha, coluna).data().toString();
                roster << colunas.join(u'|');
            }
            // Ana's password, cleared: F6, confirmed
            digita(QStringLiteral("ana"));
            tecla(Qt::Key_Return);
            boxseam::queueAnswer(BoxAnswer::Yes);
            tecla(Qt::Key_F6);

            // João: found by his name without its accent, corrected
            tecla(Qt::Key_Tab, Qt::ShiftModifier);
            tecla(Qt::Key_A, Qt::ControlModifier);
            digita(QStringLiteral("JOÃO"));
            tecla(Qt::Key_Return);
            tecla(Qt::Key_Return);
            codigo = tela->findChild<QLabel*>(QStringLiteral("lbCodigo"))->text();
            tecla(Qt::Key_A, Qt::ControlModifier);
            digita(QStringLiteral("João Sousa Lima"));
            tecla(Qt::Key_Tab);
            digita(QStringLiteral("joao@escola.br"));
            tecla(Qt::Key_Tab);  // into the rhythm, at "Todo Dia"
            tecla(Qt::Key_Up);
            tecla(Qt::Key_Up);
            tecla(Qt::Key_Tab);
            digita(QStringLiteral("nova12"));
            boxseam::queueInput(QStringLiteral("nova12"));
            tecla(Qt::Key_F5);
            ultimaAlteracao =
                tela->findChild<QPlainTextEdit*>(QStringLiteral("mmAlteracoes"))->toPlainText().section(u'\n', 0, 0);
        });
        EXPECT_EQ(roster, (QStringList{QStringLiteral("1|Ana Lima|—"), QStringLiteral("2|Joao Sousa|10/12/2026")}));
        EXPECT_EQ(codigo, QStringLiteral("Código 2"));
        EXPECT_TRUE(caixasCom(BoxKind::Warning).isEmpty()) << caixasCom(BoxKind::Warning).join(u'\n').toStdString();

        // Ana enters without a password, and nothing else of hers moved
        const tAluno ana = aluno(1);
        EXPECT_TRUE(ana.Senha.empty());
        EXPECT_EQ(fromCp1252(ana.Nome.bytes()), QStringLiteral("Ana Lima"));
        EXPECT_EQ(fromCp1252(ana.EMail.bytes()), QStringLiteral("ana@escola.br"));
        EXPECT_EQ(ana.Periodo.bytes(), QByteArray("0"));

        const tAluno joao = aluno(2);
        EXPECT_EQ(joao.Codigo, 2);
        EXPECT_EQ(fromCp1252(joao.Nome.bytes()), QStringLiteral("João Sousa Lima"));
        EXPECT_EQ(fromCp1252(joao.EMail.bytes()), QStringLiteral("joao@escola.br"));
        EXPECT_EQ(joao.Periodo.bytes(), QByteArray("0"));
        EXPECT_EQ(fromCp1252(joao.Senha.bytes()), QStringLiteral("nova12"));
        EXPECT_EQ(readFile(kArquivoAulas), licoes);
        EXPECT_EQ(QDir().entryList(QDir::Files),
                  (QStringList{kArquivoAlteracoes, kArquivoAlunos, kArquivoAulas, kArquivoExercicios,
                               kArquivoSenhaProfessor}));

        // the log: every change, never a password nor an address
        const QStringList log = UltimasAlteracoes(10);
        ASSERT_EQ(log.size(), 5);
        EXPECT_EQ(ultimaAlteracao, log.first());
        EXPECT_TRUE(log.last().contains(QStringLiteral("código 1 - senha apagada"))) << log.last().toStdString();
        EXPECT_TRUE(log[0].contains(QStringLiteral("código 2 - ritmo mudado de \"Todo Dia\" para \"1 x por semana\"")))
            << log[0].toStdString();
        const QByteArray arquivo = readFile(kArquivoAlteracoes);
        for (const char* segredo : {"nova12", "esqueci", "joao@", "diario7"})
            EXPECT_FALSE(arquivo.contains(segredo)) << segredo;

        // the class report and the entry screen show the name corrected
        EXPECT_EQ(DesempenhoDaTurma().at(1).nome, QStringLiteral("João Sousa Lima"));
        QStringList nomes;
        whenModal([&](QWidget* entrada) {
            const auto* lista = entrada->findChild<QListWidget*>(QStringLiteral("lbAluno"));
            for (int i = 0; i < lista->count(); ++i)
                nomes << lista->item(i)->text();
            tecla(Qt::Key_Escape);
        });
        tecla(Qt::Key_F2);
        ASSERT_TRUE(espera([] { return QApplication::activeModalWidget() == nullptr; }));
        EXPECT_EQ(nomes, (QStringList{QStringLiteral("Ana Lima"), QStringLiteral("João Sousa Lima")}));
    }
}

// A class of thirty-five from a spreadsheet's list, one line refused, all
// with the rhythm chosen once.
TEST_F(Professor, AClassIsEnrolledFromAListWithTheRhythmChosenForAll)
{
    preparaTurma(1024);
    ASSERT_TRUE(CriaSenhaProfessor(kSenha));
    QByteArray lista = "Nome;E-mail\n";
    for (int i = 1; i <= 35; ++i)
        lista += QStringLiteral("Aluno %1 da 8ª B;aluno%1@escola.br\n").arg(i, 2, 10, QLatin1Char('0')).toUtf8();
    lista += ";sem nome\n";
    writeFile(QStringLiteral("turma-8B.csv"), lista);
    const QString caminho = QDir::current().filePath(QStringLiteral("turma-8B.csv"));

    boxseam::queueInput(kSenha);
    QStringList linhasMostradas;
    int alunosNaLista = 0;
    pedeOProfessor([&](QWidget* tela) {
        whenModal(
            [&](QWidget* matricula) {
                const auto* linhas = matricula->findChild<QListWidget*>(QStringLiteral("lbLista"));
                for (int i = 0; i < linhas->count(); ++i)
                    linhasMostradas << linhas->item(i)->text();
                tecla(Qt::Key_F5);     // refused: no rhythm chosen yet
                tecla(Qt::Key_Space);  // "1 x por semana"
                tecla(Qt::Key_Down);   // "2 x por semana"
                tecla(Qt::Key_F5);
            },
            tela);
        boxseam::queueInput(caminho);
        tecla(Qt::Key_F8);
        alunosNaLista = tela->findChild<QTableView*>(QStringLiteral("lbAlunos"))->model()->rowCount();
    });
    ASSERT_EQ(linhasMostradas.size(), 36);
    EXPECT_EQ(linhasMostradas[0], QStringLiteral("Aluno 01 da 8ª B (aluno01@escola.br)"));
    EXPECT_EQ(linhasMostradas[35], QStringLiteral("Fica de fora, linha 37: (sem nome) - Digite pelo menos o nome do aluno."));
    EXPECT_EQ(caixasCom(BoxKind::Information),
              QStringList{QStringLiteral("35 alunos matriculados, sem senha.\r1 linha da lista ficou de fora.")});
    EXPECT_EQ(alunosNaLista, 37);
    NumAlunos = CarregaAlunos();
    ASSERT_EQ(NumAlunos, 37);
    for (int k = 3; k <= 37; ++k) {
        EXPECT_EQ(ListaAlunos[k].Codigo, k);
        EXPECT_EQ(fromCp1252(ListaAlunos[k].Nome.bytes()),
                  QStringLiteral("Aluno %1 da 8ª B").arg(k - 2, 2, 10, QLatin1Char('0')));
        EXPECT_EQ(ListaAlunos[k].Periodo.bytes(), QByteArray("1"));
    }
}

// The same list enrolled twice: its students are already there, and enter
// again only when the teacher checks the box for it.
TEST_F(Professor, AListEnrolledAgainLeavesOutWhoIsThereUnlessTheTeacherKeepsThem)
{
    preparaTurma(1024);
    ASSERT_TRUE(CriaSenhaProfessor(kSenha));
    writeFile(QStringLiteral("turma.csv"), "Nome,E-mail\r\nana lima,\r\nBia Reis,bia@escola.br\r\nBia Reis,\r\n");
    const QString caminho = QDir::current().filePath(QStringLiteral("turma.csv"));

    boxseam::queueInput(kSenha);
    QStringList primeira;
    QStringList segunda;
    QStringList mantidas;
    auto linhas = [](QWidget* matricula) {
        QStringList textos;
        const auto* lista = matricula->findChild<QListWidget*>(QStringLiteral("lbLista"));
        for (int i = 0; i < lista->count(); ++i)
            textos << lista->item(i)->text();
        return textos;
    };
    pedeOProfessor([&](QWidget* tela) {
        whenModal(
            [&](QWidget* matricula) {
                primeira = linhas(matricula);
                tecla(Qt::Key_Space);
                tecla(Qt::Key_F5);
            },
            tela);
        boxseam::queueInput(caminho);
        tecla(Qt::Key_F8);
        whenModal(
            [&](QWidget* matricula) {
                segunda = linhas(matricula);
                tecla(Qt::Key_Space);
                tecla(Qt::Key_F5);  // nobody to enrol yet
                QTest::mouseClick(matricula->findChild<QCheckBox*>(QStringLiteral("cbRepetidas")), Qt::LeftButton,
                                  {}, QPoint(8, 8));
                mantidas = linhas(matricula);
                tecla(Qt::Key_F5);
            },
            tela);
        boxseam::queueInput(caminho);
        tecla(Qt::Key_F8);
    });
    const QString ana = QStringLiteral("ana lima - \"Ana Lima\" já está no curso, com o código 1.");
    const QString bia = QStringLiteral("Bia Reis - \"Bia Reis\" já está no curso, com o código 3.");
    EXPECT_EQ(primeira, (QStringList{QStringLiteral("Fica de fora, linha 2: ") + ana,
                                     QStringLiteral("Bia Reis (bia@escola.br)"),
                                     QStringLiteral("Fica de fora, linha 4: Bia Reis - Repete o nome da linha 3.")}));
    EXPECT_EQ(segunda, (QStringList{QStringLiteral("Fica de fora, linha 2: ") + ana,
                                    QStringLiteral("Fica de fora, linha 3: Bia Reis (bia@escola.br) - \"Bia Reis\" "
                                                   "já está no curso, com o código 3."),
                                    QStringLiteral("Fica de fora, linha 4: ") + bia}));
    EXPECT_EQ(mantidas.value(2), QStringLiteral("Repetido, mas matriculado, linha 4: ") + bia);
    EXPECT_EQ(caixasCom(BoxKind::Information),
              (QStringList{QStringLiteral("1 aluno matriculado, sem senha.\r2 linhas da lista ficaram de fora."),
                           QStringLiteral("3 alunos matriculados, sem senha.")}));
    EXPECT_EQ(QuantosAlunos(), 6);
}

// A disk that fills in the middle of the list: the teacher is told who was
// registered, who was not, and why; the list on the screen shows them.
TEST_F(Professor, AnEnrolmentCutByAFullDiskSaysWhoWasRegisteredAndWhy)
{
    preparaTurma(1024);
    ASSERT_TRUE(CriaSenhaProfessor(kSenha));
    writeFile(QStringLiteral("turma.txt"), "Ana Clara\nBeto\nCaio\n");
    const QString caminho = QDir::current().filePath(QStringLiteral("turma.txt"));

    boxseam::queueInput(kSenha);
    int alunosNaLista = 0;
    pedeOProfessor([&](QWidget* tela) {
        whenModal(
            [&](QWidget*) {
                tecla(Qt::Key_Space);
                // Ana Clara's record, her first lesson and her log line; then Beto's record
                fileseam::failOn(fileseam::Op::Write, ENOSPC, 4);
                tecla(Qt::Key_F5);
            },
            tela);
        boxseam::queueInput(caminho);
        tecla(Qt::Key_F8);
        fileseam::clear();
        alunosNaLista = tela->findChild<QTableView*>(QStringLiteral("lbAlunos"))->model()->rowCount();
    });
    EXPECT_EQ(caixasCom(BoxKind::Warning),
              QStringList{QStringLiteral("A matrícula parou antes do fim da lista: Disk full.\r"
                                         "1 aluno matriculado, sem senha: Ana Clara.\r"
                                         "2 alunos não foram matriculados: Beto, Caio.")});
    EXPECT_EQ(caixasCom(BoxKind::ErrorReport), QStringList());
    EXPECT_EQ(alunosNaLista, 3);
}

// A correction whose write fails is reported with its cause; the record stays
// as it was and the boxes keep what was typed, to be saved again.
TEST_F(Professor, AFailedCorrectionSaysWhyAndLeavesTheRecordAsItWas)
{
    preparaTurma(1024);
    ASSERT_TRUE(CriaSenhaProfessor(kSenha));
    const QByteArray alunos = readFile(kArquivoAlunos);
    boxseam::queueInput(kSenha);
    QString nomeNaCaixa;
    pedeOProfessor([&](QWidget* tela) {
        digita(QStringLiteral("joao"));
        tecla(Qt::Key_Return);
        tecla(Qt::Key_Return);
        digita(QStringLiteral(" Filho"));
        fileseam::failOn(fileseam::Op::Write, ENOSPC, 2);  // the record's write, after its journal's
        tecla(Qt::Key_F5);
        fileseam::clear();
        nomeNaCaixa = tela->findChild<QLineEdit*>(QStringLiteral("edNome"))->text();
        boxseam::queueAnswer(BoxAnswer::No);  // leaves without saving
    });
    QStringList relatos;
    for (const boxseam::Shown& caixa : boxseam::shown()) {
        if (caixa.kind == BoxKind::ErrorReport)
            relatos << caixa.text;
    }
    ASSERT_EQ(relatos.size(), 1);
    EXPECT_TRUE(relatos[0].contains(QStringLiteral("Disk full"))) << relatos[0].toStdString();
    EXPECT_EQ(nomeNaCaixa, QStringLiteral("Joao Sousa Filho"));
    EXPECT_EQ(readFile(kArquivoAlunos), alunos);
    EXPECT_FALSE(QFile::exists(kArquivoAlteracoes));
}

// Leaving a student with changes not saved asks first; "Não" leaves them.
TEST_F(Professor, ChangesNotSavedAreAskedAboutBeforeClosing)
{
    preparaTurma(1024);
    ASSERT_TRUE(CriaSenhaProfessor(kSenha));
    const QByteArray alunos = readFile(kArquivoAlunos);
    boxseam::queueInput(kSenha);
    pedeOProfessor([](QWidget*) {
        tecla(Qt::Key_Tab);  // the roster, at its first student
        tecla(Qt::Key_Down);
        tecla(Qt::Key_Return);
        digita(QStringLiteral(" Filho"));
        boxseam::queueAnswer(BoxAnswer::No);
    });
    EXPECT_EQ(caixasCom(BoxKind::Confirmation),
              QStringList{QStringLiteral("As alterações de Joao Sousa não foram gravadas.\rGravar agora?")});
    EXPECT_EQ(readFile(kArquivoAlunos), alunos);
}

}  // namespace
