#pragma once
// Message boxes and the input box. Every box of the program goes through here,
// so that tests can answer them and read back what was shown.

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

class QPrinter;
class QWidget;

inline const QString kApplicationTitle = QStringLiteral("Quiravo - Curso de digitação");

enum class BoxKind {
    Warning,       // "Perigo", "OK"
    Error,         // "Erro", "OK"
    Information,   // "Informação", "OK"
    Confirmation,  // "Confirmação", "&Sim" / "&Não"
    ErrorReport,   // application title, stop icon, "OK"
    Input,         // the input box: its own title, "OK" / "Cancela"
    SaveFile,      // the system's dialog to save into a file: its own title
    OpenFile,      // the system's dialog to choose a file to read: its own title
    Print,         // Qt's print dialog: its own title
};

enum class BoxAnswer { Ok, Yes, No, Closed };

QString boxTitle(BoxKind kind);

// Asks the window system to give a window of the program the focus back.
// Without a window manager (a kiosk) nobody else does when a box or a screen
// on top of it closes; and a closed screen may still count as focused, so
// activateWindow() would do nothing.
void requestFocus(QWidget* window);

// Shows a modal box; "\r" in the text breaks the line.
BoxAnswer showMessage(BoxKind kind, const QString& text);

// Shows the error report box (application title, stop icon, "OK").
void showErrorReport(const QString& message);

// What the input box's field shows of what is typed: the text, or a "*" for
// each character, as a password box does.
enum class InputEcho { Clear, Password };

// Modal input box with "OK" and "Cancela"; "Cancela" returns defaultText.
QString inputBox(const QString& title, const QString& prompt, const QString& defaultText,
                 InputEcho echo = InputEcho::Clear);

// The system's dialog to choose the file to save into, in the folder and with
// the name suggested; filtros as QFileDialog takes them ("PDF (*.pdf)").
// Nothing when cancelled; else the name and the filter chosen.
struct ArquivoEscolhido {
    QString nome;
    QString filtro;
};
std::optional<ArquivoEscolhido> arquivoParaSalvar(QWidget* owner, const QString& title, const QString& sugerido,
                                                  const QStringList& filtros);

// The system's dialog to choose a file to read, opened in pasta; filtros as
// for arquivoParaSalvar. Nothing when cancelled.
std::optional<QString> arquivoParaAbrir(QWidget* owner, const QString& title, const QString& pasta,
                                        const QStringList& filtros);

// Qt's print dialog for impressora; false when cancelled.
bool escolheImpressora(QWidget* owner, const QString& title, QPrinter& impressora);

// Test seam: while installed, no real box is shown. Each box is recorded and
// answered from the queue; with the queue empty, an OK box answers Ok, a
// confirmation answers No and the input box answers as "Cancela". The file
// and print dialogs take their answers from the input queue too: a file name
// (for saving, its filter is the one its extension names), or for the print
// dialog the PDF file to print into; nothing, or an empty queue, cancels them.
namespace boxseam {

struct Shown {
    BoxKind kind;
    QString title;
    QString text;  // for the input box, its prompt; for the file dialogs, the name or the folder suggested
    InputEcho echo = InputEcho::Clear;  // for the input box
};

void install();
void uninstall();

void queueAnswer(BoxAnswer answer);
void queueInput(std::optional<QString> typed);  // nullopt: "Cancela"

// Runs when a box is shown, before it is answered (the box is "open" then).
void onShow(std::function<void(const Shown&)> callback);

const std::vector<Shown>& shown();
void clear();

}  // namespace boxseam
