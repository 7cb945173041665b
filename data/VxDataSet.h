// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Datasets over the planner's database: tables read in index order (with an
// optional master-detail restriction) and parameterised queries.
//
// A dataset reads its rows when opened and keeps them in memory (the tables
// hold tens to thousands of rows); posts and deletes write through at once
// and update the kept rows, so saving a large scenario stays linear.
// Every database failure is thrown as EVxError with the engine's own message.

#include "VxDate.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <map>
#include <memory>
#include <vector>

class TSchedDB;
class QSqlQuery;

enum class TVxDataSetState { Inactive, Browse, Edit, Insert };

// What a dataset tells its links (detail tables, grids) has happened.
// UpdateRecord comes just before a post: editors showing the row write what
// they hold into it. Destroyed: the dataset is going away and must be
// forgotten.
enum class TVxDataEvent {
    Opened,
    Closed,
    Scrolled,
    StateChanged,
    DataChanged,
    UpdateRecord,
    Destroyed
};

// What a table's column takes, as the engine describes it.
enum class TVxFieldType { Unknown, Text, Integer, Float, Date };

// What a column holds, as grids and printouts treat it. Auto is taken from
// the column's type (or, where the engine does not say, from its values)
// when the dataset opens.
enum class TVxFieldKind { Auto, String, Integer, Float, Currency, DateTime };

// Column description used by grids and the printer.
struct TVxField {
    QString FieldName; // upper case
    QString DisplayLabel;
    int DisplayWidth = 0; // characters; 0 = default
    // Numbers: a pattern of 0 # . , E+ (see VxFormatFloat); dates: the date
    // letters of VxFormatDate ("dd/mm/yyyy").
    QString DisplayFormat;
    bool Visible = true;
    bool Calculated = false;
    TVxFieldKind Kind = TVxFieldKind::Auto;
    int Precision = 15;    // significant digits of a floating point column
    bool Currency = false; // a floating point column holding money
    // The figures a number column takes when a row is posted; none while
    // both are 0.
    double MinValue = 0;
    double MaxValue = 0;

    bool IsNumeric() const {
        return Kind == TVxFieldKind::Integer || Kind == TVxFieldKind::Float ||
               Kind == TVxFieldKind::Currency;
    }
    // Filled from the engine's description when a table opens.
    TVxFieldType DataType = TVxFieldType::Unknown;
    int Size = 0; // most characters of a text column; 0 = no limit
    bool Required = false;

    // A value as grids and printouts show it: numbers and dates with the
    // display format, money in the locale's currency format, dates without
    // a format in the short date format, empty values empty.
    QString Text(const QVariant& value) const;
};

// A remembered row, to come back to after a scan.
struct TVxBookmark {
    int Row = -1;
    QVariant RowId; // the row's identity where the engine gives one
};

class TVxDataSet {
public:
    using Notify = std::function<void(TVxDataSet&)>;

    explicit TVxDataSet(TSchedDB& db);
    virtual ~TVxDataSet();
    TVxDataSet(const TVxDataSet&) = delete;
    TVxDataSet& operator=(const TVxDataSet&) = delete;

    TSchedDB& Database() const { return m_db; }
    virtual QString Name() const = 0;

    void Open();
    void Close();
    bool Active() const { return m_state != TVxDataSetState::Inactive; }
    TVxDataSetState State() const { return m_state; }
    // Reads the rows again, keeping the current row where it still exists.
    void Refresh();

    // Navigation (posts a pending edit first).
    void First();
    void Last();
    void Next();
    void Prior();
    // Makes row (0-based) current; false when there is no such row.
    bool MoveTo(int row);
    bool Eof() const { return m_eof; }
    bool Bof() const { return m_bof; }
    bool IsEmpty() const { return m_rows.empty(); }
    int RecordCount() const { return static_cast<int>(m_rows.size()); }
    // Index of the current row, -1 when there is none.
    int RecNo() const { return m_current; }

    // The current row, and back to it (by its identity where there is one,
    // so a refresh in between still finds it). False when it is gone.
    TVxBookmark GetBookmark() const;
    bool GotoBookmark(const TVxBookmark& bookmark);

    // While disabled (the calls nest), grids and detail tables do not follow
    // the dataset; enabling tells them once what happened meanwhile.
    void DisableControls();
    void EnableControls();
    bool ControlsDisabled() const { return m_disabledControls > 0; }

