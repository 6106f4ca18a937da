// The subject archive at 1,000, 10,000 and 50,000 subjects, each figure
// beside SQLite doing the same work on the same disk.
//
// For each size the benchmark generates, in a temporary folder holding a
// copy of the built program folder, the archive BASE (names drawn from
// Italian surnames and first names, one in seven in upper case, one in ten
// with annotations) and a SQLite database with the same subjects (table
// indexed on the upper-case name; SQLite's default settings: rollback
// journal, synchronous FULL). Rows, in the order printed:
//
//   Importa5000       a 5,000-row client list imported: quillon-tool archive
//                     import, whole process / SQLite in one transaction, whole
//                     process (archive_sqlite import); counter: per row
//   Aggiungi1         one subject stored, as the registration window stores it
//                     / one INSERT in its own transaction
//   Elimina1          one subject deleted by name, as quillon-tool does / one
//                     DELETE by the indexed name in its own transaction
//   AggiungiTool      quillon-tool archive add, whole process (start-up included)
//   EliminaTool       quillon-tool archive delete, whole process
//   Richiamo          quillon-tool archive recall by prefix, whole process /
//                     archive_sqlite recall (indexed search, current subject
//                     written) and lookup (the search alone)
//   RichiamoTasto     one key typed in the recall window (offscreen): the
//                     search and the nine names shown again, events processed
//                     / the indexed prefix search of SQLite in process
//   RichiamoApertura  the recall window shown on the archive (informative)
//   Elenco            quillon-tool archive list, whole process, output thrown
//                     away / archive_sqlite list
//
// Whole-process figures include the start-up of the program. Each timed
// step starts from the archive as generated; files restored between steps
// are flushed first, so no step pays for the restoring.
// Run from the build tree: ./archive_bench (QUILLON_ARCHIVE_SIZES="1000"
// for one size only).
#include "archive/SubjectArchive.h"
#include "archive/SubjectList.h"
#include "archive/UnitRich.h"
#include "platform/ProgramPath.h"
#include "platform/TextFile.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <random>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;
extern char** environ;

namespace {

constexpr int kClientRows = 5000;

const char* const kSurnames[] = {
    "Rossi", "Russo", "Ferrari", "Esposito", "Bianchi", "Romano", "Colombo", "Ricci", "Marino", "Greco",
    "Bruno", "Gallo", "Conti", "De Luca", "Mancini", "Costa", "Giordano", "Rizzo", "Lombardi", "Moretti",
    "Barbieri", "Fontana", "Santoro", "Mariani", "Rinaldi", "Caruso", "Ferrara", "Galli", "Martini", "Leone",
    "Longo", "Gentile", "Martinelli", "Vitale", "Lombardo", "Serra", "Coppola", "De Santis", "D'Angelo",
    "Marchetti", "Parisi", "Villa", "Conte", "Ferraro", "Ferri", "Fabbri", "Bianco", "Marini", "Grasso",
    "Valentini", "Messina", "Sala", "De Angelis", "Gatti", "Pellegrini", "Palumbo", "Sanna", "Farina", "Rizzi",
    "Monti", "Cattaneo", "Morelli", "Amato", "Silvestri", "Mazza", "Testa", "Grassi", "Pellegrino", "Carbone",
    "Giuliani", "Benedetti", "Barone", "Rossetti", "Caputo", "Montanari", "Guerra", "Palmieri", "Bernardi",
    "Martino", "Fiore", "De Rosa", "Ferretti", "Bellini", "Basile", "Riva", "Donati", "Piras", "Vitali",
    "Battaglia", "Sartori", "Neri", "Costantini", "Milani", "Pagano", "Ruggiero", "Sorrentino", "D'Amico",
    "Orlando", "Damico", "Negri"};
const char* const kFirstNames[] = {
    "Mario", "Luca", "Anna", "Giulia", "Marco", "Sara", "Paolo", "Elena", "Franco", "Chiara", "Giuseppe",
    "Maria", "Antonio", "Francesca", "Giovanni", "Laura", "Roberto", "Valentina", "Stefano", "Alessandra",
    "Andrea", "Silvia", "Alessandro", "Federica", "Francesco", "Martina", "Matteo", "Paola", "Lorenzo",
    "Roberta", "Davide", "Simona", "Riccardo", "Cristina", "Fabio", "Monica", "Daniele", "Barbara", "Simone",
    "Elisa", "Massimo", "Giorgia", "Claudio", "Federico", "Nicola", "Teresa", "Emanuele", "Rita", "Enrico",
    "Lucia"};
const char* const kPlaces[] = {"45N04 007E41Torino*TO*", "45N28 009E11Milano*MI*", "41N54 012E29Roma*RM*",
                               "40N51 014E15Napoli*NA*",  "44N30 011E20Bologna*BO*", "43N46 011E15Firenze*FI*"};

std::string RandomName(std::mt19937& rng)
{
    std::string name = std::string(kSurnames[rng() % std::size(kSurnames)]) + " " +
                       kFirstNames[rng() % std::size(kFirstNames)];
    return rng() % 7 == 0 ? UpperName(name) : name;
}

std::string Two(unsigned n)
{
    return (n < 10 ? "0" : "") + std::to_string(n);
}

// One generated size: the program folder, the pristine archive and
// database bytes, the names stored.
struct Generated {
    fs::path folder;
    std::map<std::string, std::string> pristine; // file name -> bytes
    std::vector<std::string> names;
};

fs::path& Root()
{
    static fs::path root;
    return root;
}

void RemoveRoot()
{
    std::error_code ec;
    if (!Root().empty())
        fs::remove_all(Root(), ec);
}

void Sql(sqlite3* db, const char* sql)
{
    char* error = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &error) != SQLITE_OK) {
        std::fprintf(stderr, "sqlite: %s: %s\n", sql, error);
        std::abort();
    }
}

