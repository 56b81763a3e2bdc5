// The registration screen driven with real keys and clicks.

#include "fixture_alunos.h"
#include "support/rawrecords.h"

#include "data/datafiles.h"
#include "data/records.h"
#include "data/text.h"
#include "platform/clock.h"
#include "ui/dialogs.h"
#include "platform/recordfile.h"
#include "students/uCadAlunos.h"
#include "support/modal.h"
#include "support/teclado.h"

#include <QApplication>
#include <QDateEdit>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <memory>

namespace {

class Cadastro : public ComAlunos {
protected:
    void SetUp() override
    {
        ComAlunos::SetUp();
        abre();
    }

    void abre()
    {
        tela = std::make_unique<TfCadAlunos>();
        tela->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(tela.get()));
        nome = caixa("dbedNome");
        senha = caixa("dbedSenha");
        email = caixa("edeMail");
        data = tela->findChild<QDateEdit*>(QStringLiteral("dtpDataNasc"));
        ASSERT_TRUE(data);
    }

    QLineEdit* caixa(const char* nomeDaCaixa)
    {
        auto* edit = tela->findChild<QLineEdit*>(QLatin1String(nomeDaCaixa));
        EXPECT_TRUE(edit) << nomeDaCaixa;
        return edit;
    }

    int periodo(int i) const
    {
        return tela->findChild<QRadioButton*>(QStringLiteral("rgPeriodo%1").arg(i))->isChecked();
    }

    // types the name and, after a Tab, the password, and saves with F5
    void preencheEGrava(const QString& oNome, const QString& aSenha = {})
    {
        QTest::mouseClick(nome, Qt::LeftButton);
        EXPECT_EQ(QApplication::focusWidget(), nome);
        digita(oNome);
        tecla(Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), senha);
        digita(aSenha);
        tecla(Qt::Key_F5);
    }

    static QString nomeNoRol(int k) { return fromCp1252(ListaAlunos[k].Nome.bytes()); }

    std::unique_ptr<TfCadAlunos> tela;
    QLineEdit* nome = nullptr;
    QLineEdit* senha = nullptr;
    QLineEdit* email = nullptr;
    QDateEdit* data = nullptr;
};

TEST_F(Cadastro, OpensWithTodayTodoDiaAndTheFocusInTheName)
{
    EXPECT_EQ(data->date(), QDate(2026, 12, 10));
    EXPECT_TRUE(periodo(2));
    EXPECT_EQ(QApplication::focusWidget(), nome);
    EXPECT_EQ(nome->palette().color(QPalette::Base), QColor(0x00, 0xFF, 0xFF));
    EXPECT_EQ(nome->palette().color(QPalette::Text), QColor(0x00, 0x00, 0xFF));

    tecla(Qt::Key_F12);
    EXPECT_TRUE(periodo(0));
}

TEST_F(Cadastro, TabGoesNameSenhaEmailPeriodDateAndBackWithFocusColours)
{
    std::vector<QWidget*> visitados;
    for (int i = 0; i < 5; ++i) {
        tecla(Qt::Key_Tab);
        visitados.push_back(QApplication::focusWidget());
    }
    const std::vector<QWidget*> esperados{
        senha, email, tela->findChild<QRadioButton*>(QStringLiteral("rgPeriodo2")), data, nome};
    EXPECT_EQ(visitados, esperados);
    EXPECT_EQ(email->palette().color(QPalette::Base), QApplication::palette(email).color(QPalette::Base));
}

TEST_F(Cadastro, StudentNumbersFollowTheHighestInTheFile)
{
    tela.reset();
    cadastra(QStringLiteral("Um"));
    cadastra(QStringLiteral("Dois"));
    // another machine's save, numbered five
    writeFile(kArquivoAlunos, readFile(kArquivoAlunos) + bytesOf(storedStudent(5)));
    abre();

    preencheEGrava(QStringLiteral("Seis"));
    preencheEGrava(QStringLiteral("Sete"));

    ASSERT_EQ(NumAlunos, 5);
    EXPECT_EQ(ListaAlunos[4].Codigo, 6);
    EXPECT_EQ(ListaAlunos[5].Codigo, 7);
    EXPECT_EQ(nomeNoRol(5), QStringLiteral("Sete"));
}

TEST_F(Cadastro, AnEmptyNameIsRefusedAndWhatIsTypedNextIsTheName)
{
    preencheEGrava(QString(), QStringLiteral("abc"));

    ASSERT_EQ(boxseam::shown().size(), 1u);
    EXPECT_EQ(boxseam::shown()[0].kind, BoxKind::Warning);
    EXPECT_EQ(boxseam::shown()[0].text, QStringLiteral("Digite pelo menos o nome do aluno."));
    EXPECT_FALSE(fileExists(kArquivoAlunos));
    EXPECT_EQ(QApplication::focusWidget(), nome);
    digita(QStringLiteral("Ana"));
    EXPECT_EQ(nome->text(), QStringLiteral("Ana"));
    EXPECT_EQ(senha->text(), QStringLiteral("abc"));
}

