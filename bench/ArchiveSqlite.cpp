// SQLite doing what quillon-tool archive does, as a whole process, for the
// comparison figures of archive_bench (never part of quillon or
// quillon-tool). The database is the one archive_bench generates beside
// the archive: table soggetti, indexed on the upper-case name, and table
// corrente with the current subject.
//
//   archive_sqlite import DB FILE.csv   the rows of the file in one transaction
//   archive_sqlite recall DB PREFIX     the first subject by prefix made current
//   archive_sqlite lookup DB PREFIX     the same search, nothing written
//   archive_sqlite list DB              every subject in name order, a line each
#include <sqlite3.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

sqlite3* db = nullptr;

[[noreturn]] void Fail(const char* what)
{
    std::fprintf(stderr, "archive_sqlite: %s: %s\n", what, db ? sqlite3_errmsg(db) : "");
    std::exit(1);
}

void Exec(const char* sql)
{
    if (sqlite3_exec(db, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
        Fail(sql);
}

sqlite3_stmt* Prepare(const char* sql)
{
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &st, nullptr) != SQLITE_OK)
        Fail(sql);
    return st;
}

void Bind(sqlite3_stmt* st, int column, const std::string& text)
{
    sqlite3_bind_blob(st, column, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

std::string Column(sqlite3_stmt* st, int column)
{
    const auto* p = static_cast<const char*>(sqlite3_column_blob(st, column));
    return p ? std::string(p, static_cast<std::size_t>(sqlite3_column_bytes(st, column))) : std::string();
}

std::string Upper(std::string s)
{
    for (char& c : s)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 32);
    return s;
}

std::vector<std::string> Split(const std::string& line)
{
    std::vector<std::string> fields;
    std::stringstream in(line);
    for (std::string f; std::getline(in, f, ',');)
        fields.push_back(f);
    return fields;
}

// name,date,time,zone,coords,place,nation as the benchmark writes them.
int Import(const char* file)
{
    std::ifstream in(file);
    std::string line;
    std::getline(in, line); // header
    Exec("BEGIN");
    sqlite3_stmt* st = Prepare("INSERT INTO soggetti (nome, nome_maiuscolo, chiave_data, coord_luogo, calendario, "
                               "nazione, nota) VALUES (?1, ?2, ?3, ?4, 'GR', ?5, '00000')");
    int stored = 0;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const std::vector<std::string> f = Split(line);
        if (f.size() < 7)
            continue;
        const std::string& date = f[1];
        const std::string key = date.substr(6, 4) + date.substr(3, 2) + date.substr(0, 2) + f[2].substr(0, 2) +
                                f[2].substr(3, 2) + f[3];
        Bind(st, 1, f[0]);
        Bind(st, 2, Upper(f[0]));
        Bind(st, 3, key);
        Bind(st, 4, f[4] + f[5]);
        Bind(st, 5, f[6]);
        if (sqlite3_step(st) != SQLITE_DONE)
            Fail("insert");
        sqlite3_reset(st);
        ++stored;
    }
    sqlite3_finalize(st);
    Exec("COMMIT");
    std::printf("Soggetti registrati: %d\n", stored);
    return 0;
}

int Recall(const std::string& prefix, bool makeCurrent)
{
    if (makeCurrent)
        Exec("BEGIN IMMEDIATE");
    sqlite3_stmt* st = Prepare("SELECT id, nome, chiave_data, coord_luogo, calendario FROM soggetti "
                               "WHERE nome_maiuscolo >= ?1 AND nome_maiuscolo < ?2 ORDER BY nome_maiuscolo LIMIT 1");
    const std::string upper = Upper(prefix);
    Bind(st, 1, upper);
    Bind(st, 2, upper + "\xFF");
    if (sqlite3_step(st) != SQLITE_ROW) {
        std::fprintf(stderr, "archive_sqlite: nessun soggetto inizia per %s\n", prefix.c_str());
        return 1;
    }
    const long long id = sqlite3_column_int64(st, 0);
    std::printf("%s\t%05lld\t%s\t%s\t%s\n", Column(st, 1).c_str(), id, Column(st, 2).c_str(), Column(st, 3).c_str(),
                Column(st, 4).c_str());
    sqlite3_finalize(st);
    if (makeCurrent) {
        sqlite3_stmt* put = Prepare("INSERT OR REPLACE INTO corrente SELECT 0, nome, chiave_data, coord_luogo, "
                                    "calendario, nazione, nota FROM soggetti WHERE id = ?1");
        sqlite3_bind_int64(put, 1, id);
        if (sqlite3_step(put) != SQLITE_DONE)
            Fail("current");
        sqlite3_finalize(put);
        Exec("COMMIT");
    }
    return 0;
}

int List()
{
    sqlite3_stmt* st = Prepare("SELECT nome, id, chiave_data, coord_luogo, calendario FROM soggetti "
                               "ORDER BY nome_maiuscolo");
    while (sqlite3_step(st) == SQLITE_ROW)
        std::printf("%s\t%05lld\t%s\t%s\t%s\n", Column(st, 0).c_str(), sqlite3_column_int64(st, 1),
                    Column(st, 2).c_str(), Column(st, 3).c_str(), Column(st, 4).c_str());
    sqlite3_finalize(st);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "uso: archive_sqlite import|recall|lookup|list DB [ARG]\n");
        return 2;
    }
    if (sqlite3_open_v2(argv[2], &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
        Fail(argv[2]);
    const std::string command = argv[1];
    int status = 2;
    if (command == "import" && argc == 4)
        status = Import(argv[3]);
    else if ((command == "recall" || command == "lookup") && argc == 4)
        status = Recall(argv[3], command == "recall");
    else if (command == "list")
        status = List();
    sqlite3_close(db);
    return status;
}
