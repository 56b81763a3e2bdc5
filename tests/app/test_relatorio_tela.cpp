// The class report from the main menu: shown first, then printed or saved,
// with the file and print dialogs answered through the box seam.

#include "disco_cheio.h"
#include "fixture_app.h"
#include "support/modal.h"
#include "support/teclado.h"

#include "students/folhasdorelatorio.h"
#include "app/uPrin.h"
#include "students/uRelatorio.h"
#include "data/datafiles.h"
#include "data/records.h"
#include "platform/clock.h"
#include "platform/system.h"
#include "students/desempenho.h"
#include "ui/dialogs.h"
#include "ui/uAjusta.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QGraphicsView>
#include <QMenu>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QTest>

namespace {

class RelatorioTela : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        clockseam::set(QDateTime(QDate(2026, 12, 10), QTime(10, 0)));
        criaCatalogo();
        MaiorCodigo();
        GravaAluno(QStringLiteral("Ana; a \"primeira\""), QStringLiteral("segredo"), QStringLiteral("ana@escola.br"),
                   today(), 0);
        GravaAluno(QStringLiteral("João"), {}, {}, today(), 1);
        AulaAtual.Tempo = 180;
        AulaAtual.NumExerc = 1;
        GravaAula();  // a pass of João's, the last student registered
    }

    // Opens the report from the main menu's context menu, runs acoes in it,
    // then closes it with F10.
    void abreORelatorio(const std::function<void(QWidget*)>& acoes)
    {
        inicia();
        QMenu* contexto = abreMenuDeContexto(botao("bbFazerAula"));
        ASSERT_NE(contexto, nullptr);
        whenModal([&](QWidget* tela) {
            aberta = tela->objectName();
            paginas = tela->findChild<QPrintPreviewWidget*>(QStringLiteral("pvRelatorio"))->pageCount();
            acoes(tela);
            tecla(Qt::Key_F10);
        });
        ASSERT_TRUE(escolheNoMenu(contexto, QStringLiteral("Relatorio1")));
        ASSERT_TRUE(espera([] { return QApplication::activeModalWidget() == nullptr; }));
    }

    QString aberta;
    int paginas = 0;
};

TEST_F(RelatorioTela, TheMenuShowsTheReportAndSavesItInTheFormatOfItsName)
{
    const tAluno antes = AlunoAtual;
    abreORelatorio([](QWidget*) {
        boxseam::queueInput(QStringLiteral("turma.csv"));
        tecla(Qt::Key_F6);
        boxseam::queueInput(QStringLiteral("turma"));  // no extension: the PDF chosen by default
        tecla(Qt::Key_F6);
        tecla(Qt::Key_F6);  // cancelled
    });

    EXPECT_EQ(aberta, QStringLiteral("fRelatorio"));
    EXPECT_EQ(paginas, 1);
    const QByteArray csv = readFile(QStringLiteral("turma.csv"));
    EXPECT_TRUE(csv.startsWith("\xEF\xBB\xBF" "C\xC3\xB3" "digo;Nome;"));
    // Ana has only her registration: no first or last lesson
    EXPECT_TRUE(csv.contains("\r\n1;\"Ana; a \"\"primeira\"\"\";0;0;0;;;0;0;\r\n"));
    EXPECT_TRUE(csv.contains("\r\n2;Jo\xC3\xA3o;1;1;1;10/12/2026;10/12/2026;180;180;\r\n"));
    EXPECT_FALSE(csv.contains("segredo") || csv.contains("ana@escola.br"));
    EXPECT_TRUE(readFile(QStringLiteral("turma.pdf")).startsWith("%PDF"));
    ASSERT_EQ(boxseam::shown().size(), 3u);
    EXPECT_EQ(boxseam::shown()[0].kind, BoxKind::SaveFile);
    EXPECT_TRUE(boxseam::shown()[0].text.endsWith(QStringLiteral("relatorio-da-turma.pdf")));
    EXPECT_EQ(QByteArray(AlunoAtual.Nome.bytes()), QByteArray(antes.Nome.bytes()));
    EXPECT_TRUE(espera([this] { return QApplication::activeWindow() == menu(); }));
}

// The screen saves the same CSV as the command line: a name that a
// spreadsheet would run as a formula goes in as text.
TEST_F(RelatorioTela, ANameThatLooksLikeAFormulaIsSavedAsText)
{
    GravaAluno(QStringLiteral("=HYPERLINK(\"http://x.co\";\"ver notas\")"), {}, {}, today(), 0);
    GravaAluno(QStringLiteral("=2+3*10"), {}, {}, today(), 0);
    abreORelatorio([](QWidget*) {
        boxseam::queueInput(QStringLiteral("turma.csv"));
        tecla(Qt::Key_F6);
    });

    const QByteArray csv = readFile(QStringLiteral("turma.csv"));
    EXPECT_TRUE(csv.contains("\r\n3;\"'=HYPERLINK(\"\"http://x.co\"\";\"\"ver notas\"\")\";")) << csv.toStdString();
    EXPECT_TRUE(csv.contains("\r\n4;'=2+3*10;")) << csv.toStdString();
}

TEST_F(RelatorioTela, AnUnknownExtensionIsRefusedAndNothingIsWritten)
{
    abreORelatorio([](QWidget*) {
        boxseam::queueInput(QStringLiteral("turma.txt"));
        tecla(Qt::Key_F6);
    });

    ASSERT_EQ(boxseam::shown().size(), 2u);
    EXPECT_EQ(boxseam::shown()[1].kind, BoxKind::Error);
    EXPECT_TRUE(boxseam::shown()[1].text.startsWith(QStringLiteral("O relatório não foi salvo: ")));
    EXPECT_TRUE(boxseam::shown()[1].text.contains(QStringLiteral(".pdf ou .csv")));
    EXPECT_FALSE(QFile::exists(QStringLiteral("turma.txt")));
}

