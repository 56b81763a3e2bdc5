// The rules of the typing field: what each key does, and that nothing but
// appending an accepted character ever changes the field.

#include "fixture_aula.h"

#include "course/aula.h"
#include "platform/clock.h"
#include "ui/dialogs.h"
#include "platform/system.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <variant>

namespace {

const QString kApagar =
    QStringLiteral("Não pode apagar letras para tentar corrigir. Prossiga, mesmo com o erro.");
const QString kColar = QStringLiteral("Não pode tentar colar um texto inteiro para ir mais rápido.");
const QString kMover = QStringLiteral("Não pode tentar mover sobre o texto. Apenas continue a digitar.");
const QString kFinal = QStringLiteral("A digitação chegou ao final");

QString contagem(int posicao, const char* tempo = "00:00:00")
{
    return QStringLiteral("Já foram digitados %1 caracteres em %2 minutos.")
        .arg(posicao)
        .arg(QLatin1String(tempo));
}

// One key with modifiers, or a run of plain characters.
struct Tecla {
    Qt::Key key;
    Qt::KeyboardModifiers modificadores = Qt::NoModifier;
};
using Passo = std::variant<QString, Tecla>;

}  // namespace

class Teclas : public Aula {
protected:
    void executa(const std::vector<Passo>& passos)
    {
        for (const Passo& passo : passos) {
            if (const auto* texto = std::get_if<QString>(&passo))
                digita(*texto);
            else
                tecla(std::get<Tecla>(passo).key, std::get<Tecla>(passo).modificadores);
        }
    }

    // the field is untouched: same text, caret at its end, nothing selected
    void esperaIntacto(const QString& texto)
    {
        EXPECT_EQ(campo(), texto);
        EXPECT_EQ(edDig->cursorPosition(), texto.size());
        EXPECT_FALSE(edDig->hasSelectedText());
    }
};

TEST_F(Teclas, EachKeyFollowsItsRule)
{
    struct Caso {
        const char* como;
        std::vector<Passo> passos;
        QString campo;
        QByteArray teclasDigitadas;
        char ultimaTecla;
        QString status;
    };
    const Caso casos[] = {
        {"three blanks after ab", {QString("ab   ")}, "ab _ ", "ab_", ' ', contagem(2)},
        {"a first blank is refused", {QString(" ")}, "", "", '\0', "Caracteres digitados"},
        {"a blank after a letter", {QString(" a ")}, "a ", "a", ' ', contagem(1)},
        {"semicolon in a word", {QString("ab;c")}, "abçc", "ab\xE7" "c", 'c', contagem(4)},
        {"semicolon last", {QString("ab;")}, "abç", "ab\xE7", '\xE7', contagem(2)},
        {"colon stays", {QString("a:")}, "a:", "a:", ':', contagem(2)},
        {"backspace", {QString("ab"), Tecla{Qt::Key_Backspace}}, "ab", "ab", 'b', kApagar},
        {"ctrl+backspace", {QString("ab"), Tecla{Qt::Key_Backspace, Qt::ControlModifier}}, "ab",
         "ab", 'b', kApagar},
        {"ctrl+v", {QString("ab"), Tecla{Qt::Key_V, Qt::ControlModifier}}, "ab", "ab", 'b', kColar},
        {"left", {QString("ab"), Tecla{Qt::Key_Left}}, "ab", "ab", 'b', kMover},
        {"shift+home", {QString("ab"), Tecla{Qt::Key_Home, Qt::ShiftModifier}}, "ab", "ab", 'b',
         kMover},
        {"ctrl+end", {QString("ab"), Tecla{Qt::Key_End, Qt::ControlModifier}}, "ab", "ab", 'b', kMover},
        {"alt+up", {QString("ab"), Tecla{Qt::Key_Up, Qt::AltModifier}}, "ab", "ab", 'b', kMover},
        {"right", {QString("ab"), Tecla{Qt::Key_Right}}, "ab", "ab", 'b', kMover},
        {"keypad down", {QString("ab"), Tecla{Qt::Key_Down, Qt::KeypadModifier}}, "ab", "ab", 'b',
         kMover},
        {"blank after a refused backspace after a blank",
         {QString("a "), Tecla{Qt::Key_Backspace}, QString(" ")}, "a _", "a_", '_', kApagar},
        {"ctrl+c is a character the field leaves out",
         {QString("ab"), Tecla{Qt::Key_C, Qt::ControlModifier}}, "ab", "ab\x03", '\x03', contagem(3)},
        {"escape likewise", {QString("ab"), Tecla{Qt::Key_Escape}}, "ab", "ab\x1B", '\x1B',
         contagem(3)},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.como);
        UltimaTecla = 0;
        InicioLinha = 0;
        QGuiApplication::clipboard()->setText(QStringLiteral("colado"));
        abre(umExercicio(1, {"abcdefghij"}, 5));
        executa(caso.passos);
        esperaIntacto(caso.campo);
        EXPECT_EQ(tela->licao().TeclasDigitadas(), caso.teclasDigitadas);
        EXPECT_EQ(UltimaTecla, caso.ultimaTecla);
        EXPECT_EQ(status(), caso.status);
    }
    EXPECT_TRUE(boxseam::shown().empty());
}

