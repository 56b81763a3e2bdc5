// The exercise screen: the rules of the typing field. Every way into the
// field (keys, composed characters, the mouse, drops) passes through here, so
// its text changes only by a character that the rules let through, or by the
// ENTER step emptying it. The line-number box shares all of it and always
// works on the typing field.

#include "course/uExercicio.h"

#include "ui/acao.h"
#include "ui/aparencia.h"
#include "course/aula.h"
#include "course/notas.h"
#include "course/teclas.h"
#include "data/text.h"
#include "platform/clock.h"
#include "platform/system.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>

using namespace aparencia;

namespace {

constexpr char kEspaco = ' ';
constexpr char kSublinhado = '_';
constexpr char kCedilha = '\xE7';  // "ç"

bool ehControle(char caractere)
{
    const auto codigo = static_cast<unsigned char>(caractere);
    return codigo < 32 || codigo == 127;
}

}  // namespace

bool TfExercicio::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != edDig && watched != edNumLinha)
        return QDialog::eventFilter(watched, event);
    return filtraAcao([&] { return campoRecebeEvento(event); });
}

// What the typing field and the line-number box do with an event: true when
// it goes no further.
bool TfExercicio::campoRecebeEvento(QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
        return campoRecebeTecla(static_cast<QKeyEvent*>(event));
    case QEvent::KeyRelease:
        return !teclas::moveFoco(*static_cast<QKeyEvent*>(event));
    case QEvent::InputMethod:
        // composed characters one at a time; text being composed changes nothing
        campoRecebeTexto(teclas::imprimiveis(static_cast<QInputMethodEvent*>(event)->commitString()));
        return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        edDigMouseDown();
        return true;
    case QEvent::MouseMove:
        return true;  // no selection by dragging
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        event->ignore();
        return true;
    default:
        return false;
    }
}

bool TfExercicio::campoRecebeTecla(QKeyEvent* event)
{
    if (teclas::moveFoco(*event))
        return false;
    if (edDigKeyDown(teclas::codigoDaTecla(*event)))
        campoRecebeTexto(teclas::caracteresDaTecla(*event));
    return true;
}

void TfExercicio::campoRecebeTexto(const QString& texto)
{
    for (QChar c : texto) {
        // a character the course's code page cannot hold is refused silently
        const std::optional<char> caractere = toCp1252(c);
        if (!caractere)
            continue;
        if (const std::optional<char> aceito = edDigKeyPress(*caractere))
            campoToma(*aceito);
    }
}

void TfExercicio::edDigMouseDown()
{
    mantemCursorNoFinal(edDig);
}

void TfExercicio::mantemCursorNoFinal(QLineEdit* campo)
{
    campo->deselect();
    campo->setCursorPosition(int(campo->text().size()));
}

void TfExercicio::edDigChange()
{
    if (!TempoIniciado && edDig->text().size() == 1) {
        TempoIniciado = true;
        InicioLinha = timeOfDay();
    }
}

bool TfExercicio::edDigKeyDown(int codigo)
{
    if (codigo >= teclas::End && codigo <= teclas::Down) {
        mostraStatus(QStringLiteral("Não pode tentar mover sobre o texto. Apenas continue a digitar."));
        return false;
    }
    return true;
}

std::optional<char> TfExercicio::edDigKeyPress(char caractere)
{
    if (ModoSom)
        return tocaNota(caractere);
    switch (caractere) {
    case '\b':
        mostraStatus(
            QStringLiteral("Não pode apagar letras para tentar corrigir. Prossiga, mesmo com o erro."));
        return std::nullopt;
    case '\r':
        TeclaEnter();
        return caractere;
    case '\x16':
        mostraStatus(QStringLiteral("Não pode tentar colar um texto inteiro para ir mais rápido."));
        return std::nullopt;
    case kEspaco:
        return regraDoBranco();
    case ';':
        acrescentaTeclasDigitadas(kCedilha);
        UltimaTecla = kCedilha;
        return kCedilha;
    default:
        return regraDaDigitacao(caractere);
    }
}

std::optional<char> TfExercicio::regraDoBranco()
{
    char caractere = kEspaco;
    if (UltimaTecla == kEspaco) {
        caractere = kSublinhado;
        acrescentaTeclasDigitadas(kSublinhado);
    }
    // nothing but blanks accepted in the line yet: no blank at its start
    if (TeclasDigitadas.isEmpty())
        return std::nullopt;
    UltimaTecla = caractere;
    return caractere;
}

char TfExercicio::regraDaDigitacao(char caractere)
{
    acrescentaTeclasDigitadas(caractere);
    const qsizetype posicao = edDig->text().size() + 1;
    if (posicao < TamanhoLinha) {
        mostraStatus(QStringLiteral("Já foram digitados ") + QString::number(posicao)
                     + QStringLiteral(" caracteres em ") + longTime(timeOfDay() - InicioLinha)
                     + QStringLiteral(" minutos."));
        coresStatus(kPreto, faceDeBotao());
    } else {
        mostraStatus(QStringLiteral("A digitação chegou ao final"));
        coresStatus(kVermelho, kAgua);
        beep();
    }
    UltimaTecla = caractere;
    return caractere;
}

void TfExercicio::acrescentaTeclasDigitadas(char caractere)
{
    if (TeclasDigitadas.size() < 80)
        TeclasDigitadas.append(caractere);
}

char TfExercicio::tocaNota(char caractere)
{
    const QString arquivo = ArquivoDaNota(caractere);
    if (arquivo.isEmpty())
        MediaPlayer1.Stop();  // any other key replays the last note
    else
        MediaPlayer1.FileName = arquivo;
    MediaPlayer1.Open();
    MediaPlayer1.Play();
    UltimaTecla = caractere;
    return caractere;
}

void TfExercicio::campoToma(char caractere)
{
    switch (caractere) {
    case '\b': {
        QString texto = edDig->text();
        texto.chop(1);
        edDig->setText(texto);
        return;
    }
    case '\x16':
        colaNoCampo();
        return;
    }
    if (ehControle(caractere) || edDig->text().size() >= edDig->maxLength())
        return;  // ENTER and the other control characters insert nothing
    edDig->setText(edDig->text() + fromCp1252(QByteArrayView(&caractere, 1)));
}

void TfExercicio::colaNoCampo()
{
    const QString colado = QGuiApplication::clipboard()->text().section(u'\n', 0, 0);
    QString aceito;
    for (QChar c : teclas::imprimiveis(colado)) {
        if (toCp1252(c))
            aceito += c;
    }
    const qsizetype cabe = edDig->maxLength() - edDig->text().size();
    edDig->setText(edDig->text() + aceito.left(cabe));
}
