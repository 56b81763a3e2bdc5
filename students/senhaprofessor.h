#pragma once
// The teacher's password, which opens the teacher's screen. It lives in a
// file of its own in the course folder as an Argon2id hash (libsodium) with a
// random salt: never the password itself, nor anything it could be read
// back from short of guessing it.

#include <QString>
#include <optional>

inline const QString kArquivoSenhaProfessor = QStringLiteral("ZORPProfessor20.txt");
inline constexpr int kMinimoSenhaProfessor = 6;

// Wrong teacher's passwords typed in a row since the program started.
extern int ErrosSenhaProfessor;

// The course folder holds a teacher's password.
bool ProfessorTemSenha();

// Why a new teacher's password cannot be taken, or nothing.
std::optional<QString> ProblemaDaSenhaProfessor(const QString& senha);

// Stores the new password's hash, whole or not at all. False when another
// machine stored one meanwhile: that one stays.
bool CriaSenhaProfessor(const QString& senha);

// Whether senha is the teacher's password. A wrong one is answered only
// after a wait on the user-interface thread, longer with each wrong one in a
// row; a right one starts the count again. A file that holds no password
// hash is reported by name.
bool ConfereSenhaProfessor(const QString& senha);

// The wait after the given count of wrong passwords in a row, in ms: one
// second after the first, doubled after each, and never above half a minute.
int EsperaAposErros(int erros);