TEST_F(Teclas, CountAndTimeUntilTheLinesLastCharacterThenTheEndWarningWithABeep)
{
    abre(umExercicio(1, {"abcde"}, 5));
    clockseam::set(as(10));
    digita("a");
    const char* tempos[] = {"00:00:01", "00:00:02", "00:00:03"};
    for (int p = 2; p <= 4; ++p) {
        clockseam::advance(1000);
        digita("x");
        EXPECT_EQ(status(), contagem(p, tempos[p - 2]));
        EXPECT_EQ(corStatus(), cor::preto);
        EXPECT_EQ(fundoStatus(), cor::faceDeBotao());
    }
    EXPECT_EQ(systemseam::beeps(), 0);
    for (int p = 5; p <= 7; ++p) {
        digita("y");
        EXPECT_EQ(status(), kFinal);
        EXPECT_EQ(corStatus(), cor::vermelho);
        EXPECT_EQ(fundoStatus(), cor::agua);
        EXPECT_EQ(systemseam::beeps(), p - 4);
    }
    EXPECT_EQ(campo(), QStringLiteral("axxxyyy"));
}

TEST_F(Teclas, LinesOfLengthZeroAndOneWarnOnEveryCharacter)
{
    for (const QByteArray& linha : {QByteArray(""), QByteArray("a")}) {
        SCOPED_TRACE(linha.size());
        systemseam::clear();
        abre(umExercicio(1, {linha, "", "", ""}, 5));
        for (int p = 1; p <= 3; ++p) {
            digita("k");
            EXPECT_EQ(status(), kFinal);
            EXPECT_EQ(systemseam::beeps(), p);
        }
    }
}

TEST_F(Teclas, TheFieldHoldsEightyCharactersAndALongerLineIsNeverRight)
{
    const QByteArray oitentaECinco(85, 'W');
    abre(umExercicio(1, {oitentaECinco}, 5));
    digita(QString(83, u'W'));
    EXPECT_EQ(campo(), QString(80, u'W'));
    EXPECT_EQ(status(), contagem(81));
    enter();
    EXPECT_TRUE(resultado().endsWith(QStringLiteral("80 - Errada: [") + QString(80, u'W') + u']'));
    // a results line wider than the list wraps: the list scrolls only up and down
    QCoreApplication::processEvents();  // the list lays its lines out once events run
    EXPECT_FALSE(mmResultado->horizontalScrollBar()->isVisible());

    abre(umExercicio(1, {QByteArray(81, 'x')}, 5));
    digita(QString(81, u'x'));
    EXPECT_EQ(status(), kFinal);
}

TEST_F(Teclas, ALessonsFirstCharacterShowsNoTimeWhateverTheRunDidBefore)
{
    for (const QDateTime& quando : {as(10, 0, 5), as(10, 0, 12)}) {
        clockseam::set(quando);
        abre(umExercicio(1, {"abcdef"}, 5));
        digita("a");
        EXPECT_EQ(status(), contagem(1));
        fecha();
    }
}