void BindText(sqlite3_stmt* st, int column, const std::string& text)
{
    sqlite3_bind_blob(st, column, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

void Flushed(const fs::path& file, const std::string& bytes)
{
    WriteFileAtomic(file.string(), bytes);
}

Generated Generate(int subjects)
{
    if (Root().empty()) {
        std::string templ = (fs::temp_directory_path() / "quillon-archive-bench-XXXXXX").string();
        if (!mkdtemp(templ.data()))
            std::abort();
        Root() = templ;
        std::atexit(RemoveRoot);
    }
    Generated g;
    g.folder = Root() / ("archivio" + std::to_string(subjects));
    fs::copy(QUILLON_PROGRAM_TEMPLATE, g.folder, fs::copy_options::recursive);
    ProgramPath::SetRoot(g.folder);
    fs::remove(g.folder / "BASE.ST1");
    fs::remove(g.folder / "BASE.ST2");
    fs::remove(g.folder / "BASE.ST3");
    SubjectArchive archive("BASE");
    archive.Create();

    std::mt19937 rng(static_cast<unsigned>(subjects));
    std::vector<NewSubject> batch;
    for (int i = 0; i < subjects; ++i) {
        SubjectRecord r;
        r.DateKey = "19" + Two(rng() % 100) + Two(1 + rng() % 12) + Two(1 + rng() % 28) + Two(rng() % 24) +
                    Two(rng() % 60) + "-1";
        r.CoordPlace = kPlaces[rng() % std::size(kPlaces)];
        r.Calendar = "GR";
        r.Nationality = "Italia";
        r.ChartCode72 = r.ChartCode60 = r.ChartCode124 = r.Header21 = r.Header12 = " ";
        NewSubject n {RandomName(rng), r, std::nullopt};
        if (rng() % 10 == 0)
            n.notes = NoteLines {"Consulto del " + Two(1 + rng() % 28) + "/05", "Rimedio consigliato", "", ""};
        g.names.push_back(n.name);
        batch.push_back(std::move(n));
    }
    archive.AddSubjects(batch);

    const std::string dbFile = (g.folder / "soggetti.db").string();
    sqlite3* db = nullptr;
    sqlite3_open(dbFile.c_str(), &db);
    Sql(db, "CREATE TABLE soggetti (id INTEGER PRIMARY KEY, nome BLOB, nome_maiuscolo BLOB, chiave_data BLOB, "
            "coord_luogo BLOB, calendario BLOB, nazione BLOB, nota BLOB)");
    Sql(db, "CREATE INDEX soggetti_nome ON soggetti (nome_maiuscolo)");
    Sql(db, "CREATE TABLE corrente (id INTEGER PRIMARY KEY, nome BLOB, chiave_data BLOB, coord_luogo BLOB, "
            "calendario BLOB, nazione BLOB, nota BLOB)");
    Sql(db, "BEGIN");
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db,
                       "INSERT INTO soggetti (id, nome, nome_maiuscolo, chiave_data, coord_luogo, calendario, nazione, "
                       "nota) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8)",
                       -1, &st, nullptr);
    for (int i = 0; i < subjects; ++i) {
        const SubjectRecord& r = batch[static_cast<std::size_t>(i)].record;
        sqlite3_bind_int64(st, 1, i + 1);
        BindText(st, 2, batch[static_cast<std::size_t>(i)].name);
        BindText(st, 3, UpperName(batch[static_cast<std::size_t>(i)].name));
        BindText(st, 4, r.DateKey);
        BindText(st, 5, r.CoordPlace);
        BindText(st, 6, r.Calendar);
        BindText(st, 7, r.Nationality);
        BindText(st, 8, "00000");
        sqlite3_step(st);
        sqlite3_reset(st);
    }
    sqlite3_finalize(st);
    Sql(db, "COMMIT");
    sqlite3_close(db);

    for (const char* f : {"BASE.ST1", "BASE.ST2", "BASE.ST3", "soggetti.db"})
        g.pristine[f] = ReadFileBytes((g.folder / f).string());

    // The client list, the same file for both.
    std::string csv = "name,date,time,zone,coords,place,nation\r\n";
    std::mt19937 clients(7);
    for (int i = 0; i < kClientRows; ++i)
        csv += RandomName(clients) + "," + Two(1 + clients() % 28) + "/" + Two(1 + clients() % 12) + "/19" +
               Two(clients() % 100) + "," + Two(clients() % 24) + ":" + Two(clients() % 60) +
               ",+1,45N04 007E41,Torino,Italia\r\n";
    Flushed(g.folder / "clienti.csv", csv);
    return g;
}

Generated& Fixture(int subjects)
{
    static std::map<int, std::unique_ptr<Generated>> made;
    auto& g = made[subjects];
    if (!g)
        g = std::make_unique<Generated>(Generate(subjects));
    ProgramPath::SetRoot(g->folder);
    return *g;
}

// Puts the generated archive and database back, flushed to disk.
void Restore(const Generated& g)
{
    for (const auto& [file, bytes] : g.pristine)
        Flushed(g.folder / file, bytes);
    std::error_code ec;
    fs::remove(g.folder / "soggetti.db-journal", ec);
}

// Runs a program to its end with its output thrown away; returns the
// seconds it took.
double Run(const std::vector<std::string>& args)
{
    std::vector<char*> argv;
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0)
        std::abort();
    int status = 0;
    waitpid(pid, &status, 0);
    const auto end = std::chrono::steady_clock::now();
    posix_spawn_file_actions_destroy(&actions);
    if (!WIFEXITED(status) || WEXITSTATUS(status) > 1) {
        std::fprintf(stderr, "%s: uscita %d\n", args[0].c_str(), WEXITSTATUS(status));
        std::abort();
    }
    return std::chrono::duration<double>(end - start).count();
}

