// A writer killed at random moments, and two writers at once, on one lesson
// file: no record is lost, torn or written over. Two machines registering
// students at once on one folder: no number is given twice, and the course
// holds no more students than the roster.

#include "hardening.h"

#include "data/datafiles.h"
#include "support/fixture.h"

#include <QFileInfo>
#include <algorithm>
#include <cstring>
#include <chrono>
#include <csignal>
#include <map>
#include <random>
#include <sys/wait.h>
#include <thread>

namespace {

class Queda : public InFastDir {
protected:
    void SetUp() override
    {
        InFastDir::SetUp();
        writeFile(kLessons, {});
    }

    // Starts the writer program appending `count` records (0: until killed)
    // for the student into this test's lesson file.
    pid_t startWriter(std::int32_t student, long count) const
    {
        return startGravador(std::to_string(student), count);
    }

    // Starts the writer program registering `count` students in this test's folder.
    pid_t startRegistrar(long count) const { return startGravador("alunos", count); }

    // Two machines registering `each` students at once; the students'
    // numbers in the file afterwards, in order.
    std::vector<std::int32_t> numbersAfterTwoRegistrars(long each) const;

    pid_t startGravador(const std::string& what, long count) const
    {
        return startWriterProgram(folder(), what, count);
    }
};

struct Contents {
    std::vector<tAula> records;
    qsizetype fragment = 0;  // bytes after the last whole record
};

Contents contents()
{
    const QByteArray bytes = readFile(kLessons);
    Contents c;
    c.records.resize(size_t(bytes.size() / 24));
    std::memcpy(static_cast<void*>(c.records.data()), bytes.constData(), c.records.size() * 24);
    c.fragment = bytes.size() % 24;
    return c;
}

// Each writer numbers its records 1, 2, 3 ... in Tempo: every record must be
// exactly what its writer wrote, and each writer's records must follow one
// another without a gap or a repeat. Counts the records of each student.
::testing::AssertionResult wholeAndInOrder(const std::vector<tAula>& records,
                                           std::map<std::int32_t, std::int32_t>& counts)
{
    counts.clear();
    for (size_t i = 0; i < records.size(); ++i) {
        const tAula& r = records[i];
        const std::int32_t expected = ++counts[r.CodAluno];
        tAula written{};
        written.CodAluno = r.CodAluno;
        written.Data = 46000;
        written.Tempo = expected;
        written.NumExerc = std::uint8_t(expected % 256);
        if (bytesOf(r) != bytesOf(written))
            return ::testing::AssertionFailure() << "record " << i << " (student " << r.CodAluno
                                                 << ", Tempo " << r.Tempo << ") is not record " << expected
                                                 << " of its writer";
    }
    return ::testing::AssertionSuccess();
}

void appendOne(std::int32_t student)
{
    clearRecord(AulaAtual);
    AulaAtual.CodAluno = student;
    AulaAtual.Data = 46000;
    AulaAtual.Tempo = 1;
    AulaAtual.NumExerc = 1;
    GravaAula();
}

TEST_F(Queda, AWriterKilledAtRandomMomentsLeavesEveryRecordWholeAndTheNextAppendFits)
{
    const unsigned seed = std::random_device{}();
    RecordProperty("seed", int(seed));
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    std::map<std::int32_t, std::int32_t> counts;

    for (std::int32_t round = 1; round <= 20; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        const qint64 before = QFileInfo(kLessons).size();
        const pid_t writer = startWriter(round, 0);
        ASSERT_GT(writer, 0);
        // once it is appending, let it run for a random while, up to 3 ms
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (QFileInfo(kLessons).size() == before && std::chrono::steady_clock::now() < giveUp)
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 3000));
        ::kill(writer, SIGKILL);
        EXPECT_EQ(exitCodeOf(writer), 128 + SIGKILL);

        const Contents killed = contents();
        ASSERT_TRUE(wholeAndInOrder(killed.records, counts));
        EXPECT_GT(counts[round], 0);

