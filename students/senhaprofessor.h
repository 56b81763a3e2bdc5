#pragma once
// The teacher's password, which opens the teacher's screen. It lives in a
// file of its own in the course folder as an Argon2id hash (libsodium) with a
// random salt: never the password itself, nor anything it could be read
// back from short of guessing it. Setting it and changing it are logged.

#include <QObject>
#include <QString>
#include <QTimer>
#include <optional>

inline const QString kArquivoSenhaProfessor = QStringLiteral("ZORPProfessor20.txt");
inline constexpr int kMinimoSenhaProfessor = 6;

// What the gate remembers for the whole run: the wrong teacher's passwords
// typed in a row, and the moment (monotonicMs) before which it takes none.
// Closing the gate and opening it again skips no wait.
struct PortaDaSenhaProfessor {
    int erros = 0;
    qint64 fechadaAte = 0;
};
extern PortaDaSenhaProfessor PortaSenhaProfessor;

// The course folder holds a teacher's password.
bool ProfessorTemSenha();

// Why a new teacher's password cannot be taken, or nothing.
std::optional<QString> ProblemaDaSenhaProfessor(const QString& senha);

// Stores the new password's hash, whole or not at all, and logs that it was
// set. False when another machine stored one meanwhile: that one stays.
bool CriaSenhaProfessor(const QString& senha);

// Puts a new password's hash in place of the stored one, whole or not at
// all: the old one holds until the new one is on the disk. The file keeps
// the permissions it had. Logged once done.
void TrocaSenhaProfessor(const QString& senha);

struct ConferenciaDaSenha {
    bool certa = false;
    // The gate takes no password before this moment (monotonicMs).
    qint64 fechadaAte = 0;
};

// Whether senha is the teacher's password. A wrong one closes the gate for a
// wait, longer with each wrong one in a row; a right one starts the count
// again. While the gate is closed no password is checked: the answer is
// "wrong" and the wait stays as it was. A file that holds no password hash,
// or one made with costs other than the program's own, is reported by name
// before any check.
ConferenciaDaSenha ConfereSenhaProfessor(const QString& senha);

// The wait after the given count of wrong passwords in a row, in ms: one
// second after the first, doubled after each, and never above half a minute.
int EsperaAposErros(int erros);

// The gate as its screen shows it: whether it takes a password now and,
// while it is closed, the seconds left. A timer follows the wait second by
// second; mudou() tells each change.
class PortaoDaSenha : public QObject {
    Q_OBJECT
public:
    explicit PortaoDaSenha(QObject* parent = nullptr);

    // Whether senha is the teacher's password; while the gate is closed it
    // is not even checked.
    bool confere(const QString& senha);

    bool aberto() const { return segundosDeEspera() == 0; }
    // The seconds left of the wait, rounded up; 0 when the gate is open.
    int segundosDeEspera() const;
    // What the screen says while the gate is closed; empty when it is open.
    QString aviso() const;

signals:
    void mudou();

private:
    // Reads the clock again: the timer's tick.
    void atualiza();

    QTimer relogio_;
};
