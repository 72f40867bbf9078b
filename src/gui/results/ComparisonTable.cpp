#include "gui/results/ComparisonTable.h"

#include "core/photometry/StarSlots.h"

#include <QDoubleValidator>
#include <QHeaderView>
#include <QLineEdit>
#include <QStyledItemDelegate>
#include <QTableView>

namespace lumvane {
namespace {

constexpr int kMagnitudeColumn = 1;

/// Edits a magnitude cell with a box that takes a number (or nothing): a
/// text that is no number leaves the cell as it was.
class MagnitudeDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const override
    {
        auto* editor = new QLineEdit(parent);
        auto* validator = new QDoubleValidator(-99.999, 99.999, 4, editor);
        validator->setLocale(QLocale::c());
        validator->setNotation(QDoubleValidator::StandardNotation);
        editor->setValidator(validator);
        return editor;
    }

    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override
    {
        auto* box = static_cast<QLineEdit*>(editor);
        if (box->text().trimmed().isEmpty() || box->hasAcceptableInput())
            model->setData(index, box->text().trimmed());
    }
};

} // namespace

ComparisonTable::ComparisonTable(QObject* parent)
    : QStandardItemModel(kVar1Slot, 2, parent)
{
    setHorizontalHeaderLabels({ QStringLiteral("Star"), QStringLiteral("Magnitude") });
    for (int slot = 0; slot < kVar1Slot; ++slot) {
        auto* star = new QStandardItem(QString::fromStdString(StarLabel(slot)));
        star->setEditable(false);
        setItem(slot, 0, star);
        setItem(slot, kMagnitudeColumn, new QStandardItem);
    }
}

Ensemble ComparisonTable::Comparisons() const
{
    Ensemble comparisons;
    for (int slot = 0; slot < kVar1Slot; ++slot) {
        bool number = false;
        const double magnitude = QLocale::c().toDouble(item(slot, kMagnitudeColumn)->text(), &number);
        if (number)
            comparisons.push_back({ slot, magnitude });
    }
    return comparisons;
}

void ComparisonTable::SetComparisons(const Ensemble& comparisons)
{
    for (int slot = 0; slot < kVar1Slot; ++slot)
        item(slot, kMagnitudeColumn)->setText({});
    for (const ComparisonStar& star : comparisons)
        if (star.slot >= 0 && star.slot < kVar1Slot)
            item(star.slot, kMagnitudeColumn)->setText(QString::number(star.catalogue, 'g', 10));
}

QTableView* ComparisonTable::NewView(const QString& objectName, QWidget* parent)
{
    auto* view = new QTableView(parent);
    view->setObjectName(objectName);
    view->setModel(this);
    view->setItemDelegateForColumn(kMagnitudeColumn, new MagnitudeDelegate(view));
    view->verticalHeader()->hide();
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 4);
    view->horizontalHeader()->setStretchLastSection(true);
    view->resizeColumnsToContents();
    return view;
}

} // namespace lumvane
