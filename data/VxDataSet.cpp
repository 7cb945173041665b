// SPDX-License-Identifier: GPL-3.0-or-later
#include "VxDataSet.h"

#include "RefData.h"
#include "SchedDB.h"
#include "VxAbort.h"
#include "VxDbError.h"
#include "VxFieldFormat.h"

#include <QCoreApplication>
#include <QLocale>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlField>
#include <QSqlIndex>
#include <QSqlQuery>
#include <QSqlRecord>
#include <algorithm>
#include <limits>

namespace {
[[noreturn]] void throwSql(const QSqlError& error) {
    throw EVxError(VxDbErrorText(error));
}

// Result column names as the program refers to them: upper case, without a
// table prefix, an aggregate by its function's name ("sum (x)" -> SUM).
QString fieldNameOf(const QString& column) {
    QString name = column;
    const int paren = name.indexOf(QLatin1Char('('));
    if (paren > 0) name = name.left(paren);
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot >= 0) name = name.mid(dot + 1);
    return name.trimmed().toUpper();
}

bool isNumber(const QVariant& v) {
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Short:
    case QMetaType::UShort:
        return true;
    default:
        return false;
    }
}

bool isDate(const QVariant& v) {
    return v.typeId() == QMetaType::QDate || v.typeId() == QMetaType::QDateTime;
}

// SQLite has no date type: its dates come back as ISO text.
bool isIsoDateText(const QVariant& v) {
    static const QRegularExpression iso(
        QStringLiteral("^\\d{4}-\\d{2}-\\d{2}([ T]\\d{2}:\\d{2}(:\\d{2}(\\.\\d+)?)?)?$"));
    return v.typeId() == QMetaType::QString && iso.match(v.toString()).hasMatch();
}

TVxFieldKind kindOfType(int typeId) {
    switch (typeId) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        return TVxFieldKind::Integer;
    case QMetaType::Double:
    case QMetaType::Float:
        return TVxFieldKind::Float;
    case QMetaType::QDate:
    case QMetaType::QDateTime:
        return TVxFieldKind::DateTime;
    default:
        return TVxFieldKind::Auto;
    }
}

