// The error boundary of a user action: an error ends the action at the step
// that failed, is shown in the error report, and the program goes on. The
// application object speaks Portuguese from the start. And the boxes' seam
// that every test answers through.

#include "platform/errors.h"
#include "support/fixture.h"
#include "support/teclado.h"
#include "ui/acao.h"
#include "ui/application.h"
#include "ui/dialogs.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <memory>

namespace {

class Acao : public InTempDir {};

TEST_F(Acao, AnErrorEndsTheActionAtItsStepAndIsReportedEachTime)
{
    QPushButton button;
    int started = 0;
    int finished = 0;
    conectaAcao(&button, &QPushButton::clicked, &button, [&] {
        ++started;
        throw IoError(IoError::FileNotFound);
        ++finished;
    });
    button.show();
    QTest::mouseClick(&button, Qt::LeftButton);
    QTest::mouseClick(&button, Qt::LeftButton);

    EXPECT_EQ(started, 2);
    EXPECT_EQ(finished, 0);
    ASSERT_EQ(boxseam::shown().size(), 2u);
    EXPECT_EQ(boxseam::shown()[0].kind, BoxKind::ErrorReport);
    EXPECT_EQ(boxseam::shown()[0].title, kApplicationTitle);
    EXPECT_EQ(boxseam::shown()[0].text, QStringLiteral("File not found."));
}

TEST_F(Acao, ASlotTakesTheSignalsArgumentsOrNone)
{
    QLineEdit field;
    QString seen;
    int calls = 0;
    conectaAcao(&field, &QLineEdit::textChanged, &field, [&](const QString& text) { seen = text; });
    conectaAcao(&field, &QLineEdit::textChanged, &field, [&] { ++calls; });
    field.setText(QStringLiteral("ab"));
    EXPECT_EQ(seen, QStringLiteral("ab"));
    EXPECT_EQ(calls, 1);
}

// An event filter that fails keeps the event from the widget: a key the
// handler could not judge is not typed.
class FiltroQueFalha : public QObject {
protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        return filtraAcao([event] {
            if (event->type() == QEvent::KeyPress)
                throw ConversionError(QStringLiteral("x"));
            return false;
        });
    }
};

TEST_F(Acao, AFilterThatFailsStopsTheEvent)
{
    QLineEdit field;
    FiltroQueFalha filtro;
    field.installEventFilter(&filtro);
    field.show();
    field.activateWindow();
    QTest::keyClick(&field, Qt::Key_A);
    EXPECT_EQ(field.text(), QString());
    ASSERT_EQ(boxseam::shown().size(), 1u);
    EXPECT_EQ(boxseam::shown()[0].text, QStringLiteral("'x' is not a valid integer value."));
}

TEST_F(Acao, AnErrorThatEscapesAHandlerReachesTheLastResortAndTheProgramGoesOn)
{
    QStringList lastResort;
    Application::onLastResort([&](const QString& message) { lastResort << message; });
    QPushButton button;
    QObject::connect(&button, &QPushButton::clicked, [] { throw IoError(IoError::DiskFull); });
    button.show();
    QTest::mouseClick(&button, Qt::LeftButton);
    Application::onLastResort(failOnLastResort);

    EXPECT_EQ(lastResort, QStringList{QStringLiteral("Disk full")});
    ASSERT_EQ(boxseam::shown().size(), 1u);
    EXPECT_EQ(boxseam::shown()[0].text, QStringLiteral("Disk full."));
}

// Right-clicking a text box before any file dialog was ever opened.
TEST(Application, QtsOwnTextsArePortugueseFromTheStart)
{
    QLineEdit caixa(QStringLiteral("texto"));
    caixa.selectAll();
    const std::unique_ptr<QMenu> menu(caixa.createStandardContextMenu());
    QStringList textos;
    for (const QAction* item : menu->actions()) {
        if (!item->isSeparator())
            textos << item->text().section(u'\t', 0, 0).remove(u'&');
    }
    EXPECT_EQ(textos, (QStringList{QStringLiteral("Desfazer"), QStringLiteral("Refazer"), QStringLiteral("Recortar"),
                                   QStringLiteral("Copiar"), QStringLiteral("Colar"), QStringLiteral("Excluir"),
                                   QStringLiteral("Selecionar tudo")}));
}

TEST(Boxes, SeamRecordsAndAnswersFromItsQueue)
{
    clearSeams();
    boxseam::queueAnswer(BoxAnswer::Yes);
    EXPECT_EQ(showMessage(BoxKind::Confirmation, QStringLiteral("a\rb")), BoxAnswer::Yes);
    EXPECT_EQ(showMessage(BoxKind::Confirmation, QStringLiteral("c")), BoxAnswer::No);
    EXPECT_EQ(showMessage(BoxKind::Warning, QStringLiteral("d")), BoxAnswer::Ok);
    boxseam::queueInput(QStringLiteral("abc"));
    boxseam::queueInput(std::nullopt);
    EXPECT_EQ(inputBox(QStringLiteral("T"), QStringLiteral("P"), QString()), QStringLiteral("abc"));
    EXPECT_EQ(inputBox(QStringLiteral("T"), QStringLiteral("P"), QStringLiteral("def")), QStringLiteral("def"));

    const auto& shown = boxseam::shown();
    ASSERT_EQ(shown.size(), 5u);
    EXPECT_EQ(shown[0].title, QStringLiteral("Confirmação"));
    EXPECT_EQ(shown[0].text, QStringLiteral("a\rb"));
    EXPECT_EQ(shown[2].title, QStringLiteral("Perigo"));
    EXPECT_EQ(shown[3].kind, BoxKind::Input);
    EXPECT_EQ(shown[3].title, QStringLiteral("T"));
    EXPECT_EQ(boxTitle(BoxKind::Error), QStringLiteral("Erro"));
    EXPECT_EQ(boxTitle(BoxKind::Information), QStringLiteral("Informação"));
}

}  // namespace