TEST_F(Teclas, ALineTimeAcrossMidnightShowsTheClockModuloADay)
{
    clockseam::set(as(23, 59, 50));
    abre(umExercicio(1, {"abcdef"}, 5));
    digita("a");
    clockseam::set(QDateTime(QDate(2026, 12, 11), QTime(0, 0, 5)));
    digita("b");
    EXPECT_EQ(status(), contagem(2, "00:00:15"));
}

TEST_F(Teclas, TheLastCharacterOfALessonCarriesIntoTheNext)
{
    abre(umExercicio(1, {"abc def"}, 5));
    digita("abc ");
    fecha();
    abre(umExercicio(1, {"abc def"}, 5));
    digita(" ");
    EXPECT_EQ(campo(), QStringLiteral("_"));
    EXPECT_EQ(tela->licao().TeclasDigitadas(), QByteArray("_"));
    EXPECT_EQ(UltimaTecla, '_');
}

TEST_F(Teclas, ComposedCharactersGoThroughTheRulesOneAtATime)
{
    abre(umExercicio(1, {"a\xE7\xE3o \xE9"}, 5));
    QTest::sendKeyEvent(QTest::Click, comFoco(), Qt::Key_Dead_Tilde, QString(), Qt::NoModifier);
    esperaIntacto(QString());
    EXPECT_EQ(status(), QStringLiteral("Caracteres digitados"));

    digita(QStringLiteral("aç"));
    QInputMethodEvent composto;
    composto.setCommitString(QStringLiteral("ão é"));
    QApplication::sendEvent(comFoco(), &composto);
    esperaIntacto(QStringLiteral("ação é"));
    EXPECT_EQ(tela->licao().TeclasDigitadas(), QByteArray("a\xE7\xE3o\xE9"));
    EXPECT_EQ(UltimaTecla, '\xE9');
    EXPECT_EQ(status(), kFinal);

    // text still being composed, or a character the code page lacks, changes nothing
    const QString antes = status();
    QInputMethodEvent emComposicao(QStringLiteral("~"), {});
    QApplication::sendEvent(comFoco(), &emComposicao);
    digita(QStringLiteral("ł"));
    QInputMethodEvent foraDoCodigo;
    foraDoCodigo.setCommitString(QStringLiteral("✓"));
    QApplication::sendEvent(comFoco(), &foraDoCodigo);
    esperaIntacto(QStringLiteral("ação é"));
    EXPECT_EQ(tela->licao().TeclasDigitadas(), QByteArray("a\xE7\xE3o\xE9"));
    EXPECT_EQ(UltimaTecla, '\xE9');
    EXPECT_EQ(status(), antes);
}

TEST_F(Teclas, EveryOtherMeansOfCorrectionIsRefused)
{
    struct Caso {
        const char* como;
        Qt::Key key;
        Qt::KeyboardModifiers modificadores;
    };
    const Caso casos[] = {
        {"delete", Qt::Key_Delete, Qt::NoModifier},
        {"cut", Qt::Key_Delete, Qt::ShiftModifier},
        {"paste", Qt::Key_Insert, Qt::ShiftModifier},
        {"copy", Qt::Key_Insert, Qt::ControlModifier},
        {"undo", Qt::Key_Z, Qt::ControlModifier},
        {"redo", Qt::Key_Y, Qt::ControlModifier},
        {"redo with shift", Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier},
        {"select all", Qt::Key_A, Qt::ControlModifier},
        {"cut with x", Qt::Key_X, Qt::ControlModifier},
        {"word left", Qt::Key_Backspace, Qt::ControlModifier},
        {"alt backspace", Qt::Key_Backspace, Qt::AltModifier},
        {"page up", Qt::Key_PageUp, Qt::NoModifier},
    };
    QGuiApplication::clipboard()->setText(QStringLiteral("colado"));
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.como);
        abre(umExercicio(1, {"abcdef"}, 5));
        digita("abc");
        tecla(caso.key, caso.modificadores);
        esperaIntacto(QStringLiteral("abc"));
        digita("d");
        esperaIntacto(QStringLiteral("abcd"));
    }
}

