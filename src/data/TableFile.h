#pragma once

#include "data/Columns.h"
#include "data/Field.h"

#include <QString>

#include <vector>

// The file form of a table: one SQLite database holding the rows (one column per field), the
// field definitions and a meta table with the format version and the id of the last write.
// Every write is one transaction, so a reader never sees half of one.
namespace TableFile {

enum class Error { None, NotATableFile, Damaged, OtherLayout, Io };

struct Result
{
    Error error = Error::None;
    QString message; // names the file and the reason
    quint64 writeId = 0;
    bool whole = false; // every row was written, not only the changes
    explicit operator bool() const { return error == Error::None; }
};

// Reads path into rows. With expected set, a file of any other layout is refused; without it
// rows take the file's layout.
Result read(const QString &path, const FieldList *expected, Columns &rows);

// Writes rows into their own file. When the file still carries knownWriteId only the listed
// changes are written; otherwise, or when it does not exist, the whole table. A file that is
// not a table file of this layout is never touched.
struct Changes
{
    const std::vector<quint32> &dirtyRows;
    const std::vector<quint32> &deletedKeys;
    quint64 knownWriteId;
};
Result write(const QString &path, const Columns &rows, const Changes &changes);

// Writes the whole table into a new file and renames it into place over path.
Result writeWhole(const QString &path, const Columns &rows);

} // namespace TableFile