// Orders values the way the index orders them; empty values first.
int compareValues(const QVariant& a, const QVariant& b) {
    if (a.isNull() || b.isNull()) return int(!a.isNull()) - int(!b.isNull());
    if (isNumber(a) && isNumber(b)) {
        const double x = a.toDouble(), y = b.toDouble();
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    if (isDate(a) || isDate(b)) {
        const double x = TVxDataSet::VariantToDate(a), y = TVxDataSet::VariantToDate(b);
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    return QString::compare(a.toString(), b.toString());
}

TVxFieldType typeOfDeclared(QString type) {
    type = type.trimmed().toLower();
    if (type.contains(QLatin1String("char")) || type == QLatin1String("text"))
        return TVxFieldType::Text;
    if (type.startsWith(QLatin1String("int")) || type == QLatin1String("smallint") ||
        type == QLatin1String("bigint"))
        return TVxFieldType::Integer;
    if (type.startsWith(QLatin1String("double")) || type == QLatin1String("real") ||
        type == QLatin1String("float") || type.startsWith(QLatin1String("numeric")))
        return TVxFieldType::Float;
    if (type.startsWith(QLatin1String("date")) || type.startsWith(QLatin1String("timestamp")))
        return TVxFieldType::Date;
    return TVxFieldType::Unknown;
}

// The engine's description of a table's columns: type, text size, required.
QList<TVxField> describeTable(TSchedDB& db, const QString& table) {
    QList<TVxField> columns;
    QSqlQuery q(db.Database());
    if (db.IsEmbedded()) {
        // SQLite keeps the declared type, "varchar(12)", as written.
        if (!q.exec(QStringLiteral("pragma table_info(%1)").arg(table))) throwSql(q.lastError());
        while (q.next()) {
            TVxField f;
            f.FieldName = q.value(1).toString().toUpper();
            const QString declared = q.value(2).toString();
            f.DataType = typeOfDeclared(declared.section(QLatin1Char('('), 0, 0));
            if (f.DataType == TVxFieldType::Text && declared.contains(QLatin1Char('(')))
                f.Size =
                    declared.section(QLatin1Char('('), 1).section(QLatin1Char(')'), 0, 0).toInt();
            f.Required = q.value(3).toInt() != 0;
            columns << f;
        }
    } else if (db.IsPostgres()) {
        q.prepare(QStringLiteral("select column_name, data_type, character_maximum_length, "
                                 "is_nullable from information_schema.columns "
                                 "where table_schema = current_schema() and table_name = ?"));
        q.addBindValue(table.toLower());
        if (!q.exec()) throwSql(q.lastError());
        while (q.next()) {
            TVxField f;
            f.FieldName = q.value(0).toString().toUpper();
            f.DataType = typeOfDeclared(q.value(1).toString());
            f.Size = q.value(2).toInt();
            f.Required = q.value(3).toString() == QLatin1String("NO");
            columns << f;
        }
    }
    return columns;
}

// Typed text read as a number: as the program's locale writes numbers first
// (a German "1,5" is one and a half), then in the program's own notation.
QVariant parseNumber(const QString& text, bool integral) {
    bool ok = false;
    const QString t = text.trimmed();
    for (const QLocale& locale : {QLocale(), QLocale::c()}) {
        if (integral) {
            const int v = locale.toInt(t, &ok);
            if (ok) return v;
        } else {
            const double v = locale.toDouble(t, &ok);
            if (ok) return v;
        }
    }
    return {};
}

// A number without a display format as the program's locale writes it: its
// decimal point, no thousands separators (typed back, it reads the same).
QString plainNumber(double value) {
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(value, 'g', 15);
}
} // namespace

// ---------------------------------------------------------------------------

TVxDataSet::TVxDataSet(TSchedDB& db) : m_db(db) {}
TVxDataSet::~TVxDataSet() {
    m_disabledControls = 0;
    notify(TVxDataEvent::Destroyed);
}

void TVxDataSet::Open() {
    if (Active()) return;
    load();
    m_current = m_rows.empty() ? -1 : 0;
    m_bof = true;
    m_eof = m_rows.empty();
    setState(TVxDataSetState::Browse);
    if (AfterOpen) AfterOpen(*this);
    notify(TVxDataEvent::Opened);
    scrolled();
}

void TVxDataSet::Close() {
    if (!Active()) return;
    if (BeforeClose) BeforeClose(*this);
    m_rows.clear();
    m_rowIds.clear();
    m_buffer.clear();
    m_current = -1;
    m_eof = m_bof = true;
    m_state = TVxDataSetState::Inactive;
    closed();
    if (AfterClose) AfterClose(*this);
    notify(TVxDataEvent::Closed);
}

void TVxDataSet::Refresh() {
    if (!Active()) return;
    checkBrowse();
    const QVariant id = hasRowId() && m_current >= 0 ? m_rowIds[m_current] : QVariant();
    const int oldCurrent = m_current;
    load();
    m_current = -1;
    if (!id.isNull()) {
        const auto it = std::find(m_rowIds.begin(), m_rowIds.end(), id);
        if (it != m_rowIds.end()) m_current = int(it - m_rowIds.begin());
    }
    if (m_current < 0 && !m_rows.empty()) m_current = std::clamp(oldCurrent, 0, RecordCount() - 1);
    m_bof = m_current <= 0;
    m_eof = m_rows.empty();
    notify(TVxDataEvent::DataChanged);
    scrolled();
}

void TVxDataSet::load() {
    QSqlQuery query = runSelect();
    const QSqlRecord record = query.record();
    const int first = hasRowId() ? 1 : 0;

    QList<TVxField> fields;
    QList<TVxFieldKind> engineKinds; // what the engine says of each column
    for (int i = first; i < record.count(); ++i) {
        TVxField field;
        field.FieldName = fieldNameOf(record.fieldName(i));
        for (const TVxField& preset : m_fieldDisplays)
            if (preset.FieldName == field.FieldName) field = preset;
        // Display settings made on an earlier opening stay.
        for (const TVxField& old : m_fields)
            if (old.FieldName == field.FieldName && !old.Calculated) field = old;
        if (field.DisplayLabel.isEmpty()) field.DisplayLabel = field.FieldName;
        field.Kind = TVxFieldKind::Auto;
        for (const TVxField& preset : m_fieldDisplays)
            if (preset.FieldName == field.FieldName) field.Kind = preset.Kind;
        fields << field;
        engineKinds << kindOfType(record.field(i).metaType().id());
    }
    describe(fields);
    m_dataColumns = int(fields.size());
    for (const TVxField& calc : m_calcFields) {
        TVxField field = calc;
        for (const TVxField& old : m_fields)
            if (old.FieldName == field.FieldName && old.Calculated) field = old;
        field.Kind = calc.Kind;
        fields << field;
        engineKinds << TVxFieldKind::Auto;
    }
    m_fields = fields;

    m_rows.clear();
    m_rowIds.clear();
    while (query.next()) {
        Row row(size_t(m_fields.size()));
        for (int i = 0; i < m_dataColumns; ++i)
            row[size_t(i)] = query.value(i + first);
        if (first) m_rowIds.push_back(query.value(0));
        calculate(row);
        m_rows.push_back(std::move(row));
    }
    if (query.lastError().isValid()) throwSql(query.lastError());
    loaded();
    resolveKinds(engineKinds);
    sortRows();
}

void TVxDataSet::sortRows() {
    if (m_sortFields.isEmpty() || m_rows.size() < 2) return;
    QList<int> columns;
    for (const QString& name : m_sortFields)
        columns << requireField(name);
    std::vector<size_t> order(m_rows.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        for (int c : columns) {
            const int cmp = compareValues(m_rows[a][size_t(c)], m_rows[b][size_t(c)]);
            if (cmp != 0) return cmp < 0;
        }
        return false;
    });
    std::vector<Row> rows;
    std::vector<QVariant> ids;
    rows.reserve(m_rows.size());
    for (size_t i : order) {
        rows.push_back(std::move(m_rows[i]));
        if (!m_rowIds.empty()) ids.push_back(m_rowIds[i]);
    }
    m_rows = std::move(rows);
    if (!m_rowIds.empty()) m_rowIds = std::move(ids);
}

double TVxDataSet::Total(const QString& name) const {
    const int column = requireField(name);
    double total = 0;
    for (const Row& row : m_rows)
        total += VariantToFloat(row[size_t(column)]);
    return total;
}

