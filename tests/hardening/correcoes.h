#pragma once
// The corrections the writer program makes, one version after another, and
// the record each of them leaves: the crash and concurrency tests tell by it
// that a record is one version whole.

#include "data/datafiles.h"
#include "data/records.h"

// Version n changes every field a correction can: the name, the e-mail, the
// password (none in every other version) and the period.
CorrecaoAluno versaoCorrigida(long n);

// The record `original` once version n of the correction is stored in it.
tAluno registroCorrigido(const tAluno& original, long n);
