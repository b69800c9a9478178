#include "data/TableFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <SQLiteCpp/SQLiteCpp.h>
#include <sqlite3.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace TableFile {
namespace {

constexpr int kFormatVersion = 1;
constexpr const char *kFormatName = "tillwick-table";

QString tr(const char *text)
{
    return QCoreApplication::translate("TableFile", text);
}

Result failure(Error error, const QString &path, const QString &reason)
{
    Result r;
    r.error = error;
    r.message = tr("%1: %2").arg(QDir::toNativeSeparators(path), reason);
    return r;
}

Error errorOf(const SQLite::Exception &e)
{
    switch (e.getErrorCode()) {
    case SQLITE_NOTADB:
    case SQLITE_ERROR: // a database without our tables
        return Error::NotATableFile;
    case SQLITE_CORRUPT:
    case SQLITE_FORMAT:
        return Error::Damaged;
    default:
        return Error::Io;
    }
}

std::string quoted(const QString &name)
{
    QString q = name;
    q.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return ('"' + q + '"').toStdString();
}

// Numbers get no declared type: a REAL column would store -0.0 as the integer 0.
const char *columnType(FieldType type)
{
    switch (type) {
    case FieldType::Text:
        return " TEXT";
    case FieldType::Number:
        return "";
    default:
        return " INTEGER";
    }
}

class Stmt
{
public:
    Stmt(SQLite::Database &db, const std::string &sql)
        : m_db(db.getHandle())
    {
        if (sqlite3_prepare_v2(m_db, sql.c_str(), int(sql.size()), &m_stmt, nullptr) != SQLITE_OK)
            throw SQLite::Exception(m_db, sqlite3_errcode(m_db));
    }
    ~Stmt() { sqlite3_finalize(m_stmt); }
    Stmt(const Stmt &) = delete;
    Stmt &operator=(const Stmt &) = delete;
    sqlite3_stmt *get() const { return m_stmt; }
    bool step()
    {
        const int rc = sqlite3_step(m_stmt);
        if (rc == SQLITE_ROW)
            return true;
        if (rc != SQLITE_DONE)
            throw SQLite::Exception(m_db, rc);
        return false;
    }
    void run()
    {
        step();
        sqlite3_reset(m_stmt);
    }

private:
    sqlite3 *m_db;
    sqlite3_stmt *m_stmt = nullptr;
};

// A file cut short after its last commit shows as fewer bytes than its header counts.
bool looksTruncated(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray header = f.read(100);
    if (header.size() < 100)
        return header.size() > 0;
    const auto be32 = [&](int at) {
        return quint32(quint8(header[at])) << 24 | quint32(quint8(header[at + 1])) << 16
               | quint32(quint8(header[at + 2])) << 8 | quint32(quint8(header[at + 3]));
    };
    quint32 pageSize = quint32(quint8(header[16])) << 8 | quint8(header[17]);
    if (pageSize == 1)
        pageSize = 65536;
    const quint32 pages = be32(28);
    const bool countValid = pages != 0 && be32(24) == be32(92);
    return countValid && qint64(pages) * pageSize > f.size();
}

FieldList readFields(SQLite::Database &db, const QString &path, Result *bad)
{
    SQLite::Statement meta(db, "SELECT value FROM meta WHERE key = 'format'");
    if (!meta.executeStep() || meta.getColumn(0).getString() != kFormatName) {
        *bad = failure(Error::NotATableFile, path, tr("this is not a table file of this program."));
        return {};
    }
    SQLite::Statement version(db, "SELECT value FROM meta WHERE key = 'version'");
    if (!version.executeStep() || version.getColumn(0).getInt() > kFormatVersion) {
        *bad = failure(
                Error::NotATableFile, path, tr("the file was written by a newer version of the program."));
        return {};
    }
    FieldList fields;
    SQLite::Statement q(db, "SELECT pos, name, type, width FROM fields ORDER BY pos");
    while (q.executeStep()) {
        FieldDef def;
        def.name = QString::fromStdString(q.getColumn(1).getString());
        def.width = q.getColumn(3).getInt();
        if (q.getColumn(0).getInt() != fields.size()
            || !fieldTypeFromName(QString::fromStdString(q.getColumn(2).getString()), &def.type)
            || def.name.isEmpty()) {
            *bad = failure(Error::Damaged, path, tr("its field definitions are damaged."));
            return {};
        }
        fields.append(def);
    }
    if (fields.isEmpty() || fields.size() > 64)
        *bad = failure(Error::Damaged, path, tr("its field definitions are damaged."));
    return fields;
}

quint64 readWriteId(SQLite::Database &db)
{
    SQLite::Statement q(db, "SELECT value FROM meta WHERE key = 'write_id'");
    return q.executeStep() ? quint64(q.getColumn(0).getInt64()) : 0;
}

quint64 newWriteId(SQLite::Database &db)
{
    quint64 id = 0;
    while (id == 0)
        id = QRandomGenerator::global()->generate64() >> 1; // kept positive in SQLite's int64
    SQLite::Statement q(db, "INSERT OR REPLACE INTO meta(key, value) VALUES('write_id', ?)");
    q.bind(1, static_cast<int64_t>(id));
    q.exec();
    return id;
}

void createSchema(SQLite::Database &db, const FieldList &fields)
{
    db.exec("CREATE TABLE meta(key TEXT PRIMARY KEY, value)");
    db.exec("CREATE TABLE fields(pos INTEGER PRIMARY KEY, name TEXT NOT NULL, type TEXT NOT NULL, "
            "width INTEGER NOT NULL)");
    SQLite::Statement meta(db, "INSERT INTO meta(key, value) VALUES(?, ?)");
    meta.bind(1, "format");
    meta.bind(2, kFormatName);
    meta.exec();
    meta.reset();
    meta.bind(1, "version");
    meta.bind(2, kFormatVersion);
    meta.exec();
    std::string columns;
    SQLite::Statement def(db, "INSERT INTO fields(pos, name, type, width) VALUES(?, ?, ?, ?)");
    for (int i = 0; i < fields.size(); ++i) {
        const FieldDef &f = fields.at(i);
        def.reset();
        def.bind(1, i);
        def.bind(2, f.name.toStdString());
        def.bind(3, fieldTypeName(f.type).toStdString());
        def.bind(4, f.width);
        def.exec();
        columns += (i ? ", " : "") + quoted(f.name) + columnType(f.type);
    }
    db.exec("CREATE TABLE rows(" + columns + ")");
}

// Inserts or replaces rows (all live rows when which is null) under their keys.
void insertRows(SQLite::Database &db, const Columns &rows, const std::vector<quint32> *which)
{
    const FieldList &fields = rows.fields();
    std::string names = "rowid";
    std::string marks = "?";
    for (const FieldDef &f : fields) {
        names += ", " + quoted(f.name);
        marks += ", ?";
    }
    Stmt insert(db, "INSERT OR REPLACE INTO rows(" + names + ") VALUES(" + marks + ")");
    sqlite3_stmt *s = insert.get();
    // A whole write converts each distinct text once; a write of a few rows converts only theirs.
    std::vector<std::vector<QByteArray>> utf8(fields.size());
    for (int f = 0; f < fields.size() && !which; ++f) {
        if (fields.at(f).type != FieldType::Text)
            continue;
        const TextPool &pool = rows.pool(f);
        utf8[f].reserve(pool.size());
        for (quint32 i = 0; i < pool.size(); ++i)
            utf8[f].push_back(pool.at(i).toUtf8());
    }
    const auto writeRow = [&](quint32 r) {
        if (rows.flags(r) & Columns::Deleted)
            return;
        sqlite3_bind_int64(s, 1, rows.key(r));
        for (int f = 0; f < fields.size(); ++f) {
            const int col = f + 2;
            if (rows.isNull(r, f)) {
                sqlite3_bind_null(s, col);
                continue;
            }
            switch (fields.at(f).type) {
            case FieldType::Text: {
                if (which) {
                    const QByteArray text = rows.pool(f).at(rows.textIndex(r, f)).toUtf8();
                    sqlite3_bind_text(s, col, text.constData(), int(text.size()), SQLITE_TRANSIENT);
                } else {
                    const QByteArray &text = utf8[f][rows.textIndex(r, f)];
                    sqlite3_bind_text(s, col, text.constData(), int(text.size()), SQLITE_STATIC);
                }
                break;
            }
            case FieldType::Number:
                sqlite3_bind_double(s, col, rows.number(r, f));
                break;
            default:
                sqlite3_bind_int64(s, col, rows.integer(r, f));
            }
        }
        insert.run();
    };
    if (which) {
        for (quint32 r : *which)
            writeRow(r);
    } else {
        for (quint32 r = 0; r < rows.rowCount(); ++r)
            writeRow(r);
    }
}

// Lets SQLite roll back a write that a crash left half done, before the file is replaced.
void settleJournal(const QString &path)
{
    if (!QFileInfo::exists(path + QLatin1String("-journal")))
        return;
    try {
        SQLite::Database db(path.toStdString(), SQLite::OPEN_READWRITE);
        db.exec("SELECT count(*) FROM sqlite_master");
    } catch (const SQLite::Exception &) {
    }
    QFile::remove(path + QLatin1String("-journal"));
}

// Fills the columns straight from the statement: the hot loop of opening a large table. Fields
// are taken type by type so the inner loops carry no switch.
void loadRows(Stmt &q, const FieldList &fields, bool keepKeys, Columns &rows)
{
    struct TextTarget
    {
        int col;
        quint64 bit;
        std::vector<quint32> *texts;
        TextPool *pool;
    };
    struct NumberTarget
    {
        int col;
        quint64 bit;
        std::vector<double> *values;
    };
    struct IntegerTarget
    {
        int col;
        quint64 bit;
        std::vector<qint64> *values;
    };
    std::vector<TextTarget> texts;
    std::vector<NumberTarget> numbers;
    std::vector<IntegerTarget> integers;
    for (int f = 0; f < fields.size(); ++f) {
        const quint64 bit = quint64(1) << f;
        switch (fields.at(f).type) {
        case FieldType::Text:
            texts.push_back({f + 1, bit, &rows.textsOf(f), &rows.poolOf(f)});
            break;
        case FieldType::Number:
            numbers.push_back({f + 1, bit, &rows.numbersOf(f)});
            break;
        default:
            integers.push_back({f + 1, bit, &rows.integersOf(f)});
        }
    }
    std::vector<quint64> &nulls = rows.nullMasks();
    std::vector<quint32> &keys = rows.keys();
    std::vector<quint8> &flags = rows.allFlags();
    sqlite3_stmt *s = q.get();
    quint32 renumber = 0;
    while (q.step()) {
        keys.push_back(keepKeys ? quint32(sqlite3_column_int64(s, 0)) : ++renumber);
        flags.push_back(Columns::Persisted);
        quint64 mask = 0;
        for (const TextTarget &t : texts) {
            const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(s, t.col));
            if (!text) {
                mask |= t.bit;
                t.texts->push_back(0);
            } else {
                t.texts->push_back(t.pool->internUtf8(text, sqlite3_column_bytes(s, t.col)));
            }
        }
        for (const NumberTarget &t : numbers) {
            const bool null = sqlite3_column_type(s, t.col) == SQLITE_NULL;
            mask |= null ? t.bit : 0;
            t.values->push_back(null ? 0.0 : sqlite3_column_double(s, t.col));
        }
        for (const IntegerTarget &t : integers) {
            const bool null = sqlite3_column_type(s, t.col) == SQLITE_NULL;
            mask |= null ? t.bit : 0;
            t.values->push_back(null ? 0 : sqlite3_column_int64(s, t.col));
        }
        nulls.push_back(mask);
    }
}

} // namespace