TEST_F(Cadastro, APasswordIsConfirmedExactly)
{
    const std::optional<QString> confirmacoes[] = {std::nullopt, QStringLiteral("SEGREDO")};
    for (const auto& confirmacao : confirmacoes) {
        boxseam::clear();
        boxseam::queueInput(confirmacao);
        nome->clear();
        senha->clear();
        preencheEGrava(QStringLiteral("Ana"), QStringLiteral("segredo"));

        ASSERT_EQ(boxseam::shown().size(), 2u);
        EXPECT_EQ(boxseam::shown()[0].kind, BoxKind::Input);
        EXPECT_EQ(boxseam::shown()[0].title, QStringLiteral("Conferência de Senha"));
        EXPECT_EQ(boxseam::shown()[0].text, QStringLiteral("Digite a senha novamente para conferir"));
        EXPECT_EQ(boxseam::shown()[0].echo, InputEcho::Password);
        EXPECT_EQ(boxseam::shown()[1].kind, BoxKind::Error);
        EXPECT_EQ(boxseam::shown()[1].text,
                  QStringLiteral("As senhas digitadas não conferem.\rDigite novamente."));
        EXPECT_EQ(nome->text(), QStringLiteral("Ana"));
        EXPECT_EQ(senha->text(), QStringLiteral("segredo"));
        EXPECT_EQ(QApplication::focusWidget(), senha);
        EXPECT_FALSE(fileExists(kArquivoAlunos));
    }

    boxseam::clear();
    boxseam::queueInput(QStringLiteral("segredo"));
    tecla(Qt::Key_F5);
    ASSERT_EQ(NumAlunos, 1);
    EXPECT_EQ(fromCp1252(ListaAlunos[1].Senha.bytes()), QStringLiteral("segredo"));
}

// The real box, on a screen in a classroom: the confirmation shows what a
// password box shows, and is compared as typed.
TEST_F(Cadastro, TheConfirmationBoxShowsAStarForEachCharacter)
{
    QLineEdit::EchoMode eco = QLineEdit::Normal;
    QString mostrado;
    {
        CaixasReais reais;
        whenModal([&](QWidget*) {
            auto* resposta = qobject_cast<QLineEdit*>(comFoco());
            if (!resposta)
                return;
            eco = resposta->echoMode();
            digita(QStringLiteral("segredo"));
            mostrado = resposta->displayText();
            tecla(Qt::Key_Return);
        });
        preencheEGrava(QStringLiteral("Ana"), QStringLiteral("segredo"));
    }

    EXPECT_EQ(eco, QLineEdit::Password);
    EXPECT_EQ(mostrado, QStringLiteral("*******"));
    ASSERT_EQ(NumAlunos, 1);
    EXPECT_EQ(fromCp1252(ListaAlunos[1].Senha.bytes()), QStringLiteral("segredo"));
}

// Passwords the student file could never give back as typed: one character
// comes back with a blank after it, and "==" stands for no password.
TEST_F(Cadastro, APasswordThatCouldNeverBeTypedAgainIsRefusedBeforeAnythingIsWritten)
{
    for (const QString& impossivel : {QStringLiteral("x"), QStringLiteral("==")}) {
        SCOPED_TRACE(impossivel.toStdString());
        boxseam::clear();
        nome->clear();
        senha->clear();
        preencheEGrava(QStringLiteral("Ana"), impossivel);

        ASSERT_EQ(boxseam::shown().size(), 1u) << "no confirmation is asked";
        EXPECT_EQ(boxseam::shown()[0].kind, BoxKind::Warning);
        EXPECT_EQ(boxseam::shown()[0].text, QStringLiteral("Esta senha não pode ser usada.\r"
                                                           "Digite pelo menos 2 caracteres, sem ser \"==\",\r"
                                                           "ou deixe a senha em branco."));
        EXPECT_FALSE(fileExists(kArquivoAlunos));
        EXPECT_EQ(senha->text(), impossivel);
        EXPECT_EQ(QApplication::focusWidget(), senha);
    }
}

// What is stored is exactly what was typed: a character the file cannot hold
// is refused as it is typed, and a box takes no more than its field holds.
TEST_F(Cadastro, TheBoxesTakeOnlyWhatTheStudentFileHolds)
{
    const QString longo = QStringLiteral("Maria Aparecida dos Santos de Oliveira Lima");  // 43
    for (QLineEdit* caixa : {nome, senha, email}) {
        SCOPED_TRACE(caixa->objectName().toStdString());
        QTest::mouseClick(caixa, Qt::LeftButton);
        digita(QStringLiteral("Zoë ł€"));
        EXPECT_EQ(caixa->text(), QStringLiteral("Zoë €"));
    }
    EXPECT_EQ(senha->displayText(), QStringLiteral("*****"));

    nome->clear();
    QTest::mouseClick(nome, Qt::LeftButton);
    digita(longo);
    EXPECT_EQ(nome->text(), longo.left(40));
    boxseam::queueInput(QStringLiteral("Zoë €"));
    tecla(Qt::Key_F5);
    ASSERT_EQ(NumAlunos, 1);
    EXPECT_EQ(nomeNoRol(1), longo.left(40));
    EXPECT_EQ(fromCp1252(ListaAlunos[1].Senha.bytes()), QStringLiteral("Zoë €"));
    EXPECT_EQ(fromCp1252(ListaAlunos[1].EMail.bytes()), QStringLiteral("Zoë €"));
}