void TVxDataSet::resolveKinds(const QList<TVxFieldKind>& engineKinds) {
    for (int i = 0; i < m_fields.size(); ++i) {
        TVxField& field = m_fields[i];
        if (field.Kind != TVxFieldKind::Auto) continue;
        field.Kind = engineKinds[i];
        // Where the engine gives no type (SQLite's declared types, results
        // of expressions), the first value tells.
        for (size_t r = 0; r < m_rows.size() && field.Kind == TVxFieldKind::Auto; ++r) {
            const QVariant& v = m_rows[r][size_t(i)];
            if (v.isNull()) continue;
            field.Kind = isIsoDateText(v) ? TVxFieldKind::DateTime : kindOfType(v.typeId());
            if (field.Kind == TVxFieldKind::Auto) field.Kind = TVxFieldKind::String;
        }
        if (field.Kind == TVxFieldKind::Auto) field.Kind = TVxFieldKind::String;
    }
}

void TVxDataSet::calculate(Row& row) {
    if (m_calcFields.isEmpty() || !OnCalcFields) return;
    m_calcRow = &row;
    try {
        OnCalcFields(*this);
    } catch (...) {
        m_calcRow = nullptr;
        throw;
    }
    m_calcRow = nullptr;
}

void TVxDataSet::First() {
    checkBrowse();
    m_current = m_rows.empty() ? -1 : 0;
    m_bof = true;
    m_eof = m_rows.empty();
    scrolled();
}

void TVxDataSet::Last() {
    checkBrowse();
    m_current = RecordCount() - 1;
    m_eof = true;
    m_bof = m_rows.empty();
    scrolled();
}

void TVxDataSet::Next() {
    checkBrowse();
    if (m_current + 1 < RecordCount()) {
        ++m_current;
        m_bof = m_eof = false;
        scrolled();
    } else {
        m_eof = true;
    }
}

void TVxDataSet::Prior() {
    checkBrowse();
    if (m_current > 0) {
        --m_current;
        m_bof = m_eof = false;
        scrolled();
    } else {
        m_bof = true;
    }
}

bool TVxDataSet::MoveTo(int row) {
    checkBrowse();
    if (row < 0 || row >= RecordCount()) return false;
    m_current = row;
    m_bof = m_eof = false;
    scrolled();
    return true;
}

TVxBookmark TVxDataSet::GetBookmark() const {
    TVxBookmark bookmark;
    bookmark.Row = m_current;
    if (hasRowId() && m_current >= 0 && m_current < int(m_rowIds.size()))
        bookmark.RowId = m_rowIds[size_t(m_current)];
    return bookmark;
}

bool TVxDataSet::GotoBookmark(const TVxBookmark& bookmark) {
    if (!Active()) return false;
    if (!bookmark.RowId.isNull()) {
        const auto it = std::find(m_rowIds.begin(), m_rowIds.end(), bookmark.RowId);
        return it != m_rowIds.end() && MoveTo(int(it - m_rowIds.begin()));
    }
    return MoveTo(bookmark.Row);
}

void TVxDataSet::DisableControls() {
    ++m_disabledControls;
}

void TVxDataSet::EnableControls() {
    if (m_disabledControls == 0) return;
    if (--m_disabledControls == 0 && m_missedNotice) {
        m_missedNotice = false;
        notify(TVxDataEvent::DataChanged);
    }
}

void TVxDataSet::scrolled() {
    if (AfterScroll) AfterScroll(*this);
    notify(TVxDataEvent::Scrolled);
}

void TVxDataSet::setState(TVxDataSetState state) {
    if (m_state == state) return;
    m_state = state;
    notify(TVxDataEvent::StateChanged);
}

void TVxDataSet::AddLink(void* owner, std::function<void(TVxDataEvent)> listener) {
    m_links.emplace_back(owner, std::move(listener));
}

void TVxDataSet::RemoveLink(void* owner) {
    m_links.erase(std::remove_if(m_links.begin(), m_links.end(),
                                 [owner](const auto& link) { return link.first == owner; }),
                  m_links.end());
}

void TVxDataSet::notify(TVxDataEvent event) {
    if (m_disabledControls > 0) {
        m_missedNotice = true;
        return;
    }
    const auto links = m_links; // a listener may unlink itself
    for (const auto& link : links)
        link.second(event);
}

TVxField* TVxDataSet::FieldDef(const QString& name) {
    const int i = FieldIndex(name);
    if (i >= 0) return &m_fields[i];
    for (TVxField& calc : m_calcFields)
        if (calc.FieldName.compare(name, Qt::CaseInsensitive) == 0) return &calc;
    return nullptr;
}

