#include "bench/support.h"

#include "ui/application.h"
#include "ui/dialogs.h"
#include "platform/system.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>
#include <map>

namespace {

// Prints as the console reporter does and keeps each figure's time per
// iteration, in seconds, for the table of ratios.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && !run.error_occurred)
                seconds_[run.benchmark_name()] =
                    run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
        }
    }

    void printRatios(const std::vector<Beside>& pairs) const
    {
        std::printf("\n%-52s %14s %14s %8s\n", "figure / floor", "figure", "floor", "ratio");
        for (const Beside& p : pairs) {
            const auto figure = seconds_.find(p.figure);
            const auto floor = seconds_.find(p.floor);
            if (figure == seconds_.end() || floor == seconds_.end())
                continue;
            std::printf("%-52s %11.3f us %11.3f us %7.2fx\n", (p.figure + " / " + p.floor).c_str(),
                        figure->second * 1e6, floor->second * 1e6, figure->second / floor->second);
        }
    }

private:
    std::map<std::string, double> seconds_;
};

QString& root()
{
    static QString path;
    return path;
}

}  // namespace

int benchMain(int argc, char** argv, void (*registerAll)(), const std::vector<Beside>& pairs)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("SDL_AUDIODRIVER"))
        qputenv("SDL_AUDIODRIVER", "dummy");
    benchmark::Initialize(&argc, argv);
    Application app(argc, argv);
    boxseam::install();
    systemseam::install();

    // the files of the benchmarks lie in the temporary directory's file system
    QTemporaryDir temporary;
    if (!temporary.isValid() || !QDir::setCurrent(temporary.path()))
        return 1;
    root() = temporary.path();
    std::printf("Files in %s\n", qPrintable(root()));

    registerAll();
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatios(pairs);
    benchmark::Shutdown();
    QDir::setCurrent(QDir::tempPath());
    return 0;
}

QString workDir(const QString& name)
{
    QDir(root()).mkpath(name);
    return QDir(root()).filePath(name);
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
}

void floorRead(benchmark::State& state, const QString& dir, const QString& file, int recordSize)
{
    const QByteArray path = QFile::encodeName(QDir(dir).filePath(file));
    std::vector<char> buffer(size_t(1) << 20);
    std::int64_t records = 0;
    for (auto _ : state) {
        const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
        std::int64_t bytes = 0;
        ssize_t n;
        while ((n = ::read(fd, buffer.data(), buffer.size())) > 0)
            bytes += n;
        ::close(fd);
        records = bytes / recordSize;
        benchmark::DoNotOptimize(buffer.data());
    }
    state.SetItemsProcessed(state.iterations() * records);
    state.SetComplexityN(records);
}
