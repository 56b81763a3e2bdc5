#pragma once
// What every benchmark program shares: the one application (headless, with
// the box and system seams installed, so no box, sleep or beep ever waits),
// a fresh temporary directory as the current directory, and a report that
// sets each figure beside its floor once all have run.

#include <QByteArray>
#include <QString>
#include <benchmark/benchmark.h>
#include <string>
#include <vector>

// A figure and the reference it is measured against (its floor).
struct Beside {
    std::string figure;
    std::string floor;
};

// Runs the benchmarks that `registerAll` registers, then prints the ratios.
int benchMain(int argc, char** argv, void (*registerAll)(), const std::vector<Beside>& pairs);

// A directory below the temporary directory, made if needed; absolute path.
QString workDir(const QString& name);

void writeBytes(const QString& path, const QByteArray& bytes);

// The floor of a reader: the file read from start to end as the disk likes
// it, a mebibyte at a time, its records of recordSize bytes counted.
void floorRead(benchmark::State& state, const QString& dir, const QString& file, int recordSize);