TEST_F(RelatorioTela, PrintingGoesThroughThePrintDialog)
{
    abreORelatorio([](QWidget*) {
        tecla(Qt::Key_F5);  // cancelled: nothing printed
        boxseam::queueInput(QStringLiteral("impresso.pdf"));
        tecla(Qt::Key_F5);
    });

    ASSERT_EQ(boxseam::shown().size(), 2u);
    EXPECT_EQ(boxseam::shown()[0].kind, BoxKind::Print);
    EXPECT_TRUE(readFile(QStringLiteral("impresso.pdf")).startsWith("%PDF"));
}

// Saving from the screen fails as the command line does: the cause in the
// error box, and the file that was there before left as it was.
TEST_F(RelatorioTela, ASaveThatFailsKeepsTheOldFileAndSaysWhy)
{
    writeFile(QStringLiteral("turma.pdf"), "relat\xC3\xB3rio antigo");
    ASSERT_TRUE(QFile::link(kArquivoAulas, QStringLiteral("ligado.csv")));
    const QByteArray historico = readFile(kArquivoAulas);
    struct Caso {
        QString nome;
        rlim_t livres;  // on the disk, for a file
        QString motivo;
    };
    const Caso casos[] = {
        {QStringLiteral("turma.pdf"), 4096, QStringLiteral("o arquivo passou do tamanho máximo permitido")},
        {QStringLiteral("turma.csv"), 0, QStringLiteral("o arquivo passou do tamanho máximo permitido")},
        {QStringLiteral("ligado.csv"), RLIM_INFINITY, QStringLiteral("é um link simbólico")},
    };
    abreORelatorio([&](QWidget*) {
        for (const Caso& caso : casos) {
            boxseam::queueInput(caso.nome);
            const DiscoCheio cheio(caso.livres);
            tecla(Qt::Key_F6);
        }
    });

    ASSERT_EQ(boxseam::shown().size(), 2 * std::size(casos));
    for (size_t i = 0; i < std::size(casos); ++i) {
        SCOPED_TRACE(casos[i].nome.toStdString());
        EXPECT_EQ(boxseam::shown()[2 * i + 1].kind, BoxKind::Error);
        EXPECT_EQ(boxseam::shown()[2 * i + 1].text,
                  QStringLiteral("O relatório não foi salvo: não foi possível gravar o relatório %1: %2.")
                      .arg(casos[i].nome, casos[i].motivo));
    }
    EXPECT_EQ(readFile(QStringLiteral("turma.pdf")), QByteArray("relat\xC3\xB3rio antigo"));
    EXPECT_FALSE(QFile::exists(QStringLiteral("turma.csv")));
    EXPECT_EQ(readFile(kArquivoAulas), historico);
    EXPECT_TRUE(QFileInfo(QStringLiteral("ligado.csv")).isSymLink());
}

// The preview lays the pages out on the screen's printer and shows them
// scaled to its width: at every width band each heading and cell is whole,
// measured in the screen's type at the size the page is drawn, the longest
// name and a name of one long word among them.
TEST_F(RelatorioTela, EveryHeadingAndCellIsWholeInThePreviewAtEveryWidth)
{
    GravaAluno(QStringLiteral("Maria Aparecida dos Santos de Oliveira"), {}, {}, today(), 0);
    AulaAtual.Tempo = 388;
    AulaAtual.NumExerc = 1;
    GravaAula();
    GravaAluno(QString(40, u'W'), {}, {}, today(), 0);
    for (const int largura : {800, 1024, 1280}) {
        SCOPED_TRACE(largura);
        LarguraTela = largura;
        systemseam::setDisplayWidth(largura);
        const std::vector<Desempenho> turma = DesempenhoDaTurma();
        TfRelatorio tela(turma, QDir::currentPath(), dateOfDayCount(today()));
        auto* previa = tela.findChild<QPrintPreviewWidget*>(QStringLiteral("pvRelatorio"));
        std::vector<FolhaDoRelatorio> folhas;
        int dpiDaImpressora = 0;
        QObject::connect(previa, &QPrintPreviewWidget::paintRequested, [&](QPrinter* impressora) {
            folhas = folhasDoRelatorio(*impressora, turma, QDir::currentPath(), dateOfDayCount(today()));
            dpiDaImpressora = impressora->logicalDpiY();
        });
        tela.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&tela));
        esvaziaEventos();
        ASSERT_FALSE(folhas.empty());
        ASSERT_EQ(previa->pageCount(), int(folhas.size()));
        const double escala = previa->findChild<QGraphicsView*>()->transform().m11();
        QStringList cortes;
        for (const FolhaDoRelatorio& folha : folhas) {
            for (const TextoNaFolha& texto : folha.textos) {
                QFont naTela = texto.fonte;
                // the printer's pixels scaled to the screen's
                naTela.setPointSizeF(texto.fonte.pointSizeF() * escala * dpiDaImpressora / tela.logicalDpiY());
                const QFontMetricsF medida(naTela, &tela);
                // a text begins at the left of its box and may take the
                // room left to its frame, short of the frame's line
                const QRectF quadro = texto.moldura.isEmpty() ? texto.caixa : texto.moldura;
                const double tem = (quadro.right() - texto.caixa.left()) * escala - 1;
                for (const QString& linha : texto.linhas) {
                    if (medida.horizontalAdvance(linha) > tem)
                        cortes << QStringLiteral("\"%1\" needs %2 px, has %3")
                                      .arg(linha)
                                      .arg(medida.horizontalAdvance(linha))
                                      .arg(tem);
                }
            }
        }
        EXPECT_EQ(cortes, QStringList());
    }
}

}  // namespace
