// A school's network share whose locks protect nothing: one that refuses
// them, one whose machines each grant them by themselves, and either one with
// a network's delay on every read. Many programs register, append lessons
// and key statistics, correct a student and read the class meanwhile: no
// record is lost, torn or written over, and no number is given twice.

#include "correcoes.h"
#include "hardening.h"

#include "data/datafiles.h"
#include "data/toques.h"
#include "platform/recordfile.h"
#include "support/fixture.h"

#include <QFileInfo>
#include <algorithm>
#include <csignal>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

struct Compartilhamento {
    const char* travas;  // what the share does with a lock: "recusa" or "finge"
    int latenciaUs;      // the delay of every read
};

void PrintTo(const Compartilhamento& c, std::ostream* os)
{
    *os << c.travas << ", " << c.latenciaUs << " us";
}

std::string nameOf(const ::testing::TestParamInfo<Compartilhamento>& info)
{
    return std::string(info.param.travas) + "_" + std::to_string(info.param.latenciaUs) + "us";
}

template <class Record>
std::vector<Record> recordsOf(const QString& name)
{
    const QByteArray bytes = readFile(name);
    std::vector<Record> records(size_t(bytes.size()) / sizeof(Record));
    std::memcpy(static_cast<void*>(records.data()), bytes.constData(), records.size() * sizeof(Record));
    return records;
}

class SemTravas : public InFastDir, public ::testing::WithParamInterface<Compartilhamento> {
protected:
    pid_t start(const std::string& what, long count) const
    {
        return startWriterProgram(folder(), what, count,
                                  {std::string("LD_PRELOAD=") + QUIRAVO_COMPARTILHAMENTO,
                                   std::string("QUIRAVO_TRAVAS=") + GetParam().travas,
                                   "QUIRAVO_LATENCIA_US=" + std::to_string(GetParam().latenciaUs)});
    }

    // Starts them all at once, then waits for each to end well.
    void runTogether(const std::vector<std::pair<std::string, long>>& programs) const
    {
        std::vector<pid_t> pids;
        for (const auto& [what, count] : programs)
            pids.push_back(start(what, count));
        for (size_t i = 0; i < pids.size(); ++i) {
            SCOPED_TRACE(programs[i].first);
            ASSERT_GT(pids[i], 0);
            EXPECT_EQ(exitCodeOf(pids[i]), 0);
        }
    }

    // A reader that loads the class over and over until the others are done.
    struct Reader {
        const SemTravas& test;
        pid_t pid;
        explicit Reader(const SemTravas& t)
            : test(t)
            , pid(t.start("le", 0))
        {
        }
        ~Reader()
        {
            ::kill(pid, SIGKILL);
            exitCodeOf(pid);
        }
    };
};

// Every student's number, in file order.
std::vector<std::int32_t> numbers()
{
    std::vector<std::int32_t> codigos;
    for (const tAluno& aluno : recordsOf<tAluno>(kStudents))
        codigos.push_back(aluno.Codigo);
    return codigos;
}

std::set<std::int32_t> distinct(const std::vector<std::int32_t>& codigos)
{
    return {codigos.begin(), codigos.end()};
}

// The lessons numbered 1, 2, 3 ... in Tempo, in order, that each student's
// writer appended after their registration record; -1 for a student whose
// records are out of order or not whole.
std::map<std::int32_t, int> lessonsInOrder()
{
    std::map<std::int32_t, int> lessons;
    for (const tAula& aula : recordsOf<tAula>(kLessons)) {
        int& count = lessons[aula.CodAluno];
        if (count < 0 || aula.Tempo == 0)
            continue;
        const bool whole = aula.Tempo == count + 1 && aula.Data == 46000 && aula.NumExerc == (count + 1) % 256;
        count = whole ? count + 1 : -1;
    }
    return lessons;
}

TEST_P(SemTravas, ManyWritersAtOnceLoseNothingAndGiveNoNumberTwice)
{
    const std::vector<tAluno> turma = {storedStudent(1), storedStudent(2)};
    writeFile(kStudents, bytesOf(turma));
    writeFile(kLessons, {});
    {
        const Reader reader(*this);
        runTogether({{"alunos", 33}, {"alunos", 33}, {"alunos", 33}, {"1", 1000}, {"2", 1000}, {"corrige:2", 100}});
    }
    const std::vector<std::int32_t> codigos = numbers();
    // the course holds 100 students: one registration of the 99 found it full
    ASSERT_EQ(codigos.size(), 100u);
    EXPECT_EQ(distinct(codigos).size(), 100u);
    EXPECT_EQ(*std::max_element(codigos.begin(), codigos.end()), 100);
    const std::vector<tAluno> alunos = recordsOf<tAluno>(kStudents);
    EXPECT_EQ(bytesOf(alunos[0]), bytesOf(turma[0]));
    EXPECT_EQ(bytesOf(alunos[1]), bytesOf(registroCorrigido(turma[1], 100)));

    const std::map<std::int32_t, int> lessons = lessonsInOrder();
    EXPECT_EQ(lessons.at(1), 1000);
    EXPECT_EQ(lessons.at(2), 1000);
    // and a registration record for every student registered
    EXPECT_EQ(recordsOf<tAula>(kLessons).size(), 2000u + 98u);
    EXPECT_FALSE(QFileInfo::exists(rewriteJournal(kStudents)));
}

// A class of thirty at work: each registers and passes exercises, each pass
// a lesson record and a key statistics record, while the teacher corrects a
// student and the class report is read over and over.
TEST_P(SemTravas, AClassAtWorkLosesNothing)
{
    const tAluno professora = storedStudent(1);
    writeFile(kStudents, bytesOf(std::vector{professora}));
    {
        const Reader reader(*this);
        std::vector<std::pair<std::string, long>> programs(30, {"turma", 20});
        programs.emplace_back("corrige:1", 50);
        runTogether(programs);
    }
    const std::vector<std::int32_t> codigos = numbers();
    ASSERT_EQ(codigos.size(), 31u);
    EXPECT_EQ(distinct(codigos).size(), 31u);
    EXPECT_EQ(bytesOf(recordsOf<tAluno>(kStudents)[0]), bytesOf(registroCorrigido(professora, 50)));

    const std::map<std::int32_t, int> lessons = lessonsInOrder();
    std::map<std::int32_t, std::uint32_t> toques;
    for (const tToque& toque : recordsOf<tToque>(kArquivoToques)) {
        std::uint32_t& last = toques[toque.CodAluno];
        last = toque.Esperadas == last + 1 ? last + 1 : 1'000'000;
    }
    for (size_t i = 1; i < codigos.size(); ++i) {
        SCOPED_TRACE("student " + std::to_string(codigos[i]));
        EXPECT_EQ(lessons.at(codigos[i]), 20);
        EXPECT_EQ(toques[codigos[i]], 20u);
    }
    EXPECT_EQ(recordsOf<tAula>(kLessons).size(), 30u * 21u);
    EXPECT_EQ(recordsOf<tToque>(kArquivoToques).size(), 30u * 20u);
}

INSTANTIATE_TEST_SUITE_P(Compartilhamentos, SemTravas,
                         ::testing::Values(Compartilhamento{"recusa", 0}, Compartilhamento{"finge", 0},
                                           Compartilhamento{"recusa", 1000}, Compartilhamento{"finge", 1000}),
                         nameOf);

}  // namespace