TEST_F(Cadastro, ASaveStoresTheStudentAndClearsTheScreen)
{
    digita(QStringLiteral("Beatriz"));
    // past the password to the e-mail
    tecla(Qt::Key_Tab);
    tecla(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), email);
    digita(QStringLiteral("bia@example.com"));
    data->setDate(QDate(2030, 1, 2));  // a birth date after today is taken as it is
    QTest::mouseClick(tela->findChild<QRadioButton*>(QStringLiteral("rgPeriodo1")), Qt::LeftButton);
    QTest::mouseClick(tela->findChild<QWidget*>(QStringLiteral("BtGrava")), Qt::LeftButton);

    EXPECT_TRUE(boxseam::shown().empty());  // no password: no confirmation, no message
    ASSERT_EQ(NumAlunos, 1);
    EXPECT_EQ(nomeNoRol(1), QStringLiteral("Beatriz"));
    EXPECT_TRUE(ListaAlunos[1].Senha.empty());
    EXPECT_EQ(fromCp1252(ListaAlunos[1].EMail.bytes()), QStringLiteral("bia@example.com"));
    EXPECT_EQ(ListaAlunos[1].DataNasc, dayCount(QDate(2030, 1, 2)));
    EXPECT_EQ(ListaAlunos[1].Periodo.bytes(), QByteArray("1"));

    EXPECT_TRUE(nome->text().isEmpty());
    EXPECT_TRUE(email->text().isEmpty());
    EXPECT_EQ(data->date(), QDate(2026, 12, 10));
    EXPECT_TRUE(periodo(0));
    EXPECT_EQ(QApplication::focusWidget(), nome);
    for (const char* vazia : {"DBEdit3", "DBEdit4", "dbedData"})
        EXPECT_TRUE(caixa(vazia)->text().isEmpty()) << vazia;
}

TEST_F(Cadastro, KeysWorkFromEveryBoxAndF7ToF9DoNothing)
{
    digita(QStringLiteral("Caio"));
    // back from the name to the birth date, the last box in the tab order
    tecla(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), data);
    for (Qt::Key nada : {Qt::Key_F7, Qt::Key_F8, Qt::Key_F9})
        tecla(nada);
    EXPECT_EQ(nome->text(), QStringLiteral("Caio"));
    EXPECT_TRUE(boxseam::shown().empty());

    tecla(Qt::Key_F12);
    EXPECT_TRUE(nome->text().isEmpty());

    EXPECT_EQ(QApplication::focusWidget(), nome);
    digita(QStringLiteral("Caio"));
    tecla(Qt::Key_Escape);  // no cancel button: nothing typed is lost
    EXPECT_TRUE(tela->isVisible());
    EXPECT_EQ(nome->text(), QStringLiteral("Caio"));

    tecla(Qt::Key_Tab);
    tecla(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), email);
    tecla(Qt::Key_F10);
    EXPECT_FALSE(tela->isVisible());
    EXPECT_FALSE(fileExists(kArquivoAlunos));
}

TEST_F(Cadastro, APasswordTakesAtMostFifteenCharacters)
{
    tecla(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), senha);
    digita(QStringLiteral("abcdefghijklmnopqrst"));
    EXPECT_EQ(senha->text(), QStringLiteral("abcdefghijklmno"));
}

TEST_F(Cadastro, AHundredAndFirstStudentIsRefused)
{
    QByteArray cem(100 * int(sizeof(tAluno)), '\0');
    writeFile(kArquivoAlunos, cem);

    preencheEGrava(QStringLiteral("Demais"));

    ASSERT_EQ(boxseam::shown().size(), 1u);
    EXPECT_EQ(boxseam::shown()[0].kind, BoxKind::Warning);
    EXPECT_TRUE(boxseam::shown()[0].text.contains(QStringLiteral("no máximo 100 alunos")));
    EXPECT_EQ(readFile(kArquivoAlunos), cem);
    EXPECT_EQ(nome->text(), QStringLiteral("Demais"));
}

TEST_F(Cadastro, AFailedWriteKeepsTheScreenOpenAndFilled)
{
    fileseam::failOn(fileseam::Op::Create, ENOSPC);
    preencheEGrava(QStringLiteral("Eva"));

    ASSERT_EQ(boxseam::shown().size(), 1u);
    EXPECT_EQ(boxseam::shown()[0].kind, BoxKind::ErrorReport);
    EXPECT_TRUE(tela->isVisible());
    EXPECT_EQ(nome->text(), QStringLiteral("Eva"));
    EXPECT_TRUE(periodo(2));

    preencheEGrava(QString());  // the user tries again: the name is still there
    ASSERT_EQ(NumAlunos, 1);
    EXPECT_EQ(nomeNoRol(1), QStringLiteral("Eva"));
}

}  // namespace