Result read(const QString &path, const FieldList *expected, Columns &rows)
{
    Result result;
    try {
        // The connection never leaves this call, so SQLite need not lock it on every column read.
        SQLite::Database db(path.toStdString(), SQLite::OPEN_READWRITE | SQLite::OPEN_NOMUTEX);
        const FieldList fields = readFields(db, path, &result);
        if (!result)
            return result;
        if (looksTruncated(path))
            return failure(Error::Damaged, path, tr("the file is cut short."));
        if (expected && *expected != fields)
            return failure(Error::OtherLayout, path, tr("the file holds a table of another layout."));
        result.writeId = readWriteId(db);

        rows.reset(fields);
        SQLite::Statement count(db, "SELECT max(rowid) FROM rows");
        count.executeStep();
        if (count.getColumn(0).getInt64() > qint64(UINT32_MAX) - 1)
            result.writeId = 0; // keys get renumbered: the next write must be a whole one
        else
            rows.reserveForLoad(quint32(std::max<qint64>(0, count.getColumn(0).getInt64())));
        std::string names = "rowid";
        for (const FieldDef &f : fields)
            names += ", " + quoted(f.name);
        Stmt q(db, "SELECT " + names + " FROM rows ORDER BY rowid");
        loadRows(q, fields, result.writeId != 0, rows);
    } catch (const SQLite::Exception &e) {
        const Error error = errorOf(e);
        const QString reason = error == Error::NotATableFile ? tr("this is not a table file of this program.")
                               : error == Error::Damaged     ? tr("the file is damaged (%1).").arg(e.what())
                                                             : QString::fromUtf8(e.what());
        rows.reset(expected ? *expected : FieldList());
        return failure(error, path, reason);
    }
    return result;
}

