// The teacher's screen from the main menu's context menu, behind the
// teacher's password, driven with real keys at every width band: a forgotten
// password cleared, a name, an e-mail and a rhythm corrected, a new password
// given, each in the student file at once and in the log, nothing else moved.
// The gate of the password waits shut after a wrong one while the window
// answers; the teacher's own password is set and changed, and logged.

#include "disco_cheio.h"
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
#include "students/acesso.h"
#include "students/desempenho.h"
#include "students/senhaprofessor.h"
#include "ui/dialogs.h"
#include "ui/uAjusta.h"

#include <QAccessible>
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
#include <QStatusBar>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <cerrno>

namespace {

const QString kSenha = QStringLiteral("diario7");

class Professor : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        clockseam::set(QDateTime(QDate(2026, 12, 10), QTime(10, 0)));
        PortaSenhaProfessor = {};
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

    // Asks for the teacher's screen from the main menu's context menu;
    // primeira acts on the first screen that comes up: the password's gate,
    // or the first time the teacher's screen itself.
    void pedeOProfessor(const std::function<void(QWidget*)>& primeira = {})
    {
        if (!programa)
            inicia();
        QMenu* contexto = abreMenuDeContexto(botao("bbFazerAula"));
        ASSERT_NE(contexto, nullptr);
        if (primeira)
            whenModal(primeira);
        ASSERT_TRUE(escolheNoMenu(contexto, QStringLiteral("Professor1")));
        ASSERT_TRUE(espera([] { return QApplication::activeModalWidget() == nullptr; }));
    }

    // acoes on the teacher's screen, then F10 closes it.
    std::function<void(QWidget*)> naTela(const std::function<void(QWidget*)>& acoes = [](QWidget*) {})
    {
        return [this, acoes](QWidget* tela) {
            aberta = tela->objectName();
            acoes(tela);
            tecla(Qt::Key_F10);
        };
    }

    // The password typed at the gate, then acoes on the teacher's screen.
    std::function<void(QWidget*)> comASenha(const QString& senha,
                                            const std::function<void(QWidget*)>& acoes = [](QWidget*) {})
    {
        return [this, senha, acoes](QWidget* portao) {
            whenModal(naTela(acoes), portao);
            digita(senha);
            tecla(Qt::Key_Return);
        };
    }