std::vector<std::string> Tool(const Generated& g, std::vector<std::string> args)
{
    args.insert(args.begin(), {QUILLON_TOOL, "--program-folder", g.folder.string(), "archive"});
    return args;
}

std::vector<std::string> Sqlite(const Generated& g, std::vector<std::string> args)
{
    args.insert(args.begin() + 1, (g.folder / "soggetti.db").string());
    args.insert(args.begin(), ARCHIVE_SQLITE);
    return args;
}

template <class Step>
double Timed(Step&& step)
{
    const auto start = std::chrono::steady_clock::now();
    step();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The prefix recalled: the surname of the subject in the middle.
std::string RecallPrefix(const Generated& g)
{
    const std::string& name = g.names[g.names.size() / 2];
    return UpperName(name.substr(0, name.find(' ')));
}

// ---- The rows ----------------------------------------------------------------

// The k-th program run of a row, on the generated folder.
using Command = std::function<std::vector<std::string>(const Generated&, std::size_t k)>;

// A whole process per step; `fresh`: each step starts from the archive as
// generated, else the steps follow one another and the archive is put back
// at the end.
void Process(benchmark::State& state, bool fresh, const Command& command)
{
    Generated& g = Fixture(static_cast<int>(state.range(0)));
    Restore(g);
    std::size_t k = 0;
    for (auto _ : state) {
        if (fresh && k > 0)
            Restore(g);
        state.SetIterationTime(Run(command(g, k++)));
    }
    Restore(g);
}

void Import(benchmark::State& state, const Command& command)
{
    Process(state, true, command);
    state.counters["per_riga"] = benchmark::Counter(
        kClientRows, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// One SQLite statement per step, in its own transaction, in process.
using Binder = std::function<void(sqlite3_stmt*, const Generated&, std::size_t k)>;
void Statement(benchmark::State& state, const char* sql, const Binder& bind)
{
    Generated& g = Fixture(static_cast<int>(state.range(0)));
    Restore(g);
    sqlite3* db = nullptr;
    sqlite3_open((g.folder / "soggetti.db").string().c_str(), &db);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &st, nullptr);
    std::size_t k = 0;
    for (auto _ : state) {
        state.SetIterationTime(Timed([&] {
            bind(st, g, k++);
            while (sqlite3_step(st) == SQLITE_ROW)
                benchmark::DoNotOptimize(sqlite3_column_blob(st, 1));
            sqlite3_reset(st);
        }));
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
    Restore(g);
}

// The subject deleted at step k, one of those generated.
const std::string& DeletedName(const Generated& g, std::size_t k)
{
    return g.names[(k * 7919) % g.names.size()];
}

std::string AddedName(std::size_t k)
{
    return "Zanardi Prova " + std::to_string(k);
}

SubjectRecord NewRecord()
{
    SubjectRecord r;
    r.DateKey = "195003151230-1";
    r.CoordPlace = kPlaces[0];
    r.Calendar = "GR";
    r.Nationality = "Italia";
    r.ChartCode72 = r.ChartCode60 = r.ChartCode124 = r.Header21 = r.Header12 = " ";
    return r;
}

// A change of the archive per step, in process, as the windows make it.
void Change(benchmark::State& state, const std::function<void(const Generated&, std::size_t k)>& change)
{
    Generated& g = Fixture(static_cast<int>(state.range(0)));
    Restore(g);
    std::size_t k = 0;
    for (auto _ : state)
        state.SetIterationTime(Timed([&] { change(g, k++); }));
    Restore(g);
}

void ImportOurs(benchmark::State& state)
{
    Import(state, [](const Generated& g, std::size_t) {
        return Tool(g, {"import", "BASE", (g.folder / "clienti.csv").string()});
    });
}

void ImportSqlite(benchmark::State& state)
{
    Import(state, [](const Generated& g, std::size_t) {
        return Sqlite(g, {"import", (g.folder / "clienti.csv").string()});
    });
}

void AddOurs(benchmark::State& state)
{
    Change(state, [](const Generated&, std::size_t k) {
        SubjectArchive("BASE").AddSubject(AddedName(k), NewRecord(), nullptr);
    });
}

void DeleteOurs(benchmark::State& state)
{
    Change(state, [](const Generated& g, std::size_t k) {
        benchmark::DoNotOptimize(SubjectArchive("BASE").DeleteNamed(DeletedName(g, k)));
    });
}

void AddSqlite(benchmark::State& state)
{
    Statement(state,
              "INSERT INTO soggetti (nome, nome_maiuscolo, chiave_data, coord_luogo, calendario, nazione, nota) "
              "VALUES (?1, ?2, '195003151230-1', '45N04 007E41Torino*TO*', 'GR', 'Italia', '00000')",
              [](sqlite3_stmt* st, const Generated&, std::size_t k) {
                  BindText(st, 1, AddedName(k));
                  BindText(st, 2, UpperName(AddedName(k)));
              });
}

void DeleteSqlite(benchmark::State& state)
{
    Statement(state,
              "DELETE FROM soggetti WHERE id = (SELECT id FROM soggetti WHERE nome_maiuscolo = ?1 "
              "ORDER BY nome_maiuscolo LIMIT 1)",
              [](sqlite3_stmt* st, const Generated& g, std::size_t k) {
                  BindText(st, 1, UpperName(DeletedName(g, k)));
              });
}

void AddTool(benchmark::State& state)
{
    Process(state, false, [](const Generated& g, std::size_t k) {
        return Tool(g, {"add", "BASE", "--name", AddedName(k), "--date", "15/03/1950", "--time", "12:30", "--zone",
                        "+1", "--coords", "45N04 007E41", "--place", "Torino*TO*"});
    });
}

void DeleteTool(benchmark::State& state)
{
    Process(state, false,
            [](const Generated& g, std::size_t k) { return Tool(g, {"delete", "BASE", DeletedName(g, k)}); });
}

void RecallOurs(benchmark::State& state)
{
    Process(state, false,
            [](const Generated& g, std::size_t) { return Tool(g, {"recall", "BASE", RecallPrefix(g)}); });
}

void RecallSqlite(benchmark::State& state, const char* command)
{
    Process(state, false,
            [command](const Generated& g, std::size_t) { return Sqlite(g, {command, RecallPrefix(g)}); });
}

// A key typed into the prefix edit of the recall window, as the user
// types it: the event goes through the window's own handler.
void Type(QLineEdit* edit, int key, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(edit, &press);
    QApplication::processEvents();
}

void RecallKeystroke(benchmark::State& state)
{
    Generated& g = Fixture(static_cast<int>(state.range(0)));
    fs::current_path(g.folder);
    TFormRich form;
    form.show();
    QApplication::processEvents();
    // The surname of a subject typed letter by letter, then taken back.
    const std::string prefix = RecallPrefix(g) + " ";
    std::vector<std::pair<int, QString>> keys;
    for (char c : prefix)
        keys.push_back({static_cast<int>(static_cast<unsigned char>(c)), QString(QChar::fromLatin1(c))});
    for (std::size_t i = 0; i < prefix.size(); ++i)
        keys.push_back({Qt::Key_Backspace, QString()});
    std::size_t k = 0;
    for (auto _ : state) {
        const auto& [key, text] = keys[k++ % keys.size()];
        state.SetIterationTime(Timed([&] { Type(form.EditSoggetto, key, text); }));
    }
    form.hide();
}

void RecallLookupSqlite(benchmark::State& state)
{
    // The prefix typed letter by letter, the nine names it leads to.
    Statement(state,
              "SELECT id, nome FROM soggetti WHERE nome_maiuscolo >= ?1 AND nome_maiuscolo < ?2 "
              "ORDER BY nome_maiuscolo LIMIT 9",
              [](sqlite3_stmt* st, const Generated& g, std::size_t k) {
                  const std::string full = RecallPrefix(g);
                  const std::string prefix = full.substr(0, 1 + k % full.size());
                  BindText(st, 1, prefix);
                  BindText(st, 2, prefix + "\xFF");
              });
}

void RecallOpen(benchmark::State& state)
{
    Generated& g = Fixture(static_cast<int>(state.range(0)));
    fs::current_path(g.folder);
    TFormRich form;
    for (auto _ : state) {
        state.SetIterationTime(Timed([&] {
            form.show();
            QApplication::processEvents();
        }));
        form.hide();
    }
}

void ListOurs(benchmark::State& state)
{
    Process(state, false, [](const Generated& g, std::size_t) { return Tool(g, {"list", "BASE"}); });
}

void ListSqlite(benchmark::State& state)
{
    Process(state, false, [](const Generated& g, std::size_t) { return Sqlite(g, {"list"}); });
}

void Register(const std::vector<int>& sizes)
{
    using Fn = std::function<void(benchmark::State&)>;
    struct Row {
        const char* name; // the figure, then whose it is
        Fn run;
        benchmark::TimeUnit unit;
        int iterations;   // 0: as many as the library wants
    };
    const Row rows[] = {
        {"Importa5000/Quillon", ImportOurs, benchmark::kMillisecond, 5},
        {"Importa5000/SQLite", ImportSqlite, benchmark::kMillisecond, 5},
        {"Aggiungi1/Quillon", AddOurs, benchmark::kMillisecond, 30},
        {"Aggiungi1/SQLite", AddSqlite, benchmark::kMillisecond, 30},
        {"Elimina1/Quillon", DeleteOurs, benchmark::kMillisecond, 30},
        {"Elimina1/SQLite", DeleteSqlite, benchmark::kMillisecond, 30},
        {"AggiungiTool/Quillon", AddTool, benchmark::kMillisecond, 20},
        {"EliminaTool/Quillon", DeleteTool, benchmark::kMillisecond, 20},
        {"Richiamo/Quillon", RecallOurs, benchmark::kMillisecond, 20},
        {"Richiamo/SQLite", [](benchmark::State& s) { RecallSqlite(s, "recall"); }, benchmark::kMillisecond, 20},
        {"Richiamo/SQLiteSoloRicerca", [](benchmark::State& s) { RecallSqlite(s, "lookup"); },
         benchmark::kMillisecond, 20},
        {"RichiamoTasto/Quillon", RecallKeystroke, benchmark::kMicrosecond, 0},
        {"RichiamoTasto/SQLite", RecallLookupSqlite, benchmark::kMicrosecond, 0},
        {"RichiamoApertura/Quillon", RecallOpen, benchmark::kMillisecond, 10},
        {"Elenco/Quillon", ListOurs, benchmark::kMillisecond, 5},
        {"Elenco/SQLite", ListSqlite, benchmark::kMillisecond, 5},
    };
    // Each figure at each size, ours and SQLite's one under the other.
    auto figure = [](const Row& r) { return std::string(r.name).substr(0, std::string(r.name).find('/')); };
    for (std::size_t first = 0; first < std::size(rows);) {
        std::size_t end = first;
        while (end < std::size(rows) && figure(rows[end]) == figure(rows[first]))
            ++end;
        for (int size : sizes)
            for (std::size_t r = first; r < end; ++r) {
                auto* b = benchmark::RegisterBenchmark(rows[r].name,
                                                       rows[r].run)
                              ->Arg(size)
                              ->UseManualTime()
                              ->Unit(rows[r].unit);
                if (rows[r].iterations > 0)
                    b->Iterations(rows[r].iterations);
            }
        first = end;
    }
}

} // namespace

// The offscreen platform's notice about window size hints, printed for
// every window shown, would break up the table.
void QuietOffscreen(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (!message.contains(QStringLiteral("propagateSizeHints")))
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(QuietOffscreen);
    QApplication app(argc, argv);
    std::vector<int> sizes = {1000, 10000, 50000};
    if (const char* only = std::getenv("QUILLON_ARCHIVE_SIZES")) {
        sizes.clear();
        for (std::string s = only; !s.empty();) {
            const std::size_t comma = s.find(',');
            sizes.push_back(std::stoi(s.substr(0, comma)));
            s = comma == std::string::npos ? std::string() : s.substr(comma + 1);
        }
    }
    Register(sizes);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