int TVxDataSet::FieldIndex(const QString& name) const {
    for (int i = 0; i < m_fields.size(); ++i)
        if (m_fields[i].FieldName.compare(name, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

int TVxDataSet::requireField(const QString& name) const {
    const int i = FieldIndex(name);
    if (i < 0)
        throw EVxError(QCoreApplication::translate("TVxDataSet", "%1: Field '%2' not found")
                           .arg(Name(), name));
    return i;
}

void TVxDataSet::SetFieldDisplay(const TVxField& field) {
    TVxField preset = field;
    preset.FieldName = preset.FieldName.toUpper();
    preset.Calculated = false;
    for (TVxField& old : m_fieldDisplays)
        if (old.FieldName == preset.FieldName) {
            old = preset;
            return;
        }
    m_fieldDisplays << preset;
}

void TVxDataSet::AddCalcField(const TVxField& field) {
    TVxField calc = field;
    calc.FieldName = calc.FieldName.toUpper();
    calc.Calculated = true;
    if (calc.DisplayLabel.isEmpty()) calc.DisplayLabel = calc.FieldName;
    m_calcFields << calc;
}

void TVxDataSet::SetCalcValue(const QString& name, const QVariant& value) {
    const int i = requireField(name);
    if (!m_calcRow || !m_fields[i].Calculated)
        throw EVxError(
            QCoreApplication::translate("TVxDataSet", "%1: Field '%2' is not being calculated")
                .arg(Name(), name));
    (*m_calcRow)[size_t(i)] = value;
}

const TVxDataSet::Row* TVxDataSet::currentRow() const {
    if (m_calcRow) return m_calcRow;
    if (m_state == TVxDataSetState::Edit || m_state == TVxDataSetState::Insert) return &m_buffer;
    return m_current >= 0 && m_current < RecordCount() ? &m_rows[size_t(m_current)] : nullptr;
}

QVariant TVxDataSet::Value(const QString& name) const {
    const int i = requireField(name);
    const Row* row = currentRow();
    return row ? (*row)[size_t(i)] : QVariant();
}

bool TVxDataSet::IsNull(const QString& name) const {
    return Value(name).isNull();
}
int TVxDataSet::AsInteger(const QString& name) const {
    return VariantToInt(Value(name));
}
double TVxDataSet::AsFloat(const QString& name) const {
    return VariantToFloat(Value(name));
}
QString TVxDataSet::AsString(const QString& name) const {
    return Value(name).toString();
}
TDateTime TVxDataSet::AsDate(const QString& name) const {
    return VariantToDate(Value(name));
}

QVariant TVxDataSet::RowValue(int row, int column) const {
    if (column < 0 || column >= m_fields.size()) return {};
    if (row == RecordCount() && m_state == TVxDataSetState::Insert) return m_buffer[size_t(column)];
    if (row < 0 || row >= RecordCount()) return {};
    if (row == m_current && m_state == TVxDataSetState::Edit) return m_buffer[size_t(column)];
    return m_rows[size_t(row)][size_t(column)];
}

QString TVxDataSet::DisplayText(int row, int column) const {
    if (column < 0 || column >= m_fields.size()) return {};
    const QVariant value = RowValue(row, column);
    const TVxFieldType type = m_fields[column].DataType;
    if (value.typeId() == QMetaType::QString && type != TVxFieldType::Text &&
        type != TVxFieldType::Unknown && !isIsoDateText(value))
        return value.toString(); // typed, not yet converted
    return m_fields[column].Text(value);
}

QString TVxField::Text(const QVariant& value) const {
    if (value.isNull()) return {};
    switch (Kind) {
    case TVxFieldKind::Integer:
    case TVxFieldKind::Float:
    case TVxFieldKind::Currency:
        if (!DisplayFormat.isEmpty())
            return VxFormatFloat(DisplayFormat, TVxDataSet::VariantToFloat(value));
        if (Kind == TVxFieldKind::Currency || Currency)
            return VxFormatCurrency(TVxDataSet::VariantToFloat(value));
        break;
    case TVxFieldKind::DateTime:
        if (!DisplayFormat.isEmpty())
            return VxFormatDate(DisplayFormat, TVxDataSet::VariantToDate(value));
        return VxDateToStr(TVxDataSet::VariantToDate(value));
    case TVxFieldKind::Auto:
        return TVxDataSet::FormatValue(value, DisplayFormat);
    case TVxFieldKind::String:
        break;
    }
    if (value.typeId() == QMetaType::Double) return plainNumber(value.toDouble());
    return value.toString();
}

QString TVxDataSet::FormatValue(const QVariant& value, const QString& format) {
    if (value.isNull()) return {};
    const bool numberFormat =
        format.contains(QLatin1Char('#')) || format.contains(QLatin1Char('0'));
    if (!format.isEmpty() && numberFormat) return VxFormatFloat(format, VariantToFloat(value));
    if (!format.isEmpty()) return VxFormatDate(format, VariantToDate(value));
    if (isDate(value)) return VxDateToStr(VariantToDate(value));
    if (value.typeId() == QMetaType::Double) return plainNumber(value.toDouble());
    return value.toString();
}

int TVxDataSet::VariantToInt(const QVariant& v) {
    if (v.isNull()) return 0;
    // Held at the ends of int's range rather than wrapped.
    const auto toInt = [](long long wide) {
        return int(std::clamp<long long>(wide, std::numeric_limits<int>::min(),
                                         std::numeric_limits<int>::max()));
    };
    if (v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Float)
        return toInt(VxRound(v.toDouble()));
    bool isNumber = false;
    const qlonglong wide = v.toLongLong(&isNumber);
    return isNumber ? toInt(wide) : v.toInt();
}

double TVxDataSet::VariantToFloat(const QVariant& v) {
    return v.isNull() ? 0.0 : v.toDouble();
}

TDateTime TVxDataSet::VariantToDate(const QVariant& v) {
    if (v.isNull()) return 0;
    if (v.typeId() == QMetaType::QDate) return VxDayOf(v.toDate());
    if (v.typeId() == QMetaType::QDateTime) {
        const QDateTime dt = v.toDateTime();
        return VxDayOf(dt.date()) + dt.time().msecsSinceStartOfDay() / 86400000.0;
    }
    if (isNumber(v)) return v.toDouble();
    const QString text = v.toString();
    const QDate date = QDate::fromString(text.left(10), Qt::ISODate);
    return date.isValid() ? VxDayOf(date) : 0;
}

// ---------------------------------------------------------------------------

TVxTable::TVxTable(TSchedDB& db, const QString& tableName, const QStringList& indexFields)
    : TVxDataSet(db), m_tableName(tableName), m_indexFields(indexFields) {
    // A server sorts text by its own collation; the rows read in the same
    // order on every engine, the order posted rows are placed in.
    SetSortFields(indexFields);
}

TVxTable::~TVxTable() {
    if (m_master) m_master->RemoveLink(this);
}

void TVxTable::SetMaster(TVxDataSet* master, const QString& linkField) {
    if (m_master) m_master->RemoveLink(this);
    m_master = master;
    m_linkField = linkField;
    if (!m_master) return;
    m_master->AddLink(this, [this](TVxDataEvent event) {
        if (event == TVxDataEvent::Destroyed) {
            m_master = nullptr;
            return;
        }
        if (!Active() || event == TVxDataEvent::StateChanged || event == TVxDataEvent::UpdateRecord)
            return;
        QVariant link;
        if (m_master->Active() && m_master->RecNo() >= 0) link = m_master->Value(m_linkField);
        if (event == TVxDataEvent::Closed || compareValues(link, m_linkValue) != 0 ||
            link.isNull() != m_linkValue.isNull()) {
            Refresh();
            First(); // a new master row starts its details at the top
        }
    });
}

bool TVxTable::hasRowId() const {
    return m_db.IsEmbedded() || m_db.IsPostgres();
}

QString TVxTable::rowIdExpr() const {
    return m_db.IsPostgres() ? QStringLiteral("ctid::text") : QStringLiteral("rowid");
}

QString TVxTable::rowIdParam() const {
    return m_db.IsPostgres() ? QStringLiteral("ctid = ?::tid") : QStringLiteral("rowid = ?");
}

QSqlQuery TVxTable::runSelect() {
    // Asked before the select: a server connection runs one query at a time.
    if (m_columns.isEmpty()) m_columns = describeTable(m_db, m_tableName);
    QString sql = QStringLiteral("select ");
    if (hasRowId()) sql += rowIdExpr() + QStringLiteral(", ");
    sql += QStringLiteral("* from ") + m_tableName;
    QVariantList binds;
    m_linkValue = QVariant();
    if (m_master) {
        if (m_master->Active() && m_master->RecNo() >= 0)
            m_linkValue = m_master->Value(m_linkField);
        if (m_linkValue.isNull()) {
            sql += QStringLiteral(" where 1 = 0"); // no master row, no detail rows
        } else {
            sql += QStringLiteral(" where ") + m_linkField + QStringLiteral(" = ?");
            binds << m_linkValue;
        }
    }
    if (!m_indexFields.isEmpty()) sql += QStringLiteral(" order by ") + m_indexFields.join(", ");

    QSqlQuery query(m_db.Database());
    query.setForwardOnly(true);
    if (!query.prepare(sql)) throwSql(query.lastError());
    for (const QVariant& v : binds)
        query.addBindValue(v);
    if (!query.exec()) throwSql(query.lastError());
    return query;
}

QSqlQuery& TVxTable::cachedQuery(const QString& sql) {
    auto& slot = m_statements[sql];
    if (!slot) {
        auto query = std::make_unique<QSqlQuery>(m_db.Database());
        if (!query->prepare(sql)) {
            const QSqlError error = query->lastError();
            m_statements.erase(sql);
            throwSql(error);
        }
        slot = std::move(query);
    }
    return *slot;
}

void TVxTable::closed() {
    m_statements.clear();
    m_columns.clear();
    m_keyKnown = false;
}

void TVxTable::loaded() {
    if (m_keyKnown) return;
    findKeyColumns();
    m_keyKnown = true;
}

void TVxTable::describe(QList<TVxField>& fields) {
    for (TVxField& field : fields)
        for (const TVxField& column : m_columns)
            if (column.FieldName == field.FieldName) {
                field.DataType = column.DataType;
                field.Size = column.Size;
                field.Required = column.Required;
            }
}

namespace {
// A reference figure the planner could not work with (a capacity of 1e30)
// is refused when typed, as it would be when read: stored, it would stop
// the next start-up.
QString rangeProblem(const TVxField& field, double value) {
    try {
        CheckRefValue(field.FieldName, value);
    } catch (const EVxError& e) {
        return e.message();
    }
    const bool ranged = field.MinValue != 0 || field.MaxValue != 0;
    if (ranged && !(value >= field.MinValue && value <= field.MaxValue))
        return QCoreApplication::translate("TVxDataSet", "%1 is out of range (%2 to %3)")
            .arg(QString::number(value, 'g', 10), QString::number(field.MinValue, 'g', 10),
                 QString::number(field.MaxValue, 'g', 10));
    return QString();
}
} // namespace

void TVxTable::validateBuffer() {
    for (int i = 0; i < m_dataColumns; ++i) {
        QVariant& value = m_buffer[size_t(i)];
        const TVxField& field = m_fields[i];
        if (field.Required && (value.isNull() || (field.DataType == TVxFieldType::Text &&
                                                  value.toString().trimmed().isEmpty())))
            failWith(OnPostError, QCoreApplication::translate("TVxDataSet", "%1 must not be empty")
                                      .arg(field.DisplayLabel));
        if (value.isNull()) continue;
        const QString text = value.toString();
        QString problem;
        switch (field.DataType) {
        case TVxFieldType::Text:
            if (field.Size > 0 && text.size() > field.Size)
                problem = (field.Size == 1
                               ? QCoreApplication::translate("TVxDataSet",
                                                             "\"%1\" is longer than %2 character")
                               : QCoreApplication::translate("TVxDataSet",
                                                             "\"%1\" is longer than %2 characters"))
                              .arg(text, QString::number(field.Size));
            break;
        case TVxFieldType::Integer:
        case TVxFieldType::Float:
            if (value.typeId() == QMetaType::QString) {
                value = text.trimmed().isEmpty()
                            ? QVariant()
                            : parseNumber(text, field.DataType == TVxFieldType::Integer);
                if (value.isNull() && !text.trimmed().isEmpty()) {
                    value = text; // kept as typed for the correction
                    problem =
                        field.DataType == TVxFieldType::Integer
                            ? QCoreApplication::translate("TVxDataSet",
                                                          "\"%1\" is not a whole number")
                                  .arg(text)
                            : QCoreApplication::translate("TVxDataSet", "\"%1\" is not a number")
                                  .arg(text);
                    break;
                }
            }
            if (!value.isNull()) problem = rangeProblem(field, value.toDouble());
            break;
        case TVxFieldType::Date:
            if (value.typeId() == QMetaType::QString) {
                TDateTime day = 0;
                if (!VxTryStrToDate(text.trimmed(), day)) {
                    problem =
                        QCoreApplication::translate("TVxDataSet", "\"%1\" is not a date").arg(text);
                    break;
                }
                value = day == 0 ? QVariant() : QVariant(VxDateOf(day));
            }
            break;
        case TVxFieldType::Unknown:
            break;
        }
        if (!problem.isEmpty())
            failWith(OnPostError, QStringLiteral("%1: %2").arg(field.DisplayLabel, problem));
    }
}

void TVxTable::checkBrowse() {
    if (State() == TVxDataSetState::Edit || State() == TVxDataSetState::Insert) Post();
}

void TVxTable::requireBrowse(const char* operation) {
    if (!Active())
        throw EVxError(
            QCoreApplication::translate(
                "TVxDataSet", "%1: Cannot perform this operation on a closed dataset (%2)")
                .arg(m_tableName, QLatin1String(operation)));
}

void TVxTable::failWith(const ErrorEvent& handler, const QString& message) {
    if (handler) handler(*this, message);
    throw EVxError(message);
}

void TVxTable::Insert() {
    requireBrowse("insert");
    checkBrowse();
    if (BeforeInsert) BeforeInsert(*this);
    m_buffer.assign(size_t(m_fields.size()), QVariant());
    if (m_master && !m_linkValue.isNull())
        m_buffer[size_t(requireField(m_linkField))] = m_linkValue;
    setState(TVxDataSetState::Insert);
}

void TVxTable::Edit() {
    requireBrowse("edit");
    if (State() != TVxDataSetState::Browse) return;
    if (m_current < 0)
        failWith(OnEditError,
                 QCoreApplication::translate("TVxDataSet", "%1: Cannot edit an empty dataset")
                     .arg(m_tableName));
    if (BeforeEdit) BeforeEdit(*this);
    m_buffer = m_rows[size_t(m_current)];
    setState(TVxDataSetState::Edit);
}

void TVxTable::SetValue(const QString& name, const QVariant& value) {
    const int i = requireField(name);
    if (State() != TVxDataSetState::Edit && State() != TVxDataSetState::Insert)
        throw EVxError(
            QCoreApplication::translate("TVxDataSet", "%1: Dataset not in edit or insert mode")
                .arg(m_tableName));
    if (i >= m_dataColumns)
        throw EVxError(
            QCoreApplication::translate("TVxDataSet", "%1: Field '%2' cannot be modified")
                .arg(m_tableName, name));
    m_buffer[size_t(i)] = value;
}

QVariant TVxTable::OldValue(const QString& name) const {
    const int i = requireField(name);
    if (State() == TVxDataSetState::Insert || m_current < 0) return QVariant();
    return m_rows[size_t(m_current)][size_t(i)];
}

void TVxTable::SetAsString(const QString& name, const QString& value) {
    SetValue(name, value.isEmpty() ? QVariant() : QVariant(value));
}

void TVxTable::SetAsDate(const QString& name, TDateTime day) {
    SetValue(name, day == 0 ? QVariant() : QVariant(VxDateOf(day)));
}

QString TVxTable::rowIdWhere(const Row& original, QVariantList& binds) const {
    // A row address alone is not the row: another client's update or a
    // vacuum moves rows and hands their addresses to others. The declared key
    // names the row where there is one; otherwise the address together with
    // every original value, so a moved row is reported, never mistaken.
    QStringList terms;
    QList<int> columns;
    if (!m_keyColumns.isEmpty()) {
        columns = m_keyColumns;
    } else {
        if (hasRowId()) {
            terms << rowIdParam();
            binds << m_rowIds[size_t(m_current)];
        }
        for (int i = 0; i < m_dataColumns; ++i)
            columns << i;
    }
    for (int i : columns) {
        const QVariant& v = original[size_t(i)];
        if (v.isNull()) {
            terms << m_fields[i].FieldName + QStringLiteral(" is null");
        } else {
            terms << m_fields[i].FieldName + QStringLiteral(" = ?");
            binds << v;
        }
    }
    return terms.join(QStringLiteral(" and "));
}

void TVxTable::findKeyColumns() {
    m_keyColumns.clear();
    // Unquoted names, as every statement here writes them, are folded to
    // lower case by the server.
    const QSqlIndex key = m_db.Database().primaryIndex(m_tableName.toLower());
    for (int k = 0; k < key.count(); ++k) {
        const int column = FieldIndex(fieldNameOf(key.fieldName(k)));
        if (column < 0 || column >= m_dataColumns) { // not a plain column: use the values
            m_keyColumns.clear();
            return;
        }
        m_keyColumns << column;
    }
}

QVariant TVxTable::postInsert() {
    QStringList columns, marks;
    QVariantList binds;
    for (int i = 0; i < m_dataColumns; ++i) {
        if (m_buffer[size_t(i)].isNull()) continue;
        columns << m_fields[i].FieldName;
        marks << QStringLiteral("?");
        binds << m_buffer[size_t(i)];
    }
    QString sql = QStringLiteral("insert into ") + m_tableName;
    sql += columns.isEmpty()
               ? QStringLiteral(" default values")
               : QStringLiteral(" (%1) values (%2)").arg(columns.join(", "), marks.join(", "));
    if (m_db.IsPostgres()) sql += QStringLiteral(" returning ctid::text");
    QSqlQuery& query = cachedQuery(sql);
    for (int i = 0; i < binds.size(); ++i)
        query.bindValue(i, binds[i]);
    if (!query.exec()) throwSql(query.lastError());
    QVariant rowId;
    if (m_db.IsPostgres() && query.next())
        rowId = query.value(0);
    else if (m_db.IsEmbedded())
        rowId = query.lastInsertId();
    query.finish();
    return rowId;
}

QVariant TVxTable::postUpdate() {
    QStringList sets;
    QVariantList binds;
    for (int i = 0; i < m_dataColumns; ++i) {
        sets << m_fields[i].FieldName + QStringLiteral(" = ?");
        binds << m_buffer[size_t(i)];
    }
    QString sql = QStringLiteral("update %1 set %2 where ").arg(m_tableName, sets.join(", "));
    sql += rowIdWhere(m_rows[size_t(m_current)], binds);
    // The row's address as it is now: the key may have found it elsewhere.
    if (hasRowId()) sql += QStringLiteral(" returning ") + rowIdExpr();
    QSqlQuery query(m_db.Database());
    if (!query.prepare(sql)) throwSql(query.lastError());
    for (const QVariant& v : binds)
        query.addBindValue(v);
    if (!query.exec()) throwSql(query.lastError());
    const bool found = hasRowId() ? query.next() : query.numRowsAffected() != 0;
    if (!found)
        throw EVxError(
            QCoreApplication::translate("TVxDataSet", "%1: The row was changed or deleted")
                .arg(m_tableName));
    return hasRowId() ? query.value(0) : QVariant();
}

void TVxTable::placePostedRow(const QVariant& rowId, bool inserted) {
    Row row = m_buffer;
    if (!rowId.isNull()) { // read back what the engine stored
        QSqlQuery& query =
            cachedQuery(QStringLiteral("select * from %1 where %2").arg(m_tableName, rowIdParam()));
        query.bindValue(0, rowId);
        const bool found = query.exec() && query.next();
        if (found)
            for (int i = 0; i < m_dataColumns; ++i)
                row[size_t(i)] = query.value(i);
        query.finish();
    }
    calculate(row);
    if (!inserted) {
        m_rows.erase(m_rows.begin() + m_current);
        if (hasRowId()) m_rowIds.erase(m_rowIds.begin() + m_current);
    }
    // Keep the index order; equal keys go after the rows already there.
    auto greater = [&](const Row& other) {
        for (const QString& f : m_indexFields) {
            const int i = FieldIndex(f);
            if (i < 0) continue;
            const int c = compareValues(other[size_t(i)], row[size_t(i)]);
            if (c != 0) return c > 0;
        }
        return false;
    };
    int pos = RecordCount();
    while (pos > 0 && greater(m_rows[size_t(pos - 1)]))
        --pos;
    m_rows.insert(m_rows.begin() + pos, std::move(row));
    if (hasRowId()) m_rowIds.insert(m_rowIds.begin() + pos, rowId);
    m_current = pos;
    m_bof = m_eof = false;
}

void TVxTable::Post() {
    if (State() != TVxDataSetState::Edit && State() != TVxDataSetState::Insert) return;
    notify(TVxDataEvent::UpdateRecord);
    validateBuffer();
    if (BeforePost) BeforePost(*this);
    const bool inserting = State() == TVxDataSetState::Insert;
    QVariant rowId;
    try {
        rowId = postRow(inserting);
    } catch (const EVxError& e) {
        failWith(OnPostError, e.message()); // the row stays in editing
    }
    placePostedRow(rowId, inserting);
    m_buffer.clear();
    setState(TVxDataSetState::Browse);
    if (AfterPost) AfterPost(*this);
    notify(TVxDataEvent::DataChanged);
    scrolled();
}

QVariant TVxTable::postRow(bool inserting) {
    // A refused statement spoils a PostgreSQL transaction until rolled back:
    // only the attempt is undone, the caller's transaction goes on.
    if (!m_db.InTransaction()) return inserting ? postInsert() : postUpdate();
    const QString savepoint = QStringLiteral("vx_post");
    m_db.Savepoint(savepoint);
    QVariant rowId;
    try {
        rowId = inserting ? postInsert() : postUpdate();
    } catch (...) {
        m_db.RollbackToSavepoint(savepoint);
        throw;
    }
    m_db.ReleaseSavepoint(savepoint);
    return rowId;
}

void TVxTable::Cancel() {
    if (State() != TVxDataSetState::Edit && State() != TVxDataSetState::Insert) return;
    m_buffer.clear();
    setState(TVxDataSetState::Browse);
    if (AfterCancel) AfterCancel(*this);
    notify(TVxDataEvent::DataChanged);
}

void TVxTable::Delete() {
    requireBrowse("delete");
    if (State() == TVxDataSetState::Insert) {
        Cancel();
        return;
    }
    if (State() == TVxDataSetState::Edit) Cancel();
    if (m_current < 0)
        failWith(OnDeleteError, QCoreApplication::translate(
                                    "TVxDataSet", "%1: Cannot delete from an empty dataset")
                                    .arg(m_tableName));
    if (BeforeDelete) BeforeDelete(*this);
    QVariantList binds;
    QString sql = QStringLiteral("delete from %1 where ").arg(m_tableName);
    sql += rowIdWhere(m_rows[size_t(m_current)], binds);
    QSqlQuery query(m_db.Database());
    if (!query.prepare(sql)) failWith(OnDeleteError, VxDbErrorText(query.lastError()));
    for (const QVariant& v : binds)
        query.addBindValue(v);
    if (!query.exec()) failWith(OnDeleteError, VxDbErrorText(query.lastError()));
    if (query.numRowsAffected() == 0)
        failWith(OnDeleteError,
                 QCoreApplication::translate("TVxDataSet", "%1: The row was changed or deleted")
                     .arg(m_tableName));
    m_rows.erase(m_rows.begin() + m_current);
    if (hasRowId()) m_rowIds.erase(m_rowIds.begin() + m_current);
    if (m_current >= RecordCount()) m_current = RecordCount() - 1;
    m_eof = m_rows.empty();
    if (AfterDelete) AfterDelete(*this);
    notify(TVxDataEvent::DataChanged);
    scrolled();
}

bool TVxTable::FindKey(const QVariantList& values) {
    return Locate(m_indexFields.mid(0, int(values.size())), values);
}

bool TVxTable::Locate(const QStringList& fields, const QVariantList& values) {
    requireBrowse("locate");
    checkBrowse();
    QList<int> columns;
    for (const QString& f : fields)
        columns << requireField(f);
    for (int row = 0; row < RecordCount(); ++row) {
        bool match = true;
        for (int k = 0; k < columns.size() && match; ++k) {
            const QVariant& v = m_rows[size_t(row)][size_t(columns[k])];
            match = !v.isNull() && !values[k].isNull() && compareValues(v, values[k]) == 0;
        }
        if (match) return MoveTo(row);
    }
    return false;
}

// ---------------------------------------------------------------------------

TVxQuery::TVxQuery(TSchedDB& db, const QString& name, const QStringList& sqlLines)
    : TVxDataSet(db), m_name(name), m_sql(sqlLines) {
    const QString text = sqlLines.join(QLatin1Char('\n'));
    bool quoted = false;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\'')) quoted = !quoted;
        const bool param = !quoted && c == QLatin1Char(':') && i + 1 < text.size() &&
                           (text.at(i + 1).isLetter() || text.at(i + 1) == QLatin1Char('_')) &&
                           (i == 0 || text.at(i - 1) != QLatin1Char(':'));
        if (!param) {
            m_statement += c;
            continue;
        }
        int end = i + 1;
        while (end < text.size() && (text.at(end).isLetterOrNumber() || text.at(end) == '_'))
            ++end;
        const QString paramName = text.mid(i + 1, end - i - 1);
        int index = -1;
        for (int k = 0; k < m_paramNames.size(); ++k)
            if (m_paramNames[k].compare(paramName, Qt::CaseInsensitive) == 0) index = k;
        if (index < 0) {
            index = int(m_paramNames.size());
            m_paramNames << paramName;
            m_values << QVariant();
        }
        m_occurrences << index;
        m_statement += QLatin1Char('?');
        i = end - 1;
    }
}

