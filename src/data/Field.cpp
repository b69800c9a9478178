#include "data/Field.h"

#include <array>
#include <utility>

namespace {
constexpr std::array<std::pair<FieldType, const char *>, 7> kTypeNames{{
        {FieldType::AutoInc, "autoinc"},
        {FieldType::Text, "text"},
        {FieldType::Number, "number"},
        {FieldType::Integer, "integer"},
        {FieldType::LargeInt, "largeint"},
        {FieldType::Boolean, "boolean"},
        {FieldType::DateTime, "datetime"},
}};
} // namespace

int fieldIndex(const FieldList &fields, QStringView name)
{
    for (int i = 0; i < fields.size(); ++i) {
        if (fields.at(i).name == name)
            return i;
    }
    return -1;
}

QString fieldTypeName(FieldType type)
{
    for (const auto &[t, name] : kTypeNames) {
        if (t == type)
            return QString::fromLatin1(name);
    }
    return {};
}

bool fieldTypeFromName(QStringView name, FieldType *type)
{
    for (const auto &[t, n] : kTypeNames) {
        if (name == QLatin1String(n)) {
            *type = t;
            return true;
        }
    }
    return false;
}