    // Columns of the result, then the calculated ones.
    const QList<TVxField>& Fields() const { return m_fields; }
    TVxField* FieldDef(const QString& name);
    int FieldIndex(const QString& name) const; // -1 when unknown
    // Declares a calculated column; call before Open.
    void AddCalcField(const TVxField& field);
    // How a result column shows in grids and printouts, set before the first
    // opening (the dataset's design-time field settings); FieldName names the
    // column, the other members are taken over.
    void SetFieldDisplay(const TVxField& field);
    // Orders the rows in the client after each reading, by these columns
    // (empty values first), keeping the engine's order among equals; for
    // queries whose SQL leaves the order to the engine. Set before Open.
    void SetSortFields(const QStringList& fieldNames) { m_sortFields = fieldNames; }
    // Sum of a column over all rows, empty values left out.
    double Total(const QString& name) const;
    // Inside OnCalcFields: sets a calculated column of the row being read.
    void SetCalcValue(const QString& name, const QVariant& value);

    // Values of the current row (or of the row being edited). An empty value
    // reads as 0, the empty text or day 0. Unknown names throw EVxError.
    QVariant Value(const QString& name) const;
    bool IsNull(const QString& name) const;
    int AsInteger(const QString& name) const;
    double AsFloat(const QString& name) const;
    QString AsString(const QString& name) const;
    TDateTime AsDate(const QString& name) const;
    // Any row, for grids and printing (the row being edited shows its edits;
    // while inserting, row RecordCount() is the new row).
    QVariant RowValue(int row, int column) const;
    // The value as grids and printouts show it (TVxField::Text); typed
    // text not yet converted for its column shows as typed.
    QString DisplayText(int row, int column) const;
    // The same for a value of no known column: a format with 0 or # is a
    // number pattern, any other a date format.
    static QString FormatValue(const QVariant& value, const QString& displayFormat);

    // Converters shared with the tables.
    static int VariantToInt(const QVariant& v);
    static double VariantToFloat(const QVariant& v);
    static TDateTime VariantToDate(const QVariant& v);

    // Events of the dataset (single handlers, as the forms bind them).
    Notify AfterOpen, BeforeClose, AfterClose, AfterScroll, OnCalcFields;

    // Links: any number of listeners (detail tables, grid models).
    void AddLink(void* owner, std::function<void(TVxDataEvent)> listener);
    void RemoveLink(void* owner);

protected:
    using Row = std::vector<QVariant>;

    // Runs the select of this dataset; the result's first column is the row
    // identity when hasRowId() says so.
    virtual QSqlQuery runSelect() = 0;
    virtual bool hasRowId() const { return false; }
    // Posts a pending edit before navigation (tables only).
    virtual void checkBrowse() {}
    // Releases what an opening prepared.
    virtual void closed() {}
    // After the rows were read (at opening and at each refresh).
    virtual void loaded() {}
    // Completes the fields of a fresh result (types, sizes).
    virtual void describe(QList<TVxField>&) {}

    void notify(TVxDataEvent event);
    void setState(TVxDataSetState state);
    void scrolled();
    // Fills the calculated columns of row through OnCalcFields.
    void calculate(Row& row);
    const Row* currentRow() const;
    int requireField(const QString& name) const;

    TSchedDB& m_db;
    QList<TVxField> m_fields;
    QList<TVxField> m_calcFields;
    QList<TVxField> m_fieldDisplays;
    int m_dataColumns = 0;
    std::vector<Row> m_rows;
    std::vector<QVariant> m_rowIds;
    Row m_buffer; // the row being edited or inserted
    int m_current = -1;
    bool m_eof = true;
    bool m_bof = true;
    Row* m_calcRow = nullptr;

private:
    void load();
    void resolveKinds(const QList<TVxFieldKind>& engineKinds);
    void sortRows();
    QStringList m_sortFields;
    TVxDataSetState m_state = TVxDataSetState::Inactive;
    int m_disabledControls = 0;
    bool m_missedNotice = false;
    std::vector<std::pair<void*, std::function<void(TVxDataEvent)>>> m_links;
};

// A table read in the order of its index columns, optionally restricted to
// the rows whose link column equals the master's current value.
class TVxTable : public TVxDataSet {
public:
    using ErrorEvent = std::function<void(TVxTable&, const QString& message)>;