Result write(const QString &path, const Columns &rows, const Changes &changes)
{
    if (!QFileInfo::exists(path))
        return writeWhole(path, rows);
    Result result;
    try {
        SQLite::Database db(path.toStdString(), SQLite::OPEN_READWRITE);
        SQLite::Transaction transaction(db, SQLite::TransactionBehavior::IMMEDIATE);
        const FieldList fields = readFields(db, path, &result);
        if (!result)
            return result;
        if (fields != rows.fields())
            return failure(Error::OtherLayout, path, tr("the file holds a table of another layout."));
        if (changes.knownWriteId != 0 && readWriteId(db) == changes.knownWriteId) {
            if (!changes.deletedKeys.empty()) {
                Stmt del(db, "DELETE FROM rows WHERE rowid = ?");
                for (quint32 key : changes.deletedKeys) {
                    sqlite3_bind_int64(del.get(), 1, key);
                    del.run();
                }
            }
            insertRows(db, rows, &changes.dirtyRows);
        } else {
            // Another store wrote the file since this one read it: the last write wins whole.
            db.exec("DELETE FROM rows");
            insertRows(db, rows, nullptr);
            result.whole = true;
        }
        result.writeId = newWriteId(db);
        transaction.commit();
    } catch (const SQLite::Exception &e) {
        return failure(errorOf(e), path, QString::fromUtf8(e.what()));
    }
    return result;
}

Result writeWhole(const QString &path, const Columns &rows)
{
    const QFileInfo info(path);
    if (!info.absoluteDir().exists())
        return failure(Error::Io, path, tr("the folder does not exist."));
    const QString temp = QStringLiteral("%1/.%2.%3.tmp")
                                 .arg(info.absolutePath(), info.fileName())
                                 .arg(QRandomGenerator::global()->generate64(), 0, 16);
    Result result;
    try {
        SQLite::Database db(temp.toStdString(), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
        SQLite::Transaction transaction(db);
        createSchema(db, rows.fields());
        insertRows(db, rows, nullptr);
        result.writeId = newWriteId(db);
        result.whole = true;
        transaction.commit();
    } catch (const SQLite::Exception &e) {
        QFile::remove(temp);
        QFile::remove(temp + QLatin1String("-journal"));
        return failure(Error::Io, path, QString::fromUtf8(e.what()));
    }
    settleJournal(path);
    if (std::rename(QFile::encodeName(temp).constData(), QFile::encodeName(path).constData()) != 0) {
        const QString reason = QString::fromLocal8Bit(strerror(errno));
        QFile::remove(temp);
        return failure(Error::Io, path, reason);
    }
    return result;
}

} // namespace TableFile