    std::function<void(QWidget*)> comASenha(const std::function<void(QWidget*)>& acoes = [](QWidget*) {})
    {
        return comASenha(kSenha, acoes);
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
    // one too short is asked again; "Cancela" then gives up
    boxseam::queueInput(QStringLiteral("curta"));
    pedeOProfessor();
    EXPECT_EQ(caixasCom(BoxKind::Warning),
              QStringList{QStringLiteral("A senha do professor precisa ter pelo menos 6 caracteres.")});
    EXPECT_EQ(caixasCom(BoxKind::Input).size(), 2);
    EXPECT_FALSE(ProfessorTemSenha());

    // too short, then typed differently the second time: asked again each time
    boxseam::clear();
    for (const QString& digitada : {QStringLiteral("curta"), kSenha, QStringLiteral("diario8"), kSenha, kSenha})
        boxseam::queueInput(digitada);
    pedeOProfessor(naTela());
    EXPECT_EQ(aberta, QStringLiteral("fProfessor"));
    EXPECT_EQ(caixasCom(BoxKind::Warning),
              QStringList{QStringLiteral("A senha do professor precisa ter pelo menos 6 caracteres.")});
    EXPECT_EQ(caixasCom(BoxKind::Error), QStringList{kErroSenhasDiferentes});
    QStringList titulos;
    for (const boxseam::Shown& caixa : boxseam::shown()) {
        if (caixa.kind == BoxKind::Input) {
            titulos << caixa.title;
            // every box asked for the password hidden
            EXPECT_EQ(caixa.echo, InputEcho::Password) << caixa.text.toStdString();
        }
    }
    EXPECT_EQ(titulos, (QStringList{QStringLiteral("Senha do professor"), QStringLiteral("Senha do professor"),
                                    QStringLiteral("Conferência de Senha"), QStringLiteral("Senha do professor"),
                                    QStringLiteral("Conferência de Senha")}));
    ASSERT_TRUE(ProfessorTemSenha());
    EXPECT_FALSE(readFile(kArquivoSenhaProfessor).contains(kSenha.toUtf8()));
    EXPECT_EQ(UltimasAlteracoes(5), QStringList{QStringLiteral("10/12/2026 10:00:00 - senha do professor criada")});
}

// A wrong password shuts the box and OK for a wait that grows, told in
// seconds and spoken when it appears. The window answers meanwhile, Esc
// leaves, and coming back skips no wait.
TEST_F(Professor, AfterAWrongPasswordTheGateWaitsShutWhileTheWindowAnswers)
{
    preparaTurma(1024);
    ASSERT_TRUE(CriaSenhaProfessor(kSenha));
    inicia();
    systemseam::clear();  // the splash screen's wait

    struct Portao {
        bool campo = true;
        bool ok = true;
        QString aviso;
        QAccessible::Role papel = QAccessible::NoRole;
        QString falado;
    };
    const auto portao = [](QWidget* tela) {
        auto* aviso = tela->findChild<QLabel*>(QStringLiteral("lbEspera"));
        const QAccessibleInterface* acessivel = QAccessible::queryAccessibleInterface(aviso);
        return Portao{tela->findChild<QLineEdit*>(QStringLiteral("edSenha"))->isEnabled(),
                      tela->findChild<QPushButton*>(QStringLiteral("bbOK"))->isEnabled(),
                      aviso->isVisible() ? aviso->text() : QString(), acessivel->role(),
                      acessivel->text(QAccessible::Name)};
    };
    const auto aguarde = [](int segundos) {
        return QStringLiteral("A senha do professor não está correta. Aguarde %1 s para tentar de novo.").arg(segundos);
    };

    Portao depoisDoErro;
    bool rodou = false;
    pedeOProfessor([&](QWidget* tela) {
        digita(QStringLiteral("Diario7"));
        tecla(Qt::Key_Return);
        depoisDoErro = portao(tela);
        // the program's timers run while the gate waits
        QTimer::singleShot(0, [&] { rodou = true; });
        espera([&] { return rodou; });
        // the box is shut: the keys go to the window
        QTest::keyClick(tela, Qt::Key_Escape);
    });
    EXPECT_FALSE(depoisDoErro.campo);
    EXPECT_FALSE(depoisDoErro.ok);
    EXPECT_EQ(depoisDoErro.aviso, aguarde(1));
    EXPECT_EQ(depoisDoErro.papel, QAccessible::Notification);
    EXPECT_EQ(depoisDoErro.falado, aguarde(1));
    EXPECT_TRUE(rodou);
    EXPECT_TRUE(aberta.isEmpty());

    Portao aoVoltar;
    Portao contando;
    bool focoNoCampo = false;
    pedeOProfessor([&](QWidget* tela) {
        aoVoltar = portao(tela);
        auto* campo = tela->findChild<QLineEdit*>(QStringLiteral("edSenha"));
        clockseam::advance(1000);
        focoNoCampo = espera([&] { return campo->isEnabled(); }) && QApplication::focusWidget() == campo;
        digita(QStringLiteral("diario"));
        tecla(Qt::Key_Return);
        // the seconds go down as the clock moves
        clockseam::advance(1000);
        espera([&] { return portao(tela).aviso == aguarde(1); });
        contando = portao(tela);
        clockseam::advance(1000);
        espera([&] { return campo->isEnabled(); });
        comASenha()(tela);
    });
    EXPECT_FALSE(aoVoltar.campo);
    EXPECT_EQ(aoVoltar.aviso, aguarde(1));
    EXPECT_TRUE(focoNoCampo);
    EXPECT_FALSE(contando.campo);
    EXPECT_EQ(contando.aviso, aguarde(1));
    EXPECT_EQ(aberta, QStringLiteral("fProfessor"));
    // the wait is the gate's, not a sleep
    EXPECT_TRUE(systemseam::sleeps().empty());
}

// The teacher's own password, changed from the teacher's screen with F7: the
// new one typed twice, the boxes of the student left as they were typed,
// the change logged without the password, the file's permissions kept.
TEST_F(Professor, TheTeacherChangesTheOwnPasswordAndTheChangeIsLogged)
{
    preparaTurma(1024);
    ASSERT_TRUE(CriaSenhaProfessor(kSenha));
    const QFileDevice::Permissions permissoes = QFile::permissions(kArquivoSenhaProfessor);
    for (const char* digitada : {"curta", "nova123", "nova124", "nova123", "nova123"})
        boxseam::queueInput(QString::fromUtf8(digitada));
    QString nomeNaCaixa;
    QString status;
    QString ultimaAlteracao;
    pedeOProfessor(comASenha([&](QWidget* tela) {
        digita(QStringLiteral("ana"));
        tecla(Qt::Key_Return);
        tecla(Qt::Key_Return);
        digita(QStringLiteral(" Souza"));
        tecla(Qt::Key_F7);
        nomeNaCaixa = tela->findChild<QLineEdit*>(QStringLiteral("edNome"))->text();
        status = tela->findChild<QStatusBar*>(QStringLiteral("StatusBar1"))->currentMessage();
        ultimaAlteracao =
            tela->findChild<QPlainTextEdit*>(QStringLiteral("mmAlteracoes"))->toPlainText().section(u'\n', 0, 0);
        boxseam::queueAnswer(BoxAnswer::No);  // Ana's name is left as it was
    }));
    EXPECT_EQ(caixasCom(BoxKind::Warning),
              QStringList{QStringLiteral("A senha do professor precisa ter pelo menos 6 caracteres.")});
    EXPECT_EQ(caixasCom(BoxKind::Error), QStringList{kErroSenhasDiferentes});
    EXPECT_EQ(nomeNaCaixa, QStringLiteral("Ana Lima Souza"));
    EXPECT_EQ(status, QStringLiteral("Senha do professor trocada: vale a partir de agora."));
    EXPECT_EQ(ultimaAlteracao, QStringLiteral("10/12/2026 10:00:00 - senha do professor trocada"));
    for (const char* senha : {"nova123", "diario7"})
        EXPECT_FALSE(readFile(kArquivoAlteracoes).contains(senha)) << senha;
    EXPECT_EQ(QFile::permissions(kArquivoSenhaProfessor), permissoes);

    // the old password no longer opens the gate, the new one does
    aberta.clear();
    pedeOProfessor([](QWidget* tela) {
        digita(kSenha);
        tecla(Qt::Key_Return);
        QTest::keyClick(tela, Qt::Key_Escape);
    });
    EXPECT_TRUE(aberta.isEmpty());
    clockseam::advance(1000);
    pedeOProfessor(comASenha(QStringLiteral("nova123")));
    EXPECT_EQ(aberta, QStringLiteral("fProfessor"));
}

// A change that the disk refuses says so; the old password holds, and
// nothing is left beside it nor logged.
TEST_F(Professor, AChangeOfTheTeachersPasswordThatCannotBeWrittenKeepsTheOldOne)
{
    preparaTurma(1024);
    ASSERT_TRUE(CriaSenhaProfessor(kSenha));
    const QByteArray guardado = readFile(kArquivoSenhaProfessor);
    const QStringList arquivos = QDir().entryList(QDir::Files | QDir::Hidden);
    const QStringList registro = UltimasAlteracoes(10);
    boxseam::queueInput(QStringLiteral("nova123"));
    boxseam::queueInput(QStringLiteral("nova123"));
    pedeOProfessor(comASenha([](QWidget*) {
        const DiscoCheio cheio(16);
        tecla(Qt::Key_F7);
    }));
    EXPECT_EQ(caixasCom(BoxKind::ErrorReport),
              QStringList{QStringLiteral("A senha do professor não foi trocada (Disk full): a senha de antes "
                                         "continua valendo.")});
    EXPECT_EQ(readFile(kArquivoSenhaProfessor), guardado);
    EXPECT_EQ(QDir().entryList(QDir::Files | QDir::Hidden), arquivos);
    EXPECT_EQ(UltimasAlteracoes(10), registro);
}

// What a teacher does: a forgotten password cleared, a name,
// an e-mail and a rhythm corrected, a new password given.
TEST_F(Professor, TheTeacherCorrectsStudentsWithKeysAtEveryWidthBand)
{
    for (int largura : {800, 1024, 1280}) {
        SCOPED_TRACE(largura);
        preparaTurma(largura);
        ASSERT_TRUE(CriaSenhaProfessor(kSenha));
        boxseam::clear();
        QString codigo;
        QStringList roster;
        QString ultimaAlteracao;
        pedeOProfessor(comASenha([&](QWidget* tela) {
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
        }));
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
        ASSERT_EQ(log.size(), 6);
        EXPECT_EQ(ultimaAlteracao, log.first());
        EXPECT_TRUE(log[4].contains(QStringLiteral("código 1 - senha apagada"))) << log[4].toStdString();
        EXPECT_TRUE(log.last().endsWith(QStringLiteral(" - senha do professor criada"))) << log.last().toStdString();
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

    QStringList linhasMostradas;
    int alunosNaLista = 0;
    pedeOProfessor(comASenha([&](QWidget* tela) {
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
    }));
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
    pedeOProfessor(comASenha([&](QWidget* tela) {
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
    }));
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

    int alunosNaLista = 0;
    pedeOProfessor(comASenha([&](QWidget* tela) {
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
    }));
    EXPECT_EQ(caixasCom(BoxKind::Warning),
              QStringList{QStringLiteral("A matrícula parou antes do fim da lista: Disk full.\r"
                                         "1 aluno matriculado, sem senha: Ana Clara.\r"
                                         "2 alunos não foram matriculados: Beto, Caio.")});
    EXPECT_EQ(caixasCom(BoxKind::ErrorReport), QStringList());
    EXPECT_EQ(alunosNaLista, 3);
}

// Every control a screen reader reaches on the teacher's screen says what
// it is: each box by its label, the list and the log by theirs.
TEST_F(Professor, EveryControlOfTheTeachersScreenHasAName)
{
    preparaTurma(1024);
    ASSERT_TRUE(CriaSenhaProfessor(kSenha));
    QStringList semNome;
    pedeOProfessor(comASenha([&](QWidget* tela) {
        for (QWidget* controle : tela->findChildren<QWidget*>()) {
            const bool alcancado = qobject_cast<QLineEdit*>(controle) || qobject_cast<QAbstractScrollArea*>(controle)
                                   || qobject_cast<QAbstractButton*>(controle);
            const QAccessibleInterface* acessivel = QAccessible::queryAccessibleInterface(controle);
            // the screen's own controls, not the parts Qt makes of them
            const bool doPrograma = !controle->objectName().isEmpty();
            if (alcancado && doPrograma && controle->isVisible() && acessivel
                && acessivel->text(QAccessible::Name).isEmpty())
                semNome << controle->objectName();
        }
    }));
    EXPECT_EQ(semNome, QStringList());
}

// A correction whose write fails is reported with its cause; the record stays
// as it was and the boxes keep what was typed, to be saved again.
TEST_F(Professor, AFailedCorrectionSaysWhyAndLeavesTheRecordAsItWas)
{
    preparaTurma(1024);
    ASSERT_TRUE(CriaSenhaProfessor(kSenha));
    const QByteArray alunos = readFile(kArquivoAlunos);
    const QByteArray registro = readFile(kArquivoAlteracoes);
    QString nomeNaCaixa;
    pedeOProfessor(comASenha([&](QWidget* tela) {
        digita(QStringLiteral("joao"));
        tecla(Qt::Key_Return);
        tecla(Qt::Key_Return);
        digita(QStringLiteral(" Filho"));
        fileseam::failOn(fileseam::Op::Write, ENOSPC, 2);  // the record's write, after its journal's
        tecla(Qt::Key_F5);
        fileseam::clear();
        nomeNaCaixa = tela->findChild<QLineEdit*>(QStringLiteral("edNome"))->text();
        boxseam::queueAnswer(BoxAnswer::No);  // leaves without saving
    }));
    QStringList relatos;
    for (const boxseam::Shown& caixa : boxseam::shown()) {
        if (caixa.kind == BoxKind::ErrorReport)
            relatos << caixa.text;
    }
    ASSERT_EQ(relatos.size(), 1);
    EXPECT_TRUE(relatos[0].contains(QStringLiteral("Disk full"))) << relatos[0].toStdString();
    EXPECT_EQ(nomeNaCaixa, QStringLiteral("Joao Sousa Filho"));
    EXPECT_EQ(readFile(kArquivoAlunos), alunos);
    EXPECT_EQ(readFile(kArquivoAlteracoes), registro);
}

// Leaving a student with changes not saved asks first; "Não" leaves them.
TEST_F(Professor, ChangesNotSavedAreAskedAboutBeforeClosing)
{
    preparaTurma(1024);
    ASSERT_TRUE(CriaSenhaProfessor(kSenha));
    const QByteArray alunos = readFile(kArquivoAlunos);
    pedeOProfessor(comASenha([](QWidget*) {
        tecla(Qt::Key_Tab);  // the roster, at its first student
        tecla(Qt::Key_Down);
        tecla(Qt::Key_Return);
        digita(QStringLiteral(" Filho"));
        boxseam::queueAnswer(BoxAnswer::No);
    }));
    EXPECT_EQ(caixasCom(BoxKind::Confirmation),
              QStringList{QStringLiteral("As alterações de Joao Sousa não foram gravadas.\rGravar agora?")});
    EXPECT_EQ(readFile(kArquivoAlunos), alunos);
}

}  // namespace