void TVxQuery::Prepare() {
    QSqlQuery query(m_db.Database());
    if (!query.prepare(m_statement)) throwSql(query.lastError());
    m_prepared = true;
}

void TVxQuery::SetParam(const QString& name, const QVariant& value) {
    for (int k = 0; k < m_paramNames.size(); ++k)
        if (m_paramNames[k].compare(name, Qt::CaseInsensitive) == 0) {
            m_values[k] = value;
            return;
        }
    throw EVxError(QCoreApplication::translate("TVxDataSet", "%1: Parameter '%2' not found")
                       .arg(m_name, name));
}

void TVxQuery::SetParamByIndex(int index, const QVariant& value) {
    if (index < 0 || index >= m_values.size()) throw EVxListIndexError(index);
    m_values[index] = value;
}

QVariant TVxQuery::Param(const QString& name) const {
    for (int k = 0; k < m_paramNames.size(); ++k)
        if (m_paramNames[k].compare(name, Qt::CaseInsensitive) == 0) return m_values[k];
    return {};
}

QSqlQuery TVxQuery::runSelect() {
    QSqlQuery query(m_db.Database());
    query.setForwardOnly(true);
    if (!query.prepare(m_statement)) throwSql(query.lastError());
    for (int index : m_occurrences)
        query.addBindValue(m_values[index]);
    if (!query.exec()) throwSql(query.lastError());
    return query;
}
