#include "course/entradadocampo.h"

#include "course/teclas.h"
#include "data/text.h"
#include "ui/acao.h"
#include "ui/aparencia.h"
#include "ui/uAjusta.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>

EntradaDoCampo::EntradaDoCampo(std::vector<QLineEdit*> campos, Destino destino, QObject* pai)
    : QObject(pai), campos_(std::move(campos)), destino_(std::move(destino))
{
    for (QLineEdit* campo : campos_) {
        campo->installEventFilter(this);
        // whatever the field does on its own (select all on Tab, ...), the
        // caret stays after the last character and nothing is selected
        conectaAcao(campo, &QLineEdit::selectionChanged, this, [campo] { mantemCursorNoFinal(campo); });
        conectaAcao(campo, &QLineEdit::cursorPositionChanged, this, [campo] { mantemCursorNoFinal(campo); });
    }
}

bool EntradaDoCampo::eventFilter(QObject* watched, QEvent* event)
{
    const auto campo = std::find(campos_.begin(), campos_.end(), watched);
    if (campo == campos_.end())
        return QObject::eventFilter(watched, event);
    return filtraAcao([&] { return recebe(event); });
}

// What a field does with an event: true when it goes no further.
bool EntradaDoCampo::recebe(QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
        return recebeTecla(static_cast<QKeyEvent*>(event));
    case QEvent::KeyRelease:
        // an input method takes a dead key's press; its release still comes
        if (teclas::ehTeclaMorta(*static_cast<QKeyEvent*>(event)))
            destino_.teclaMorta();
        return !teclas::moveFoco(*static_cast<QKeyEvent*>(event));
    case QEvent::InputMethod:
        // composed characters one at a time; text being composed changes nothing
        recebeTexto(teclas::imprimiveis(static_cast<QInputMethodEvent*>(event)->commitString()));
        return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        mantemCursorNoFinal(campos_.front());
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

bool EntradaDoCampo::recebeTecla(QKeyEvent* event)
{
    if (teclas::moveFoco(*event))
        return false;
    if (teclas::ehTeclaMorta(*event))
        destino_.teclaMorta();
    if (destino_.tecla(teclas::codigoDaTecla(*event)))
        recebeTexto(teclas::caracteresDaTecla(*event));
    return true;
}

void EntradaDoCampo::recebeTexto(const QString& texto)
{
    for (QChar c : texto) {
        // a character the course's code page cannot hold is refused silently
        if (const std::optional<char> caractere = toCp1252(c))
            destino_.caractere(*caractere);
    }
}

void mantemCursorNoFinal(QLineEdit* campo)
{
    campo->deselect();
    campo->setCursorPosition(int(campo->text().size()));
}

// A message wider than the status bar is shown whole in a smaller type.
void mostraStatusDoCampo(QLabel* barra, const StatusDoCampo& status)
{
    using namespace aparencia;
    barra->setText(status.texto);
    AjustaTexto(barra);
    switch (status.cores) {
    case CoresDoStatus::Mantem:
        return;
    case CoresDoStatus::TextoDeJanela:
        pinta(barra, QPalette::WindowText, textoDeJanela());
        return;
    case CoresDoStatus::Contagem:
        pinta(barra, QPalette::WindowText, kPreto);
        pinta(barra, QPalette::Window, faceDeBotao());
        return;
    case CoresDoStatus::FimDaLinha:
        pinta(barra, QPalette::WindowText, kVermelho);
        pinta(barra, QPalette::Window, kAgua);
        return;
    case CoresDoStatus::Certa:
        pinta(barra, QPalette::WindowText, kMarinho);
        pinta(barra, QPalette::Window, kAmarelo);
        return;
    case CoresDoStatus::Errada:
        pinta(barra, QPalette::WindowText, kVermelho);
        pinta(barra, QPalette::Window, kRosaClaro);
        return;
    }
}

void mostraNoCampo(QLineEdit* campo, const QString& texto)
{
    const QString mostrado = campo->text();
    if (mostrado == texto)
        return;
    if (texto.startsWith(mostrado)) {
        campo->end(false);
        campo->insert(texto.sliced(mostrado.size()));
    } else {
        campo->setText(texto);
    }
}

QLineEdit* campoDeDigitacao(QWidget* pai, const QString& nome, const QRect& lugar)
{
    using namespace aparencia;
    auto* edit = new QLineEdit(pai);
    edit->setObjectName(nome);
    edit->setGeometry(lugar);
    edit->setFont(arial(19));
    pinta(edit, QPalette::Text, kVermelho);
    pinta(edit, QPalette::Base, kAmareloClaro);
    // the screen's one menu stands in for the field's own
    edit->setContextMenuPolicy(Qt::NoContextMenu);
    edit->setAcceptDrops(false);
    edit->setDragEnabled(false);
    return edit;
}