        // the killed writer's last record is the student's last
        CodAlunoAtual = round;
        LeHistoricoAulas();
        EXPECT_EQ(AulaAtual.Tempo, counts[round]);

        appendOne(1000 + round);
        const Contents after = contents();
        EXPECT_EQ(after.fragment, 0);
        ASSERT_EQ(after.records.size(), killed.records.size() + 1);
        EXPECT_EQ(bytesOf(after.records.back()), bytesOf(AulaAtual));
        EXPECT_TRUE(wholeAndInOrder(after.records, counts));
    }
}

TEST_F(Queda, TwoWritersAppendingAtOnceLoseNoRecord)
{
    const pid_t first = startWriter(1, 5000);
    const pid_t second = startWriter(2, 5000);
    ASSERT_GT(first, 0);
    ASSERT_GT(second, 0);
    EXPECT_EQ(exitCodeOf(first), 0);
    EXPECT_EQ(exitCodeOf(second), 0);

    const Contents c = contents();
    EXPECT_EQ(c.fragment, 0);
    ASSERT_EQ(c.records.size(), 10'000u);
    std::map<std::int32_t, std::int32_t> counts;
    EXPECT_TRUE(wholeAndInOrder(c.records, counts));
    EXPECT_EQ(counts, (std::map<std::int32_t, std::int32_t>{{1, 5000}, {2, 5000}}));
    // how often the writers took turns: shows that they did run at once
    int turns = 0;
    for (size_t i = 1; i < c.records.size(); ++i)
        turns += c.records[i].CodAluno != c.records[i - 1].CodAluno;
    RecordProperty("turns", turns);

    CodAlunoAtual = 2;
    LeHistoricoAulas();
    EXPECT_EQ(AulaAtual.Tempo, 5000);
    EXPECT_EQ(HistoricoAulas[200].Tempo, 200);
}

// The students' numbers of the file, in file order.
std::vector<std::int32_t> studentNumbers()
{
    const QByteArray file = readFile(kStudents);
    std::vector<std::int32_t> numbers;
    for (qsizetype at = 0; at + qsizetype(sizeof(tAluno)) <= file.size(); at += sizeof(tAluno)) {
        tAluno aluno;
        std::memcpy(static_cast<void*>(&aluno), file.constData() + at, sizeof aluno);
        numbers.push_back(aluno.Codigo);
    }
    return numbers;
}

std::vector<std::int32_t> Queda::numbersAfterTwoRegistrars(long each) const
{
    const pid_t first = startRegistrar(each);
    const pid_t second = startRegistrar(each);
    EXPECT_GT(first, 0);
    EXPECT_GT(second, 0);
    EXPECT_EQ(exitCodeOf(first), 0);
    EXPECT_EQ(exitCodeOf(second), 0);
    std::vector<std::int32_t> numbers = studentNumbers();
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

TEST_F(Queda, TwoMachinesRegisteringAtOnceGiveEveryStudentANumberOfItsOwn)
{
    const std::vector<std::int32_t> numbers = numbersAfterTwoRegistrars(40);
    ASSERT_EQ(numbers.size(), 80u);
    for (std::int32_t n = 1; n <= 80; ++n)
        EXPECT_EQ(numbers[size_t(n - 1)], n);
    // every student's first lesson record is there, under its own number
    EXPECT_EQ(readFile(kLessons).size(), qsizetype(80 * sizeof(tAula)));
}

TEST_F(Queda, TwoMachinesFillingTheCourseAtOnceStopAtItsLastPlace)
{
    std::vector<tAluno> class98;
    for (std::int32_t n = 1; n <= 98; ++n)
        class98.push_back(storedStudent(n));
    writeFile(kStudents, bytesOf(class98));
    const std::vector<std::int32_t> numbers = numbersAfterTwoRegistrars(3);
    ASSERT_EQ(numbers.size(), 100u);
    EXPECT_EQ(numbers[98], 99);
    EXPECT_EQ(numbers[99], 100);
}

}  // namespace
