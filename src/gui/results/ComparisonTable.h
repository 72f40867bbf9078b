#pragma once

#include "core/results/Ensemble.h"

#include <QStandardItemModel>

class QTableView;

namespace lumvane {

/// @brief The comparison stars of an ensemble as the observer types them: a
/// row per slot St1..St19, its catalogue magnitude in the second column; a
/// star whose magnitude is blank is not in the ensemble.
///
/// The AAVSO dialog and the light curve window show the same table, so that a
/// magnitude typed in one is in the other.
class ComparisonTable : public QStandardItemModel {
    Q_OBJECT

public:
    explicit ComparisonTable(QObject* parent = nullptr);

    /// The stars with a magnitude, in slot order.
    Ensemble Comparisons() const;
    void SetComparisons(const Ensemble& comparisons);

    /// A view of the table whose magnitude cells take numbers only.
    QTableView* NewView(const QString& objectName, QWidget* parent = nullptr);
};

} // namespace lumvane