TEST_F(Teclas, TheMouseLeavesTheCaretAtTheEndWithNothingSelected)
{
    abre(umExercicio(1, {"abcdef"}, 5));
    digita("abc");
    const QPoint meio(edDig->width() / 4, edDig->height() / 2);
    QTest::mouseClick(edDig, Qt::LeftButton, Qt::NoModifier, meio);
    esperaIntacto(QStringLiteral("abc"));
    QTest::mouseDClick(edDig, Qt::LeftButton, Qt::NoModifier, meio);
    esperaIntacto(QStringLiteral("abc"));

    QTest::mousePress(edDig, Qt::LeftButton, Qt::NoModifier, QPoint(2, meio.y()));
    QTest::mouseMove(edDig, QPoint(edDig->width() - 2, meio.y()));
    QTest::mouseRelease(edDig, Qt::LeftButton, Qt::NoModifier, QPoint(edDig->width() - 2, meio.y()));
    esperaIntacto(QStringLiteral("abc"));

    QGuiApplication::clipboard()->setText(QStringLiteral("colado"), QClipboard::Selection);
    QTest::mouseClick(edDig, Qt::MiddleButton, Qt::NoModifier, meio);
    esperaIntacto(QStringLiteral("abc"));

    QTest::mouseClick(edNumLinha, Qt::LeftButton);
    esperaIntacto(QStringLiteral("abc"));
    EXPECT_FALSE(edNumLinha->hasSelectedText());
}

TEST_F(Teclas, ADropAndAnInputMethodEditAreRefused)
{
    abre(umExercicio(1, {"abcdef"}, 5));
    digita("abc");
    EXPECT_FALSE(edDig->acceptDrops());
    QMimeData dados;
    dados.setText(QStringLiteral("solto"));
    const QPointF lugar(10, 10);
    QDragEnterEvent entra(lugar.toPoint(), Qt::CopyAction, &dados, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(edDig, &entra);
    EXPECT_FALSE(entra.isAccepted());
    QDropEvent solta(lugar, Qt::CopyAction, &dados, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(edDig, &solta);
    esperaIntacto(QStringLiteral("abc"));

    // an input method may ask to replace text around the caret: only its
    // committed characters count, appended one by one
    QInputMethodEvent troca;
    troca.setCommitString(QStringLiteral("X"), -3, 3);
    QApplication::sendEvent(comFoco(), &troca);
    esperaIntacto(QStringLiteral("abcX"));
}

TEST_F(Teclas, TheFieldsMenuIsTheScreensFinalizar)
{
    abre(umExercicio(1, {"abcdef"}, 5));
    digita("abc");
    for (QWidget* alvo : {static_cast<QWidget*>(edDig), static_cast<QWidget*>(edNumLinha),
                          static_cast<QWidget*>(tela.get())}) {
        SCOPED_TRACE(alvo->objectName().toStdString());
        QStringList itens;
        QString atalho;
        QTimer::singleShot(0, [&] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                for (QAction* item : menu->actions()) {
                    itens << item->text();
                    atalho = item->shortcut().toString();
                }
                menu->close();
            }
        });
        QContextMenuEvent pedido(QContextMenuEvent::Mouse, QPoint(5, 5), alvo->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(alvo, &pedido);
        EXPECT_EQ(itens, QStringList{QStringLiteral("Finalizar")});
        EXPECT_EQ(atalho, QStringLiteral("F10"));
    }
    esperaIntacto(QStringLiteral("abc"));
}

TEST_F(Teclas, TheLineBoxSharesTheRulesAndWorksOnTheTypingField)
{
    abre(umExercicio(1, {"abc"}, 5));
    // from the typing field through the results and the button
    for (int vez = 0; vez < 3; ++vez)
        tecla(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), edNumLinha);
    digita("ab");
    tecla(Qt::Key_Backspace);
    EXPECT_EQ(status(), kApagar);
    tecla(Qt::Key_Left);
    EXPECT_EQ(status(), kMover);
    digita("c");
    EXPECT_EQ(campo(), QStringLiteral("abc"));
    EXPECT_EQ(edNumLinha->text(), QStringLiteral("1."));
    enter();
    EXPECT_EQ(resultado(), QStringLiteral("\n3 - Certa: [abc]"));
    EXPECT_EQ(edNumLinha->text(), QStringLiteral("2."));
}
