// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the maintenance window checks before a reference row is stored or
// deleted, beyond what the engine itself refuses:
// - a loom's position and reference belong to that loom alone, since stored
//   scenarios find their looms by position;
// - a loom whose position stored scenarios use keeps that position and is
//   not deleted, so no stored job loses its loom;
// - a column naming another table's key (loom type, fabric structure, warp
//   type and colour) names an existing key. Warp types are defined on their
//   own page, so any other code is refused; the other keys are defined by
//   the rows that use them, so a new one is entered only once the planner
//   confirms it is meant (a typo is caught either way).
// The checks answer with a verdict; the window shows it and asks.

#include <QCoreApplication>
#include <QString>
#include <QStringList>

class TSchedDB;
class TVxTable;

struct TMaintVerdict {
    QString Refusal;       // not empty: the row may not be stored, and why
    QStringList Questions; // new keys in the row, each to be confirmed first
};

class TMaintChecks {
    Q_DECLARE_TR_FUNCTIONS(TMaintChecks)

public:
    explicit TMaintChecks(TSchedDB& db);

    // The existing keys a grid column offers in its pick list, sorted; empty
    // for a column that names no key.
    QStringList Choices(const QString& table, const QString& field) const;

    // The row of table being posted, its values already converted.
    TMaintVerdict BeforePost(const TVxTable& table) const;
    // The current row of table, about to be deleted.
    TMaintVerdict BeforeDelete(const TVxTable& table) const;

    // How many stored scenarios hold jobs on loom number posn.
    int ScenariosOnLoom(int posn) const;

private:
    QString loomRefusal(const TVxTable& looms) const;
    QString inUseRefusal(const TVxTable& looms, const QString& action) const;
    TMaintVerdict keyVerdict(const TVxTable& table) const;

    TSchedDB& m_db;
};