    TVxTable(TSchedDB& db, const QString& tableName, const QStringList& indexFields);
    ~TVxTable() override;

    QString Name() const override { return m_tableName; }
    QString TableName() const { return m_tableName; }
    const QStringList& IndexFields() const { return m_indexFields; }

    // Master-detail: while master has a current row this table shows only the
    // rows whose linkField equals the master's; with none it shows no rows.
    void SetMaster(TVxDataSet* master, const QString& linkField);

    void Insert(); // new row; a detail takes the master's link value
    void Edit();
    void SetValue(const QString& name, const QVariant& value);
    void SetAsInteger(const QString& name, int value) { SetValue(name, value); }
    void SetAsFloat(const QString& name, double value) { SetValue(name, value); }
    // An empty text stores an empty (null) value, so a required column
    // refuses it.
    void SetAsString(const QString& name, const QString& value);
    // Stores the whole day; day 0 (no date) stores an empty value.
    void SetAsDate(const QString& name, TDateTime day);
    void Post();
    void Cancel();
    void Delete();

    // The current row's value as stored, while it is being edited; empty
    // while a new row is inserted.
    QVariant OldValue(const QString& name) const;

    // Posting first converts typed text in number and date columns and checks
    // text lengths, ranges and required columns, refusing a bad value with a
    // message naming its column; then BeforePost sees the converted row.
    // Inside a transaction the post runs under a savepoint, so a row the
    // engine refuses leaves the transaction usable for the corrected row.

    // Finds the first row whose index columns equal values (in index order;
    // fewer values match a prefix). The row becomes current when found.
    bool FindKey(const QVariantList& values);
    // Finds the first row whose named columns equal values.
    bool Locate(const QStringList& fields, const QVariantList& values);

    Notify BeforeEdit, BeforeInsert, BeforePost, AfterPost, AfterCancel, BeforeDelete, AfterDelete;
    ErrorEvent OnEditError, OnPostError, OnDeleteError;

protected:
    QSqlQuery runSelect() override;
    bool hasRowId() const override;
    void checkBrowse() override;
    void closed() override;
    void loaded() override;
    void describe(QList<TVxField>& fields) override;

private:
    void requireBrowse(const char* operation);
    // Converts or refuses the values of the row being posted.
    void validateBuffer();
    QVariant postRow(bool inserting);
    QVariant postInsert();
    QVariant postUpdate();
    void placePostedRow(const QVariant& rowId, bool inserted);
    [[noreturn]] void failWith(const ErrorEvent& handler, const QString& message);
    QString rowIdExpr() const;
    QString rowIdParam() const;
    QString rowIdWhere(const Row& original, QVariantList& binds) const;
    // The columns of the table's primary key, if it declares one.
    void findKeyColumns();

    // Statements prepared once per opening: saving a scenario posts
    // thousands of rows with the same columns.
    QSqlQuery& cachedQuery(const QString& sql);

    QString m_tableName;
    QStringList m_indexFields;
    std::map<QString, std::unique_ptr<QSqlQuery>> m_statements;
    QList<int> m_keyColumns; // primary key columns; empty without one
    bool m_keyKnown = false; // looked up once per opening
    TVxDataSet* m_master = nullptr;
    QString m_linkField;
    QVariant m_linkValue;
    QList<TVxField> m_columns; // the engine's description, read once per opening
};

// A query from fixed SQL lines with named parameters (":Name").
class TVxQuery : public TVxDataSet {
public:
    TVxQuery(TSchedDB& db, const QString& name, const QStringList& sqlLines);

    QString Name() const override { return m_name; }
    QStringList SQL() const { return m_sql; }
    QStringList ParamNames() const { return m_paramNames; }

    // Checks the SQL with the engine once (an error is thrown here).
    void Prepare();
    bool Prepared() const { return m_prepared; }
    void SetParam(const QString& name, const QVariant& value);
    void SetParamByIndex(int index, const QVariant& value);
    QVariant Param(const QString& name) const;

protected:
    QSqlQuery runSelect() override;

private:
    QString m_name;
    QStringList m_sql;
    QString m_statement;      // with "?" for each parameter occurrence
    QStringList m_paramNames; // distinct, in order of first occurrence
    QList<int> m_occurrences; // parameter index of each "?"
    QVariantList m_values;
    bool m_prepared = false;
};
